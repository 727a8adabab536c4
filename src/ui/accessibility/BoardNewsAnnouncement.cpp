#include "BoardNews.h"

#include "ui/BoardPicture.h"

#include <QAccessibleAnnouncementEvent>

BoardNews::BoardNews(BoardPicture *board) : board_(board) {}

void BoardNews::tell(const QString &text)
{
    QAccessibleAnnouncementEvent event(board_.data(), text);
    event.setPoliteness(politeness == Politeness::Assertive ? QAccessible::AnnouncementPoliteness::Assertive
                                                            : QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
}

void BoardNews::tellBeforeQuestion(const QString &text)
{
    // Orca 48 and later read a window as soon as they notice it, ahead of the announcement; the
    // question reads the news with its text instead.
    board_->window()->setProperty("newsBeforeQuestion", text);
}

bool BoardNews::focusedNameChangeIsHeard()
{
    return true;
}

int BoardNews::childCount() const
{
    return 0;
}

QAccessibleInterface *BoardNews::child(int) const
{
    return nullptr;
}

int BoardNews::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}
