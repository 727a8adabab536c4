#include "BoardAnnouncer.h"

#include "AccessibleBoard.h"
#include "AccessibleBoardNews.h"
#include "CellNames.h"

#include <QAccessible>
#include <QEvent>
#include <QTimer>

namespace {

void Notify(BoardPicture *board, QAccessible::Event type, int cell)
{
    QAccessibleEvent event(board, type);
    event.setChild(AccessibleBoard::childIndexOf(cell));
    QAccessible::updateAccessibility(&event);
}

} // namespace

BoardAnnouncer::BoardAnnouncer(BoardPicture *board) : QObject(board), board_(board)
{
    connect(board, &BoardPicture::cursorMoved, this, &BoardAnnouncer::tellFocusedCell);
    connect(board, &BoardPicture::cellPlayed, this, &BoardAnnouncer::cellPlayed);
    connect(board, &BoardPicture::marksChanged, this, &BoardAnnouncer::marksChanged);
    board->installEventFilter(this);
}

bool BoardAnnouncer::eventFilter(QObject *watched, QEvent *event)
{
    // The widget's own focus event follows this one; the cell's comes after it, from the loop.
    if (event->type() == QEvent::FocusIn && QAccessible::isActive())
        QTimer::singleShot(0, this, &BoardAnnouncer::tellFocusedCell);
    return QObject::eventFilter(watched, event);
}

void BoardAnnouncer::tellFocusedCell()
{
    if (QAccessible::isActive() && board_->hasFocus())
        Notify(board_, QAccessible::Focus, board_->cursor().cell());
}

void BoardAnnouncer::cellPlayed(int cell)
{
    // The game ignores a taken cell; the player must still hear why nothing happened.
    if (QAccessible::isActive() && board_->marks()[cell] != CellEmpty)
        tell(QStringLiteral("занято"));
}

void BoardAnnouncer::marksChanged(const BoardPicture::Marks &before)
{
    if (!QAccessible::isActive())
        return;
    const BoardPicture::Marks &marks = board_->marks();
    int played = -1;
    int answered = -1;
    for (int cell = 0; cell < BoardCells; ++cell) {
        if (before[cell] == marks[cell])
            continue;
        // A screen reader keeps the names it was told; each change keeps its copy true.
        Notify(board_, QAccessible::NameChanged, cell);
        if (marks[cell] == CellCross)
            played = cell;
        if (marks[cell] == CellNought)
            answered = cell;
    }
    if (played < 0) {
        // A new board. Where the board keeps the focus its cell is read with it; where the focus
        // comes back to the board afterwards, from the question, the cell is read then.
        QString news = QStringLiteral("Новая игра");
        if (board_->hasFocus())
            news += QStringLiteral(". ") + CellName(board_->cursor().cell(), marks[board_->cursor().cell()]);
        tell(news);
        return;
    }
    QString news = MarkName(CellCross);
    if (answered >= 0)
        news += QStringLiteral(". Компьютер: ") + CellPlaceName(answered);
    tell(news);
}

void BoardAnnouncer::tell(const QString &text)
{
    static_cast<AccessibleBoard *>(QAccessible::queryAccessibleInterface(board_))->news()->tell(text);
}
