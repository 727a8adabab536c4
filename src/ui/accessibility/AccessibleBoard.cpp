#include "AccessibleBoard.h"

#include "AccessibleBoardCell.h"
#include "AccessibleBoardNews.h"
#include "ui/BoardPicture.h"

AccessibleBoard::AccessibleBoard(BoardPicture *board)
    : QAccessibleWidget(board, QAccessible::Grouping, QStringLiteral("Игровое поле"))
{
}

AccessibleBoard::~AccessibleBoard()
{
    for (AccessibleBoardCell *cell : cells_)
        if (cell)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cell));
    if (news_)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(news_));
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
    return BoardCells + 1;
}

AccessibleBoardNews *AccessibleBoard::news() const
{
    if (!news_) {
        news_ = new AccessibleBoardNews(board());
        QAccessible::registerAccessibleInterface(news_);
    }
    return news_;
}

QAccessibleInterface *AccessibleBoard::child(int index) const
{
    if (index == BoardCells)
        return news();
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
    return news_ && child == news_ ? BoardCells : -1;
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
