#pragma once

#include "game/GameState.h"

#include <QRect>

#include <optional>

class QKeyEvent;
class QPainter;

// The keyboard's cell on the board: it starts at the centre, the arrows move it and stop at the
// edges, and it shows only while the keyboard is in use on the board.
class BoardCursor {
public:
    enum { StartCell = 4 };

    int cell() const { return cell_; }
    void setCell(int cell) { cell_ = cell; }

    bool keyboardInUse() const { return keyboardInUse_; }
    void setKeyboardInUse(bool inUse) { keyboardInUse_ = inUse; }

    // The cell an arrow key leads to; the cursor's own cell at an edge, nothing for another key.
    std::optional<int> cellAfter(const QKeyEvent &event) const;
    // The cell a digit 1..9 plays, laid out as on the numeric keypad: 7 8 9 are the top row.
    static std::optional<int> cellOfDigit(const QKeyEvent &event);

    static QRect cellRect(int cell);
    // Drawn over the board picture, so it reads on white, on a red cross and on a blue nought.
    void paint(QPainter &painter) const;

private:
    int cell_ = StartCell;
    bool keyboardInUse_ = false;
};
