// The board as the tests see it, apart from the game's own tables: its eight lines and the centres
// of its cells on the picture.
#pragma once

#include "game/GameState.h"

#include <QPoint>

// Cell indices of the eight lines: the three columns, the three rows, then the falling and the
// rising diagonal, the order in which the game looks for a finished line.
constexpr int BoardLines[8][3] = {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {0, 3, 6}, {1, 4, 7}, {2, 5, 8}, {0, 4, 8}, {2, 4, 6}};

inline QPoint CellCentre(int index)
{
    return QPoint(ColumnOf(index) * CellSize + CellSize / 2, RowOf(index) * CellSize + CellSize / 2);
}
