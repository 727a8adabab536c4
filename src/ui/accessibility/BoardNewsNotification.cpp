#include "BoardNews.h"

#include "AccessibleBoardNews.h"
#include "ui/BoardPicture.h"

BoardNews::BoardNews(BoardPicture *board) : board_(board) {}

void BoardNews::tell(const QString &text)
{
    static_cast<AccessibleBoardNews *>(child(0))->tell(text);
}

void BoardNews::tellBeforeQuestion(const QString &text)
{
    // Orca 43 speaks a notification before it turns to a window that appears after it.
    tell(text);
}

bool BoardNews::focusedNameChangeIsHeard()
{
    return false;
}

int BoardNews::childCount() const
{
    return 1;
}

QAccessibleInterface *BoardNews::child(int index) const
{
    if (index != 0)
        return nullptr;
    QAccessibleInterface *line = line_ ? QAccessible::accessibleInterface(line_) : nullptr;
    if (!line) {
        line = new AccessibleBoardNews(board_);
        line_ = QAccessible::registerAccessibleInterface(line);
    }
    return line;
}

int BoardNews::indexOfChild(const QAccessibleInterface *child) const
{
    return line_ && child == QAccessible::accessibleInterface(line_) ? 0 : -1;
}
