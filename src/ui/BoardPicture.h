#pragma once

#include "BoardCursor.h"
#include "game/GameState.h"
#include "platform/QImageCanvas.h"

#include <QImage>
#include <QWidget>

#include <array>

// The board picture: keeps everything drawn on it in an image and reports clicks at their own
// position on the picture. The keyboard plays it too, through a cursor cell, as clicks on cells.
class BoardPicture : public QWidget {
    Q_OBJECT

public:
    using Marks = std::array<std::int32_t, BoardCells>;

    explicit BoardPicture(QWidget *parent = nullptr);

    Canvas &canvas() { return canvas_; }
    const QImage &image() const { return image_; }

    const BoardCursor &cursor() const { return cursor_; }
    // Plays a cell exactly as a click on its centre does, and puts the cursor there.
    void playCell(int cell);
    // Puts the keyboard on the board with the cursor on a cell, as assistive technology asks.
    void focusCell(int cell);

    // The marks the picture now shows, told after every exchange and new game; the picture itself
    // is drawn through the canvas alone.
    void showMarks(const Marks &marks);
    const Marks &marks() const { return marks_; }

signals:
    void clicked(QPoint position);
    // A click or key asked to play this cell; the game may still refuse it. Sent before clicked().
    void cellPlayed(int cell);
    void cursorMoved(int cell);
    void marksChanged(const BoardPicture::Marks &before);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void MatchImageToWidget();
    void MoveCursor(int cell);
    void ShowKeyboardUse(bool inUse);

    QImage image_;
    QImageCanvas canvas_;
    bool pressed_ = false;
    BoardCursor cursor_;
    Marks marks_;
};
