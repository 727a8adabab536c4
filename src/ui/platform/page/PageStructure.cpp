#include "PageStructure.h"

#include "PageElements.h"

#include <QLoggingCategory>
#include <QWidget>
#include <QWindow>

#include <string>

using emscripten::val;

namespace {

Q_LOGGING_CATEGORY(pageLog, "krestiki.page")

// As Qt 6.8.2's plugin builds them (Debian 13's qt6-base, with the changes of scripts/web/build-qt.sh):
// each window an element "qt-window-<winId>" in the shadow root of "qt-shadow-container", with its
// title bar and contents, and a container for accessibility elements beside its canvas. The hidden
// text field of the input method sits in the body, outside the windows. tests/web/e2e_web.py,
// bench/web_start.py and data/web/index.html name some of them too.
constexpr const char *ScreenHostId = "qt-shadow-container";
constexpr const char *WindowIdPrefix = "qt-window-";
constexpr const char *WindowSelector = ".qt-window";
constexpr const char *AccessibilityContainerSelector = ".qt-window-a11y-container";
constexpr const char *TitleBarSelector = ".title-bar";
constexpr const char *ContentsSelector = ".qt-window-contents";
constexpr const char *InputFieldSelector = "body > input[type=text]";

bool Missing(const val &element) { return element.isNull() || element.isUndefined(); }

// Once for each part: the page is synchronised at every change of the window.
void WarnOnce(bool &warned, const char *what)
{
    if (warned)
        return;
    warned = true;
    qCWarning(pageLog, "%s is not in the page: a screen reader meets nothing of the game there; "
                       "has this Qt changed how it builds its windows' elements?", what);
}

} // namespace

val QtScreen()
{
    const val host = Document().call<val>("getElementById", std::string(ScreenHostId));
    const val root = Missing(host) ? val::null() : host["shadowRoot"];
    return Missing(root) ? val::null() : root;
}

val QtAccessibilityContainerOf(const QWidget *window)
{
    static bool screenWarned = false;
    static bool containerWarned = false;
    if (!window->windowHandle())
        return val::null();
    const val screen = QtScreen();
    if (Missing(screen)) {
        WarnOnce(screenWarned, "Qt's shadow container #qt-shadow-container");
        return val::null();
    }
    const val qtWindow = screen.call<val>("getElementById", WindowIdPrefix + std::to_string(window->windowHandle()->winId()));
    const val container = Missing(qtWindow) ? val::null() : qtWindow.call<val>("querySelector", std::string(AccessibilityContainerSelector));
    if (Missing(container)) {
        WarnOnce(containerWarned, "The accessibility container of Qt's window element");
        return val::null();
    }
    return container;
}

void HideQtDecorations(const val &container)
{
    const val qtWindow = container.call<val>("closest", std::string(WindowSelector));
    if (Missing(qtWindow))
        return;
    // The title bar's caption is the window's name, its icon and buttons have none.
    val titleBar = qtWindow.call<val>("querySelector", std::string(TitleBarSelector));
    if (!Missing(titleBar))
        SetAttribute(titleBar, "aria-hidden", "true");
    val contents = qtWindow.call<val>("querySelector", std::string(ContentsSelector));
    if (!Missing(contents))
        SetAttribute(contents, "role", "none");
    // The game takes no text.
    val inputs = Document().call<val>("querySelectorAll", std::string(InputFieldSelector));
    for (int i = 0; i < inputs["length"].as<int>(); ++i) {
        val input = inputs[i];
        SetAttribute(input, "aria-hidden", "true");
    }
}

bool IsQtInputField(const val &element)
{
    return !Missing(element) && element.call<bool>("matches", std::string(InputFieldSelector));
}
