#pragma once

#include <QString>

// The family for the window's texts: Tahoma if the system has it, else Wine's Tahoma registered
// from its files, else the system's sans face.
QString WindowFontFamily();
