// The letters window "Letters": the letter marks of a diagram, shown modally by the diagram window.
#pragma once

#include <QDialog>

class TFormBook final : public QDialog {
public:
    TFormBook();
};
