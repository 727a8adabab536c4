#pragma once

#include <QHash>
#include <QObject>

class QRect;
class QWidget;

// Whether WINDOW shows what lies at GLOBALRECT, in screen coordinates: not where it runs below the
// window's lower edge, as the lower area does while it is shut. Only the height changes; the width
// is the layout's own, and a control that its frame cuts at the right, as a level's button is, shows.
// What the window does not show is not there, for the keyboard's focus as for a screen reader.
bool InSight(const QWidget *window, const QRect &globalRect);

// Keeps the keyboard focus on what the window shows: a control out of sight takes no focus until
// the window has grown to show it.
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
