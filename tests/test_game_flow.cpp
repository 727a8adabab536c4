// A click on the board plays one whole exchange; each finished game is drawn, counted once, asked about modally and cleared.
#include "InBrowser.h"
#include "BoardGeometry.h"
#include "QuietSizeHints.h"
#include "QuestionAnswerer.h"
#include "ShownQuestion.h"
#include "game/GameState.h"
#include "ui/TForm1.h"

#include <QRadioButton>
#include <QtTest>

#include <functional>
#include <optional>

namespace {

enum class Aim { Win, Loss, Tie };

// Tallies in the order wins, ties, losses; the top-bar twins follow in the same order.
enum { Wins, Ties, Losses };

const QString Captions[] = {QStringLiteral("Победа!"), QStringLiteral("Ничья!"), QStringLiteral("Поражение!")};
const QString Questions[] = {QStringLiteral("Вы победили! Хотите заново играть?"), QStringLiteral("Ничья! Заново играть?"),
                             QStringLiteral("Вы проиграли? Хотите отыграться?")};

int KindOf(const std::u16string &outcome)
{
    if (outcome == u"yes")
        return Wins;
    if (outcome == u"tie")
        return Ties;
    if (outcome == u"no")
        return Losses;
    return -1;
}

// Whether a mark in this free cell would complete a line of that mark.
bool Completes(const GameState &state, int cell, int mark)
{
    for (const auto &line : BoardLines) {
        int others = 0;
        bool through = false;
        for (int member : line) {
            if (member == cell)
                through = true;
            else if (state.cells[member] == mark)
                ++others;
        }
        if (through && others == 2)
            return true;
    }
    return false;
}

// The person's next cell for the result the test is after: take a winning cell, or avoid both
// winning and blocking, or block without winning.
int ChooseCell(const GameState &state, Aim aim)
{
    static constexpr int winOrder[] = {4, 0, 2, 6, 8, 1, 3, 5, 7};
    static constexpr int plainOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    const int *order = aim == Aim::Win ? winOrder : plainOrder;
    auto pick = [&](const std::function<bool(int)> &wanted) {
        for (int i = 0; i < BoardCells; ++i)
            if (state.cells[order[i]] == CellEmpty && wanted(order[i]))
                return order[i];
        return -1;
    };
    auto wins = [&](int cell) { return Completes(state, cell, CellCross); };
    auto blocks = [&](int cell) { return Completes(state, cell, CellNought); };
    int cell = -1;
    switch (aim) {
    case Aim::Win:
        cell = pick(wins);
        if (cell < 0)
            cell = pick(blocks);
        break;
    case Aim::Loss:
        cell = pick([&](int c) { return !wins(c) && !blocks(c); });
        break;
    case Aim::Tie:
        cell = pick([&](int c) { return blocks(c) && !wins(c); });
        break;
    }
    if (cell < 0)
        cell = pick([&](int c) { return !wins(c); });
    if (cell < 0)
        cell = pick([](int) { return true; });
    return cell;
}

// A point inside the cell, alternating between its first and last pixel row and column so that
// both sides of every grid line are clicked. (QTest reads the point 0,0 as "the centre", so that
// corner is reached at 1,0.)
QPoint PointIn(int cell, int variant)
{
    const QPoint point(ColumnOf(cell) * 100 + (variant % 2 ? 0 : 99), RowOf(cell) * 100 + (variant / 2 % 2 ? 99 : 0));
    return point.isNull() ? QPoint(1, 0) : point;
}

// A click, then a turn of the event loop, where the answerer finds a question the click put up.
void ClickBoard(TForm1 &form, QPoint point)
{
    QTest::mouseClick(form.Image1, Qt::LeftButton, {}, point);
    QCoreApplication::processEvents();
}

// A click as a person's arrives: at the window, which passes it to the control under it.
void ClickThroughWindow(TForm1 &form, QWidget *target, QPoint point)
{
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, target->mapTo(&form, point));
    QCoreApplication::processEvents();
}

QStringList Tallies(const TForm1 &form)
{
    return {form.winXw->text(), form.winTw->text(), form.winOw->text(), form.winXw1->text(), form.winTw1->text(),
            form.winOw1->text()};
}

QStringList BoardText(const TForm1 &form)
{
    return {form.a00->text(), form.a01->text(), form.a02->text(), form.a10->text(), form.a11->text(),
            form.a12->text(), form.a20->text(), form.a21->text(), form.a22->text()};
}

// Pixels of the 300 x 300 grid area that match.
int ColouredPixels(const QImage &image, const std::function<bool(QRgb)> &match)
{
    int count = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            if (match(image.pixel(x, y)))
                ++count;
    return count;
}

bool Magenta(QRgb pixel) { return qRed(pixel) >= 200 && qBlue(pixel) >= 200 && qGreen(pixel) <= 100; }

// Neither white, black nor the grey of an antialiased black edge.
bool Coloured(QRgb pixel)
{
    return qAbs(qRed(pixel) - qGreen(pixel)) > 16 || qAbs(qGreen(pixel) - qBlue(pixel)) > 16;
}

void ChooseLevel(TForm1 &form, int level)
{
    QRadioButton *const buttons[] = {form.RadioButton1, form.RadioButton2, form.RadioButton3, form.RadioButton4};
    QTest::mouseClick(buttons[level], Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(form.state().level, level);
}

// Plays one game by clicks chosen for the aim; true when it ended with a question.
bool PlayGame(TForm1 &form, const QuestionAnswerer &answerer, Aim aim, int variant = 0)
{
    const qsizetype asked = answerer.count();
    for (int click = 0; click < 5 && answerer.count() == asked; ++click)
        ClickBoard(form, PointIn(ChooseCell(form.state(), aim), variant + click));
    return answerer.count() > asked;
}

// What the window showed while the question was open.
struct AtQuestion {
    GameState state;
    QStringList tallies;
    int magenta = 0;
    bool levelGroupEnabled = true;
};

AtQuestion Snapshot(TForm1 &form)
{
    return {form.state(), Tallies(form), ColouredPixels(form.Image1->image(), Magenta), form.GroupBox2->isEnabled()};
}

void VerifyFreshBoard(TForm1 &form)
{
    for (std::int32_t cell : form.state().cells)
        QCOMPARE(cell, std::int32_t(CellEmpty));
    QCOMPARE(form.state().moveCount, 0);
    QCOMPARE(BoardText(form), QStringList(9, QStringLiteral(" ")));
    QVERIFY(form.GroupBox2->isEnabled());
    QCOMPARE(ColouredPixels(form.Image1->image(), Coloured), 0);
    // Nothing of the last game is left anywhere on the picture: it is the start picture again.
    static const QImage startPicture = TForm1().Image1->image();
    QCOMPARE(form.Image1->image(), startPicture);
}

} // namespace

Q_DECLARE_METATYPE(Aim)

class TestGameFlow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void boardTextFollowsTheCells();
    void eachOutcomeCountedDrawnAndAsked_data();
    void eachOutcomeCountedDrawnAndAsked();
    void answerNoClearsTheBoardAndCloses();
    void outcomeSurvivesNewGame();
    void ignoredClicks_data();
    void ignoredClicks();
    void levelLockedFromFirstClickUntilNewGame();
    void questionTakesNoOtherInput();

private:
    std::optional<QuietSizeHints> quiet_;
};

void TestGameFlow::initTestCase()
{
    // The answer No closes the window; the test run goes on.
    QApplication::setQuitOnLastWindowClosed(false);
    quiet_.emplace();  // installed over the test library's own handler, for the whole run
}

void TestGameFlow::boardTextFollowsTheCells()
{
    TForm1 form;
    QuestionAnswerer answerer;
    ChooseLevel(form, 2);
    // Column 2, row 0 is cell 6, the top of the right-hand column; the computer opens in the centre.
    ClickBoard(form, QPoint(250, 50));
    QCOMPARE(form.state().cells[6], std::int32_t(CellCross));
    QCOMPARE(form.state().cells[4], std::int32_t(CellNought));
    QCOMPARE(form.a20->text(), QStringLiteral("x"));
    QCOMPARE(form.a11->text(), QStringLiteral("o"));
    QCOMPARE(form.state().moveCount, 2);
    QStringList expected;
    for (std::int32_t cell : form.state().cells)
        expected << (cell == CellCross ? "x" : cell == CellNought ? "o" : " ");
    QCOMPARE(BoardText(form), expected);
    QCOMPARE(answerer.count(), 0);
}

void TestGameFlow::eachOutcomeCountedDrawnAndAsked_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<Aim>("aim");
    QTest::addColumn<int>("kind");
    QTest::newRow("wins") << 0 << Aim::Win << int(Wins);
    QTest::newRow("losses") << 2 << Aim::Loss << int(Losses);
    QTest::newRow("ties") << 2 << Aim::Tie << int(Ties);
}

void TestGameFlow::eachOutcomeCountedDrawnAndAsked()
{
    SKIP_IF_SHOWN_WINDOW_IN_BROWSER();
    QFETCH(int, level);
    QFETCH(Aim, aim);
    QFETCH(int, kind);

    TForm1 form;
    QuestionAnswerer answerer;
    AtQuestion seen;
    QStringList buttonsSeen;
    answerer.setProbe([&](QMessageBox &box) {
        seen = Snapshot(form);
        // Two Russian buttons, Yes the default, no icon; the captions underline their letter key.
        buttonsSeen.clear();
        for (QAbstractButton *button : box.buttons())
            buttonsSeen << button->text().remove(QLatin1Char('&'));
        buttonsSeen.sort();
        if (box.defaultButton() != box.button(QMessageBox::Yes) || box.icon() != QMessageBox::NoIcon)
            buttonsSeen << QStringLiteral("wrong default or icon");
    });
    ChooseLevel(form, level);

    // The computer's random draws decide some games; play until the wanted result came three times,
    // checking every game that ends on the way.
    int counts[3] = {};
    for (int game = 0; game < 60 && counts[kind] < 3; ++game) {
        const QStringList before = Tallies(form);
        QVERIFY2(PlayGame(form, answerer, aim, game), "five crosses always end a game");
        const int ended = KindOf(seen.state.outcome);
        QVERIFY(ended >= 0);
        ++counts[ended];
        QCOMPARE(answerer.questions().last().caption, Captions[ended]);
        QCOMPARE(answerer.questions().last().text, Questions[ended]);
        QCOMPARE(buttonsSeen, QStringList({"Да", "Нет"}));

        // The tally and its twin were raised, and the result drawn, before the question showed.
        QStringList expected = before;
        expected[ended] = expected[ended + 3] = QString::number(counts[ended]);
        QCOMPARE(seen.tallies, expected);
        QVERIFY2(seen.magenta > 100, qPrintable(QString::number(seen.magenta)));
        QVERIFY(!seen.levelGroupEnabled);
        if (ended == Ties)
            QCOMPARE(seen.state.moveCount, 10);

        // Yes: the next game starts on a clean board, and the result is still on record.
        QCOMPARE(Tallies(form), expected);
        VerifyFreshBoard(form);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(form.state().outcome, seen.state.outcome);
        QCOMPARE(form.state().level, level);
    }
    QCOMPARE(counts[kind], 3);
    QCOMPARE(answerer.count(), counts[0] + counts[1] + counts[2]);
}

void TestGameFlow::answerNoClearsTheBoardAndCloses()
{
    SKIP_IF_SHOWN_WINDOW_IN_BROWSER();
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ChooseLevel(form, 2);
    // No loop runs inside the click that ends the game: it returns with the question open and the
    // finished game on the board, and the answer carries the game on.
    for (int click = 0; click < 5 && !form.asking(); ++click)
        QTest::mouseClick(form.Image1, Qt::LeftButton, {}, PointIn(ChooseCell(form.state(), Aim::Loss), click));
    const QPointer<PlayAgainQuestion> question = ShownQuestion();
    QVERIFY(question && form.asking() && form.state().moveCount > 0);
    QCOMPARE(question->windowTitle(), Captions[Losses]);
    question->button(QMessageBox::No)->click();
    QVERIFY(!form.asking());
    QVERIFY(!form.isVisible());
    VerifyFreshBoard(form);
    QCOMPARE(Tallies(form), QStringList({"0", "0", "1", "0", "0", "1"}));
    QTRY_VERIFY(!question);  // deleted once answered
}

void TestGameFlow::outcomeSurvivesNewGame()
{
    SKIP_IF_SHOWN_WINDOW_IN_BROWSER();
    TForm1 form;
    QuestionAnswerer answerer;
    ChooseLevel(form, 2);
    QVERIFY(PlayGame(form, answerer, Aim::Loss));
    QCOMPARE(form.state().outcome, std::u16string(u"no"));

    // A new game asked for in mid-game clears the board; the tallies and the last result stay.
    ClickBoard(form, CellCentre(0));
    QCOMPARE(form.state().moveCount, 2);
    QCOMPARE(form.state().outcome, std::u16string());
    const QStringList tallies = Tallies(form);
    QTest::mouseClick(form.reload, Qt::LeftButton);
    VerifyFreshBoard(form);
    QCOMPARE(Tallies(form), tallies);

    QVERIFY(PlayGame(form, answerer, Aim::Loss));
    QTest::mouseClick(form.reload, Qt::LeftButton);
    QCOMPARE(form.state().outcome, std::u16string(u"no"));
    // The next accepted click that does not end the game replaces it with an empty result.
    ClickBoard(form, CellCentre(0));
    QCOMPARE(form.state().outcome, std::u16string());
    QCOMPARE(answerer.count(), 2);
}

void TestGameFlow::ignoredClicks_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("midGame");
    // The picture is 303 x 306: strips right of and below the grid map to column or row 3.
    QTest::newRow("right strip, first pixel") << QPoint(300, 50) << false;
    QTest::newRow("right strip, last pixel") << QPoint(302, 250) << false;
    QTest::newRow("bottom strip, first pixel") << QPoint(50, 300) << false;
    QTest::newRow("bottom strip, last pixel") << QPoint(299, 305) << false;
    QTest::newRow("both strips") << QPoint(302, 305) << false;
    QTest::newRow("right strip mid-game") << QPoint(301, 150) << true;
    // Mid-game the first exchange holds a cross in cell 0 and the computer's nought in the centre.
    QTest::newRow("own cross") << QPoint(99, 99) << true;
    QTest::newRow("computer's nought") << QPoint(100, 100) << true;
}

void TestGameFlow::ignoredClicks()
{
    QFETCH(QPoint, point);
    QFETCH(bool, midGame);

    TForm1 form;
    QuestionAnswerer answerer;
    ChooseLevel(form, 2);
    if (midGame) {
        ClickBoard(form, QPoint(1, 0));
        QCOMPARE(form.state().cells[0], std::int32_t(CellCross));
        QCOMPARE(form.state().cells[4], std::int32_t(CellNought));
        // Unlocked again only to see the ignored click lock it.
        form.GroupBox2->setEnabled(true);
    }
    const GameState before = form.state();
    const QImage picture = form.Image1->image();
    const QStringList tallies = Tallies(form);
    const QStringList text = BoardText(form);
    QVERIFY(form.GroupBox2->isEnabled());

    ClickBoard(form, point);
    QVERIFY(!form.GroupBox2->isEnabled());
    QVERIFY(form.state().cells == before.cells);
    QCOMPARE(form.state().moveCount, before.moveCount);
    QCOMPARE(form.state().outcome, before.outcome);
    QCOMPARE(form.state().level, before.level);
    QCOMPARE(form.Image1->image(), picture);
    QCOMPARE(Tallies(form), tallies);
    QCOMPARE(BoardText(form), text);
    QCOMPARE(answerer.count(), 0);
}

void TestGameFlow::levelLockedFromFirstClickUntilNewGame()
{
    TForm1 form;
    QuestionAnswerer answerer;
    QVERIFY(form.GroupBox2->isEnabled());
    ClickBoard(form, CellCentre(8));
    QVERIFY(!form.GroupBox2->isEnabled());

    // A locked choice takes no click: the level and its name stay.
    QTest::mouseClick(form.RadioButton4, Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(!form.RadioButton4->isChecked());
    QCOMPARE(form.state().level, 2);
    QCOMPARE(form.diff->text(), QString());

    QTest::mouseClick(form.reload, Qt::LeftButton);
    QVERIFY(form.GroupBox2->isEnabled());
    ChooseLevel(form, 3);
    QCOMPARE(form.diff->text(), QStringLiteral("Тяжело"));
    ClickBoard(form, CellCentre(0));
    QVERIFY(!form.GroupBox2->isEnabled());
    QCOMPARE(form.state().level, 3);
    QCOMPARE(answerer.count(), 0);
}

void TestGameFlow::questionTakesNoOtherInput()
{
    SKIP_IF_SHOWN_WINDOW_IN_BROWSER();
    TForm1 form;
    // Opened, so that the level buttons lie inside the window too.
    form.Button1->click();
    while (form.Timer1->isActive())
        form.Timer1Timer();
    QCOMPARE(form.Height(), 556);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ChooseLevel(form, 2);

    QuestionAnswerer answerer;
    struct {
        GameState before, after;
        QStringList talliesBefore, talliesAfter;
        QImage pictureBefore, pictureAfter;
        int level = -1;
        bool openAfterClicks = false, openAfterEscape = false, openAfterClose = false;
    } seen;
    answerer.setProbe([&](QMessageBox &box) {
        seen.before = form.state();
        seen.talliesBefore = Tallies(form);
        seen.pictureBefore = form.Image1->image();
        int freeCell = 0;
        while (form.state().cells[freeCell] != CellEmpty)
            ++freeCell;
        // The board, the new-game button and a level button, clicked where a person would.
        ClickThroughWindow(form, form.Image1, CellCentre(freeCell));
        // Sent straight to the picture, past the window's input blocking.
        ClickBoard(form, CellCentre(freeCell));
        ClickThroughWindow(form, form.reload, form.reload->rect().center());
        ClickThroughWindow(form, form.RadioButton1, QPoint(6, 8));
        form.reload->click();  // as an assistive technology presses it, past the window's blocking
        QCoreApplication::processEvents();
        seen.after = form.state();
        seen.talliesAfter = Tallies(form);
        seen.pictureAfter = form.Image1->image();
        seen.level = form.state().level;
        seen.openAfterClicks = box.isVisible() && QApplication::activeModalWidget() == &box;

        QTest::keyClick(box.windowHandle(), Qt::Key_Escape);
        QTest::keyClick(&box, Qt::Key_Escape);
        QCoreApplication::processEvents();
        seen.openAfterEscape = box.isVisible() && QApplication::activeModalWidget() == &box;

        // The title bar's close button asks the window to close.
        box.windowHandle()->close();
        box.close();
        QCoreApplication::processEvents();
        seen.openAfterClose = box.isVisible() && QApplication::activeModalWidget() == &box;
    });

    // The game itself is played through the window as well, so the same route is known to reach
    // the board while no question is open.
    const qsizetype asked = answerer.count();
    for (int click = 0; click < 5 && answerer.count() == asked; ++click)
        ClickThroughWindow(form, form.Image1, CellCentre(ChooseCell(form.state(), Aim::Loss)));
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.questions().first().caption, Captions[Losses]);

    QVERIFY(seen.after.cells == seen.before.cells);
    QCOMPARE(seen.after.moveCount, seen.before.moveCount);
    QCOMPARE(seen.after.outcome, seen.before.outcome);
    QCOMPARE(seen.talliesAfter, seen.talliesBefore);
    QCOMPARE(seen.pictureAfter, seen.pictureBefore);
    QCOMPARE(seen.level, 2);
    QVERIFY(seen.openAfterClicks);
    QVERIFY(seen.openAfterEscape);
    QVERIFY(seen.openAfterClose);

    // Answered Yes: the game goes on in the same window.
    QVERIFY(form.isVisible());
    VerifyFreshBoard(form);
}

QTEST_MAIN(TestGameFlow)
#include "test_game_flow.moc"
