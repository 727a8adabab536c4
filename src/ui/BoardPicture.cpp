#include "BoardPicture.h"

#include "game/GameState.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

BoardPicture::BoardPicture(QWidget *parent)
    : QWidget(parent),
      canvas_(
          [this]() -> QImage & {
              MatchImageToWidget();
              return image_;
          },
          [this] { update(); }, QRect(0, 0, BoardSide * CellSize, BoardSide * CellSize))
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::StrongFocus);
    marks_.fill(CellEmpty);
}

void BoardPicture::MatchImageToWidget()
{
    // The image is made at the screen's pixel ratio so lines stay sharp on a dense screen; it
    // keeps its drawing if it has to be remade.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (!image_.isNull() && image_.size() == pixels)
        return;
    QImage fresh(pixels, QImage::Format_ARGB32_Premultiplied);
    fresh.setDevicePixelRatio(ratio);
    fresh.fill(Qt::transparent);
    if (!image_.isNull()) {
        QPainter painter(&fresh);
        painter.drawImage(QPointF(0, 0), image_);
    }
    image_ = fresh;
}

void BoardPicture::resizeEvent(QResizeEvent *)
{
    MatchImageToWidget();
}

void BoardPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), image_);
    if (cursor_.keyboardInUse() && hasFocus())
        cursor_.paint(painter);
}

void BoardPicture::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
    ShowKeyboardUse(false);
}

void BoardPicture::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release of the left button, both on the picture.
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (!click)
        return;
    const QPoint position = event->position().toPoint();
    if (position.x() < BoardSide * CellSize && position.y() < BoardSide * CellSize) {
        const int cell = CellIndex(position.x() / CellSize, position.y() / CellSize);
        MoveCursor(cell);
        emit cellPlayed(cell);
    }
    emit clicked(position);
}

void BoardPicture::playCell(int cell)
{
    MoveCursor(cell);
    emit cellPlayed(cell);
    emit clicked(BoardCursor::cellRect(cell).topLeft() + QPoint(CellSize / 2, CellSize / 2));
}

void BoardPicture::focusCell(int cell)
{
    setFocus(Qt::OtherFocusReason);
    ShowKeyboardUse(true);
    MoveCursor(cell);
}

void BoardPicture::keyPressEvent(QKeyEvent *event)
{
    const bool play = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (const auto cell = cursor_.cellAfter(*event)) {
        ShowKeyboardUse(true);
        MoveCursor(*cell);
    } else if (const auto digitCell = BoardCursor::cellOfDigit(*event)) {
        ShowKeyboardUse(true);
        playCell(*digitCell);
    } else if (play && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        ShowKeyboardUse(true);
        playCell(cursor_.cell());
    } else {
        QWidget::keyPressEvent(event);
    }
}

void BoardPicture::focusInEvent(QFocusEvent *event)
{
    // Like a browser's focus-visible: a Tab into the board shows the cursor, the focus it gets at
    // start or from a click does not.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        ShowKeyboardUse(true);
    update();
}

void BoardPicture::focusOutEvent(QFocusEvent *)
{
    update();
}

void BoardPicture::ShowKeyboardUse(bool inUse)
{
    if (cursor_.keyboardInUse() == inUse)
        return;
    cursor_.setKeyboardInUse(inUse);
    update();
}

void BoardPicture::MoveCursor(int cell)
{
    if (cursor_.cell() == cell)
        return;
    cursor_.setCell(cell);
    update();
    emit cursorMoved(cell);
}

void BoardPicture::showMarks(const Marks &marks)
{
    const Marks before = marks_;
    marks_ = marks;
    if (before != marks)
        emit marksChanged(before);
}
