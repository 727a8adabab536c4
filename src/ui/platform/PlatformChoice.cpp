#include "PlatformChoice.h"

#include <QByteArray>

void ChooseWindowingPlatform()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    // Qt takes the first of the list that starts.
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
}
