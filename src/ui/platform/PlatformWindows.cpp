#include "Platform.h"
#include "ui/accessibility/Accessibility.h"

// Windows is one desktop: Qt's own platform, Tahoma among the system's fonts, and a modal box that
// the system itself keeps in front of the window it blocks and hands the keyboard to.

void ChooseWindowingPlatform() {}

void SetDesktopEntryName(const QString &) {}

QString RegisterFallbackTahoma() { return {}; }

bool IsKeyboardFocusIn(const QByteArray &, void *, WId) { return false; }

std::optional<bool> ServerSaysHoldsKeyboard(WId) { return std::nullopt; }

Centring WindowCentring() { return Centring::ForClosedHeight; }

void InstallPlatformAccessibility(QWidget *) { InstallAccessibility(); }

int RunEventLoop(QApplication &application) { return application.exec(); }
