// The navigator "NavigatorBD": the selected games as a column of game panels beside the main window.
#pragma once

#include <QWidget>

class TNavigatorForm final : public QWidget {
public:
    TNavigatorForm();

    // Rebuilds the column of game panels from the Listing, the game at Listing position first (1-based)
    // at the top and the scroll bar at position.
    void DrawPanels(int first, int position);
};
