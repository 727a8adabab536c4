#include "FocusInSight.h"

#include <QEvent>
#include <QWidget>

FocusInSight::FocusInSight(QWidget *window) : QObject(window), window_(window)
{
    for (QWidget *widget : window->findChildren<QWidget *>())
        if (widget->focusPolicy() != Qt::NoFocus)
            policies_.insert(widget, widget->focusPolicy());
    window->installEventFilter(this);
    applyPolicies();
}

bool FocusInSight::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window_ && event->type() == QEvent::Resize)
        applyPolicies();
    return QObject::eventFilter(watched, event);
}

void FocusInSight::applyPolicies()
{
    for (auto it = policies_.cbegin(); it != policies_.cend(); ++it) {
        QWidget *widget = it.key();
        const int bottom = widget->mapTo(window_, QPoint(0, widget->height())).y();
        widget->setFocusPolicy(bottom <= window_->height() ? it.value() : Qt::NoFocus);
    }
}
