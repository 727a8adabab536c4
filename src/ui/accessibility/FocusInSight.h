#pragma once

#include <QHash>
#include <QObject>

class QWidget;

// Keeps the keyboard focus on what the window shows: a control whose lower edge lies below the
// window's takes no focus until the window has grown to show it.
class FocusInSight : public QObject {
    Q_OBJECT

public:
    explicit FocusInSight(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyPolicies();

    QWidget *window_;
    QHash<QWidget *, Qt::FocusPolicy> policies_;  // each control's own policy
};
