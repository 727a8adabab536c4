#pragma once

#include <emscripten/val.h>

class QWidget;

// Where Qt keeps its windows in the page. Qt's browser platform plugin builds these elements and
// names them as it likes; this is the one place that knows their names, and it says in the
// browser's console (category krestiki.page), once, when a shown window's are not found, so that a
// Qt that has moved them says so instead of leaving the page silently without a screen reader's view.

// The shadow root that holds Qt's windows, or null.
emscripten::val QtScreen();

// The element that takes WINDOW's accessibility elements, or null.
emscripten::val QtAccessibilityContainerOf(const QWidget *window);

// Hides from a screen reader what Qt adds to a window's element and says nothing the window's own
// elements do not: its title bar, its contents' frame, and the hidden text field of its input method.
void HideQtDecorations(const emscripten::val &container);

// Whether ELEMENT is that hidden text field, which Qt hands the keyboard when a window is activated.
bool IsQtInputField(const emscripten::val &element);
