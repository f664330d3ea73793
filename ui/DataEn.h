// The game entry dialog "SaveForm": players, year, board code, result and alternative of the game on the
// board.
#pragma once

#include <QDialog>

class TSaveForm final : public QDialog {
public:
    TSaveForm();
};
