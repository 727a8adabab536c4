#pragma once

#include "GameState.h"

#include <string>

inline const std::u16string OutcomeWin = u"yes";   // the person completed a line of crosses
inline const std::u16string OutcomeLoss = u"no";   // the computer completed a line of noughts
inline const std::u16string OutcomeTie = u"tie";   // no line and the board is full

// Codes of the eight lines; WinLineNone also asks the drawing for the tie figure.
enum WinLine : int {
    WinLineTopRow = 1, WinLineMiddleRow = 2, WinLineBottomRow = 3,
    WinLineLeftColumn = 4, WinLineMiddleColumn = 5, WinLineRightColumn = 6,
    WinLineFallingDiagonal = 7, WinLineRisingDiagonal = 8,
    WinLineNone = 9
};

// Writes "no", "yes" or "tie" into text (handed in empty) when the game is over.
void EvaluateOutcome(const GameState &state, std::u16string &text);

// The first line, in test order (columns, rows, diagonals), whose cells all hold mark; WinLineNone if none.
int FindWinLine(const GameState &state, int mark);
