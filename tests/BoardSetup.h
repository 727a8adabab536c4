// Builds a game record from lists of crosses and noughts, the rest of the board free.
#pragma once

#include "game/GameState.h"

#include <vector>

using Cells = std::vector<int>;

inline GameState Board(const Cells &crosses, const Cells &noughts, int moveCount = 0, int level = 0)
{
    GameState state;
    ResetBoard(state);
    for (int cell : crosses)
        state.cells[cell] = CellCross;
    for (int cell : noughts)
        state.cells[cell] = CellNought;
    state.moveCount = moveCount;
    state.level = level;
    return state;
}
