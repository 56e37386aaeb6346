#pragma once
#include <QFont>

// The windows are laid out for "MS Sans Serif" at 8 points; where it is missing the system's own dialog font
// at the same size stands in.
QFont ClassicFont();
