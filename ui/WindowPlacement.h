// Where the windows open: centred on the primary screen's available area. Without a screen a window
// stays where it is.
#pragma once

#include <QSize>

class QWidget;

// Moves the window so that the point (width / 2, height / 2) of a window of that size lies on the
// centre of the screen's available area.
void CentreOnScreen(QWidget& window, QSize size);
// Moves the window so that the centre of its own rectangle lies on the centre of the screen's
// available area. That centre is ((width - 1) / 2, (height - 1) / 2): for an even width or height
// the window opens a pixel further right or lower than by its size.
void CentreOnScreen(QWidget& window);
