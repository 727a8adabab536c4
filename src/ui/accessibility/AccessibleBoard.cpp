#include "AccessibleBoard.h"

#include "AccessibleBoardCell.h"
#include "ui/BoardPicture.h"

AccessibleBoard::AccessibleBoard(BoardPicture *board)
    : QAccessibleWidget(board, QAccessible::Grouping, QStringLiteral("Игровое поле")), news_(board)
{
}

BoardPicture *AccessibleBoard::board() const
{
    return static_cast<BoardPicture *>(widget());
}

int AccessibleBoard::childIndexOf(int cell)
{
    return RowOf(cell) * BoardSide + ColumnOf(cell);
}

int AccessibleBoard::childCount() const
{
    return BoardCells + news_.childCount();
}

QAccessibleInterface *AccessibleBoard::cellAt(int cell) const
{
    QAccessibleInterface *made = cells_[cell] ? QAccessible::accessibleInterface(cells_[cell]) : nullptr;
    if (!made) {
        made = new AccessibleBoardCell(board(), cell);
        cells_[cell] = QAccessible::registerAccessibleInterface(made);
    }
    return made;
}

QAccessibleInterface *AccessibleBoard::child(int index) const
{
    if (index >= BoardCells)
        return news_.child(index - BoardCells);
    if (index < 0)
        return nullptr;
    return cellAt(CellIndex(index % BoardSide, index / BoardSide));
}

int AccessibleBoard::indexOfChild(const QAccessibleInterface *child) const
{
    for (int cell = 0; cell < BoardCells; ++cell)
        if (cells_[cell] && QAccessible::accessibleInterface(cells_[cell]) == child)
            return childIndexOf(cell);
    const int news = news_.indexOfChild(child);
    return news < 0 ? -1 : BoardCells + news;
}

QAccessibleInterface *AccessibleBoard::childAt(int x, int y) const
{
    const QPoint point = board()->mapFromGlobal(QPoint(x, y));
    if (point.x() < 0 || point.y() < 0 || point.x() >= BoardSide * CellSize || point.y() >= BoardSide * CellSize)
        return nullptr;
    return cellAt(CellIndex(point.x() / CellSize, point.y() / CellSize));
}

QAccessibleInterface *AccessibleBoard::focusChild() const
{
    return board()->hasFocus() ? cellAt(board()->cursor().cell()) : nullptr;
}
