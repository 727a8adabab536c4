#pragma once

#include "Canvas.h"
#include "GameState.h"
#include "RandomSource.h"

#include <optional>

// The computer's turn: at most one nought by the stages the level allows, then moveCount + 1.
void ComputerMove(GameState &state, Canvas &canvas, RandomSource &random);

// Marks the cell as the computer's, then draws its blue circle.
void PlaceNought(GameState &state, Canvas &canvas, int column, int row);

// The first free cell, in scan order, that would complete a line of two marks.
std::optional<int> FindCompletingCell(const GameState &state, int mark);
