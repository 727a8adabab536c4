#pragma once

#include <functional>
#include <string>

enum class Tally { Wins, Ties, Losses };

enum class Answer { Yes, No };

// The window as the turn flow sees it.
class GameWindow {
public:
    virtual ~GameWindow() = default;

    // The level choice is locked from a game's first click on the board to the next new game.
    virtual void SetLevelGroupEnabled(bool enabled) = 0;
    virtual std::u16string TallyCaption(Tally tally) const = 0;
    virtual void SetTallyCaption(Tally tally, const std::u16string &caption) = 0;
    // The top-bar copy of a tally, written only from its label's caption.
    virtual void SetTallyTwinCaption(Tally tally, const std::u16string &caption) = 0;
    // Copies the cells into the text copy of the board.
    virtual void ShowBoardText() = 0;
    // Puts the question and returns at once; `answered` runs once Yes or No answers it, and nothing
    // else does. Until then the window takes no move and no new game.
    virtual void AskPlayAgain(const std::u16string &text, const std::u16string &caption,
                              std::function<void(Answer)> answered) = 0;
    // Asks the window to close; the program ends once control is back in the event loop.
    virtual void Close() = 0;
};
