#include "GameFlow.h"

#include "BoardDrawing.h"
#include "ComputerOpponent.h"
#include "DecimalText.h"
#include "OutcomeRules.h"

#include <limits>

namespace {

struct GameEnd {
    const std::u16string &outcome;
    Tally tally;
    int winnerMark;  // whose line is drawn; CellEmpty asks for the tie figure
    const char16_t *question;
    const char16_t *caption;
};

const GameEnd GameEnds[] = {
    {OutcomeWin, Tally::Wins, CellCross, u"Вы победили! Хотите заново играть?", u"Победа!"},
    {OutcomeLoss, Tally::Losses, CellNought, u"Вы проиграли? Хотите отыграться?", u"Поражение!"},
    {OutcomeTie, Tally::Ties, CellEmpty, u"Ничья! Заново играть?", u"Ничья!"},
};

void RaiseTally(GameWindow &window, Tally tally)
{
    // A caption that is not a count, or one that cannot grow, is left as it stands rather than
    // replaced by an invented number.
    const auto count = StrToInt(window.TallyCaption(tally));
    if (count && *count < std::numeric_limits<std::int32_t>::max())
        window.SetTallyCaption(tally, IntToStr(*count + 1));
    window.SetTallyTwinCaption(tally, window.TallyCaption(tally));
}

void FinishGame(GameContext &game, const GameEnd &end)
{
    RaiseTally(game.window, end.tally);
    const int line = end.winnerMark == CellEmpty ? int{WinLineNone} : FindWinLine(game.state, end.winnerMark);
    DrawResultLine(game.state, game.canvas, line);
    // The game goes on from the answer; the context holds only references to what the window owns.
    game.window.AskPlayAgain(end.question, end.caption, [game](Answer answer) mutable {
        if (answer == Answer::No)
            game.window.Close();
        NewGame(game);
    });
}

} // namespace

void BoardClick(GameContext &game, int x, int y)
{
    game.window.SetLevelGroupEnabled(false);
    const int column = x / CellSize;
    const int row = y / CellSize;
    if (column < 0 || column >= BoardSide || row < 0 || row >= BoardSide)
        return;
    const int index = CellIndex(column, row);
    if (game.state.cells[index] != CellEmpty)
        return;

    DrawCross(game.state, game.canvas, column * CellSize, row * CellSize);
    game.state.cells[index] = CellCross;
    ComputerMove(game.state, game.canvas, game.random);
    game.window.ShowBoardText();

    std::u16string outcome;
    EvaluateOutcome(game.state, outcome);
    game.state.outcome = outcome;

    // Separate tests, not a chain: each reads outcome as it stands after the one before. Neither the
    // question nor the next game changes it, so one of them at most finishes the game.
    for (const GameEnd &end : GameEnds)
        if (game.state.outcome == end.outcome)
            FinishGame(game, end);
}

void NewGame(GameContext &game)
{
    // Twice: the first frame is drawn with the pen the last drawing left.
    DrawGrid(game.canvas);
    DrawGrid(game.canvas);
    ResetBoard(game.state);
    game.window.ShowBoardText();
    game.window.SetLevelGroupEnabled(true);
}
