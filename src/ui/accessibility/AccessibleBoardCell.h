#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class BoardPicture;

// One cell of the board for assistive technology: its place and mark as its name, focused where
// the keyboard cursor is, unavailable while the game asks, pressed like a click.
class AccessibleBoardCell : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleBoardCell(BoardPicture *board, int cell);

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    QPointer<BoardPicture> board_;
    int cell_;
};
