// Closing the window ends the program cleanly whatever is going on: a slide, a game, an open question.
#include "QuestionAnswerer.h"
#include "ShownWindowTest.h"

#include <QSignalSpy>

#include <functional>
#include <memory>

namespace {

enum { Stuck = 99 };

// Shows the window and runs the application's own event loop, as main() does, with `start` as its
// first event; the program has to end as the close of its window ends it: exec() gives 0, not Stuck
// for a program still running after ten seconds, far past what quitting takes on a loaded machine,
// with the window hidden and the last window closed once.
void RunToTheEnd(TForm1 &form, const std::function<void()> &start)
{
    form.show();
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTimer::singleShot(0, qApp, start);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(Stuck); });
    watchdog.start(10000);
    const int code = QApplication::exec();
    QCOMPARE(code, 0);
    QVERIFY(!form.isVisible());
    QCOMPARE(lastClosed.count(), 1);
}

// Clicks cell after cell, in order, until one of them ends the game, which leaves the question open.
void PlayToTheQuestion(TForm1 &form)
{
    for (int index = 0; index < BoardCells && !form.asking(); ++index)
        ClickAt(form.Image1, CellCentre(index));
}

} // namespace

class TestWindowClosing : public ShownWindowTest {
    Q_OBJECT

private slots:
    void closingMidSlideEndsTheProgram()
    {
        TForm1 form;
        bool accepted = false;
        int heightAtClose = 0;
        RunToTheEnd(form, [&] {
            form.Button1Click();
            for (int tick = 0; tick < 10; ++tick)
                form.Timer1Timer();
            QVERIFY(form.Timer1->isActive());
            heightAtClose = form.Height();
            accepted = form.close();
        });
        QVERIFY(accepted);
        QCOMPARE(heightAtClose, 461);
        // Whatever ticks still arrive move a hidden window through the slide's own heights.
        QTest::qWait(50);
        QVERIFY(form.Height() >= 406 && form.Height() <= 556 && (form.Height() - 406) % 5 == 0);
    }

    void closingMidGameEndsTheProgram()
    {
        TForm1 form;
        bool accepted = false;
        RunToTheEnd(form, [&] {
            ClickAt(form.Image1, QPoint(50, 50));
            QCOMPARE(form.state().moveCount, 2);
            accepted = form.close();
        });
        QVERIFY(accepted);
        QCOMPARE(form.state().cells[0], CellCross);
    }

    // Only Yes or No answer the question: a close of the window while it waits is refused, the
    // question stays, and No then ends the program as it always does.
    void closingWhileTheQuestionWaitsIsRefused()
    {
        TForm1 form;
        bool accepted = true;
        bool formShown = false;
        bool questionShown = false;
        bool asking = false;
        QuestionAnswerer answerer;
        answerer.setAnswer(QMessageBox::No);
        answerer.setProbe([&](QMessageBox &question) {
            accepted = form.close();
            formShown = form.isVisible();
            questionShown = question.isVisible();
            asking = form.asking();
        });
        RunToTheEnd(form, [&] { PlayToTheQuestion(form); });
        QVERIFY(!accepted);
        QVERIFY(formShown);
        QVERIFY(questionShown);
        QVERIFY(asking);
        QCOMPARE(ShownQuestion(), nullptr);
        QCOMPARE(form.state().moveCount, 0);  // No still cleared the board before the exit
    }

    // A window destroyed while its question waits takes the question with it; nothing of either
    // runs on afterwards.
    void destroyingWhileTheQuestionWaits()
    {
        auto form = std::make_unique<TForm1>();
        form->show();
        PlayToTheQuestion(*form);
        const QPointer<PlayAgainQuestion> question = ShownQuestion();
        QVERIFY(question && form->asking());
        form.reset();
        QVERIFY(!question);
        QTest::qWait(300);  // longer than the question's own timers
    }

    void tinyScreenStillPlays()
    {
        TForm1 form;
        form.PlaceOnScreen(QSize(200, 150), Centring::ForClosedHeight);
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
