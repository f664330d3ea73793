// The About box.
#pragma once

#include <QDialog>

class TAboutBox final : public QDialog {
public:
    TAboutBox();

protected:
    void showEvent(QShowEvent* event) override;
};
