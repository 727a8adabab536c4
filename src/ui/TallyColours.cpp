#include "TallyColours.h"

#include "ColourContrast.h"

#include <QEvent>
#include <QLabel>

#include <utility>

TallyColours::TallyColours(QWidget *window, std::vector<Tally> tallies) : QObject(window), tallies_(std::move(tallies))
{
    applyFace(window->palette());
    window->installEventFilter(this);
}

bool TallyColours::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        applyFace(static_cast<QWidget *>(watched)->palette());
    return false;
}

void TallyColours::applyFace(const QPalette &palette)
{
    const bool dark = HasDarkFace(palette);
    for (const Tally &tally : tallies_) {
        QColor colour = tally.colour;
        if (dark && colour.hslSaturation() == 0)
            colour = palette.color(QPalette::WindowText);
        else if (dark)
            colour = LightenedToRead(colour, palette.color(QPalette::Window), ReadableContrast);
        // Only the text colour is the label's own; the rest it takes from the window as before.
        QPalette own;
        own.setColor(QPalette::WindowText, colour);
        tally.label->setPalette(own);
    }
}
