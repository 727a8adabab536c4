#pragma once

#include <QAccessibleWidget>

#include <functional>

class QLabel;

// A label whose caption alone does not say what it means: its name is built from the caption,
// so it follows every change of it.
class AccessibleLabel : public QAccessibleWidget {
public:
    using Namer = std::function<QString(const QString &caption)>;

    AccessibleLabel(QLabel *label, Namer namer);

    QString text(QAccessible::Text type) const override;

private:
    Namer namer_;
};
