// Measures the real window under whatever platform plugin is set and prints "name value" lines:
// the information slide from the press to the final height, one exchange from the click on the board
// to the repainted picture on the display server, and whether any timer ticks while the window sits untouched.
#include "ui/TForm1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

// Sees every event of the process: counts timer ticks and answers the play-again question with Yes.
class BenchApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool countTimers = false;
    const QObject *ignoredTimerReceiver = nullptr;
    std::map<std::string, int> timerEvents;  // by receiver class
    int questionsAnswered = 0;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (countTimers && event->type() == QEvent::Timer && receiver != ignoredTimerReceiver)
            ++timerEvents[receiver->metaObject()->className()];
        if (event->type() == QEvent::Show) {
            if (auto *box = qobject_cast<QMessageBox *>(receiver)) {
                ++questionsAnswered;
                QPointer<QMessageBox> guard(box);
                QTimer::singleShot(0, box, [guard] {
                    if (guard)
                        guard->button(QMessageBox::Yes)->click();
                });
            }
        }
        return QApplication::notify(receiver, event);
    }
};

struct Summary {
    double median = 0, min = 0, max = 0;
    std::size_t count = 0;
};

Summary Summarise(std::vector<double> values)
{
    Summary summary;
    summary.count = values.size();
    if (values.empty())
        return summary;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    summary.median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    summary.min = values.front();
    summary.max = values.back();
    return summary;
}

void Print(const char *name, const Summary &summary, const char *unit)
{
    std::printf("%s_median_%s %.4f\n%s_min_%s %.4f\n%s_max_%s %.4f\n%s_count %zu\n", name, unit, summary.median, name, unit,
                summary.min, name, unit, summary.max, name, summary.count);
}

// Runs the event loop until the running slide stops; returns the number of ticks it took.
int RunSlide(TForm1 &form)
{
    int ticks = 0;
    QEventLoop loop;
    const auto connection = QObject::connect(form.Timer1, &QTimer::timeout, &loop, [&] {
        ++ticks;  // connected after the window's own handler, so the tick has been applied
        if (!form.Timer1->isActive())
            loop.quit();
    });
    if (form.Timer1->isActive())
        loop.exec();
    QObject::disconnect(connection);
    return ticks;
}

// Waits until the display server has carried out every request so far, the picture included; on a
// platform without a server there is nothing to wait for.
void WaitForServer()
{
    if (auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>())
        std::free(xcb_get_input_focus_reply(x11->connection(), xcb_get_input_focus(x11->connection()), nullptr));
}

// The offscreen plugin warns at every resize of the slide.
void QuietHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

int Option(int argc, char *argv[], const char *name, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return std::atoi(argv[i + 1]);
    return fallback;
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(QuietHandler);
    BenchApplication application(argc, argv);
    const int slides = Option(argc, argv, "--slides", 20);
    const int exchanges = Option(argc, argv, "--exchanges", 200);
    const int idleMs = Option(argc, argv, "--idle-ms", 3000);

    TForm1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fputs("bench_window: the window was never exposed\n", stderr);
        return 1;
    }
    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));

    // Idle: the window open and untouched; nothing should tick.
    {
        QTest::qWait(300);
        QTimer end;
        end.setSingleShot(true);
        QEventLoop loop;
        QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
        application.ignoredTimerReceiver = &end;
        application.timerEvents.clear();
        application.countTimers = true;
        end.start(idleMs);
        loop.exec();
        application.countTimers = false;
        int total = 0;
        for (const auto &[receiver, count] : application.timerEvents) {
            std::printf("idle_timer_events_to %s %d\n", receiver.c_str(), count);
            total += count;
        }
        int activeTimers = 0;
        for (const QTimer *timer : form.findChildren<QTimer *>())
            activeTimers += timer->isActive();
        std::printf("idle_ms %d\nidle_timer_events %d\nidle_active_timers %d\nidle_timer1_active %d\n", idleMs, total, activeTimers,
                    int(form.Timer1->isActive()));
    }

    // The slide: every press starts from the closed height 411 and opens in 29 ticks to 556.
    {
        std::vector<double> durations;
        int wrongTicks = 0, wrongHeights = 0;
        for (int i = 0; i < slides; ++i) {
            QElapsedTimer clock;
            clock.start();
            QTest::mouseClick(form.Button1, Qt::LeftButton);
            const int ticks = RunSlide(form);
            WaitForServer();
            const double elapsed = clock.nsecsElapsed() / 1e6;
            durations.push_back(elapsed);
            wrongTicks += ticks != 29;
            wrongHeights += form.Height() != 556 || form.height() != 556 - TForm1::FrameTop - TForm1::FrameBottom;
            // Close again: the press jumps back to 411, one tick leaves 406.
            QTest::mouseClick(form.Button1, Qt::LeftButton);
            RunSlide(form);
            QCoreApplication::processEvents();
        }
        Print("slide", Summarise(durations), "ms");
        std::printf("slide_ideal_ms %d\nslide_wrong_ticks %d\nslide_wrong_heights %d\n", 29 * TForm1::SlideInterval, wrongTicks, wrongHeights);
    }

    // Exchanges: a click on a free cell, the computer's reply, the picture repainted. A click that
    // ends a game also shows the question; those are counted apart.
    {
        std::mt19937 engine(20240607);
        std::vector<double> plain, ending;
        QCoreApplication::processEvents();
        for (int i = 0; i < exchanges; ++i) {
            std::vector<int> free;
            for (int index = 0; index < BoardCells; ++index)
                if (form.state().cells[index] == CellEmpty)
                    free.push_back(index);
            const int index = free[std::uniform_int_distribution<std::size_t>(0, free.size() - 1)(engine)];
            const QPoint centre(ColumnOf(index) * CellSize + CellSize / 2, RowOf(index) * CellSize + CellSize / 2);
            const int questionsBefore = application.questionsAnswered;

            QElapsedTimer clock;
            clock.start();
            QTest::mouseClick(form.Image1, Qt::LeftButton, Qt::NoModifier, centre);
            form.Image1->repaint();
            WaitForServer();
            const double elapsed = clock.nsecsElapsed() / 1e6;

            (application.questionsAnswered != questionsBefore ? ending : plain).push_back(elapsed);
            QCoreApplication::processEvents();
        }
        Print("exchange", Summarise(plain), "ms");
        Print("exchange_ending", Summarise(ending), "ms");
    }
    return 0;
}
