#include "AccessibleBoardCell.h"

#include "CellNames.h"
#include "ui/BoardPicture.h"

#include <QTimer>

AccessibleBoardCell::AccessibleBoardCell(BoardPicture *board, int cell) : board_(board), cell_(cell) {}

bool AccessibleBoardCell::isValid() const
{
    return board_;
}

QWindow *AccessibleBoardCell::window() const
{
    return board_ ? board_->window()->windowHandle() : nullptr;
}

QAccessibleInterface *AccessibleBoardCell::parent() const
{
    return QAccessible::queryAccessibleInterface(board_);
}

QString AccessibleBoardCell::text(QAccessible::Text type) const
{
    if (!board_)
        return {};
    switch (type) {
    case QAccessible::Name:
        return CellName(cell_, board_->marks()[cell_]);
    default:
        return {};
    }
}

QRect AccessibleBoardCell::rect() const
{
    if (!board_)
        return {};
    const QRect local = BoardCursor::cellRect(cell_);
    return QRect(board_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State AccessibleBoardCell::state() const
{
    QAccessible::State state;
    if (!board_)
        return state;
    state.focusable = true;
    state.focused = board_->hasFocus() && board_->cursor().cell() == cell_;
    // The window says when it waits for the play-again question, and takes no move then. A taken
    // cell stays available: its name says what it holds, and pressing it is told as taken.
    state.disabled = board_->window()->property("asking").toBool();
    state.invisible = !board_->isVisible();
    return state;
}

void *AccessibleBoardCell::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

QStringList AccessibleBoardCell::actionNames() const
{
    return {pressAction(), setFocusAction()};
}

void AccessibleBoardCell::doAction(const QString &actionName)
{
    if (!board_)
        return;
    if (actionName == setFocusAction() && !state().disabled)
        board_->focusCell(cell_);
    if (actionName != pressAction())
        return;
    // Played from the event loop, not inside the request: the assistive technology has its answer
    // before the move's news, or the question of a move that ends the game, reaches it.
    QTimer::singleShot(0, board_, [board = board_.data(), cell = cell_] { board->playCell(cell); });
}

QStringList AccessibleBoardCell::keyBindingsForAction(const QString &actionName) const
{
    return actionName == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
}
