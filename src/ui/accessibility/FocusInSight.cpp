#include "FocusInSight.h"

#include <QEvent>
#include <QRect>
#include <QWidget>

bool InSight(const QWidget *window, const QRect &globalRect)
{
    return globalRect.bottom() <= QRect(window->mapToGlobal(QPoint(0, 0)), window->size()).bottom();
}

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
        const QRect rect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
        widget->setFocusPolicy(InSight(window_, rect) ? it.value() : Qt::NoFocus);
    }
}
