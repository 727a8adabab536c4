#include "OutcomeRules.h"

namespace {

struct Line {
    int code;
    int cells[3];
};

// Test order: columns left to right, rows top to bottom, then the two diagonals.
constexpr Line LinesInTestOrder[] = {
    {WinLineLeftColumn, {0, 1, 2}},   {WinLineMiddleColumn, {3, 4, 5}},
    {WinLineRightColumn, {6, 7, 8}},  {WinLineTopRow, {0, 3, 6}},
    {WinLineMiddleRow, {1, 4, 7}},    {WinLineBottomRow, {2, 5, 8}},
    {WinLineFallingDiagonal, {0, 4, 8}}, {WinLineRisingDiagonal, {2, 4, 6}},
};

bool IsComplete(const GameState &state, const Line &line, int mark)
{
    for (int cell : line.cells)
        if (state.cells[cell] != mark)
            return false;
    return true;
}

} // namespace

int FindWinLine(const GameState &state, int mark)
{
    for (const Line &line : LinesInTestOrder)
        if (IsComplete(state, line, mark))
            return line.code;
    return WinLineNone;
}

void EvaluateOutcome(const GameState &state, std::u16string &text)
{
    if (FindWinLine(state, CellNought) != WinLineNone)
        text = OutcomeLoss;
    // The person's line wins even when the computer's reply completed one too.
    if (FindWinLine(state, CellCross) != WinLineNone)
        text = OutcomeWin;
    if (text != OutcomeLoss && text != OutcomeWin && state.moveCount > 8)
        text = OutcomeTie;
}
