#pragma once

#include "Canvas.h"
#include "GameState.h"

#include <cstdint>

// Clears the board to white and draws its frame (with the pen left by the last drawing) and grid.
void DrawGrid(Canvas &canvas);

// Draws the red cross in the cell whose top-left corner is (left, top) and counts the move.
void DrawCross(GameState &state, Canvas &canvas, int left, int top);

// An outlined circle of width 1, filled with the white brush.
void DrawCircle(int x, int y, int radius, Canvas &canvas, std::uint32_t colour);

// The magenta line through a completed line (codes 1..8) or, for 9, the broken line through the
// noughts in index order. Any other code only sets the pen.
void DrawResultLine(const GameState &state, Canvas &canvas, int code);
