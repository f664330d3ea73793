#include "ui/SettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>

#include "base/TextPolicy.h"
#include "ui/DialogService.h"
#include "ui/RuleSettingsBox.h"
#include "ui/Session.h"
#include "ui/ShownText.h"
#include "ui/WindowPlacement.h"

namespace {

QSpinBox* NumberField(QWidget* parent, const char* name, kalvon::TSettingRange range, int value) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(QLatin1String(name));
    field->setRange(range.Min, range.Max);
    field->setSingleStep(range.Step);
    field->setValue(value);
    // A value typed out of range is brought into it when the field loses the focus.
    field->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return field;
}

}  // namespace

TSettingsDialog::TSettingsDialog(TSession& session) : QWidget(nullptr), Session_(session) {
    setObjectName(QStringLiteral("FormT"));
    setWindowTitle(QStringLiteral("Adjustment"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, false);

    cbFontMove = new QComboBox(this);
    cbFontMove->setObjectName(QStringLiteral("cbFontMove"));
    cbFontMove->setEditable(true);
    cbFontMove->setInsertPolicy(QComboBox::NoInsert);
    cbFontMove->setEditText(QLatin1String(DefaultFace));
    cbFontMove->setMinimumWidth(180);
    seSizeMove = NumberField(this, "seSizeMove", kalvon::FontSizeRange, DefaultFontSize);
    boldBox = new QCheckBox(QStringLiteral("Bold"), this);
    boldBox->setObjectName(QStringLiteral("cb1"));
    italicBox = new QCheckBox(QStringLiteral("Italic"), this);
    italicBox->setObjectName(QStringLiteral("cb2"));
    seRound = NumberField(this, "seRound", kalvon::DiameterRange, DefaultMoveDiameter);
    seLengthMemo = NumberField(this, "seLengthMemo", kalvon::MemoLengthRange, DefaultMemoLength);
    // The code pages that keep ASCII as ASCII, as a base needs.
    cbCodePage = new QComboBox(this);
    cbCodePage->setObjectName(QStringLiteral("cbCodePage"));
    for (const char* name :
         {"windows-1251", "windows-1252", "windows-1250", "windows-1257", "UTF-8", "KOI8-R", "KOI8-U",
          "IBM866", "ISO-8859-1", "ISO-8859-2", "ISO-8859-5", "ISO-8859-15"}) {
        try {
            const kalvon::TTextPolicy probe(name, "");
            cbCodePage->addItem(QLatin1String(name));
        } catch (const std::exception&) {
        }
    }
    okButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("BitBtn1"));
    okButton->setDefault(true);
    cancelButton =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("BitBtn2"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Name of font"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Size"), this), 0, 1);
    grid->addWidget(cbFontMove, 1, 0);
    grid->addWidget(seSizeMove, 1, 1);
    auto* styles = new QHBoxLayout;
    styles->addWidget(boldBox);
    styles->addWidget(italicBox);
    styles->addStretch();
    grid->addLayout(styles, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Diameter of move"), this), 3, 0);
    grid->addWidget(seRound, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Size of a memo of statistics"), this), 4, 0);
    grid->addWidget(seLengthMemo, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Code page of bases"), this), 5, 0);
    grid->addWidget(cbCodePage, 5, 1);
    auto* codePageNote =
        new QLabel(QStringLiteral("A new code page applies from the next load of a base."), this);
    codePageNote->setObjectName(QStringLiteral("CodePageNote"));
    grid->addWidget(codePageNote, 6, 0, 1, 2);
    // The rules: the forbidden points' marks and the VCF length.
    ruleSettings = new TRuleSettingsBox(this);
    grid->addWidget(ruleSettings, 7, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 8, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton, &QPushButton::clicked, this, &TSettingsDialog::AcceptSettings);
    // Escape closes the window as Cancel does.
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &TSettingsDialog::Cancel);
    connect(cancelButton, &QPushButton::clicked, this, &TSettingsDialog::Cancel);
    // The memo width in force is the memo field's value, whichever button closes the dialog.
    connect(seLengthMemo, &QSpinBox::valueChanged, &Session_, &TSession::SetMemoLength);
}

kalvon::TDisplaySettings TSettingsDialog::Fields() const {
    kalvon::TDisplaySettings fields;
    // A face the code page cannot hold is refused by OK before it gets here.
    fields.FontMove =
        kalvon::TextPolicy().FromUtf8(cbFontMove->currentText().toStdString()).value_or(std::string());
    fields.FontSize = seSizeMove->value();
    fields.Bold = boldBox->isChecked();
    fields.Italic = italicBox->isChecked();
    fields.DiameterMoves = seRound->value();
    fields.LengthMemo = seLengthMemo->value();
    return fields;
}

void TSettingsDialog::SetFields(const kalvon::TDisplaySettings& settings) {
    cbFontMove->setEditText(QString::fromStdString(kalvon::TextPolicy().ToUtf8(settings.FontMove)));
    seSizeMove->setValue(settings.FontSize);
    boldBox->setChecked(settings.Bold);
    italicBox->setChecked(settings.Italic);
    seRound->setValue(settings.DiameterMoves);
    seLengthMemo->setValue(settings.LengthMemo);
}

void TSettingsDialog::showEvent(QShowEvent*) {
    if (!Centred_) {
        Centred_ = true;
        adjustSize();
        CentreOnScreen(*this);
    }
    FormShow();
}

void TSettingsDialog::FormShow() {
    const QString face = cbFontMove->currentText();
    cbFontMove->clear();
    cbFontMove->addItems(QFontDatabase::families());
    cbFontMove->setEditText(face);

    kalvon::TDisplaySettings settings = Fields();
    const bool clean = Session_.ReadDisplaySettings(settings);
    SetFields(settings);
    const QString codePage = QString::fromStdString(Session_.SettingsCodePage());
    if (cbCodePage->findText(codePage, Qt::MatchFixedString) < 0) cbCodePage->addItem(codePage);
    cbCodePage->setCurrentIndex(cbCodePage->findText(codePage, Qt::MatchFixedString));
    ruleSettings->Load(Session_.Settings().ParameterList);
    if (!clean) Dialogs().Warning(this, EngineText(Session_.SettingsReadProblem(settings)));
    ApplySettings();
}

void TSettingsDialog::ApplySettings() {
    QFont font;
    font.setFamily(cbFontMove->currentText());
    font.setPointSize(seSizeMove->value());
    font.setBold(boldBox->isChecked());
    font.setItalic(italicBox->isChecked());
    Session_.ApplySettings(font, seRound->value());
}

void TSettingsDialog::AcceptSettings() {
    const kalvon::TTextPolicy& policy = kalvon::TextPolicy();
    if (!policy.FromUtf8(cbFontMove->currentText().toStdString())) {
        Dialogs().Warning(this,
                          QStringLiteral("The font name \"%1\" cannot be written in the code page %2 of the "
                                         "settings file. Choose another font.")
                              .arg(cbFontMove->currentText(), QString::fromStdString(policy.CodePage())));
        return;
    }
    ApplySettings();
    Session_.StoreSettings(Fields());
    Session_.StoreCodePage(cbCodePage->currentText().toStdString());
    ruleSettings->Store(Session_);
    hide();
    emit Accepted();
}

void TSettingsDialog::Cancel() {
    const TSettingsState& inForce = Session_.Settings();
    cbFontMove->setEditText(inForce.MoveFont.family());
    seSizeMove->setValue(inForce.MoveFont.pointSize());
    seRound->setValue(inForce.MoveDiameter);
    hide();
    emit Cancelled();
}
