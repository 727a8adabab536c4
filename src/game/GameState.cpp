#include "GameState.h"

void ResetBoard(GameState &state)
{
    for (auto &cell : state.cells)
        cell = CellEmpty;
    state.moveCount = 0;
}
