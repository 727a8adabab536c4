#include "PageRoles.h"

#include <QAccessibleInterface>

namespace {

bool CanPress(QAccessibleInterface *iface)
{
    QAccessibleActionInterface *actions = iface->actionInterface();
    return actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction());
}

} // namespace

PageKind PageKindOf(QAccessibleInterface *iface)
{
    switch (iface->role()) {
    case QAccessible::Window:
        return PageKind::Window;
    case QAccessible::Dialog:
        return PageKind::Dialog;
    case QAccessible::AlertMessage:
        return PageKind::Alert;
    case QAccessible::Button:
        return PageKind::Button;
    case QAccessible::RadioButton:
        return PageKind::Radio;
    case QAccessible::StaticText:
        return PageKind::Text;
    case QAccessible::Grouping:
        return iface->text(QAccessible::Name).isEmpty() ? PageKind::Through : PageKind::Group;
    default:
        // A role of no button that is pressed all the same, as the board's cells are.
        return CanPress(iface) ? PageKind::Button : PageKind::Through;
    }
}
