// Where the windows open and how large the main window grows: centred on the primary screen's
// available area, and kept inside the available area of their screen. Without a screen a window
// stays where it is.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

// The main window's outer size with the board at that move diameter and the statistics memo of that
// width beside it: the board area's width plus the memo's, and the board's height plus the menu, the
// tool bar and the status line.
QSize MainWindowOuterSize(int diameter, int memoLength);
// The largest move diameter of the settings' range whose main window (with that memo) fits into room;
// nullopt when not even the smallest fits.
std::optional<int> LargestFittingDiameter(QRect room, int memoLength);

// The top-left corner that puts the window's outer rectangle inside room: its own corner where it
// fits, else moved in just far enough; a window wider or taller than room keeps room's left or top
// edge, so that its title bar and its top-left part stay reachable.
QPoint PlaceWithin(QRect room, QRect window);

// Moves the window so that the point (width / 2, height / 2) of a window of that size lies on the
// centre of the screen's available area, its top-left kept on that area.
void CentreOnScreen(QWidget& window, QSize size);
// Moves the window so that the centre of its own rectangle lies on the centre of the screen's
// available area. That centre is ((width - 1) / 2, (height - 1) / 2): for an even width or height
// the window opens a pixel further right or lower than by its size.
void CentreOnScreen(QWidget& window);
// Moves the window, frame and all, inside the available area of the screen it is on (PlaceWithin);
// a window that lies inside already stays where it is.
void KeepOnScreen(QWidget& window);
// From now on every change of the window's size that would put part of it off its screen's available
// area moves it back inside (KeepOnScreen); moves the user makes are left alone.
void KeepOnScreenWhenResized(QWidget& window);
