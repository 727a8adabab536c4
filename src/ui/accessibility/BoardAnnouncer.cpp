#include "BoardAnnouncer.h"

#include "AccessibleBoard.h"
#include "BoardNews.h"
#include "CellNames.h"
#include "game/OutcomeRules.h"

#include <QAccessible>
#include <QEvent>
#include <QStringList>
#include <QTimer>

#include <algorithm>

namespace {

void Notify(BoardPicture *board, QAccessible::Event type, int cell)
{
    QAccessibleEvent event(board, type);
    event.setChild(AccessibleBoard::childIndexOf(cell));
    QAccessible::updateAccessibility(&event);
}

bool GameEnds(const BoardPicture::Marks &marks)
{
    GameState state;
    state.cells = marks;
    state.moveCount = std::int32_t(std::count_if(marks.begin(), marks.end(), [](auto mark) { return mark != CellEmpty; }));
    std::u16string outcome;
    EvaluateOutcome(state, outcome);
    return !outcome.empty();
}

} // namespace

BoardAnnouncer::BoardAnnouncer(BoardPicture *board) : QObject(board), board_(board)
{
    connect(board, &BoardPicture::cursorMoved, this, &BoardAnnouncer::tellFocusedCellSoon);
    connect(board, &BoardPicture::cellPlayed, this, &BoardAnnouncer::cellPlayed);
    connect(board, &BoardPicture::marksChanged, this, &BoardAnnouncer::marksChanged);
    board->installEventFilter(this);
}

bool BoardAnnouncer::eventFilter(QObject *watched, QEvent *event)
{
    // The widget's own focus event follows this one; the cell's comes after it.
    if (event->type() == QEvent::FocusIn)
        tellFocusedCellSoon();
    return QObject::eventFilter(watched, event);
}

void BoardAnnouncer::tellFocusedCellSoon()
{
    // From the loop, or sooner where a click or a digit plays the cell it moved to: the cell is
    // then read once, with its new mark, before the computer's answer.
    if (!QAccessible::isActive() || focusPending_)
        return;
    focusPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (focusPending_)
            tellFocusedCell();
    });
}

bool BoardAnnouncer::tellFocusedCell()
{
    focusPending_ = false;
    if (!QAccessible::isActive() || !board_->hasFocus())
        return false;
    Notify(board_, QAccessible::Focus, board_->cursor().cell());
    return true;
}

void BoardAnnouncer::cellPlayed(int cell)
{
    // The game ignores a taken cell; the player must still hear why nothing happened.
    if (QAccessible::isActive() && board_->marks()[cell] != CellEmpty) {
        if (focusPending_)
            tellFocusedCell();
        tell(QStringLiteral("занято"));
    }
}

void BoardAnnouncer::marksChanged(const BoardPicture::Marks &before)
{
    if (!QAccessible::isActive())
        return;
    const BoardPicture::Marks &marks = board_->marks();
    const int cursor = board_->cursor().cell();
    int played = -1;
    int answered = -1;
    for (int cell = 0; cell < BoardCells; ++cell) {
        if (before[cell] != marks[cell] && marks[cell] == CellCross)
            played = cell;
        if (before[cell] != marks[cell] && marks[cell] == CellNought)
            answered = cell;
    }
    // The computer's answer, where it made one: the news ends with it.
    QStringList answer;
    if (answered >= 0)
        answer << QStringLiteral("Компьютер: ") + CellPlaceName(answered);
    const QString separator = QStringLiteral(". ");
    if (played >= 0 && GameEnds(marks)) {
        // The question follows at once, and the news goes before it or with it. The cells are not
        // read now: a reader would read the played one in the question's stead or beside it. Their
        // new names are told when the question has gone, with the next board.
        focusPending_ = false;
        tellBeforeQuestion((QStringList{MarkName(CellCross)} + answer).join(separator));
        return;
    }
    // A screen reader keeps the names it was told; each change keeps its copy true.
    for (int cell = 0; cell < BoardCells; ++cell)
        if (before[cell] != marks[cell])
            Notify(board_, QAccessible::NameChanged, cell);
    if (played < 0) {
        // A new board, then the cell in focus: read with the news where it is not read by itself;
        // where the focus comes back to the board afterwards, from the question, the cell is read then.
        if (focusPending_ || !board_->hasFocus()) {
            tell(QStringLiteral("Новая игра"));
            if (focusPending_)
                tellFocusedCell();
        } else {
            tell(QStringLiteral("Новая игра. ") + CellName(cursor, marks[cursor]));
        }
        return;
    }
    // The cross goes without saying where the reader reads the played cell by itself: the cursor
    // has just moved there, or the reader hears the focused cell's new name.
    const bool cursorMovedThere = focusPending_ && tellFocusedCell() && cursor == played;
    const bool heardByName = BoardNews::focusedNameChangeIsHeard() && board_->hasFocus() && cursor == played;
    const QStringList news = (cursorMovedThere || heardByName ? QStringList{} : QStringList{MarkName(CellCross)}) + answer;
    if (!news.isEmpty())
        tell(news.join(separator));
}

AccessibleBoard *BoardAnnouncer::accessibleBoard() const
{
    return static_cast<AccessibleBoard *>(QAccessible::queryAccessibleInterface(board_));
}

void BoardAnnouncer::tell(const QString &text)
{
    accessibleBoard()->tell(text);
}

void BoardAnnouncer::tellBeforeQuestion(const QString &text)
{
    accessibleBoard()->tellBeforeQuestion(text);
}
