#include "PageMirror.h"

#include "PageElements.h"
#include "ui/accessibility/FocusInSight.h"

#include <QWidget>

#include <string>

using emscripten::val;

std::vector<val> PageMirror::mirror(QWidget *window)
{
    std::vector<val> elements;
    if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(window))
        build(iface, window, iface->rect().topLeft(), elements, true);
    return elements;
}

void PageMirror::sweep()
{
    for (auto it = elements_.begin(); it != elements_.end();) {
        if (seen_.contains(it.key())) {
            ++it;
        } else {
            it.value().call<void>("remove");
            it = elements_.erase(it);
        }
    }
    seen_.clear();
}

val PageMirror::elementOf(QAccessibleInterface *iface) const
{
    const auto found = elements_.constFind(QAccessible::uniqueId(iface));
    return found == elements_.constEnd() ? val::null() : found.value();
}

QAccessibleInterface *PageMirror::controlOf(const val &element)
{
    const val id = element["dataset"]["knId"];
    return id.isString() ? QAccessible::accessibleInterface(QAccessible::Id(std::stoul(id.as<std::string>()))) : nullptr;
}

// Appends to OUT the element of IFACE, or, for a container of no meaning, its children's; ORIGIN is
// where the parent element lies.
void PageMirror::build(QAccessibleInterface *iface, const QWidget *window, const QPoint &origin,
                       std::vector<val> &out, bool topLevel)
{
    const QAccessible::State state = iface->state();
    const QRect rect = iface->rect();
    if (state.invisible || !InSight(window, rect))
        return;
    PageKind kind = PageKindOf(iface);
    if (topLevel && kind != PageKind::Dialog && kind != PageKind::Alert)
        kind = PageKind::Window;
    if (kind == PageKind::Through) {
        for (int i = 0; i < iface->childCount(); ++i)
            if (QAccessibleInterface *child = iface->child(i))
                build(child, window, origin, out);
        return;
    }
    const QString name = iface->text(QAccessible::Name).trimmed();
    if (name.isEmpty())
        return;
    const QAccessible::Id id = QAccessible::uniqueId(iface);
    seen_.insert(id);
    val element = elementFor(id, kind);
    val style = element["style"];
    style.set("left", std::to_string(rect.x() - origin.x()) + "px");
    style.set("top", std::to_string(rect.y() - origin.y()) + "px");
    style.set("width", std::to_string(rect.width()) + "px");
    style.set("height", std::to_string(rect.height()) + "px");
    switch (kind) {
    case PageKind::Button:
    case PageKind::Text:
        SetText(element, name.toStdString());
        break;
    case PageKind::Radio:
        SetAttribute(element, "aria-label", name.toStdString());
        SetAttribute(element, "aria-checked", state.checked ? "true" : "false");
        break;
    default: {
        SetAttribute(element, "aria-label", name.toStdString());
        std::vector<val> children;
        for (int i = 0; i < iface->childCount(); ++i)
            if (QAccessibleInterface *child = iface->child(i))
                build(child, window, rect.topLeft(), children);
        Arrange(element, children);
    }
    }
    if (kind == PageKind::Button || kind == PageKind::Radio)
        SetAttribute(element, "aria-disabled", state.disabled ? "true" : "false");
    out.push_back(element);
}

val PageMirror::elementFor(QAccessible::Id id, PageKind kind)
{
    const auto found = elements_.constFind(id);
    if (found != elements_.constEnd())
        return found.value();
    const bool button = kind == PageKind::Button;
    val element = Document().call<val>("createElement", std::string(button ? "button" : "div"));
    // The window is an application: a screen reader passes the keys to the game, not to its reading.
    const char *role = kind == PageKind::Window ? "application" : kind == PageKind::Dialog ? "dialog"
                     : kind == PageKind::Alert  ? "alertdialog" : kind == PageKind::Group  ? "group"
                     : kind == PageKind::Radio  ? "radio"       : nullptr;
    if (role)
        element.call<void>("setAttribute", std::string("role"), std::string(role));
    if (kind == PageKind::Dialog || kind == PageKind::Alert)
        element.call<void>("setAttribute", std::string("aria-modal"), std::string("true"));
    if (button || kind == PageKind::Radio) {
        // Qt's focus chain owns Tab; the browser's focus is moved here only to follow it. The
        // handlers are PageAccessibility.cpp's.
        element.set("tabIndex", -1);
        element["dataset"].set("knId", std::to_string(id));
        element.call<void>("addEventListener", std::string("click"), val::module_property("knPressControl"));
        element.call<void>("addEventListener", std::string("keydown"), val::module_property("knKeepTab"));
        element.call<void>("addEventListener", std::string("focus"), val::module_property("knFocusControl"));
    }
    element["style"].set("position", std::string("absolute"));
    elements_.insert(id, element);
    return element;
}
