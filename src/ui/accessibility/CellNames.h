#pragma once

#include <QString>

// Russian words for a place on the board and what it holds, as a screen reader says them.
QString CellPlaceName(int cell);
QString MarkName(int mark);
// "верх, слева: крестик", "центр: пусто".
QString CellName(int cell, int mark);
