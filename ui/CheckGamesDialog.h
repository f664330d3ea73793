// The options of "Check Games", asked before the check starts: whether finished games won without
// a winning row are listed (apart), and whether missed VCFs are searched, up to which length.
#pragma once

#include <QDialog>
#include <cstddef>

#include "rules/GameCheck.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

class TCheckGamesDialog final : public QDialog {
    Q_OBJECT
public:
    explicit TCheckGamesDialog(QWidget* parent);

    // Says which games the check covers (the listed ones, or the whole base when none is listed)
    // and puts the length limit of the settings into the missed-VCF field; the boxes keep their
    // state from the last check (both off at first).
    void Prepare(size_t listed, size_t inBase, int vcfLength);
    // The options as the fields give them; each game is checked under its own rule, a game not
    // started at the centre under gomokuRule.
    kalvon::TCheckOptions Options(kalvon::TRule gomokuRule) const;

private:
    QLabel* gamesLabel;
    QCheckBox* wonWithoutFiveBox;
    QCheckBox* missedVcfBox;
    QSpinBox* missedVcfLength;
    QPushButton* okButton;
    QPushButton* cancelButton;
};
