#include "ui/CheckGamesDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>

#include "rules/RuleSettings.h"

TCheckGamesDialog::TCheckGamesDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CheckGamesForm"));
    setWindowTitle(QStringLiteral("Check Games"));
    gamesLabel = new QLabel(this);
    gamesLabel->setObjectName(QStringLiteral("CheckGamesWhat"));
    wonWithoutFiveBox = new QCheckBox(QStringLiteral("List games won without five (apart)"), this);
    wonWithoutFiveBox->setObjectName(QStringLiteral("cbWonWithoutFive"));
    missedVcfBox = new QCheckBox(QStringLiteral("Search missed VCFs within"), this);
    missedVcfBox->setObjectName(QStringLiteral("cbMissedVcf"));
    missedVcfLength = new QSpinBox(this);
    missedVcfLength->setObjectName(QStringLiteral("seMissedVcfLength"));
    missedVcfLength->setRange(kalvon::VcfLengthRange.Min, kalvon::VcfLengthRange.Max);
    missedVcfLength->setSuffix(QStringLiteral(" moves"));
    missedVcfLength->setEnabled(false);
    okButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("BitBtn1"));
    okButton->setDefault(true);
    cancelButton =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("BitBtn2"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(gamesLabel, 0, 0, 1, 2);
    grid->addWidget(wonWithoutFiveBox, 1, 0, 1, 2);
    grid->addWidget(missedVcfBox, 2, 0);
    grid->addWidget(missedVcfLength, 2, 1);
    auto* note = new QLabel(QStringLiteral("Nothing in the base is changed; the games with findings "
                                           "become the Listing."),
                            this);
    note->setWordWrap(true);
    grid->addWidget(note, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(missedVcfBox, &QCheckBox::toggled, missedVcfLength, &QSpinBox::setEnabled);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TCheckGamesDialog::Prepare(size_t listed, size_t inBase, int vcfLength) {
    const QLocale locale;
    gamesLabel->setText(listed > 0
                            ? QStringLiteral("The %1 games of the Listing are checked.")
                                  .arg(locale.toString(qulonglong(listed)))
                            : QStringLiteral("The Listing is empty: the whole base (%1 games) is checked.")
                                  .arg(locale.toString(qulonglong(inBase))));
    missedVcfLength->setValue(vcfLength);
}

kalvon::TCheckOptions TCheckGamesDialog::Options(kalvon::TRule gomokuRule) const {
    kalvon::TCheckOptions options;
    options.GomokuRule = gomokuRule;
    options.WonWithoutFive = wonWithoutFiveBox->isChecked();
    options.MissedVcfLength = missedVcfBox->isChecked() ? missedVcfLength->value() : 0;
    return options;
}
