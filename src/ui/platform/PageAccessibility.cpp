#include "PageAccessibility.h"

#include "page/PageElements.h"
#include "page/PageMirror.h"
#include "page/PageStructure.h"
#include "ui/accessibility/BoardNews.h"

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

using emscripten::val;

namespace {

struct Bridge {
    PageMirror mirror;
    QPointer<QWidget> gameWindow;
    val liveRegion = val::undefined();
    bool syncQueued = false;
    QPointer<QWidget> toldDialog;  // the last question whose news and text went to the live region
    QAccessible::UpdateHandler next = nullptr;
};

Bridge &bridge()
{
    static Bridge instance;
    return instance;
}

void Tell(const QString &news)
{
    val &region = bridge().liveRegion;
    if (region.isUndefined() || news.isEmpty())
        return;
    // A new node each time: the same words said again, as "занято" twice, are news again.
    val line = Document().call<val>("createElement", std::string("p"));
    line.set("textContent", news.toStdString());
    region.call<void>("replaceChildren", line);
}

// The browser's focus goes where Qt's keyboard focus is, the board's cell under its cursor included, so
// that a screen reader reads it; only while the page's focus is the game's, never taken from the page.
void FollowFocus()
{
    QWidget *widget = QApplication::focusWidget();
    QAccessibleInterface *iface = widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
    if (!iface)
        return;
    if (QAccessibleInterface *child = iface->focusChild())
        iface = child;
    val element = bridge().mirror.elementOf(iface);
    const val screen = QtScreen();
    if (element.isNull() || screen.isNull())
        return;
    // Qt hands the keyboard to its hidden text field when a window is activated, the question's too.
    const val active = Document()["activeElement"];
    const bool pageHasIt = active.isNull() || active.strictlyEquals(Document()["body"]) || active.strictlyEquals(screen["host"])
        || IsQtInputField(active);
    if (!pageHasIt || screen["activeElement"].strictlyEquals(element))
        return;
    val options = val::object();
    options.set("preventScroll", true);
    element.call<void>("focus", options);
}

void Sync()
{
    Bridge &b = bridge();
    b.syncQueued = false;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        val container = window->isVisible() ? QtAccessibilityContainerOf(window) : val::null();
        if (container.isNull())
            continue;
        std::vector<val> elements = b.mirror.mirror(window);
        HideQtDecorations(container);
        auto *question = qobject_cast<QMessageBox *>(window);
        if (question) {
            // A screen reader leaves the keys to a page only within an application, and would take
            // them back for its own reading at the question's buttons; the question is the game's too.
            SetAttribute(container, "role", "application");
            SetAttribute(container, "aria-label", Document()["title"].as<std::string>());
        }
        if (question && b.toldDialog != question) {
            b.toldDialog = question;
            const QString description = question->accessibleDescription();
            Tell(description.isEmpty() ? question->text() : description);
        }
        if (window == b.gameWindow)
            elements.push_back(b.liveRegion);
        Arrange(container, elements);
    }
    b.mirror.sweep();
    FollowFocus();
}

void QueueSync()
{
    if (bridge().syncQueued)
        return;
    bridge().syncQueued = true;
    QTimer::singleShot(0, qApp, &Sync);
}

void Update(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::Announcement)
        Tell(static_cast<QAccessibleAnnouncementEvent *>(event)->message());
    else if (event->type() == QAccessible::Focus)
        Sync();  // in the same turn as Qt's focusing of its canvas, so that only the control is announced
    else
        QueueSync();
    if (bridge().next)
        bridge().next(event);
}

// Windows grow and shrink without an accessibility event: the lower area slides open.
class WindowWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Resize || type == QEvent::Show || type == QEvent::Hide) && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow())
            QueueSync();
        return QObject::eventFilter(watched, event);
    }
};

// An element's default action, as a screen reader or a click on it asks: its control's.
void PressControl(val event)
{
    QAccessibleInterface *iface = PageMirror::controlOf(event["currentTarget"]);
    QAccessibleActionInterface *actions = iface ? iface->actionInterface() : nullptr;
    if (!actions)
        return;
    const QStringList names = actions->actionNames();
    if (names.contains(QAccessibleActionInterface::pressAction()))
        actions->doAction(QAccessibleActionInterface::pressAction());
    else if (names.contains(QAccessibleActionInterface::toggleAction()))
        actions->doAction(QAccessibleActionInterface::toggleAction());
}

// A screen reader moves the browser's focus itself, to where its reading is, as Orca does when it
// hands the keys to the page: Qt's focus follows, so that a key lands where the player heard they are.
// The question, while open, keeps it.
void FocusControl(val event)
{
    QAccessibleInterface *iface = PageMirror::controlOf(event["currentTarget"]);
    if (!iface || iface->state().focused || iface->state().disabled)
        return;
    QAccessibleActionInterface *actions = iface->actionInterface();
    if (actions && actions->actionNames().contains(QAccessibleActionInterface::setFocusAction()))
        actions->doAction(QAccessibleActionInterface::setFocusAction());
    else if (auto *widget = qobject_cast<QWidget *>(iface->object()); widget && !QApplication::activeModalWidget())
        widget->setFocus(Qt::OtherFocusReason);
}

// Tab moves Qt's focus, which the browser's then follows; the browser's own move to the next element
// of the page, after the key, would take the focus out of the window.
void KeepTab(val event)
{
    if (event["key"].as<std::string>() == "Tab")
        event.call<void>("preventDefault");
}

} // namespace

// The mirror's elements call these by name.
EMSCRIPTEN_BINDINGS(krestiki_page_accessibility)
{
    emscripten::function("knPressControl", &PressControl);
    emscripten::function("knKeepTab", &KeepTab);
    emscripten::function("knFocusControl", &FocusControl);
}

void InstallPageAccessibility(QWidget *gameWindow)
{
    Bridge &b = bridge();
    b.gameWindow = gameWindow;
    QueueSync();
    if (!b.liveRegion.isUndefined())
        return;  // once for all windows: a second handler would hand every event on to itself
    // With the board's news's politeness; it joins the game window's elements at their first sync.
    b.liveRegion = Document().call<val>("createElement", std::string("div"));
    b.liveRegion.call<void>("setAttribute", std::string("aria-live"),
                            std::string(BoardNews::politeness == BoardNews::Politeness::Assertive ? "assertive" : "polite"));
    b.next = QAccessible::installUpdateHandler(&Update);
    qApp->installEventFilter(new WindowWatch(qApp));
}
