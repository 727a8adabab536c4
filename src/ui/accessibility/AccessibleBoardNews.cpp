#include "AccessibleBoardNews.h"

#include "ui/BoardPicture.h"

AccessibleBoardNews::AccessibleBoardNews(BoardPicture *board) : board_(board)
{
    message_ = new AccessibleBoardNews(board, this);
    QAccessible::registerAccessibleInterface(message_);
}

AccessibleBoardNews::AccessibleBoardNews(BoardPicture *board, AccessibleBoardNews *line) : board_(board), line_(line) {}

AccessibleBoardNews::~AccessibleBoardNews()
{
    if (message_)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(message_));
}

void AccessibleBoardNews::tell(const QString &text)
{
    message_->text_ = text;
    message_->shown_ = true;
    QAccessibleEvent shown(message_, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    message_->shown_ = false;
    QAccessibleEvent hidden(message_, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hidden);
}

bool AccessibleBoardNews::isValid() const
{
    return board_;
}

QWindow *AccessibleBoardNews::window() const
{
    return board_ ? board_->window()->windowHandle() : nullptr;
}

QAccessibleInterface *AccessibleBoardNews::parent() const
{
    return line_ ? static_cast<QAccessibleInterface *>(line_) : QAccessible::queryAccessibleInterface(board_);
}

QAccessibleInterface *AccessibleBoardNews::child(int index) const
{
    return index == 0 ? message_ : nullptr;
}

int AccessibleBoardNews::childCount() const
{
    return message_ ? 1 : 0;
}

int AccessibleBoardNews::indexOfChild(const QAccessibleInterface *child) const
{
    return message_ && child == message_ ? 0 : -1;
}

QString AccessibleBoardNews::text(QAccessible::Text type) const
{
    return type == QAccessible::Name ? text_ : QString();
}

QAccessible::Role AccessibleBoardNews::role() const
{
    return line_ ? QAccessible::Notification : QAccessible::StatusBar;
}

QAccessible::State AccessibleBoardNews::state() const
{
    QAccessible::State state;
    state.invisible = !shown_;
    return state;
}
