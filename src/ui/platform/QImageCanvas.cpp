#include "QImageCanvas.h"

#include <QPainter>

#include <algorithm>

QImageCanvas::QImageCanvas(std::function<QImage &()> image, std::function<void()> onChanged, QRect area)
    : image_(std::move(image)), onChanged_(std::move(onChanged)), pen_(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin),
      area_(area)
{
}

QColor QImageCanvas::ColourOf(std::uint32_t colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

void QImageCanvas::SetPenColour(std::uint32_t colour)
{
    pen_.setColor(ColourOf(colour));
}

void QImageCanvas::SetPenWidth(int width)
{
    pen_.setWidth(width);
}

void QImageCanvas::Paint(const std::function<void(QPainter &)> &draw)
{
    QPainter painter(&image_());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(area_);
    painter.translate(0.5, 0.5);
    painter.setPen(pen_);
    painter.setBrush(Qt::white);
    draw(painter);
    painter.end();
    if (onChanged_)
        onChanged_();
}

void QImageCanvas::Rectangle(int left, int top, int right, int bottom)
{
    // Like the classic canvas, the right and bottom edges are exclusive. The outline lies inside
    // the rectangle whatever the pen's width, so a narrower frame drawn over a wide one covers it.
    Paint([&](QPainter &p) {
        QPen pen = pen_;
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        const qreal inset = (std::max(1, pen.width()) - 1) / 2.0;
        p.drawRect(QRectF(left + inset, top + inset, right - left - 1 - 2 * inset, bottom - top - 1 - 2 * inset));
    });
}

void QImageCanvas::MoveTo(int x, int y)
{
    position_ = QPoint(x, y);
}

void QImageCanvas::LineTo(int x, int y)
{
    const QPoint from = position_;
    position_ = QPoint(x, y);
    Paint([&](QPainter &p) { p.drawLine(from, position_); });
}

void QImageCanvas::Ellipse(int left, int top, int right, int bottom)
{
    Paint([&](QPainter &p) { p.drawEllipse(QRectF(left, top, right - left, bottom - top)); });
}

void QImageCanvas::Refresh()
{
}
