#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QWindow>

#include <optional>

// What only one platform has: a Linux desktop, Windows or a web page. The program is built with the one
// file of these functions that fits its platform (PlatformLinux.cpp, PlatformWindows.cpp,
// PlatformWeb.cpp), chosen in src/CMakeLists.txt; nothing else in it asks where it runs.

// On a Wayland session the game runs through XWayland when it can: there it places itself in the
// middle of the screen, and the compositor draws its frame from the window's hints, with a close
// button only. Without XWayland it runs on Wayland itself. A platform the person names in
// QT_QPA_PLATFORM is left alone. Call before the application object exists.
void ChooseWindowingPlatform();

// Names the installed entry that describes the program to the desktop (menus, task bars): its file
// name without ".desktop".
void SetDesktopEntryName(const QString &entryName);

// A Tahoma that the program registers itself where the system has none; the family it goes by, or
// empty when there is none to register.
QString RegisterFallbackTahoma();

// Whether a native event tells that the window took the keyboard focus.
bool IsKeyboardFocusIn(const QByteArray &eventType, void *message, WId window);

// Whether the window holds the keyboard by the display server's own account, which only an X server
// keeps apart from Qt's; none where Qt's account is the true one.
std::optional<bool> ServerSaysHoldsKeyboard(WId window);

// How a window is centred on a screen that holds it open, but not below its middle: for its open height
// in a web page, where a phone held upright is such a screen, nothing below the screen can be reached,
// and the window cannot be moved; a desktop centres it for its closed height.
enum class Centring { ForClosedHeight, ForOpenHeight };
Centring WindowCentring();

// Lets assistive technology read the window: Qt's interfaces for the board's cells and for what the
// tallies and the text copy of the board mean, and in a web page, whose screen reader reads the page
// rather than Qt, the page's elements that carry them. Call first thing as each window is made: where
// accessibility is on from the start, the window's own first captions ask for their interfaces. The
// page's news goes beside the WINDOW last made, the game's.
void InstallPlatformAccessibility(QWidget *window);

// Runs the application's event loop until the program ends, with the exit status. In a web page the
// loop never returns to main; there the page is told that the program has ended once its last window
// has closed.
int RunEventLoop(QApplication &application);
