#pragma once

#include <QString>

// The family for the window's texts: Tahoma if the system has it, else a Tahoma the program
// registers itself (on Linux, Wine's regular one, bold emboldened from it), else the system's sans face.
QString WindowFontFamily();
