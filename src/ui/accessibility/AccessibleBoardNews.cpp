#include "AccessibleBoardNews.h"

#include "game/GameState.h"
#include "ui/BoardPicture.h"

AccessibleBoardNews::AccessibleBoardNews(BoardPicture *board) : board_(board)
{
    // Qt's cache owns and deletes both, never this line.
    message_ = QAccessible::registerAccessibleInterface(new AccessibleBoardNews(board, true));
}

AccessibleBoardNews::AccessibleBoardNews(BoardPicture *board, bool) : board_(board), isMessage_(true) {}

AccessibleBoardNews *AccessibleBoardNews::message() const
{
    return static_cast<AccessibleBoardNews *>(QAccessible::accessibleInterface(message_));
}

void AccessibleBoardNews::tell(const QString &text)
{
    AccessibleBoardNews *message = this->message();
    if (!message)
        return;
    message->text_ = text;
    message->shown_ = true;
    QAccessibleEvent shown(message, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    message->shown_ = false;
    QAccessibleEvent hidden(message, QAccessible::ObjectHide);
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
    QAccessibleInterface *board = QAccessible::queryAccessibleInterface(board_);
    // The line follows the board's cells.
    return isMessage_ && board ? board->child(BoardCells) : board;
}

QAccessibleInterface *AccessibleBoardNews::child(int index) const
{
    return index == 0 ? message() : nullptr;
}

int AccessibleBoardNews::childCount() const
{
    return isMessage_ ? 0 : 1;
}

int AccessibleBoardNews::indexOfChild(const QAccessibleInterface *child) const
{
    return !isMessage_ && child == message() ? 0 : -1;
}

QString AccessibleBoardNews::text(QAccessible::Text type) const
{
    return type == QAccessible::Name ? text_ : QString();
}

QAccessible::Role AccessibleBoardNews::role() const
{
    return isMessage_ ? QAccessible::Notification : QAccessible::StatusBar;
}

QAccessible::State AccessibleBoardNews::state() const
{
    QAccessible::State state;
    state.invisible = !shown_;
    return state;
}
