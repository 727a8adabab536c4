#pragma once

#include "BoardNews.h"

#include <QAccessibleWidget>

#include <array>

class BoardPicture;

// The board as assistive technology sees it: a group of nine cells, read row by row. Not a table:
// a screen reader reads a table's whole row whenever the row changes, and here only the cell the
// cursor lands on is news.
class AccessibleBoard : public QAccessibleWidget {
public:
    explicit AccessibleBoard(BoardPicture *board);

    // Children run row by row; the game numbers its cells column by column.
    static int childIndexOf(int cell);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    // Tells a screen reader at once what just happened on the board.
    void tell(const QString &text) { news_.tell(text); }
    void tellBeforeQuestion(const QString &text) { news_.tellBeforeQuestion(text); }

private:
    BoardPicture *board() const;
    QAccessibleInterface *cellAt(int cell) const;

    // Made when first asked for and kept, so that a cell keeps its identity on the bus. Qt's cache
    // owns them and deletes them at exit: an interface that deleted others from its destructor
    // would change the cache while Qt tears it down.
    mutable std::array<QAccessible::Id, 9> cells_{};
    BoardNews news_;
};
