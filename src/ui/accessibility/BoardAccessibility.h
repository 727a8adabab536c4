#pragma once

#include "ui/BoardPicture.h"

#include <QString>

// What the board tells assistive technology as the game goes on. Each call does nothing until an
// assistive technology is listening.
namespace BoardAccessibility {

// "Компьютер: центр" after an exchange the computer answered; empty otherwise.
QString computerMoveText(const BoardPicture *board);

void focusEntered(BoardPicture *board);
void cursorMoved(BoardPicture *board);
// The marks changed from those given; the cell played before loses the computer's answer.
void marksChanged(BoardPicture *board, const BoardPicture::Marks &before, int playedBefore);

} // namespace BoardAccessibility
