#include "EtchedFrames.h"

#include "ColourContrast.h"

#include <QEvent>
#include <QFrame>
#include <QPainter>
#include <qdrawutil.h>

EtchedFrames::EtchedFrames(std::initializer_list<QFrame *> frames, QObject *parent) : QObject(parent)
{
    for (QFrame *frame : frames)
        frame->installEventFilter(this);
}

bool EtchedFrames::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint)
        return false;
    auto *frame = static_cast<QFrame *>(watched);
    QPalette shades = frame->palette();
    if (HasDarkFace(shades)) {
        // The shadow line, and a light one a third of the way from the face to the text.
        const QColor face = shades.color(QPalette::Window), text = shades.color(QPalette::WindowText);
        shades.setColor(QPalette::Dark, shades.color(QPalette::Shadow));
        shades.setColor(QPalette::Light, QColor::fromRgbF((2 * face.redF() + text.redF()) / 3,
                                                          (2 * face.greenF() + text.greenF()) / 3,
                                                          (2 * face.blueF() + text.blueF()) / 3));
    }
    QPainter painter(frame);
    qDrawShadeRect(&painter, frame->frameRect(), shades, frame->frameShadow() == QFrame::Sunken, frame->lineWidth(),
                   frame->midLineWidth());
    return true;
}
