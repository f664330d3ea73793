// The navigator "NavigatorBD": the selected games as a column of game panels beside the main window.
#pragma once

#include <QWidget>

class TNavigatorForm final : public QWidget {
public:
    TNavigatorForm();
};
