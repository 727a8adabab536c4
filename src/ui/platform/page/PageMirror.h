#pragma once

#include "PageRoles.h"

#include <QAccessible>
#include <QHash>
#include <QPoint>
#include <QSet>

#include <emscripten/val.h>

#include <vector>

class QWidget;

// The page's copy of Qt's accessibility tree: an element for each control a screen reader would
// meet, with its role, name and state, placed over the control, in reading order. An element is
// made once and kept while its control is there, so that the browser's focus and a screen reader's
// place on it survive each synchronisation. What the window does not show has no element.
class PageMirror {
public:
    // The elements of WINDOW's tree, for its accessibility container.
    std::vector<emscripten::val> mirror(QWidget *window);
    // Removes the elements of the controls that no mirror() has met since the last sweep().
    void sweep();
    // The element of a control, or null where it has none.
    emscripten::val elementOf(QAccessibleInterface *iface) const;
    // The control an element of the mirror stands for, or null where it is gone.
    static QAccessibleInterface *controlOf(const emscripten::val &element);

private:
    void build(QAccessibleInterface *iface, const QWidget *window, const QPoint &origin,
               std::vector<emscripten::val> &out, bool topLevel = false);
    emscripten::val elementFor(QAccessible::Id id, PageKind kind);

    QHash<QAccessible::Id, emscripten::val> elements_;
    QSet<QAccessible::Id> seen_;
};
