#pragma once

#include "game/Canvas.h"

#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>

#include <functional>

// The canvas on a QImage: integer coordinates address pixel centres, as the drawing routines'
// coordinates assume, so odd-width lines stay sharp. The image is asked for at each operation, so
// its owner may remake it; every operation tells onChanged, so what is drawn shows without anyone
// asking for a repaint. Painting stays inside area: the round ends of lines drawn to its edge
// would otherwise stick out past it and darken with every redrawing.
class QImageCanvas : public Canvas {
public:
    QImageCanvas(std::function<QImage &()> image, std::function<void()> onChanged, QRect area);

    void SetPenColour(std::uint32_t colour) override;
    void SetPenWidth(int width) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Refresh() override;

    static QColor ColourOf(std::uint32_t colour);

private:
    void Paint(const std::function<void(class QPainter &)> &draw);

    std::function<QImage &()> image_;
    std::function<void()> onChanged_;
    QPen pen_;
    QPoint position_;
    QRect area_;
};
