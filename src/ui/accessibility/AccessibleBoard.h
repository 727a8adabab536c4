#pragma once

#include <QAccessibleWidget>

#include <array>

class AccessibleBoardCell;
class BoardPicture;

// The board as assistive technology sees it: a three-by-three table of cells, read row by row,
// with the computer's last answer as its description.
class AccessibleBoard : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleBoard(BoardPicture *board);
    ~AccessibleBoard() override;

    // Children run row by row; the game numbers its cells column by column.
    static int childIndexOf(int cell);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    BoardPicture *board() const;

    // Made when first asked for and kept, so that a cell keeps its identity on the bus.
    mutable std::array<AccessibleBoardCell *, 9> cells_{};
};
