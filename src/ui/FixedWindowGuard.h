#pragma once

#include <QObject>
#include <QSize>

class QWidget;

// Keeps a fixed-size top-level window as it is: a maximise, fullscreen or resize forced from
// outside (a window manager that ignores the size hints, wmctrl, a compositor) is undone at once.
class FixedWindowGuard : public QObject {
    Q_OBJECT

public:
    explicit FixedWindowGuard(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restoreState();
    void restoreSize();

    QWidget *window_;
    QSize ownSeen_;   // the window's own size when a foreign one was last refused
    QSize insisted_;  // that foreign size
};
