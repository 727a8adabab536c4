#include "FixedWindowGuard.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

FixedWindowGuard::FixedWindowGuard(QWidget *window) : QObject(window), window_(window)
{
    window->installEventFilter(this);
}

bool FixedWindowGuard::eventFilter(QObject *watched, QEvent *event)
{
    // Undone from the event loop: changing a window's state or size inside its own notification
    // of that change is not safe on every platform.
    if (watched == window_ && event->type() == QEvent::WindowStateChange
        && window_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        QTimer::singleShot(0, this, &FixedWindowGuard::restoreState);
    if (watched == window_ && event->type() == QEvent::Resize)
        QTimer::singleShot(0, this, &FixedWindowGuard::restoreSize);
    return false;
}

void FixedWindowGuard::restoreState()
{
    window_->setWindowState(window_->windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
}

void FixedWindowGuard::restoreSize()
{
    const QSize own = window_->minimumSize();
    if (own != window_->maximumSize())
        return;
    if (own != ownSeen_) {
        ownSeen_ = own;
        insisted_ = QSize();
    }
    // A window manager that answers every request with a size of its own would otherwise be asked
    // for ours for ever: a foreign size that comes back after one refusal is left alone.
    const QSize now = window_->size();
    if (now == own || now == insisted_)
        return;
    insisted_ = now;
    window_->resize(own);
}
