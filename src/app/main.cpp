#include "ui/ApplicationIdentity.h"
#include "ui/TForm1.h"
#include "ui/platform/PlatformChoice.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt gives up on a missing display with an abort; say it in one line and exit instead.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type == QtFatalMsg) {
        std::fputs("krestiki-noliki: cannot open a display; set DISPLAY or WAYLAND_DISPLAY to a running one\n", stderr);
        std::_Exit(1);
    }
}

bool NoDisplayToOpen()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return false;  // offscreen, vnc and the like need no display
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    ChooseWindowingPlatform();
    if (NoDisplayToOpen()) {
        StartupMessageHandler(QtFatalMsg, QMessageLogContext(), QString());
    }
    // Until the application stands, Qt's own complaints about the display are replaced by ours.
    const QtMessageHandler defaultHandler = qInstallMessageHandler(StartupMessageHandler);
    QApplication application(argc, argv);
    qInstallMessageHandler(defaultHandler);
    SetApplicationIdentity();

    TForm1 window;
    window.show();
    QTimer::singleShot(0, &application, &SetApplicationIcon);
    return application.exec();
}
