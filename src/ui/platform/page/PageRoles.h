#pragma once

class QAccessibleInterface;

// What a control of Qt's accessibility tree is to the page. Frames and other containers without a
// name of their own pass through: their children go to their parent's element.
enum class PageKind { Through, Window, Dialog, Alert, Group, Button, Radio, Text };

// Sorted by role, never by what the control can do at the moment: a disabled push button, which Qt
// gives no press action, is still a button, there as unavailable.
PageKind PageKindOf(QAccessibleInterface *iface);
