#include "Platform.h"
#include "PageAccessibility.h"
#include "ui/accessibility/Accessibility.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

#include <emscripten.h>

// A web page: the browser's own platform, no desktop entry, no display server of its own, and no
// fonts the program can count on, so its Tahoma travels inside it.

void ChooseWindowingPlatform() {}

void SetDesktopEntryName(const QString &) {}

QString RegisterFallbackTahoma()
{
    // Wine's regular face, compiled in; the bold texts are emboldened from it, as on Linux.
    const int regular = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/tahoma.ttf"));
    const QStringList families = regular >= 0 ? QFontDatabase::applicationFontFamilies(regular) : QStringList();
    return families.isEmpty() ? QString() : families.first();
}

bool IsKeyboardFocusIn(const QByteArray &, void *, WId) { return false; }

std::optional<bool> ServerSaysHoldsKeyboard(WId) { return std::nullopt; }

Centring WindowCentring() { return Centring::ForOpenHeight; }

void InstallPlatformAccessibility(QWidget *window)
{
    InstallAccessibility();
    InstallPageAccessibility(window);
}

int RunEventLoop(QApplication &application)
{
    // The page learns of the end through the runtime's exit. It is left from a timer of the runtime's
    // own, which takes the exit as the end it is, where leaving from an event of the page would throw
    // it at the browser as an error.
    QObject::connect(&application, &QGuiApplication::lastWindowClosed, [] {
        emscripten_async_call([](void *) { emscripten_force_exit(0); }, nullptr, 0);
    });
    return application.exec();
}
