#include "ui/ApplicationIdentity.h"
#include "ui/TForm1.h"
#include "ui/platform/Platform.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Messages of Qt while the application object is made. A failed connection to a display is told in
// our one line; every other message reaches Qt's own handler as Qt wrote it.
namespace startup {

struct HeldMessage {
    QtMsgType type;
    const char *file;
    int line;
    const char *function;
    const char *category;
    QString text;
};

QtMessageHandler qtHandler = nullptr;
bool displayFailed = false;
std::vector<HeldMessage> held;  // from the failed connection on

bool IsDisplayConnectionFailure(const QMessageLogContext &context, const QString &text)
{
    // The xcb plugin's "could not connect to display :N" and the Wayland plugin's "Failed to create
    // wl_display (reason)"; Qt then gives up with its generic advice to reinstall the application.
    return (qstrcmp(context.category, "qt.qpa.xcb") == 0 && text.startsWith(QLatin1String("could not connect to display")))
        || text.startsWith(QLatin1String("Failed to create wl_display"));
}

void Handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    displayFailed = displayFailed || IsDisplayConnectionFailure(context, text);
    if (type == QtFatalMsg) {
        // Qt would abort with a core dump for what is no fault of the program.
        if (displayFailed)
            std::fputs("krestiki-noliki: cannot open a display; set DISPLAY or WAYLAND_DISPLAY to a running one\n", stderr);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (displayFailed) {
        // Held until it is known whether another platform of QT_QPA_PLATFORM's list takes over.
        held.push_back({type, context.file, context.line, context.function, context.category, text});
        return;
    }
    qtHandler(type, context, text);
}

void Begin() { qtHandler = qInstallMessageHandler(&Handle); }

void End()
{
    qInstallMessageHandler(qtHandler);
    for (const HeldMessage &message : held)
        qtHandler(message.type, QMessageLogContext(message.file, message.line, message.function, message.category),
                  message.text);
    held.clear();
}

} // namespace startup

} // namespace

int main(int argc, char *argv[])
{
    ChooseWindowingPlatform();
    startup::Begin();
    QApplication application(argc, argv);
    startup::End();
    SetApplicationIdentity();

    TForm1 window;
    // Not show(), which takes the platform's default state for a new window: a web page's is full
    // screen, and the window has one size everywhere.
    window.setVisible(true);
    QTimer::singleShot(0, &application, &SetApplicationIcon);
    return RunEventLoop(application);
}
