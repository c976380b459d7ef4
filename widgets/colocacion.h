#pragma once

class QWidget;

// Where windows open: every window of the program opens inside the screen's free area (the part
// the desktop's panels leave), no larger than it, and the ones without a place of their own
// centred over the window that opened them. A screen of 1280×720 with a panel, or 1920×1080 at
// 150 %, is smaller than some windows' natural size.
namespace colocacion {
// Watches the windows the application shows from now on; once is enough.
void instala();
// Sizes and moves one window into its screen now (the watcher calls it on a window's first show).
void coloca(QWidget *ventana);
} // namespace colocacion
