// The computer's turn: which stages each level uses, which cell wins a tie, the order of the draws, and that every turn ends.
#include "BoardGeometry.h"
#include "BoardSetup.h"
#include "RecordingCanvas.h"
#include "ScriptedRandom.h"
#include "SeededRandom.h"

#include "game/BoardDrawing.h"
#include "game/ComputerOpponent.h"
#include "game/GameState.h"
#include "game/OutcomeRules.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <random>
#include <utility>
#include <vector>

namespace {


// Cells that went from empty to a nought; fails the test if any other cell changed.
Cells NewNoughts(const GameState &before, const GameState &after)
{
    Cells placed;
    for (int i = 0; i < BoardCells; ++i) {
        if (before.cells[i] == after.cells[i])
            continue;
        if (before.cells[i] != CellEmpty || after.cells[i] != CellNought) {
            QTest::qFail(qPrintable(QStringLiteral("cell %1 changed from %2 to %3").arg(i).arg(before.cells[i]).arg(after.cells[i])),
                         __FILE__, __LINE__);
            return {-1};
        }
        placed.push_back(i);
    }
    return placed;
}

struct Turn {
    Cells placed;
    QStringList draws;
    GameState after;
    RecordingCanvas canvas;
};

// Runs one computer turn with scripted dice and checks what holds for every turn: moveCount + 1
// and at most one nought, each with its circle.
Turn Play(const GameState &before, std::vector<int> script)
{
    Turn turn;
    turn.after = before;
    ScriptedRandom random(std::move(script));
    try {
        ComputerMove(turn.after, turn.canvas, random);
    } catch (const ScriptedRandom::ScriptBroken &) {
        // Already reported as a failure; carry on to the next test rather than end the run.
        turn.draws = random.log;
        return turn;
    }
    turn.draws = random.log;
    turn.placed = NewNoughts(before, turn.after);
    if (turn.after.moveCount != before.moveCount + 1)
        QTest::qFail("moveCount did not rise by one", __FILE__, __LINE__);
    if (turn.placed.size() != turn.canvas.ellipses.size())
        QTest::qFail("a nought without its circle, or a circle without a nought", __FILE__, __LINE__);
    return turn;
}

int FreeCellCount(const GameState &state)
{
    return int(std::count(state.cells.begin(), state.cells.end(), int(CellEmpty)));
}

// Cells that would complete a line of two marks.
Cells CompletingCells(const GameState &state, int mark)
{
    Cells found;
    for (const auto &line : BoardLines) {
        int marks = 0, free = -1;
        for (int cell : line) {
            if (state.cells[cell] == mark)
                ++marks;
            else if (state.cells[cell] == CellEmpty)
                free = cell;
        }
        if (marks == 2 && free >= 0)
            found.push_back(free);
    }
    return found;
}

bool Contains(const Cells &cells, int cell) { return std::find(cells.begin(), cells.end(), cell) != cells.end(); }

} // namespace

Q_DECLARE_METATYPE(Cells)

class TestComputerOpponent : public QObject {
    Q_OBJECT

private slots:
    void placeNoughtWritesTheCellThenDrawsItsCircle_data();
    void placeNoughtWritesTheCellThenDrawsItsCircle();

    void levelZeroIgnoresWinAndBlock_data();
    void levelZeroIgnoresWinAndBlock();
    void levelOneHasNoOpeningRule();
    void openingAnswersCornerOrEdgeInTheCentre_data();
    void openingAnswersCornerOrEdgeInTheCentre();
    void openingAnswersCentreOnTheDrawnCorner_data();
    void openingAnswersCentreOnTheDrawnCorner();

    void cornerReplyTakesAFreeCorner_data();
    void cornerReplyTakesAFreeCorner();
    void cornerReplyNeedsTheOppositeCornerAndLevelThree_data();
    void cornerReplyNeedsTheOppositeCornerAndLevelThree();

    void winAndBlock_data();
    void winAndBlock();

    void randomChoiceDrawsRowThenColumnUntilFree();
    void fifthTurnPlacesNothing_data();
    void fifthTurnPlacesNothing();
    void brokenRecordsDoNotHang_data();
    void brokenRecordsDoNotHang();

    void randomGamesKeepTheTurnContract();
    void levelZeroFirstReplyIsEvenlySpread();
    void cornerReplyIsEvenlySpread();
};

void TestComputerOpponent::placeNoughtWritesTheCellThenDrawsItsCircle_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("ellipse");
    QTest::newRow("index 0") << 0 << 0 << QStringLiteral("Ellipse 5 5 95 95");
    QTest::newRow("index 2, bottom-left") << 0 << 2 << QStringLiteral("Ellipse 5 205 95 295");
    QTest::newRow("index 4, centre") << 1 << 1 << QStringLiteral("Ellipse 105 105 195 195");
    QTest::newRow("index 6, top-right") << 2 << 0 << QStringLiteral("Ellipse 205 5 295 95");
    QTest::newRow("index 7, centre (250,150)") << 2 << 1 << QStringLiteral("Ellipse 205 105 295 195");
}

void TestComputerOpponent::placeNoughtWritesTheCellThenDrawsItsCircle()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, ellipse);
    GameState state = Board({}, {}, 3, 2);
    RecordingCanvas canvas;
    int cellWhenDrawn = -1;
    canvas.onCall = [&](const QString &call) {
        if (call.startsWith(QStringLiteral("Ellipse")))
            cellWhenDrawn = state.cells[CellIndex(column, row)];
    };
    PlaceNought(state, canvas, column, row);
    QCOMPARE(canvas.calls, QStringList({QStringLiteral("width 1"), QStringLiteral("colour 0xFF0000"), ellipse}));
    QCOMPARE(cellWhenDrawn, int(CellNought));
    QCOMPARE(FreeCellCount(state), 8);
    QCOMPARE(state.moveCount, 3);
}

void TestComputerOpponent::levelZeroIgnoresWinAndBlock_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("level 0") << 0;
    QTest::newRow("level below 0") << -1;
}

void TestComputerOpponent::levelZeroIgnoresWinAndBlock()
{
    QFETCH(int, level);
    // Noughts could win at 6 and crosses threaten 7; the draws name 8 (taken) and then 5.
    const GameState before = Board({1, 4, 8}, {0, 3}, 5, level);
    const Turn turn = Play(before, {2, 2, 2, 1});
    QCOMPARE(turn.placed, Cells{5});
    QCOMPARE(turn.draws, QStringList({"Randomize", "Random(3)=2", "Random(3)=2", "Random(3)=2", "Random(3)=1"}));

    // The first turn is random too: no answer in the centre.
    const Turn first = Play(Board({0}, {}, 1, level), {0, 2});
    QCOMPARE(first.placed, Cells{6});
    QCOMPARE(first.draws, QStringList({"Randomize", "Random(3)=0", "Random(3)=2"}));
}

void TestComputerOpponent::levelOneHasNoOpeningRule()
{
    const Turn turn = Play(Board({0}, {}, 1, 1), {1, 0});
    QCOMPARE(turn.placed, Cells{1});
    QCOMPARE(turn.draws, QStringList({"Randomize", "Random(3)=1", "Random(3)=0"}));

    const Turn centre = Play(Board({4}, {}, 1, 1), {2, 2});
    QCOMPARE(centre.placed, Cells{8});
    QCOMPARE(centre.draws, QStringList({"Randomize", "Random(3)=2", "Random(3)=2"}));
}

void TestComputerOpponent::openingAnswersCornerOrEdgeInTheCentre_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("cross");
    for (int level : {2, 3})
        for (int cross : {0, 1, 2, 3, 5, 6, 7, 8})
            QTest::addRow("level %d, cross %d", level, cross) << level << cross;
}

void TestComputerOpponent::openingAnswersCornerOrEdgeInTheCentre()
{
    QFETCH(int, level);
    QFETCH(int, cross);
    const Turn turn = Play(Board({cross}, {}, 1, level), {});
    QCOMPARE(turn.placed, Cells{4});
    QCOMPARE(turn.draws, QStringList({"Randomize"}));
    QCOMPARE(turn.after.moveCount, 2);
}

void TestComputerOpponent::openingAnswersCentreOnTheDrawnCorner_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("draw");
    QTest::addColumn<int>("corner");
    for (int level : {2, 3}) {
        QTest::addRow("level %d, 0 -> top-left", level) << level << 0 << 0;
        QTest::addRow("level %d, 1 -> top-right", level) << level << 1 << 6;
        QTest::addRow("level %d, 2 -> bottom-left", level) << level << 2 << 2;
        QTest::addRow("level %d, 3 -> bottom-right", level) << level << 3 << 8;
    }
}

void TestComputerOpponent::openingAnswersCentreOnTheDrawnCorner()
{
    QFETCH(int, level);
    QFETCH(int, draw);
    QFETCH(int, corner);
    const Turn turn = Play(Board({4}, {}, 1, level), {draw});
    QCOMPARE(turn.placed, Cells{corner});
    QCOMPARE(turn.draws, QStringList({"Randomize", QStringLiteral("Random(4)=%1").arg(draw), "Randomize"}));
}

void TestComputerOpponent::cornerReplyTakesAFreeCorner_data()
{
    QTest::addColumn<int>("crossCorner");
    QTest::addColumn<int>("noughtCorner");
    QTest::addColumn<int>("taken");
    for (auto [cross, nought] : std::initializer_list<std::pair<int, int>>{{8, 0}, {0, 8}, {2, 6}, {6, 2}}) {
        for (int free : {0, 2, 6, 8}) {
            if (free == cross || free == nought)
                continue;
            QTest::addRow("cross 4+%d, nought %d -> %d", cross, nought, free)
                << cross << nought << free;
        }
    }
}

void TestComputerOpponent::cornerReplyTakesAFreeCorner()
{
    QFETCH(int, crossCorner);
    QFETCH(int, noughtCorner);
    QFETCH(int, taken);
    // The draw that names each corner. Both taken corners come up before the free one.
    const int drawOf[9] = {0, -1, 2, -1, -1, -1, 1, -1, 3};
    const Turn turn = Play(Board({4, crossCorner}, {noughtCorner}, 3, 3),
                           {drawOf[noughtCorner], drawOf[crossCorner], drawOf[noughtCorner], drawOf[taken]});
    QCOMPARE(turn.placed, Cells{taken});
    // One reseed before the first draw, none between draws, then the turn's closing reseed.
    QCOMPARE(turn.draws,
             QStringList({"Randomize", QStringLiteral("Random(4)=%1").arg(drawOf[noughtCorner]),
                          QStringLiteral("Random(4)=%1").arg(drawOf[crossCorner]),
                          QStringLiteral("Random(4)=%1").arg(drawOf[noughtCorner]),
                          QStringLiteral("Random(4)=%1").arg(drawOf[taken]), "Randomize"}));
}

void TestComputerOpponent::cornerReplyNeedsTheOppositeCornerAndLevelThree_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<Cells>("crosses");
    QTest::addColumn<Cells>("noughts");
    QTest::addColumn<QList<int>>("script");
    QTest::addColumn<Cells>("expected");
    // With an edge cross beside the centre the opposite edge is threatened: block, no corner draw.
    QTest::newRow("edge cross, level 3") << 3 << Cells{4, 3} << Cells{0} << QList<int>{} << Cells{5};
    QTest::newRow("edge cross 7, level 3") << 3 << Cells{4, 7} << Cells{6} << QList<int>{} << Cells{1};
    // A corner cross whose opposite corner is free is threatened there: block.
    QTest::newRow("adjacent nought, level 3") << 3 << Cells{4, 8} << Cells{2} << QList<int>{} << Cells{0};
    // Level 2 answers the corner-reply position by the random choice, which may take an edge.
    QTest::newRow("level 2, random edge") << 2 << Cells{4, 8} << Cells{0} << QList<int>{1, 0} << Cells{1};
    QTest::newRow("level 2, taken then edge") << 2 << Cells{4, 8} << Cells{0} << QList<int>{0, 0, 2, 1} << Cells{5};
}

void TestComputerOpponent::cornerReplyNeedsTheOppositeCornerAndLevelThree()
{
    QFETCH(int, level);
    QFETCH(Cells, crosses);
    QFETCH(Cells, noughts);
    QFETCH(QList<int>, script);
    QFETCH(Cells, expected);
    const GameState before = Board(crosses, noughts, 3, level);
    const Turn turn = Play(before, std::vector<int>(script.begin(), script.end()));
    QCOMPARE(turn.placed, expected);
    QCOMPARE(turn.draws.size(), script.size() + 1);
    for (const QString &draw : turn.draws)
        QVERIFY2(!draw.startsWith(QStringLiteral("Random(4)")), qPrintable(draw));
}

void TestComputerOpponent::winAndBlock_data()
{
    QTest::addColumn<Cells>("crosses");
    QTest::addColumn<Cells>("noughts");
    QTest::addColumn<int>("moveCount");
    QTest::addColumn<Cells>("expected");
    QTest::newRow("win before block") << Cells{1, 4, 8} << Cells{0, 3} << 5 << Cells{6};
    QTest::newRow("block") << Cells{0, 3} << Cells{4} << 3 << Cells{6};
    // Noughts could complete at 1 (scan 6) or 8 (scan 7).
    QTest::newRow("first winning cell in scan order") << Cells{2, 3, 5, 6} << Cells{0, 4, 7} << 7 << Cells{1};
    // Crosses threaten 6 (scan 1), 0 (scan 3) and 5 (scan 8): only 6 is filled.
    QTest::newRow("first blocking cell in scan order") << Cells{2, 4, 8} << Cells{1, 3} << 5 << Cells{6};
    // The win at 6 ends the turn: the threat at 7 is left unblocked.
    QTest::newRow("winning placement ends the turn") << Cells{1, 2, 4, 5} << Cells{0, 3, 8} << 7 << Cells{6};
    // The person's last cross completed a line; the computer still replies, and may win too.
    QTest::newRow("reply after the person's line") << Cells{0, 1, 2} << Cells{3, 4} << 5 << Cells{5};
}

void TestComputerOpponent::winAndBlock()
{
    QFETCH(Cells, crosses);
    QFETCH(Cells, noughts);
    QFETCH(int, moveCount);
    QFETCH(Cells, expected);
    for (int level : {1, 2, 3}) {
        const Turn turn = Play(Board(crosses, noughts, moveCount, level), {});
        QCOMPARE(turn.placed, expected);
        QCOMPARE(turn.draws, QStringList({"Randomize"}));
        QCOMPARE(turn.canvas.ellipses.size(), std::size_t(1));
    }
}

void TestComputerOpponent::randomChoiceDrawsRowThenColumnUntilFree()
{
    // Free cells 3 and 7 only. Row 0 column 0 is cell 0 (taken); row 1 column 2 is cell 7. Had the
    // column been drawn first, (1, 2) would have named cell 5, which is taken.
    const GameState before = Board({0, 2, 4, 8}, {1, 5, 6}, 7, 1);
    QCOMPARE(CompletingCells(before, CellNought), Cells{});
    QCOMPARE(CompletingCells(before, CellCross), Cells{});
    const Turn turn = Play(before, {0, 0, 1, 2});
    QCOMPARE(turn.placed, Cells{7});
    QCOMPARE(turn.draws, QStringList({"Randomize", "Random(3)=0", "Random(3)=0", "Random(3)=1", "Random(3)=2"}));
    QCOMPARE(turn.canvas.calls.last(), QStringLiteral("Ellipse 205 105 295 195"));
}

void TestComputerOpponent::fifthTurnPlacesNothing_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<Cells>("crosses");
    QTest::addColumn<Cells>("noughts");
    for (int level : {0, 1, 2, 3}) {
        QTest::addRow("tie, level %d", level) << level << Cells{0, 1, 5, 6, 8} << Cells{2, 3, 4, 7};
        QTest::addRow("last cross wins, level %d", level) << level << Cells{0, 1, 2, 4, 6} << Cells{3, 5, 7, 8};
    }
}

void TestComputerOpponent::fifthTurnPlacesNothing()
{
    QFETCH(int, level);
    QFETCH(Cells, crosses);
    QFETCH(Cells, noughts);
    const Turn turn = Play(Board(crosses, noughts, 9, level), {});
    QCOMPARE(turn.placed, Cells{});
    QCOMPARE(turn.after.moveCount, 10);
    QCOMPARE(turn.draws, QStringList({"Randomize"}));
    QVERIFY(turn.canvas.calls.isEmpty());
}

void TestComputerOpponent::brokenRecordsDoNotHang_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<Cells>("crosses");
    QTest::addColumn<Cells>("noughts");
    QTest::addColumn<int>("moveCount");
    QTest::addColumn<Cells>("expected");
    // A full board with moveCount below 9: the random choice has nothing to draw for.
    for (int level : {0, 1, 2, 3})
        for (int moveCount : {3, 5, 7})
            QTest::addRow("full board, level %d, moveCount %d", level, moveCount)
                << level << Cells{0, 1, 5, 6, 8} << Cells{2, 3, 4, 7} << moveCount << Cells{};
    // moveCount 9 alone stops the random choice, whatever the board holds.
    QTest::newRow("moveCount 9, a free cell, level 0") << 0 << Cells{0, 1, 5, 6} << Cells{2, 3, 4, 7} << 9 << Cells{};
    // The corner-reply position with every corner taken: no corner draw; the win at 3 decides.
    QTest::newRow("corner reply, no free corner") << 3 << Cells{4, 8, 2} << Cells{0, 6} << 3 << Cells{3};
}

void TestComputerOpponent::brokenRecordsDoNotHang()
{
    QFETCH(int, level);
    QFETCH(Cells, crosses);
    QFETCH(Cells, noughts);
    QFETCH(int, moveCount);
    QFETCH(Cells, expected);
    // An empty script: any draw fails the test at once rather than looping.
    const Turn turn = Play(Board(crosses, noughts, moveCount, level), {});
    QCOMPARE(turn.placed, expected);
    QCOMPARE(turn.draws, QStringList({"Randomize"}));
}

void TestComputerOpponent::randomGamesKeepTheTurnContract()
{
    // The person plays random free cells; the computer draws from fair dice of its own.
    std::mt19937 person(20240607);
    SeededRandom dice(7);
    RecordingCanvas canvas;
    for (int level = 0; level <= 3; ++level) {
        for (int game = 0; game < 2000; ++game) {
            GameState state;
            ResetBoard(state);
            state.level = level;
            for (int exchange = 1; exchange <= 5; ++exchange) {
                Cells free;
                for (int i = 0; i < BoardCells; ++i)
                    if (state.cells[i] == CellEmpty)
                        free.push_back(i);
                QCOMPARE(int(free.size()), 11 - 2 * exchange);
                const int cross = free[std::uniform_int_distribution<std::size_t>(0, free.size() - 1)(person)];
                DrawCross(state, canvas, ColumnOf(cross) * CellSize, RowOf(cross) * CellSize);
                state.cells[cross] = CellCross;

                const GameState before = state;
                const Cells wins = CompletingCells(before, CellNought);
                const Cells threats = CompletingCells(before, CellCross);
                canvas.ClearRecord();
                ComputerMove(state, canvas, dice);
                const Cells placed = NewNoughts(before, state);
                QCOMPARE(state.moveCount, 2 * exchange);
                QCOMPARE(int(placed.size()), exchange < 5 ? 1 : 0);
                QCOMPARE(canvas.ellipses.size(), placed.size());
                if (placed.empty())
                    continue;
                const int nought = placed.front();
                if (level >= 2 && exchange == 1)
                    QVERIFY(cross == 4 ? Contains({0, 2, 6, 8}, nought) : nought == 4);
                const bool cornerReply = before.cells[4] == CellCross
                    && ((before.cells[0] == CellCross && before.cells[8] == CellNought)
                        || (before.cells[8] == CellCross && before.cells[0] == CellNought)
                        || (before.cells[2] == CellCross && before.cells[6] == CellNought)
                        || (before.cells[6] == CellCross && before.cells[2] == CellNought));
                if (level == 3 && exchange == 2 && cornerReply)
                    QVERIFY(Contains({0, 2, 6, 8}, nought));
                if (level >= 1 && !wins.empty())
                    QVERIFY2(Contains(wins, nought), "a line of noughts was there to complete");
                else if (level >= 1 && !threats.empty())
                    QVERIFY2(Contains(threats, nought), "a line of crosses was there to block");
            }
        }
    }
}

void TestComputerOpponent::levelZeroFirstReplyIsEvenlySpread()
{
    enum { Samples = 16000, FirstCross = 4 };
    SeededRandom dice(11);
    RecordingCanvas canvas;
    std::array<int, BoardCells> counts{};
    for (int sample = 0; sample < Samples; ++sample) {
        GameState state = Board({FirstCross}, {}, 1, 0);
        ComputerMove(state, canvas, dice);
        for (int i = 0; i < BoardCells; ++i)
            if (state.cells[i] == CellNought)
                ++counts[i];
    }
    QCOMPARE(counts[FirstCross], 0);
    // Loose bounds: they hold for any fair dice, not only for this seed.
    const double expected = double(Samples) / 8;
    for (int i = 0; i < BoardCells; ++i) {
        if (i == FirstCross)
            continue;
        QVERIFY2(counts[i] > 0.5 * expected && counts[i] < 1.5 * expected,
                 qPrintable(QStringLiteral("cell %1 taken %2 times of %3").arg(i).arg(counts[i]).arg(Samples)));
    }
}

void TestComputerOpponent::cornerReplyIsEvenlySpread()
{
    enum { Samples = 4000 };
    SeededRandom dice(13);
    RecordingCanvas canvas;
    std::array<int, BoardCells> counts{};
    for (int sample = 0; sample < Samples; ++sample) {
        GameState state = Board({4, 8}, {0}, 3, 3);
        ComputerMove(state, canvas, dice);
        for (int i : {1, 2, 3, 5, 6, 7})
            if (state.cells[i] == CellNought)
                ++counts[i];
    }
    QCOMPARE(counts[1] + counts[3] + counts[5] + counts[7], 0);
    QCOMPARE(counts[2] + counts[6], int(Samples));
    QVERIFY2(counts[2] > Samples / 4 && counts[6] > Samples / 4,
             qPrintable(QStringLiteral("corner 2: %1, corner 6: %2").arg(counts[2]).arg(counts[6])));
}

QTEST_GUILESS_MAIN(TestComputerOpponent)
#include "test_computer_opponent.moc"
