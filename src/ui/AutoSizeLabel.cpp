#include "AutoSizeLabel.h"

#include <QEvent>

void AutoSizeLabel::setText(const QString &text)
{
    QLabel::setText(text);
    FitToText();
}

void AutoSizeLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        FitToText();
}

void AutoSizeLabel::FitToText()
{
    resize(sizeHint());
}
