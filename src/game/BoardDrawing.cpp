#include "BoardDrawing.h"

#include "OutcomeRules.h"

namespace {

enum { BoardSize = 300, GridPenWidth = 3, CrossPenWidth = 5, ResultPenWidth = 7 };

struct Segment {
    int x1, y1, x2, y2;
};

// Indexed by WinLine code - 1; each stops 25 px short of the board's edges.
constexpr Segment ResultLines[] = {
    {25, 50, 275, 50},   {25, 150, 275, 150}, {25, 250, 275, 250},
    {50, 25, 50, 275},   {150, 25, 150, 275}, {250, 25, 250, 275},
    {25, 25, 275, 275},  {25, 275, 275, 25},
};

int CellCentre(int columnOrRow) { return columnOrRow * CellSize + CellSize / 2; }

} // namespace

void DrawGrid(Canvas &canvas)
{
    // The frame takes whatever pen is current; callers draw the grid twice to get a black frame.
    canvas.Rectangle(0, 0, BoardSize, BoardSize);
    canvas.Refresh();
    canvas.SetPenColour(ColourBlack);
    canvas.SetPenWidth(GridPenWidth);
    canvas.MoveTo(0, 100);
    canvas.LineTo(BoardSize, 100);
    canvas.MoveTo(0, 200);
    canvas.LineTo(BoardSize, 200);
    canvas.MoveTo(100, 0);
    canvas.LineTo(100, BoardSize);
    canvas.MoveTo(200, 0);
    canvas.LineTo(200, BoardSize);
}

void DrawCross(GameState &state, Canvas &canvas, int left, int top)
{
    canvas.SetPenColour(ColourRed);
    canvas.SetPenWidth(CrossPenWidth);
    canvas.MoveTo(left + 5, top + 5);
    canvas.LineTo(left + 95, top + 95);
    canvas.MoveTo(left + 5, top + 95);
    canvas.LineTo(left + 95, top + 5);
    ++state.moveCount;
}

void DrawCircle(int x, int y, int radius, Canvas &canvas, std::uint32_t colour)
{
    canvas.SetPenWidth(1);
    canvas.SetPenColour(colour);
    canvas.Ellipse(x - radius, y - radius, x + radius, y + radius);
}

void DrawResultLine(const GameState &state, Canvas &canvas, int code)
{
    canvas.SetPenColour(ColourMagenta);
    canvas.SetPenWidth(ResultPenWidth);
    if (code >= WinLineTopRow && code <= WinLineRisingDiagonal) {
        const Segment &line = ResultLines[code - 1];
        canvas.MoveTo(line.x1, line.y1);
        canvas.LineTo(line.x2, line.y2);
    } else if (code == WinLineNone) {
        bool first = true;
        for (int index = 0; index < BoardCells; ++index) {
            if (state.cells[index] != CellNought)
                continue;
            const int x = CellCentre(ColumnOf(index));
            const int y = CellCentre(RowOf(index));
            if (first)
                canvas.MoveTo(x, y);
            else
                canvas.LineTo(x, y);
            first = false;
        }
    }
}
