#pragma once

#include <array>
#include <cstdint>
#include <string>

// Cell codes. Zero is the computer's mark, so a zero-filled record reads as nine noughts.
enum CellCode : std::int32_t { CellNought = 0, CellCross = 1, CellEmpty = 5 };

enum { BoardCells = 9, BoardSide = 3, CellSize = 100 };

// The one record of the game in progress. Cells are indexed column-first: index = column * 3 + row.
struct GameState {
    std::array<std::int32_t, BoardCells> cells{};
    std::int32_t moveCount = 0;  // turns taken: +1 per cross, +1 per computer turn
    std::u16string outcome;      // "yes", "no", "tie" or empty
    std::int32_t level = 0;      // 0 "Очень легко" .. 3 "Тяжело"
};

constexpr int CellIndex(int column, int row) { return column * BoardSide + row; }
constexpr int ColumnOf(int index) { return index / BoardSide; }
constexpr int RowOf(int index) { return index % BoardSide; }

// Empties every cell in index order and zeroes moveCount; level and outcome stay as they are.
void ResetBoard(GameState &state);
