#include "AccessibleLabel.h"

#include <QLabel>

AccessibleLabel::AccessibleLabel(QLabel *label, Namer namer)
    : QAccessibleWidget(label, QAccessible::StaticText), namer_(std::move(namer))
{
}

QString AccessibleLabel::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name)
        return namer_(static_cast<const QLabel *>(widget())->text());
    return QAccessibleWidget::text(type);
}
