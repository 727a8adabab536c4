#pragma once

#include "game/Canvas.h"

#include <QPoint>
#include <QRect>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

// A canvas that writes down every call as text ("colour 0xFF00FF", "width 7", "MoveTo 25 50",
// "LineTo 275 50", "Rectangle 0 0 300 300", "Ellipse 205 5 295 95", "Refresh") and keeps the pen
// and current position as a real canvas would, so each drawing is also kept with the pen it used.
class RecordingCanvas : public Canvas {
public:
    struct Stroke {
        QPoint from, to;
        std::uint32_t colour;
        int width;
    };
    struct Box {
        int left, top, right, bottom;
        std::uint32_t colour;
        int width;
    };

    static QString ColourCall(std::uint32_t colour)
    {
        return QStringLiteral("colour 0x") + QString::number(colour, 16).rightJustified(6, u'0').toUpper();
    }

    void SetPenColour(std::uint32_t colour) override
    {
        penColour = colour;
        Record(ColourCall(colour));
    }

    void SetPenWidth(int width) override
    {
        penWidth = width;
        Record(QStringLiteral("width %1").arg(width));
    }

    void Rectangle(int left, int top, int right, int bottom) override
    {
        rectangles.push_back({left, top, right, bottom, penColour, penWidth});
        Record(QStringLiteral("Rectangle %1 %2 %3 %4").arg(left).arg(top).arg(right).arg(bottom));
    }

    void MoveTo(int x, int y) override
    {
        position = QPoint(x, y);
        Record(QStringLiteral("MoveTo %1 %2").arg(x).arg(y));
    }

    void LineTo(int x, int y) override
    {
        strokes.push_back({position, QPoint(x, y), penColour, penWidth});
        position = QPoint(x, y);
        Record(QStringLiteral("LineTo %1 %2").arg(x).arg(y));
    }

    void Ellipse(int left, int top, int right, int bottom) override
    {
        ellipses.push_back({left, top, right, bottom, penColour, penWidth});
        Record(QStringLiteral("Ellipse %1 %2 %3 %4").arg(left).arg(top).arg(right).arg(bottom));
    }

    void Refresh() override { Record(QStringLiteral("Refresh")); }

    // Forgets what was drawn; the pen and position stay, as they do on a real canvas.
    void ClearRecord()
    {
        calls.clear();
        strokes.clear();
        rectangles.clear();
        ellipses.clear();
    }

    QStringList calls;
    std::vector<Stroke> strokes;
    std::vector<Box> rectangles;
    std::vector<Box> ellipses;
    // A fresh canvas's pen: black, one pixel.
    std::uint32_t penColour = ColourBlack;
    int penWidth = 1;
    QPoint position;
    // Called after each call is recorded, e.g. to look at the game record at that moment.
    std::function<void(const QString &)> onCall;

private:
    void Record(const QString &call)
    {
        calls << call;
        if (onCall)
            onCall(call);
    }
};
