#pragma once

#include <QFont>

// The system's fixed-pitch font at the size of the rest of the window, for the columns of
// numbers (" 3-11-17-25-30-41") that must line up from one row to the next.
QFont letraFija(bool negrita = false);
