#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class BoardPicture;

// What just happened on the board, for a screen reader to speak at once where Qt has no
// announcement: a notification that is shown for the moment it is told and hidden otherwise, so
// nobody meets it while exploring. It sits in a news line of the board's own, a status bar, so that
// it is read without its role's name.
class AccessibleBoardNews : public QAccessibleInterface {
public:
    explicit AccessibleBoardNews(BoardPicture *board);

    // Told by the news line, through its message.
    void tell(const QString &text);

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    AccessibleBoardNews(BoardPicture *board, bool isMessage);
    AccessibleBoardNews *message() const;

    QPointer<BoardPicture> board_;
    bool isMessage_ = false;
    QAccessible::Id message_ = 0;  // the line's message
    QString text_;
    bool shown_ = false;
};
