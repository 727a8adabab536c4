#include "ComputerOpponent.h"

#include "BoardDrawing.h"

#include <algorithm>

namespace {

enum { CentreIndex = 4, NoughtRadius = 45 };

struct Target {
    int cell;
    int pairCount;
    int pairs[4][2];
};

// Scan order: the top row right to left, then the middle row, then the bottom row. The order
// decides which cell is taken when several would complete or block a line.
constexpr Target LineTable[] = {
    {6, 3, {{0, 3}, {7, 8}, {2, 4}}},
    {3, 2, {{0, 6}, {4, 5}}},
    {0, 3, {{3, 6}, {1, 2}, {4, 8}}},
    {7, 2, {{1, 4}, {6, 8}}},
    {4, 4, {{1, 7}, {3, 5}, {0, 8}, {2, 6}}},
    {1, 2, {{4, 7}, {0, 2}}},
    {8, 3, {{2, 5}, {6, 7}, {0, 4}}},
    {5, 2, {{2, 8}, {3, 4}}},
    {2, 3, {{5, 8}, {0, 1}, {4, 6}}},
};

// Random(4) -> corner: column = 2 * (r mod 2), row = 2 * (r div 2).
int CornerOf(int draw) { return CellIndex(2 * (draw % 2), 2 * (draw / 2)); }

constexpr int Corners[] = {0, 2, 6, 8};

bool Holds(const GameState &state, int index, int mark) { return state.cells[index] == mark; }

void PlaceNoughtAt(GameState &state, Canvas &canvas, int index)
{
    PlaceNought(state, canvas, ColumnOf(index), RowOf(index));
}

bool OpeningRule(GameState &state, Canvas &canvas, RandomSource &random)
{
    if (Holds(state, CentreIndex, CellEmpty)) {
        PlaceNoughtAt(state, canvas, CentreIndex);
        return true;
    }
    if (Holds(state, CentreIndex, CellCross)) {
        // The only mark on the board is the cross in the centre, so every corner is free.
        random.Randomize();
        PlaceNoughtAt(state, canvas, CornerOf(random.Random(4)));
        return true;
    }
    return false;
}

// The person holds the centre and a corner, the computer the opposite corner: take one of the two
// other corners rather than an edge.
bool CornerReply(GameState &state, Canvas &canvas, RandomSource &random)
{
    const bool applies = Holds(state, CentreIndex, CellCross)
        && ((Holds(state, 0, CellCross) && Holds(state, 8, CellNought))
            || (Holds(state, 8, CellCross) && Holds(state, 0, CellNought))
            || (Holds(state, 2, CellCross) && Holds(state, 6, CellNought))
            || (Holds(state, 6, CellCross) && Holds(state, 2, CellNought)));
    // A record that breaks the caller's contract may have no free corner; never draw forever.
    const bool freeCorner = std::any_of(std::begin(Corners), std::end(Corners),
                                        [&](int c) { return Holds(state, c, CellEmpty); });
    if (!applies || !freeCorner)
        return false;
    random.Randomize();
    int corner = CornerOf(random.Random(4));
    while (!Holds(state, corner, CellEmpty))
        corner = CornerOf(random.Random(4));
    PlaceNoughtAt(state, canvas, corner);
    return true;
}

bool CompleteLineOf(GameState &state, Canvas &canvas, int mark)
{
    const std::optional<int> target = FindCompletingCell(state, mark);
    if (!target)
        return false;
    PlaceNoughtAt(state, canvas, *target);
    return true;
}

void RandomChoice(GameState &state, Canvas &canvas, RandomSource &random)
{
    const bool freeCell = std::any_of(state.cells.begin(), state.cells.end(),
                                      [](std::int32_t c) { return c == CellEmpty; });
    if (!freeCell)
        return;
    for (;;) {
        const int row = random.Random(3);
        const int column = random.Random(3);
        if (Holds(state, CellIndex(column, row), CellEmpty)) {
            PlaceNought(state, canvas, column, row);
            return;
        }
    }
}

} // namespace

void PlaceNought(GameState &state, Canvas &canvas, int column, int row)
{
    state.cells[CellIndex(column, row)] = CellNought;
    DrawCircle(column * CellSize + CellSize / 2, row * CellSize + CellSize / 2, NoughtRadius, canvas,
               ColourBlue);
}

std::optional<int> FindCompletingCell(const GameState &state, int mark)
{
    for (const Target &target : LineTable) {
        if (!Holds(state, target.cell, CellEmpty))
            continue;
        for (int p = 0; p < target.pairCount; ++p)
            if (Holds(state, target.pairs[p][0], mark) && Holds(state, target.pairs[p][1], mark))
                return target.cell;
    }
    return std::nullopt;
}

void ComputerMove(GameState &state, Canvas &canvas, RandomSource &random)
{
    bool placed = false;
    if (state.level > 0) {
        if (state.level >= 2 && state.moveCount == 1)
            placed = OpeningRule(state, canvas, random);
        if (!placed && state.level == 3 && state.moveCount == 3)
            placed = CornerReply(state, canvas, random);
        if (!placed)
            placed = CompleteLineOf(state, canvas, CellNought);
        if (!placed)
            placed = CompleteLineOf(state, canvas, CellCross);
    }
    // Reseeded on every turn, whether or not a draw follows.
    random.Randomize();
    if (state.moveCount < 9 && !placed)
        RandomChoice(state, canvas, random);
    ++state.moveCount;
}
