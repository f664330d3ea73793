// The About box.
#pragma once

#include <QDialog>
#include <QList>

class QFrame;
class QLabel;
class QPushButton;

class TAboutDialog final : public QDialog {
public:
    TAboutDialog();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void LayOut();
    void Connect();

    QFrame* panel;
    QLabel* programIcon;
    // The lines' captions and values, in the box's order.
    QList<QLabel*> captions;
    QList<QLabel*> values;
    QPushButton* okButton;
};
