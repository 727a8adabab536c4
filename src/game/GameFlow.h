#pragma once

#include "Canvas.h"
#include "GameState.h"
#include "GameWindow.h"
#include "RandomSource.h"

// What the turn flow works on; the window owns all of it.
struct GameContext {
    GameState &state;
    Canvas &canvas;
    RandomSource &random;
    GameWindow &window;
};

// One click at (x, y) on the board picture: the person's cross, the computer's reply and, when the
// game is over, the tally, the result line, the play-again question and the next game.
void BoardClick(GameContext &game, int x, int y);

// Clears the board for a new game and unlocks the level; outcome, level and tallies stay.
void NewGame(GameContext &game);
