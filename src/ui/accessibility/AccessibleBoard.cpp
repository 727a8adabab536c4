#include "AccessibleBoard.h"

#include "AccessibleBoardCell.h"
#include "BoardAccessibility.h"
#include "ui/BoardPicture.h"

AccessibleBoard::AccessibleBoard(BoardPicture *board)
    : QAccessibleWidget(board, QAccessible::Table, QStringLiteral("Игровое поле"))
{
}

AccessibleBoard::~AccessibleBoard()
{
    for (AccessibleBoardCell *cell : cells_)
        if (cell)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cell));
}

BoardPicture *AccessibleBoard::board() const
{
    return static_cast<BoardPicture *>(widget());
}

int AccessibleBoard::childIndexOf(int cell)
{
    return RowOf(cell) * BoardSide + ColumnOf(cell);
}

void *AccessibleBoard::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleBoard::text(QAccessible::Text type) const
{
    if (type == QAccessible::Description)
        return BoardAccessibility::computerMoveText(board());
    return QAccessibleWidget::text(type);
}

int AccessibleBoard::childCount() const
{
    return BoardCells;
}

QAccessibleInterface *AccessibleBoard::child(int index) const
{
    if (index < 0 || index >= BoardCells)
        return nullptr;
    const int cell = CellIndex(index % BoardSide, index / BoardSide);
    if (!cells_[cell]) {
        cells_[cell] = new AccessibleBoardCell(board(), cell);
        QAccessible::registerAccessibleInterface(cells_[cell]);
    }
    return cells_[cell];
}

int AccessibleBoard::indexOfChild(const QAccessibleInterface *child) const
{
    for (int cell = 0; cell < BoardCells; ++cell)
        if (cells_[cell] && cells_[cell] == child)
            return childIndexOf(cell);
    return -1;
}

QAccessibleInterface *AccessibleBoard::childAt(int x, int y) const
{
    const QPoint point = board()->mapFromGlobal(QPoint(x, y));
    if (point.x() < 0 || point.y() < 0 || point.x() >= BoardSide * CellSize || point.y() >= BoardSide * CellSize)
        return nullptr;
    return child(childIndexOf(CellIndex(point.x() / CellSize, point.y() / CellSize)));
}

QAccessibleInterface *AccessibleBoard::focusChild() const
{
    return board()->hasFocus() ? child(childIndexOf(board()->cursor().cell())) : nullptr;
}

QAccessibleInterface *AccessibleBoard::cellAt(int row, int column) const
{
    if (row < 0 || row >= BoardSide || column < 0 || column >= BoardSide)
        return nullptr;
    return child(row * BoardSide + column);
}

int AccessibleBoard::columnCount() const
{
    return BoardSide;
}

int AccessibleBoard::rowCount() const
{
    return BoardSide;
}
