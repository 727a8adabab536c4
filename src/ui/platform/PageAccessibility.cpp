#include "PageAccessibility.h"

#include <QAccessible>
#include <QApplication>
#include <QHash>
#include <QMessageBox>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

using emscripten::val;

namespace {

// What a control is to the page. Frames and other containers without a name of their own lend their
// children to their parent's element.
enum class Kind { Through, Window, Dialog, Alert, Group, Button, Radio, Text };

struct Bridge {
    QHash<QAccessible::Id, val> elements;
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

val Document() { return val::global("document"); }

std::string Utf8(const QString &text) { return text.toStdString(); }

// Qt's plugin puts each window in a shadow root of the page's screen element, with a container for
// accessibility elements under the window's canvas.
val Screen()
{
    const val host = Document().call<val>("getElementById", std::string("qt-shadow-container"));
    return host.isNull() ? val::null() : host["shadowRoot"];
}

val ContainerOf(QWidget *window)
{
    const val screen = Screen();
    if (screen.isNull() || screen.isUndefined() || !window->windowHandle())
        return val::null();
    const val qtWindow = screen.call<val>("getElementById", "qt-window-" + std::to_string(window->windowHandle()->winId()));
    return qtWindow.isNull() ? qtWindow : qtWindow.call<val>("querySelector", std::string(".qt-window-a11y-container"));
}

bool CanPress(QAccessibleInterface *iface)
{
    QAccessibleActionInterface *actions = iface->actionInterface();
    return actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction());
}

Kind KindOf(QAccessibleInterface *iface)
{
    switch (iface->role()) {
    case QAccessible::Window:
        return Kind::Window;
    case QAccessible::Dialog:
        return Kind::Dialog;
    case QAccessible::AlertMessage:
        return Kind::Alert;
    case QAccessible::RadioButton:
        return Kind::Radio;
    case QAccessible::StaticText:
        return Kind::Text;
    case QAccessible::Grouping:
        return iface->text(QAccessible::Name).isEmpty() ? Kind::Through : Kind::Group;
    default:
        return CanPress(iface) ? Kind::Button : Kind::Through;
    }
}

void SetAttribute(val &element, const char *name, const std::string &value)
{
    const val now = element.call<val>("getAttribute", std::string(name));
    if (now.isNull() || now.as<std::string>() != value)
        element.call<void>("setAttribute", std::string(name), value);
}

void SetText(val &element, const std::string &text)
{
    if (element["textContent"].as<std::string>() != text)
        element.set("textContent", text);
}

val ElementFor(QAccessible::Id id, Kind kind)
{
    auto found = bridge().elements.find(id);
    if (found != bridge().elements.end())
        return found.value();
    const bool button = kind == Kind::Button;
    val element = Document().call<val>("createElement", std::string(button ? "button" : "div"));
    // The window is an application: a screen reader passes the keys to the game, not to its reading.
    const char *role = kind == Kind::Window ? "application" : kind == Kind::Dialog ? "dialog"
                     : kind == Kind::Alert  ? "alertdialog" : kind == Kind::Group  ? "group"
                     : kind == Kind::Radio  ? "radio"       : nullptr;
    if (role)
        element.call<void>("setAttribute", std::string("role"), std::string(role));
    if (kind == Kind::Dialog || kind == Kind::Alert)
        element.call<void>("setAttribute", std::string("aria-modal"), std::string("true"));
    if (button || kind == Kind::Radio) {
        // Qt's focus chain owns Tab; the browser's focus is moved here only to follow it.
        element.set("tabIndex", -1);
        element["dataset"].set("knId", std::to_string(id));
        element.call<void>("addEventListener", std::string("click"), val::module_property("knPressControl"));
        element.call<void>("addEventListener", std::string("keydown"), val::module_property("knKeepTab"));
        element.call<void>("addEventListener", std::string("focus"), val::module_property("knFocusControl"));
    }
    element["style"].set("position", std::string("absolute"));
    bridge().elements.insert(id, element);
    return element;
}

// Makes ELEMENT's children exactly CHILDREN in this order, moving nothing that is already in place:
// a focused element that is moved loses the browser's focus.
void Arrange(val &element, const std::vector<val> &children)
{
    const val current = element["children"];
    for (size_t i = 0; i < children.size(); ++i) {
        const val at = current[i];
        if (at.isUndefined() || !at.strictlyEquals(children[i]))
            element.call<void>("insertBefore", children[i], at.isUndefined() ? val::null() : at);
    }
    while (current["length"].as<size_t>() > children.size())
        element.call<void>("removeChild", element["lastElementChild"]);
}

// Appends to OUT the element of IFACE, or, for a container of no meaning, its children's; SHOWN is the
// window's area, ORIGIN where the parent element lies.
void Build(QAccessibleInterface *iface, const QRect &shown, const QPoint &origin, std::vector<val> &out,
           QSet<QAccessible::Id> &seen, bool topLevel = false)
{
    const QAccessible::State state = iface->state();
    const QRect rect = iface->rect();
    // Hidden, or below the window's lower edge while the lower area is shut: not seen, not there.
    if (state.invisible || rect.bottom() > shown.bottom() || rect.right() > shown.right())
        return;
    Kind kind = KindOf(iface);
    if (topLevel && kind != Kind::Dialog && kind != Kind::Alert)
        kind = Kind::Window;
    if (kind == Kind::Through) {
        for (int i = 0; i < iface->childCount(); ++i)
            if (QAccessibleInterface *child = iface->child(i))
                Build(child, shown, origin, out, seen);
        return;
    }
    const QString name = iface->text(QAccessible::Name).trimmed();
    if (name.isEmpty())
        return;
    const QAccessible::Id id = QAccessible::uniqueId(iface);
    seen.insert(id);
    val element = ElementFor(id, kind);
    val style = element["style"];
    style.set("left", std::to_string(rect.x() - origin.x()) + "px");
    style.set("top", std::to_string(rect.y() - origin.y()) + "px");
    style.set("width", std::to_string(rect.width()) + "px");
    style.set("height", std::to_string(rect.height()) + "px");
    switch (kind) {
    case Kind::Button:
    case Kind::Text:
        SetText(element, Utf8(name));
        break;
    case Kind::Radio:
        SetAttribute(element, "aria-label", Utf8(name));
        SetAttribute(element, "aria-checked", state.checked ? "true" : "false");
        break;
    default: {
        SetAttribute(element, "aria-label", Utf8(name));
        std::vector<val> children;
        for (int i = 0; i < iface->childCount(); ++i)
            if (QAccessibleInterface *child = iface->child(i))
                Build(child, shown, rect.topLeft(), children, seen);
        Arrange(element, children);
    }
    }
    if (kind == Kind::Button || kind == Kind::Radio)
        SetAttribute(element, "aria-disabled", state.disabled ? "true" : "false");
    out.push_back(element);
}

// Qt's hidden text field for its input method, outside the windows.
constexpr const char *QtInputSelector = "body > input[type=text]";

// Qt's own parts of a window's page element say nothing the window's element does not: the title bar
// (its caption is the window's name, its icon and buttons have none) and the contents' draggable frame.
// The same holds for the hidden text field of Qt's input method, which the game never uses.
void HideDecorations(const val &container)
{
    const val qtWindow = container.call<val>("closest", std::string(".qt-window"));
    if (qtWindow.isNull())
        return;
    val titleBar = qtWindow.call<val>("querySelector", std::string(".title-bar"));
    if (!titleBar.isNull())
        SetAttribute(titleBar, "aria-hidden", "true");
    val contents = qtWindow.call<val>("querySelector", std::string(".qt-window-contents"));
    if (!contents.isNull())
        SetAttribute(contents, "role", "none");
    val inputs = Document().call<val>("querySelectorAll", std::string(QtInputSelector));
    for (int i = 0; i < inputs["length"].as<int>(); ++i) {
        val input = inputs[i];
        SetAttribute(input, "aria-hidden", "true");
    }
}

void Tell(const QString &news)
{
    val &region = bridge().liveRegion;
    if (region.isUndefined() || news.isEmpty())
        return;
    // A new node each time: the same words said again, as "занято" twice, are news again.
    val line = Document().call<val>("createElement", std::string("p"));
    line.set("textContent", Utf8(news));
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
    const auto found = bridge().elements.constFind(QAccessible::uniqueId(iface));
    const val screen = Screen();
    if (found == bridge().elements.constEnd() || screen.isNull())
        return;
    // Qt hands the keyboard to its hidden text field when a window is activated, the question's too.
    const val active = Document()["activeElement"];
    const bool pageHasIt = active.isNull() || active.strictlyEquals(Document()["body"]) || active.strictlyEquals(screen["host"])
        || active.call<bool>("matches", std::string(QtInputSelector));
    if (!pageHasIt || screen["activeElement"].strictlyEquals(found.value()))
        return;
    val options = val::object();
    options.set("preventScroll", true);
    found.value().call<void>("focus", options);
}

void Sync()
{
    Bridge &b = bridge();
    b.syncQueued = false;
    QSet<QAccessible::Id> seen;
    bool first = true;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        val container = window->isVisible() ? ContainerOf(window) : val::null();
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(window);
        if (container.isNull() || container.isUndefined() || !iface)
            continue;
        std::vector<val> elements;
        Build(iface, iface->rect(), iface->rect().topLeft(), elements, seen, true);
        HideDecorations(container);
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
        if (first && !question) {
            // The news lives beside the game's window, from before any news is told.
            if (b.liveRegion.isUndefined()) {
                b.liveRegion = Document().call<val>("createElement", std::string("div"));
                b.liveRegion.call<void>("setAttribute", std::string("aria-live"), std::string("polite"));
            }
            elements.push_back(b.liveRegion);
            first = false;
        }
        Arrange(container, elements);
    }
    for (auto it = b.elements.begin(); it != b.elements.end();) {
        if (seen.contains(it.key())) {
            ++it;
        } else {
            it.value().call<void>("remove");
            it = b.elements.erase(it);
        }
    }
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
    const QAccessible::Id id = std::stoul(event["currentTarget"]["dataset"]["knId"].as<std::string>());
    QAccessibleInterface *iface = QAccessible::accessibleInterface(id);
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
    const QAccessible::Id id = std::stoul(event["currentTarget"]["dataset"]["knId"].as<std::string>());
    QAccessibleInterface *iface = QAccessible::accessibleInterface(id);
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

EMSCRIPTEN_BINDINGS(krestiki_page_accessibility)
{
    emscripten::function("knPressControl", &PressControl);
    emscripten::function("knKeepTab", &KeepTab);
    emscripten::function("knFocusControl", &FocusControl);
}

void InstallPageAccessibility()
{
    bridge().next = QAccessible::installUpdateHandler(&Update);
    qApp->installEventFilter(new WindowWatch(qApp));
    QueueSync();
}
