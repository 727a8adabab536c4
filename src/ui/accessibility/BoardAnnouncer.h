#pragma once

#include "ui/BoardPicture.h"

#include <QObject>
#include <QPointer>

class AccessibleBoard;

// Tells a screen reader what happens on the board as it happens: the cell the cursor lands on, the
// player's cross with the computer's answer, a taken cell, the new board. It listens to the board,
// which knows nothing of it, and stays quiet while no assistive technology is listening.
class BoardAnnouncer : public QObject {
    Q_OBJECT

public:
    explicit BoardAnnouncer(BoardPicture *board);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tellFocusedCellSoon();
    // Whether it was told: only while the board has the keyboard.
    bool tellFocusedCell();
    void cellPlayed(int cell);
    void marksChanged(const BoardPicture::Marks &before);
    AccessibleBoard *accessibleBoard() const;
    void tell(const QString &text);
    void tellBeforeQuestion(const QString &text);

    QPointer<BoardPicture> board_;
    bool focusPending_ = false;
};
