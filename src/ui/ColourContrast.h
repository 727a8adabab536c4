#pragma once

#include <QColor>

class QPalette;

// Contrast between two colours as accessibility guidelines measure it: 1 for equal colours, 21 for
// black on white; text wants 4.5 or more.
double ContrastRatio(const QColor &first, const QColor &second);

// A dark face: the window's text is lighter than the window itself, as under a dark or an inverse
// high-contrast style, or the desktop's dark colour scheme.
bool HasDarkFace(const QPalette &palette);

// The colour with its hue and saturation kept, made just light enough to read at the given
// contrast on a darker face; white where nothing lighter does.
QColor LightenedToRead(const QColor &colour, const QColor &face, double contrast);
