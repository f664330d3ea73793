// The About box.
#pragma once

#include <QDialog>

class TAboutDialog final : public QDialog {
public:
    TAboutDialog();

protected:
    void showEvent(QShowEvent* event) override;
};
