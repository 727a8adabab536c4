#pragma once

#include <cstdint>

// Colours as 0x00BBGGRR.
enum : std::uint32_t {
    ColourBlack = 0x000000,
    ColourRed = 0x0000FF,
    ColourBlue = 0xFF0000,
    ColourMagenta = 0xFF00FF,
};

// A drawing surface that keeps its pen and current position between calls. The brush is a
// solid white fill and never changes, which is what lets Rectangle clear the board.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void SetPenColour(std::uint32_t colour) = 0;
    virtual void SetPenWidth(int width) = 0;
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // Refreshes the drawing tools; the picture stays as it is.
    virtual void Refresh() = 0;
};
