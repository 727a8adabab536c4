#pragma once

#include <QString>

// The family for the window's texts: Tahoma if the system has it, else Wine's regular Tahoma
// registered from its file (bold emboldened from it), else the system's sans face.
QString WindowFontFamily();
