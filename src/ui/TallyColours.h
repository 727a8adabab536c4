#pragma once

#include <QColor>
#include <QObject>

#include <vector>

class QLabel;
class QPalette;
class QWidget;

// Colours the tallies after the window's face. On a light face each keeps the colour it is given.
// On a dark one each keeps its hue, made light enough to read, and a grey one takes the window's
// text colour, so wins stay green and losses red where the given shades would vanish. The colours
// follow the window's palette whenever it changes, as with the desktop's colour scheme.
class TallyColours : public QObject {
    Q_OBJECT

public:
    struct Tally {
        QLabel *label;
        QColor colour;
    };

    TallyColours(QWidget *window, std::vector<Tally> tallies);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Above the 4.5 that text needs: a style may paint a group's face a shade lighter than the window.
    static constexpr double ReadableContrast = 5.0;

    void applyFace(const QPalette &palette);

    std::vector<Tally> tallies_;
};
