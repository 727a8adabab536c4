#pragma once

#include <QAccessibleWidget>

#include <array>

class AccessibleBoardCell;
class AccessibleBoardNews;
class BoardPicture;

// The board as assistive technology sees it: a group of nine cells, read row by row. Not a table:
// a screen reader reads a table's whole row whenever the row changes, and here only the cell the
// cursor lands on is news.
class AccessibleBoard : public QAccessibleWidget {
public:
    explicit AccessibleBoard(BoardPicture *board);
    ~AccessibleBoard() override;

    // Children run row by row; the game numbers its cells column by column.
    static int childIndexOf(int cell);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    AccessibleBoardNews *news() const;

private:
    BoardPicture *board() const;

    // Made when first asked for and kept, so that a cell keeps its identity on the bus.
    mutable std::array<AccessibleBoardCell *, 9> cells_{};
    mutable AccessibleBoardNews *news_ = nullptr;
};
