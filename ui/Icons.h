// The pictures of the program: its icon and the pictures of the tool buttons and menu items,
// drawn at run time so that no image files have to be found.
#pragma once

#include <QIcon>

enum class TToolPicture {
    InStart,
    MoveBack,
    MoveUp,
    InEnd,
    EditMode,
    ReflectUpDown,
    TurnClockwise,
    TurnAnticlockwise,
    ReflectLeftRight,
    ClearBoard,
    Numeration,
    Statistic,
    Query,
    Navigator,
    Listing,
    Adjustment,
};

// A small board with a black and a white stone.
QIcon ProgramIcon();
QIcon ToolPicture(TToolPicture picture);
