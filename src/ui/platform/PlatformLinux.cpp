#include "Platform.h"
#include "ui/accessibility/Accessibility.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

#include <xcb/xcb.h>

#include <cstdlib>

void ChooseWindowingPlatform()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    // Qt takes the first of the list that starts.
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
}

void SetDesktopEntryName(const QString &entryName)
{
    QGuiApplication::setDesktopFileName(entryName);
}

QString RegisterFallbackTahoma()
{
    // Only the regular face of Debian's fonts-wine: Wine's bold one is hardly heavier, so the bold
    // texts would read as regular. Without it Qt emboldens the regular outlines, which shows.
    const int regular = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    const QStringList families = regular >= 0 ? QFontDatabase::applicationFontFamilies(regular) : QStringList();
    return families.isEmpty() ? QString() : families.first();
}

bool IsKeyboardFocusIn(const QByteArray &eventType, void *message, WId window)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_FOCUS_IN)
        return false;
    const auto *focus = reinterpret_cast<const xcb_focus_in_event_t *>(event);
    return focus->detail != XCB_NOTIFY_DETAIL_POINTER && focus->event == window;
}

std::optional<bool> ServerSaysHoldsKeyboard(WId window)
{
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    // The offscreen platform offers the interface without an xcb connection.
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    xcb_get_input_focus_reply_t *focus = xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
    const bool held = focus && focus->focus == window;
    std::free(focus);
    return held;
}

Centring WindowCentring() { return Centring::ForClosedHeight; }

void InstallPlatformAccessibility(QWidget *) { InstallAccessibility(); }

int RunEventLoop(QApplication &application) { return application.exec(); }
