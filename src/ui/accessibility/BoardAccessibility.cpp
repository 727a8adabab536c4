#include "BoardAccessibility.h"

#include "AccessibleBoard.h"
#include "CellNames.h"

#include <QAccessible>
#include <QTimer>

namespace {

void Notify(BoardPicture *board, QAccessible::Event type, int cell = -1)
{
    QAccessibleEvent event(board, type);
    if (cell >= 0)
        event.setChild(AccessibleBoard::childIndexOf(cell));
    QAccessible::updateAccessibility(&event);
}

void NotifyFocusedCell(BoardPicture *board)
{
    if (board->hasFocus())
        Notify(board, QAccessible::Focus, board->cursor().cell());
}

} // namespace

namespace BoardAccessibility {

QString computerMoveText(const BoardPicture *board)
{
    if (board->computerCell() < 0)
        return {};
    return QStringLiteral("Компьютер: ") + CellPlaceName(board->computerCell());
}

void focusEntered(BoardPicture *board)
{
    // The widget's own focus event follows this one; the cell's comes after it, from the loop.
    if (QAccessible::isActive())
        QTimer::singleShot(0, board, [board] { NotifyFocusedCell(board); });
}

void cursorMoved(BoardPicture *board)
{
    if (QAccessible::isActive())
        NotifyFocusedCell(board);
}

void marksChanged(BoardPicture *board, const BoardPicture::Marks &before, int playedBefore)
{
    if (!QAccessible::isActive())
        return;
    for (int cell = 0; cell < BoardCells; ++cell)
        if (before[cell] != board->marks()[cell])
            Notify(board, QAccessible::NameChanged, cell);
    Notify(board, QAccessible::DescriptionChanged);
    if (playedBefore >= 0 && playedBefore != board->playedCell())
        Notify(board, QAccessible::DescriptionChanged, playedBefore);
    if (board->playedCell() >= 0)
        Notify(board, QAccessible::DescriptionChanged, board->playedCell());
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (const QString told = computerMoveText(board); !told.isEmpty()) {
        QAccessibleAnnouncementEvent announcement(board, told);
        QAccessible::updateAccessibility(&announcement);
    }
#endif
}

} // namespace BoardAccessibility
