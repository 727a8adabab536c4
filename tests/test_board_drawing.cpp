// The board drawing: the exact canvas calls of each routine, the pen each leaves behind, and what they paint on the picture.
#include "BoardSetup.h"
#include "RecordingCanvas.h"

#include "game/BoardDrawing.h"
#include "game/ComputerOpponent.h"
#include "game/GameState.h"
#include "game/OutcomeRules.h"
#include "ui/BoardPicture.h"

#include <QTest>

#include <cstdlib>
#include <functional>
#include <vector>

namespace {


const QStringList GridLines = {
    "MoveTo 0 100", "LineTo 300 100", "MoveTo 0 200", "LineTo 300 200",
    "MoveTo 100 0", "LineTo 100 300", "MoveTo 200 0", "LineTo 200 300",
};

QStringList GridCalls()
{
    return QStringList({"Rectangle 0 0 300 300", "Refresh", "colour 0x000000", "width 3"}) + GridLines;
}

const QStringList ResultPen = {"colour 0xFF00FF", "width 7"};

// Colour matches, loosely enough for antialiased edges but not to mistake one pen for another.
bool Near(QColor actual, QColor wanted)
{
    const int tolerance = 60;
    return actual.alpha() == 255 && std::abs(actual.red() - wanted.red()) <= tolerance
        && std::abs(actual.green() - wanted.green()) <= tolerance && std::abs(actual.blue() - wanted.blue()) <= tolerance;
}

// Hue tests for antialiased one-pixel outlines, which are never the pure colour.
bool IsMagentaish(QColor c) { return c.alpha() > 0 && c.red() > 128 && c.blue() > 128 && c.green() < 128; }
bool IsBluish(QColor c) { return c.alpha() == 255 && c.blue() > 200 && c.red() < 128 && c.green() < 128; }

} // namespace

Q_DECLARE_METATYPE(Cells)

class TestBoardDrawing : public QObject {
    Q_OBJECT

private slots:
    void gridFrameTakesTheCurrentPen();
    void crossStrokesAndCount();
    void circle();
    void resultLines_data();
    void resultLines();
    void tieFigure_data();
    void tieFigure();
    void otherCodesOnlySetThePen_data();
    void otherCodesOnlySetThePen();
    void penPersistsBetweenRoutines();

    void picture_startUpGrid();
    void picture_crossAndNought();
    void picture_resultLineThenNewGame();
    void picture_newGameRestoresTheStartPicture();
};

void TestBoardDrawing::gridFrameTakesTheCurrentPen()
{
    RecordingCanvas canvas;
    canvas.SetPenColour(ColourMagenta);
    canvas.SetPenWidth(7);
    canvas.ClearRecord();

    DrawGrid(canvas);
    DrawGrid(canvas);
    QCOMPARE(canvas.calls, GridCalls() + GridCalls());
    // The first frame keeps the leftover pen; the second is black, width 3, like the grid.
    QCOMPARE(canvas.rectangles.size(), std::size_t(2));
    QCOMPARE(canvas.rectangles[0].colour, std::uint32_t(ColourMagenta));
    QCOMPARE(canvas.rectangles[0].width, 7);
    QCOMPARE(canvas.rectangles[1].colour, std::uint32_t(ColourBlack));
    QCOMPARE(canvas.rectangles[1].width, 3);
    for (const auto &stroke : canvas.strokes) {
        QCOMPARE(stroke.colour, std::uint32_t(ColourBlack));
        QCOMPARE(stroke.width, 3);
    }
}

void TestBoardDrawing::crossStrokesAndCount()
{
    RecordingCanvas canvas;
    GameState state = Board({}, {});
    state.moveCount = 4;
    const QStringList cross = {"colour 0x0000FF", "width 5", "MoveTo 205 105", "LineTo 295 195", "MoveTo 205 195", "LineTo 295 105"};

    DrawCross(state, canvas, 200, 100);
    QCOMPARE(canvas.calls, cross);
    QCOMPARE(state.moveCount, 5);
    // The routine neither looks at nor writes the cell; a second call counts again.
    DrawCross(state, canvas, 200, 100);
    QCOMPARE(canvas.calls, cross + cross);
    QCOMPARE(state.moveCount, 6);
    for (int cell : state.cells)
        QCOMPARE(cell, int(CellEmpty));

    canvas.ClearRecord();
    DrawCross(state, canvas, 0, 0);
    QCOMPARE(canvas.calls, QStringList({"colour 0x0000FF", "width 5", "MoveTo 5 5", "LineTo 95 95", "MoveTo 5 95", "LineTo 95 5"}));
}

void TestBoardDrawing::circle()
{
    RecordingCanvas canvas;
    DrawCircle(250, 50, 45, canvas, ColourBlue);
    QCOMPARE(canvas.calls, QStringList({"width 1", "colour 0xFF0000", "Ellipse 205 5 295 95"}));
    canvas.ClearRecord();
    DrawCircle(10, 20, 3, canvas, 0x123456);
    QCOMPARE(canvas.calls, QStringList({"width 1", "colour 0x123456", "Ellipse 7 17 13 23"}));
}

void TestBoardDrawing::resultLines_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("line");
    QTest::newRow("1 top row") << 1 << QStringList({"MoveTo 25 50", "LineTo 275 50"});
    QTest::newRow("2 middle row") << 2 << QStringList({"MoveTo 25 150", "LineTo 275 150"});
    QTest::newRow("3 bottom row") << 3 << QStringList({"MoveTo 25 250", "LineTo 275 250"});
    QTest::newRow("4 left column") << 4 << QStringList({"MoveTo 50 25", "LineTo 50 275"});
    QTest::newRow("5 middle column") << 5 << QStringList({"MoveTo 150 25", "LineTo 150 275"});
    QTest::newRow("6 right column") << 6 << QStringList({"MoveTo 250 25", "LineTo 250 275"});
    QTest::newRow("7 falling diagonal") << 7 << QStringList({"MoveTo 25 25", "LineTo 275 275"});
    QTest::newRow("8 rising diagonal") << 8 << QStringList({"MoveTo 25 275", "LineTo 275 25"});
}

void TestBoardDrawing::resultLines()
{
    QFETCH(int, code);
    QFETCH(QStringList, line);
    RecordingCanvas canvas;
    // The line is drawn from the code alone, whatever the cells hold.
    DrawResultLine(Board({}, {0, 4, 8}), canvas, code);
    QCOMPARE(canvas.calls, ResultPen + line);
}

void TestBoardDrawing::tieFigure_data()
{
    QTest::addColumn<Cells>("crosses");
    QTest::addColumn<Cells>("noughts");
    QTest::addColumn<QStringList>("figure");
    // Index order runs down the columns: 2 comes before 3.
    QTest::newRow("tied board") << Cells{0, 1, 5, 6, 8} << Cells{2, 3, 4, 7}
                                << QStringList({"MoveTo 50 250", "LineTo 150 50", "LineTo 150 150", "LineTo 250 150"});
    QTest::newRow("another tie") << Cells{1, 2, 3, 7, 8} << Cells{0, 4, 5, 6}
                                 << QStringList({"MoveTo 50 50", "LineTo 150 150", "LineTo 150 250", "LineTo 250 50"});
    QTest::newRow("single nought") << Cells{0} << Cells{7} << QStringList({"MoveTo 250 150"});
    QTest::newRow("no nought") << Cells{0, 4} << Cells{} << QStringList();
}

void TestBoardDrawing::tieFigure()
{
    QFETCH(Cells, crosses);
    QFETCH(Cells, noughts);
    QFETCH(QStringList, figure);
    RecordingCanvas canvas;
    DrawResultLine(Board(crosses, noughts), canvas, WinLineNone);
    QCOMPARE(canvas.calls, ResultPen + figure);
    // One connected broken line: every segment starts where the last one ended.
    for (std::size_t i = 1; i < canvas.strokes.size(); ++i)
        QCOMPARE(canvas.strokes[i].from, canvas.strokes[i - 1].to);
}

void TestBoardDrawing::otherCodesOnlySetThePen_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("0") << 0;
    QTest::newRow("10") << 10;
    QTest::newRow("-1") << -1;
}

void TestBoardDrawing::otherCodesOnlySetThePen()
{
    QFETCH(int, code);
    RecordingCanvas canvas;
    DrawResultLine(Board({0, 1, 5, 6, 8}, {2, 3, 4, 7}), canvas, code);
    QCOMPARE(canvas.calls, ResultPen);
    QCOMPARE(canvas.penColour, std::uint32_t(ColourMagenta));
    QCOMPARE(canvas.penWidth, 7);
}

void TestBoardDrawing::penPersistsBetweenRoutines()
{
    RecordingCanvas canvas;
    GameState state = Board({}, {});
    DrawGrid(canvas);
    QCOMPARE(canvas.penColour, std::uint32_t(ColourBlack));
    QCOMPARE(canvas.penWidth, 3);
    DrawResultLine(state, canvas, 2);
    QCOMPARE(canvas.penColour, std::uint32_t(ColourMagenta));
    QCOMPARE(canvas.penWidth, 7);
    DrawCircle(150, 150, 45, canvas, ColourBlue);
    QCOMPARE(canvas.penColour, std::uint32_t(ColourBlue));
    QCOMPARE(canvas.penWidth, 1);
    DrawCross(state, canvas, 0, 0);
    QCOMPARE(canvas.penColour, std::uint32_t(ColourRed));
    QCOMPARE(canvas.penWidth, 5);
    // The next grid's frame is drawn with the cross's pen.
    canvas.ClearRecord();
    DrawGrid(canvas);
    QCOMPARE(canvas.rectangles.front().colour, std::uint32_t(ColourRed));
    QCOMPARE(canvas.rectangles.front().width, 5);
}

// The picture as the window has it: 303 x 306, the board in its top-left corner.
class PictureFixture {
public:
    PictureFixture() { picture.resize(303, 306); }
    QColor At(int x, int y) const { return picture.image().pixelColor(x, y); }
    BoardPicture picture;
};

#define REQUIRE_PLAIN_PIXELS(fixture)                                                                   \
    if ((fixture).picture.image().devicePixelRatio() != 1.0)                                            \
        QSKIP("pixel positions are checked at a device pixel ratio of 1");                             \
    QCOMPARE((fixture).picture.image().size(), QSize(303, 306))

void TestBoardDrawing::picture_startUpGrid()
{
    PictureFixture board;
    DrawGrid(board.picture.canvas());
    DrawGrid(board.picture.canvas());
    REQUIRE_PLAIN_PIXELS(board);

    // Frame, on all four sides.
    for (QPoint p : {QPoint(0, 150), QPoint(2, 50), QPoint(150, 0), QPoint(250, 2), QPoint(299, 150), QPoint(297, 50),
                     QPoint(150, 299), QPoint(50, 297)})
        QVERIFY2(Near(board.At(p.x(), p.y()), Qt::black), qPrintable(QStringLiteral("frame at %1,%2").arg(p.x()).arg(p.y())));
    // Grid lines.
    for (QPoint p : {QPoint(50, 100), QPoint(250, 100), QPoint(150, 200), QPoint(100, 50), QPoint(100, 250), QPoint(200, 150)})
        QVERIFY2(Near(board.At(p.x(), p.y()), Qt::black), qPrintable(QStringLiteral("grid at %1,%2").arg(p.x()).arg(p.y())));
    // Cell insides.
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            QCOMPARE(board.At(100 * c + 50, 100 * r + 50), QColor(Qt::white));
    // Nothing is painted beyond the board, not even the round ends of the grid lines.
    const QImage &image = board.picture.image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (x >= 300 || y >= 300)
                QVERIFY2(qAlpha(image.pixel(x, y)) == 0, qPrintable(QStringLiteral("painted at %1,%2").arg(x).arg(y)));
}

void TestBoardDrawing::picture_crossAndNought()
{
    PictureFixture board;
    Canvas &canvas = board.picture.canvas();
    GameState state = Board({}, {});
    DrawGrid(canvas);
    DrawGrid(canvas);
    REQUIRE_PLAIN_PIXELS(board);

    DrawCross(state, canvas, 100, 100);
    QVERIFY(Near(board.At(150, 150), Qt::red));
    QVERIFY(Near(board.At(110, 110), Qt::red));
    QCOMPARE(board.At(150, 120), QColor(Qt::white));

    PlaceNought(state, canvas, 2, 0);
    QCOMPARE(board.At(250, 50), QColor(Qt::white));
    QCOMPARE(board.At(250, 25), QColor(Qt::white));
    for (QPoint rim : {QPoint(205, 50), QPoint(295, 50), QPoint(250, 5), QPoint(250, 95)})
        QVERIFY2(IsBluish(board.At(rim.x(), rim.y())), qPrintable(QStringLiteral("rim at %1,%2").arg(rim.x()).arg(rim.y())));
    // Outside the circle the cell stays white; the grid is untouched.
    QCOMPARE(board.At(210, 10), QColor(Qt::white));
    QVERIFY(Near(board.At(200, 50), Qt::black));
    QVERIFY(Near(board.At(250, 100), Qt::black));
}

void TestBoardDrawing::picture_resultLineThenNewGame()
{
    PictureFixture board;
    Canvas &canvas = board.picture.canvas();
    GameState state = Board({0, 4, 8}, {3, 6});
    DrawGrid(canvas);
    DrawGrid(canvas);
    REQUIRE_PLAIN_PIXELS(board);

    DrawResultLine(state, canvas, WinLineFallingDiagonal);
    QVERIFY(IsMagentaish(board.At(150, 150)));
    QVERIFY(IsMagentaish(board.At(60, 60)));

    // The first grid after a game draws its frame with the result line's wide magenta pen ...
    DrawGrid(canvas);
    QVERIFY(IsMagentaish(board.At(3, 150)));
    QCOMPARE(board.At(150, 150), QColor(Qt::white));
    // ... and the second puts back a black frame and grid with nothing magenta left on the board.
    DrawGrid(canvas);
    const QImage &image = board.picture.image();
    for (int y = 0; y <= 300; ++y)
        for (int x = 0; x <= 300; ++x)
            QVERIFY2(!IsMagentaish(image.pixelColor(x, y)), qPrintable(QStringLiteral("magenta at %1,%2").arg(x).arg(y)));
    for (QPoint p : {QPoint(0, 150), QPoint(1, 150), QPoint(150, 0), QPoint(299, 150), QPoint(297, 150), QPoint(150, 297),
                     QPoint(50, 100), QPoint(200, 250)})
        QVERIFY2(Near(board.At(p.x(), p.y()), Qt::black), qPrintable(QStringLiteral("black at %1,%2").arg(p.x()).arg(p.y())));
    QCOMPARE(board.At(3, 150), QColor(Qt::white));
}

void TestBoardDrawing::picture_newGameRestoresTheStartPicture()
{
    PictureFixture start;
    DrawGrid(start.picture.canvas());
    DrawGrid(start.picture.canvas());
    // Whatever pen the game left - the result line's, a cross's or a nought's - the two grids of a
    // new game give back the start picture, pixel for pixel, beside the board too.
    PictureFixture board;
    Canvas &canvas = board.picture.canvas();
    GameState state = Board({0, 4, 8}, {3, 6});
    DrawGrid(canvas);
    DrawGrid(canvas);
    const std::function<void()> lastDrawings[] = {
        [&] { DrawResultLine(state, canvas, WinLineFallingDiagonal); },  // magenta, 7 px
        [&] { DrawCross(state, canvas, 0, 0); },                          // red, 5 px
        [&] { PlaceNought(state, canvas, 0, 2); },                        // blue, 1 px
    };
    for (const auto &last : lastDrawings) {
        DrawCross(state, canvas, 200, 200);
        PlaceNought(state, canvas, 2, 0);
        DrawResultLine(state, canvas, WinLineRisingDiagonal);
        last();
        DrawGrid(canvas);
        DrawGrid(canvas);
        QCOMPARE(board.picture.image(), start.picture.image());
    }
}

QTEST_MAIN(TestBoardDrawing)
#include "test_board_drawing.moc"
