// The board plays by keyboard exactly as by clicks, shows its cursor only while the keyboard is in use, and tells assistive technology its cells.
#include "InBrowser.h"
#include "BoardGeometry.h"
#include "QuietSizeHints.h"
#include "ui/PlayAgainQuestion.h"
#include "ui/TForm1.h"
#include "ui/platform/page/PageRoles.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <optional>

namespace {

// Whether anything but the drawn image shows on the grid.
bool CursorShown(TForm1 &form)
{
    const QImage shown = form.Image1->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage drawn = form.Image1->image().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            if (shown.pixel(x, y) != drawn.pixel(x, y))
                return true;
    return false;
}

int CellWith(const GameState &state, int mark)
{
    for (int cell = 0; cell < BoardCells; ++cell)
        if (state.cells[cell] == mark)
            return cell;
    return -1;
}

QAccessibleInterface *Accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

} // namespace

class TestBoardKeyboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { quiet_.emplace(); }
    void init();
    void cleanup() { form_.reset(); }
    void keysMoveTheCursorAndPlayAsClicks();
    void cursorShowsOnlyWhileTheKeyboardIsInUse();
    void assistiveTechnologyReadsAndPlaysTheBoard();
    void lettersAnswerTheQuestionAndCtrlNStartsAfresh();

private:
    std::optional<QuietSizeHints> quiet_;
    std::optional<TForm1> form_;
};

void TestBoardKeyboard::init()
{
    form_.emplace();
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&*form_));
    QCOMPARE(QApplication::focusWidget(), form_->Image1);  // the first focus stop
}

void TestBoardKeyboard::keysMoveTheCursorAndPlayAsClicks()
{
    TForm1 &form = *form_;
    QSignalSpy clicks(form.Image1, &BoardPicture::clicked);
    QCOMPARE(form.Image1->cursor().cell(), 4);
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up})
        QTest::keyClick(form.Image1, key);
    QCOMPARE(form.Image1->cursor().cell(), 0);  // stopped at the top-left corner
    QCOMPARE(clicks.count(), 0);

    QTest::keyClick(form.Image1, Qt::Key_Space);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.last().at(0).toPoint(), CellCentre(0));
    QCOMPARE(form.state().cells[0], std::int32_t(CellCross));
    QVERIFY(!form.GroupBox2->isEnabled());
    const GameState afterMove = form.state();

    // A taken cell is a click that changes nothing.
    QTest::keyClick(form.Image1, Qt::Key_Return);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(form.state().cells, afterMove.cells);
    QCOMPARE(form.state().moveCount, afterMove.moveCount);

    // Digits in the keypad's layout: 3 is the bottom-right cell, 7 the top-left.
    const int free = form.state().cells[8] == CellEmpty ? 3 : 1;
    const int freeCell = free == 3 ? 8 : 2;
    QTest::keyClick(form.Image1, Qt::Key(Qt::Key_0 + free), Qt::KeypadModifier);
    QCOMPARE(clicks.last().at(0).toPoint(), CellCentre(freeCell));
    QCOMPARE(form.state().cells[freeCell], std::int32_t(CellCross));
    QCOMPARE(form.Image1->cursor().cell(), freeCell);
    QTest::keyClick(form.Image1, Qt::Key_7);
    QCOMPARE(clicks.last().at(0).toPoint(), CellCentre(0));
}

void TestBoardKeyboard::cursorShowsOnlyWhileTheKeyboardIsInUse()
{
    TForm1 &form = *form_;
    QVERIFY(!CursorShown(form));  // the board has the focus from the start, unseen
    const QImage drawn = form.Image1->image();
    QTest::keyClick(form.Image1, Qt::Key_Right);
    QVERIFY(CursorShown(form));
    QCOMPARE(form.Image1->image(), drawn);  // painted over the picture, not into it

    QTest::mouseClick(form.Image1, Qt::LeftButton, {}, CellCentre(0));
    QCOMPARE(form.Image1->cursor().cell(), 0);
    QVERIFY(!CursorShown(form));

    QTest::keyClick(&form, Qt::Key_Tab);
    QVERIFY(!form.Image1->hasFocus());
    QVERIFY(!CursorShown(form));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QVERIFY(form.Image1->hasFocus());
    QVERIFY(CursorShown(form));
}

void TestBoardKeyboard::assistiveTechnologyReadsAndPlaysTheBoard()
{
    TForm1 &form = *form_;
    QAccessibleInterface *board = Accessible(form.Image1);
    QCOMPARE(board->role(), QAccessible::Grouping);  // a table would be read a whole row at a time

    // Children read row by row; each is found at its own place on screen and spans its cell.
    const QRect topRight(form.Image1->mapToGlobal(QPoint(200, 0)), QSize(100, 100));
    QAccessibleInterface *cell = board->childAt(topRight.center().x(), topRight.center().y());
    QVERIFY(cell);
    QCOMPARE(board->indexOfChild(cell), 2);
    QCOMPARE(cell->rect(), topRight);
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("верх, справа: пусто"));
    QVERIFY(!cell->state().disabled && !cell->state().focused);
    QVERIFY(board->child(4)->state().focused);  // the cursor's cell
    QVERIFY(board->focusChild() == board->child(4));

    // The press action plays from the event loop, as a click would.
    cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(form.state().cells[6], std::int32_t(CellEmpty));
    QTRY_COMPARE(form.state().cells[6], std::int32_t(CellCross));
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("верх, справа: крестик"));
    QVERIFY(!cell->state().disabled);  // taken, yet a screen reader must not call it unavailable
    QVERIFY(cell->state().focused);
    // A screen reader that puts its focus on a cell puts the cursor there, where the next key plays.
    form.reload->setFocus();
    board->child(0)->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
    QVERIFY(form.Image1->hasFocus() && board->child(0)->state().focused);
    QCOMPARE(form.Image1->cursor().cell(), 0);
    const int nought = CellWith(form.state(), CellNought);
    QVERIFY(nought >= 0);
    QVERIFY(board->child(3 * RowOf(nought) + ColumnOf(nought))->text(QAccessible::Name).endsWith(QStringLiteral(": нолик")));

    // A web page sorts by role: a disabled push button, which Qt gives no press action, stays a button.
    QCOMPARE(PageKindOf(cell), PageKind::Button);
    QPushButton disabled(QStringLiteral("Новая игра"));
    disabled.setEnabled(false);
    QCOMPARE(PageKindOf(Accessible(&disabled)), PageKind::Button);

    // The labels say what they hold, and follow their captions.
    QCOMPARE(Accessible(form.a20)->text(QAccessible::Name), QStringLiteral("верх, справа: крестик"));
    QCOMPARE(Accessible(form.winOw1)->text(QAccessible::Name), QStringLiteral("Поражений: 0"));
    form.winTw->setText(QStringLiteral("12"));
    QCOMPARE(Accessible(form.winTw)->text(QAccessible::Name), QStringLiteral("Ничья: 12"));

    // The top bar reads its tallies in their order on screen.
    QAccessibleInterface *bar = Accessible(form.Panel1);
    QList<int> tallyLefts;
    for (int index = 0; index < bar->childCount(); ++index)
        if (bar->child(index)->text(QAccessible::Name).contains(QLatin1Char(':'))
            && bar->child(index)->object() != form.findChild<QWidget *>(QStringLiteral("Label1")))
            tallyLefts << bar->child(index)->rect().left();
    QCOMPARE(tallyLefts.size(), 3);
    QVERIFY(std::is_sorted(tallyLefts.begin(), tallyLefts.end()));
}

void TestBoardKeyboard::lettersAnswerTheQuestionAndCtrlNStartsAfresh()
{
    SKIP_IF_SHOWN_WINDOW_IN_BROWSER();
    TForm1 &form = *form_;
    struct Press {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool isNo;
    };
    const Press presses[] = {{0x0414, {}, false}, {0x0414, Qt::AltModifier, false},
                             {0x041D, {}, true},  {0x041D, Qt::AltModifier, true}};
    for (const Press &press : presses) {
        const QPointer question = new PlayAgainQuestion(QStringLiteral("?"), QStringLiteral("Ничья!"), &form);
        QSignalSpy answered(question.data(), &PlayAgainQuestion::answered);
        question->ask();
        // Alt+letter goes through the shortcuts of the active window, which Windows hands over
        // only once the window active before has had its turn.
        QTRY_COMPARE(QApplication::activeWindow(), question.data());
        const QString letter(QChar(press.key).toLower());
        QTest::sendKeyEvent(QTest::Press, question, Qt::Key(press.key), letter, press.modifiers);
        QTest::sendKeyEvent(QTest::Release, question, Qt::Key(press.key), letter, press.modifiers);
        QTRY_COMPARE(answered.count(), 1);  // a mnemonic clicks its button once it showed it pressed
        QCOMPARE(answered.first().first().toBool(), !press.isNo);
        QTRY_VERIFY(!question);  // deleted once answered
    }

    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(form.Image1, Qt::Key_5);
    QCOMPARE(form.state().moveCount, 2);
    QTest::keyClick(form.Image1, Qt::Key_N, Qt::ControlModifier);
    QTRY_COMPARE(form.state().moveCount, 0);  // the button shows itself pressed first
    QCOMPARE(form.state().cells[4], std::int32_t(CellEmpty));
}

QTEST_MAIN(TestBoardKeyboard)
#include "test_board_keyboard.moc"
