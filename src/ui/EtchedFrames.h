#pragma once

#include <QObject>

#include <initializer_list>

class QFrame;

// Draws the given frames itself, as etched frames in the palette's shades, whatever the style: some
// styles draw no sunken box at all. On a dark face the palette's light and dark shades differ too
// little from the face to show, so the frame is drawn in the shadow colour and a lighter line.
class EtchedFrames : public QObject {
    Q_OBJECT

public:
    EtchedFrames(std::initializer_list<QFrame *> frames, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
