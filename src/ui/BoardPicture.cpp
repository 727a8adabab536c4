#include "BoardPicture.h"

#include "game/GameState.h"

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
}

void BoardPicture::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void BoardPicture::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release of the left button, both on the picture.
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked(event->position().toPoint());
}
