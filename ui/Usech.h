// The diagram window "Generation of truncated diagrams": cut-down boards of the selected games.
#pragma once

#include <QWidget>

class TUsechForm final : public QWidget {
public:
    TUsechForm();
};
