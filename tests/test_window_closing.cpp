// Closing the window ends the program cleanly whatever is going on: a slide, a game, an open question.
#include "ShownWindowTest.h"

#include <QSignalSpy>

#include <functional>
#include <memory>

namespace {

enum { Stuck = 99 };

// Runs the application's own event loop, as main() does, with `start` as its first event; the
// result is exec()'s, or Stuck when the program still runs after ten seconds, far past what quitting
// takes on a loaded machine.
int RunApplication(const std::function<void()> &start)
{
    QTimer::singleShot(0, qApp, start);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(Stuck); });
    watchdog.start(10000);
    return QApplication::exec();
}

// Clicks cell after cell, in order, until one of them ends the game; the question that click
// leaves open is handed to `whileAsked` from the event loop, and must be answered there.
void PlayToTheQuestion(TForm1 &form, const std::function<void(PlayAgainQuestion &)> &whileAsked)
{
    for (int index = 0; index < BoardCells && !form.asking(); ++index)
        ClickAt(form.Image1, CellCentre(index));
    QTimer::singleShot(0, qApp, [whileAsked] {
        if (PlayAgainQuestion *question = ShownQuestion())
            whileAsked(*question);
    });
}

} // namespace

class TestWindowClosing : public ShownWindowTest {
    Q_OBJECT

private slots:
    void closingMidSlideEndsTheProgram()
    {
        TForm1 form;
        form.show();
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool accepted = false;
        int heightAtClose = 0;
        const int code = RunApplication([&] {
            form.Button1Click();
            for (int tick = 0; tick < 10; ++tick)
                form.Timer1Timer();
            QVERIFY(form.Timer1->isActive());
            heightAtClose = form.Height();
            accepted = form.close();
        });
        QCOMPARE(code, 0);
        QVERIFY(accepted);
        QVERIFY(!form.isVisible());
        QCOMPARE(lastClosed.count(), 1);
        QCOMPARE(heightAtClose, 461);
        // Whatever ticks still arrive move a hidden window through the slide's own heights.
        QTest::qWait(50);
        QVERIFY(form.Height() >= 406 && form.Height() <= 556 && (form.Height() - 406) % 5 == 0);
    }

    void closingMidGameEndsTheProgram()
    {
        TForm1 form;
        form.show();
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool accepted = false;
        const int code = RunApplication([&] {
            ClickAt(form.Image1, QPoint(50, 50));
            QCOMPARE(form.state().moveCount, 2);
            accepted = form.close();
        });
        QCOMPARE(code, 0);
        QVERIFY(accepted);
        QVERIFY(!form.isVisible());
        QCOMPARE(lastClosed.count(), 1);
        QCOMPARE(form.state().cells[0], CellCross);
    }

    // Only Yes or No answer the question: a close of the window while it waits is refused, the
    // question stays, and No then ends the program as it always does.
    void closingWhileTheQuestionWaitsIsRefused()
    {
        TForm1 form;
        form.show();
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool accepted = true;
        bool formShown = false;
        bool questionShown = false;
        bool asking = false;
        const int code = RunApplication([&] {
            PlayToTheQuestion(form, [&](PlayAgainQuestion &question) {
                accepted = form.close();
                formShown = form.isVisible();
                questionShown = question.isVisible();
                asking = form.asking();
                question.button(QMessageBox::No)->click();
            });
        });
        QCOMPARE(code, 0);
        QVERIFY(!accepted);
        QVERIFY(formShown);
        QVERIFY(questionShown);
        QVERIFY(asking);
        QVERIFY(!form.isVisible());
        QCOMPARE(lastClosed.count(), 1);
        QCOMPARE(ShownQuestion(), nullptr);
        QCOMPARE(form.state().moveCount, 0);  // No still cleared the board before the exit
    }

    // A window destroyed while its question waits takes the question with it; nothing of either
    // runs on afterwards.
    void destroyingWhileTheQuestionWaits()
    {
        auto form = std::make_unique<TForm1>();
        form->show();
        PlayToTheQuestion(*form, [](PlayAgainQuestion &) {});
        const QPointer<PlayAgainQuestion> question = ShownQuestion();
        QVERIFY(question && form->asking());
        form.reset();
        QVERIFY(!question);
        QTest::qWait(300);  // longer than the question's own timers
    }

    void tinyScreenStillPlays()
    {
        TForm1 form;
        form.PlaceOnScreen(QSize(200, 150));
        QCOMPARE(form.Left(), -53);
        QCOMPARE(form.Top(), -130);
        QCOMPARE(form.Width(), 307);
        QCOMPARE(form.Height(), 411);
        form.show();
        ClickAt(form.Image1, QPoint(150, 150));
        QCOMPARE(form.state().cells[CellIndex(1, 1)], CellCross);
        QCOMPARE(form.state().moveCount, 2);
        QVERIFY(!form.GroupBox2->isEnabled());
    }
};

QTEST_MAIN(TestWindowClosing)
#include "test_window_closing.moc"
