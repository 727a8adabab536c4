// Must not compile: the game library offers no Qt to what builds against it.
#include "game/GameState.h"

#include <QString>

QString ProbeText() { return QString::number(BoardCells); }
