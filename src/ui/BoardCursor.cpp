#include "BoardCursor.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace {

bool PlainKey(const QKeyEvent &event)
{
    return (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

std::optional<int> BoardCursor::cellAfter(const QKeyEvent &event) const
{
    if (!PlainKey(event))
        return std::nullopt;
    int column = ColumnOf(cell_);
    int row = RowOf(cell_);
    switch (event.key()) {
    case Qt::Key_Left: --column; break;
    case Qt::Key_Right: ++column; break;
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    default: return std::nullopt;
    }
    return CellIndex(std::clamp<int>(column, 0, BoardSide - 1), std::clamp<int>(row, 0, BoardSide - 1));
}

std::optional<int> BoardCursor::cellOfDigit(const QKeyEvent &event)
{
    if (!PlainKey(event) || event.key() < Qt::Key_1 || event.key() > Qt::Key_9)
        return std::nullopt;
    const int digit = event.key() - Qt::Key_1;
    return CellIndex(digit % BoardSide, BoardSide - 1 - digit / BoardSide);
}

QRect BoardCursor::cellRect(int cell)
{
    return QRect(ColumnOf(cell) * CellSize, RowOf(cell) * CellSize, CellSize, CellSize);
}

void BoardCursor::paint(QPainter &painter) const
{
    // A dark ring with a white ring inside it: one of the two stands out from white, red and blue
    // alike, and the gap to the grid keeps it from reading as a grid line.
    const QRectF ring = QRectF(cellRect(cell_)).adjusted(9, 9, -9, -9);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 20, 20), 4, Qt::SolidLine));
    painter.drawRoundedRect(ring, 6, 6);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRoundedRect(ring.adjusted(3, 3, -3, -3), 4, 4);
    painter.restore();
}
