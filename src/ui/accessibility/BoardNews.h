#pragma once

#include <QAccessible>
#include <QPointer>

class BoardPicture;

// The one way news of the board reaches a screen reader at once. Qt 6.8 and later announce it
// through the board itself; an older Qt has no announcement, and the news is shown as a
// notification in a news line under the board. The build compiles the one this Qt has.
class BoardNews {
public:
    explicit BoardNews(BoardPicture *board);

    // How the news takes its turn with what a screen reader is saying, on a desktop and in a web
    // page alike. Polite: after it, so that the played cell's reading is heard whole, then the
    // computer's answer. Qt's announcement carries it and a page's live region is made with it;
    // the notification of a Qt without announcements has none to carry.
    enum class Politeness { Polite, Assertive };
    static constexpr Politeness politeness = Politeness::Polite;

    void tell(const QString &text);
    // News of the move that ends the game. The play-again question follows at once, and a screen
    // reader may read it first; where the question can carry the news, it is read with its text.
    void tellBeforeQuestion(const QString &text);
    // Whether a screen reader hears the focused cell's name change by itself. Qt 6.4 sends the
    // change without its text, so Orca cannot speak it; later Qt's changes are spoken.
    static bool focusedNameChangeIsHeard();

    // The objects the news needs under the board, after its cells.
    int childCount() const;
    QAccessibleInterface *child(int index) const;
    int indexOfChild(const QAccessibleInterface *child) const;

private:
    QPointer<BoardPicture> board_;
    // The news line, where there is one; the announcing build has none, which Clang would warn of.
    [[maybe_unused]] mutable QAccessible::Id line_ = 0;
};
