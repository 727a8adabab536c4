// The game record and the outcome rules: who has won, the tie threshold, which line is drawn, and strict tally numbers.
#include "BoardSetup.h"
#include "game/DecimalText.h"
#include "game/GameState.h"
#include "game/OutcomeRules.h"

#include <QTest>

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace {


QString Outcome(const GameState &state)
{
    std::u16string text;
    EvaluateOutcome(state, text);
    return QString::fromStdU16String(text);
}

// The eight lines by code, and the order in which a line is looked for when several are complete.
const Cells LineCells[] = {{}, {0, 3, 6}, {1, 4, 7}, {2, 5, 8}, {0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {0, 4, 8}, {2, 4, 6}};
const int TestOrder[] = {4, 5, 6, 1, 2, 3, 7, 8};

} // namespace

Q_DECLARE_METATYPE(Cells)

class TestGameRules : public QObject {
    Q_OBJECT

private slots:
    void indexingIsColumnFirst();
    void resetEmptiesTheBoardOnly();
    void valueInitialisedRecordReadsAsNineNoughts();

    void outcome_data();
    void outcome();
    void everyLineIsFoundForBothMarks_data();
    void everyLineIsFoundForBothMarks();
    void twoCompleteLinesGiveTheFirstInTestOrder();
    void findWinLineWithoutALine();

    void strToIntAccepts_data();
    void strToIntAccepts();
    void strToIntRejects_data();
    void strToIntRejects();
    void intToStrRoundTrips();
};

void TestGameRules::indexingIsColumnFirst()
{
    QCOMPARE(CellIndex(1, 1), 4);
    QCOMPARE(CellIndex(0, 2), 2);  // bottom-left
    QCOMPARE(CellIndex(2, 0), 6);  // top-right
    QCOMPARE(CellIndex(2, 1), 7);
    for (int index = 0; index < BoardCells; ++index)
        QCOMPARE(CellIndex(ColumnOf(index), RowOf(index)), index);
}

void TestGameRules::resetEmptiesTheBoardOnly()
{
    GameState state = Board({0, 4, 8}, {2, 6}, 5);
    state.level = 3;
    state.outcome = u"yes";
    ResetBoard(state);
    for (int cell : state.cells)
        QCOMPARE(cell, int(CellEmpty));
    QCOMPARE(state.moveCount, 0);
    QCOMPARE(state.level, 3);
    QCOMPARE(QString::fromStdU16String(state.outcome), QStringLiteral("yes"));
}

void TestGameRules::valueInitialisedRecordReadsAsNineNoughts()
{
    const GameState state{};
    QCOMPARE(state.moveCount, 0);
    QCOMPARE(state.level, 0);
    QVERIFY(state.outcome.empty());
    QCOMPARE(Outcome(state), QStringLiteral("no"));
    QCOMPARE(FindWinLine(state, CellNought), int(WinLineLeftColumn));
    QCOMPARE(FindWinLine(state, CellCross), int(WinLineNone));
}

void TestGameRules::outcome_data()
{
    QTest::addColumn<Cells>("crosses");
    QTest::addColumn<Cells>("noughts");
    QTest::addColumn<int>("moveCount");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty board") << Cells{} << Cells{} << 0 << QString();
    QTest::newRow("game goes on") << Cells{0, 4} << Cells{8, 3} << 4 << QString();
    QTest::newRow("noughts 2,4,6") << Cells{0, 1, 5} << Cells{2, 4, 6} << 6 << QStringLiteral("no");
    QTest::newRow("crosses 0,3,6 beat noughts 2,5,8") << Cells{0, 3, 6} << Cells{2, 5, 8} << 6 << QStringLiteral("yes");
    QTest::newRow("crosses line, game not full") << Cells{1, 4, 7} << Cells{0, 8} << 6 << QStringLiteral("yes");
    // The tie threshold counts turns: it is passed only after the fifth cross.
    QTest::newRow("no line, moveCount 8") << Cells{0, 1, 5, 6} << Cells{2, 3, 4, 7} << 8 << QString();
    QTest::newRow("no line, moveCount 9") << Cells{0, 1, 5, 6, 8} << Cells{2, 3, 4, 7} << 9 << QStringLiteral("tie");
    QTest::newRow("full board, no line, moveCount 10") << Cells{0, 1, 5, 6, 8} << Cells{2, 3, 4, 7} << 10 << QStringLiteral("tie");
    // A tie needs no complete line: a line made with the last free cell decides the game.
    QTest::newRow("fifth cross completes a line") << Cells{0, 1, 2, 4, 6} << Cells{3, 5, 7, 8} << 10 << QStringLiteral("yes");
    QTest::newRow("full board, noughts line") << Cells{0, 1, 5, 7, 8} << Cells{2, 3, 4, 6} << 10 << QStringLiteral("no");
    QTest::newRow("both lines, full board") << Cells{0, 1, 2, 3, 5} << Cells{4, 6, 7, 8} << 10 << QStringLiteral("yes");
    QTest::newRow("noughts line, moveCount 0") << Cells{} << Cells{6, 7, 8} << 0 << QStringLiteral("no");
}

void TestGameRules::outcome()
{
    QFETCH(Cells, crosses);
    QFETCH(Cells, noughts);
    QFETCH(int, moveCount);
    QFETCH(QString, expected);
    QCOMPARE(Outcome(Board(crosses, noughts, moveCount)), expected);
}

void TestGameRules::everyLineIsFoundForBothMarks_data()
{
    QTest::addColumn<int>("code");
    for (int code = 1; code <= 8; ++code)
        QTest::addRow("line %d", code) << code;
}

void TestGameRules::everyLineIsFoundForBothMarks()
{
    QFETCH(int, code);
    const GameState crosses = Board(LineCells[code], {}, 3);
    QCOMPARE(FindWinLine(crosses, CellCross), code);
    QCOMPARE(FindWinLine(crosses, CellNought), int(WinLineNone));
    QCOMPARE(Outcome(crosses), QStringLiteral("yes"));

    const GameState noughts = Board({}, LineCells[code], 3);
    QCOMPARE(FindWinLine(noughts, CellNought), code);
    QCOMPARE(FindWinLine(noughts, CellCross), int(WinLineNone));
    QCOMPARE(Outcome(noughts), QStringLiteral("no"));

    // Two of three is not a line.
    for (int missing : LineCells[code]) {
        Cells two = LineCells[code];
        two.erase(std::find(two.begin(), two.end(), missing));
        QCOMPARE(FindWinLine(Board(two, {}, 3), CellCross), int(WinLineNone));
    }
}

void TestGameRules::twoCompleteLinesGiveTheFirstInTestOrder()
{
    // The two cases the drawing depends on most: a column before a row, and the falling diagonal first.
    QCOMPARE(FindWinLine(Board({0, 1, 2, 3, 6}, {}, 9), CellCross), int(WinLineLeftColumn));
    QCOMPARE(FindWinLine(Board({0, 2, 4, 6, 8}, {}, 9), CellCross), int(WinLineFallingDiagonal));

    // Every pair of lines completed together, for either mark.
    for (int first = 0; first < 8; ++first) {
        for (int second = first + 1; second < 8; ++second) {
            Cells cells = LineCells[TestOrder[first]];
            cells.insert(cells.end(), LineCells[TestOrder[second]].begin(), LineCells[TestOrder[second]].end());
            std::sort(cells.begin(), cells.end());
            cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
            // No two lines complete a third, so the earlier of the two is the answer.
            const int expected = TestOrder[first];
            QCOMPARE(FindWinLine(Board(cells, {}, 9), CellCross), expected);
            QCOMPARE(FindWinLine(Board({}, cells, 9), CellNought), expected);
        }
    }
}

void TestGameRules::findWinLineWithoutALine()
{
    const GameState tie = Board({0, 1, 5, 6, 8}, {2, 3, 4, 7}, 10);
    QCOMPARE(FindWinLine(tie, CellCross), int(WinLineNone));
    QCOMPARE(FindWinLine(tie, CellNought), int(WinLineNone));
    // A full row of empty cells is not a line for any mark.
    QCOMPARE(FindWinLine(Board({}, {}, 0), CellCross), int(WinLineNone));
    QCOMPARE(FindWinLine(Board({}, {}, 0), CellNought), int(WinLineNone));
}

void TestGameRules::strToIntAccepts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("plain") << QStringLiteral("42") << 42;
    QTest::newRow("plus sign") << QStringLiteral("+7") << 7;
    QTest::newRow("minus sign") << QStringLiteral("-15") << -15;
    QTest::newRow("minus zero") << QStringLiteral("-0") << 0;
    QTest::newRow("leading zeros") << QStringLiteral("0012") << 12;
    QTest::newRow("largest") << QStringLiteral("2147483647") << std::numeric_limits<int>::max();
    QTest::newRow("smallest") << QStringLiteral("-2147483648") << std::numeric_limits<int>::min();
    QTest::newRow("long leading zeros") << QStringLiteral("000000000000000000001") << 1;
}

void TestGameRules::strToIntAccepts()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    const std::optional<std::int32_t> read = StrToInt(text.toStdU16String());
    QVERIFY(read.has_value());
    QCOMPARE(*read, value);
}

void TestGameRules::strToIntRejects_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("leading space") << QStringLiteral(" 1");
    QTest::newRow("trailing space") << QStringLiteral("1 ");
    QTest::newRow("hexadecimal $") << QStringLiteral("$1F");
    QTest::newRow("hexadecimal 0x") << QStringLiteral("0x1F");
    QTest::newRow("trailing letter") << QStringLiteral("1a");
    QTest::newRow("sign only +") << QStringLiteral("+");
    QTest::newRow("sign only -") << QStringLiteral("-");
    QTest::newRow("two signs") << QStringLiteral("+-1");
    QTest::newRow("inner sign") << QStringLiteral("1-1");
    QTest::newRow("decimal point") << QStringLiteral("1.0");
    QTest::newRow("one above largest") << QStringLiteral("2147483648");
    QTest::newRow("one below smallest") << QStringLiteral("-2147483649");
    QTest::newRow("far too long") << QStringLiteral("99999999999999999999999");
    QTest::newRow("fullwidth digit") << QString(QChar(0xFF11));
    QTest::newRow("arabic-indic digit") << QString(QChar(0x0663));
    QTest::newRow("embedded nul") << QString::fromUtf16(u"1\0" "2", 3);
}

void TestGameRules::strToIntRejects()
{
    QFETCH(QString, text);
    QVERIFY(!StrToInt(text.toStdU16String()).has_value());
}

void TestGameRules::intToStrRoundTrips()
{
    QCOMPARE(QString::fromStdU16String(IntToStr(0)), QStringLiteral("0"));
    QCOMPARE(QString::fromStdU16String(IntToStr(17)), QStringLiteral("17"));
    QCOMPARE(QString::fromStdU16String(IntToStr(-5)), QStringLiteral("-5"));
    QCOMPARE(QString::fromStdU16String(IntToStr(std::numeric_limits<std::int32_t>::min())), QStringLiteral("-2147483648"));
    for (std::int32_t value : {0, 1, -1, 9, 10, 99, 100, 12345, -12345, std::numeric_limits<std::int32_t>::max(),
                               std::numeric_limits<std::int32_t>::min()}) {
        const std::optional<std::int32_t> back = StrToInt(IntToStr(value));
        QVERIFY(back.has_value());
        QCOMPARE(*back, value);
    }
}

QTEST_GUILESS_MAIN(TestGameRules)
#include "test_game_rules.moc"
