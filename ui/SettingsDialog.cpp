#include "ui/SettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>
#include <initializer_list>

#include "base/BaseGenerations.h"
#include "base/SettingsFile.h"
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
    CreateControls();
    LayOut();
    Connect();
}

void TSettingsDialog::CreateControls() {
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
    seGenerations =
        NumberField(this, "seGenerations", kalvon::BackupGenerationsRange, kalvon::DefaultBackupGenerations);
    seGenerations->setToolTip(
        QStringLiteral("Each save keeps the file it replaces as NAME.bdt.bak, the "
                       "earlier ones as NAME.bdt.bak2, .bak3, ..."));
    // The rules: the forbidden points' marks and the VCF length.
    ruleSettings = new TRuleSettingsBox(this);
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
    // Said when the board at the chosen diameter would not fit the screen, with the largest that does.
    fitNote = new QLabel(this);
    fitNote->setObjectName(QStringLiteral("FitNote"));
    fitNote->setWordWrap(true);
    fitButton = new QPushButton(this);
    fitButton->setObjectName(QStringLiteral("FitButton"));
    for (QWidget* offer : std::initializer_list<QWidget*>{fitNote, fitButton}) offer->hide();
}

void TSettingsDialog::LayOut() {
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
    // The note on the screen's room under the caption, its offer under the field.
    auto* diameterCaption = new QVBoxLayout;
    diameterCaption->addWidget(new QLabel(QStringLiteral("Diameter of move"), this));
    diameterCaption->addWidget(fitNote);
    grid->addLayout(diameterCaption, 3, 0);
    auto* diameterField = new QVBoxLayout;
    diameterField->addWidget(seRound);
    diameterField->addWidget(fitButton);
    grid->addLayout(diameterField, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Size of a memo of statistics"), this), 4, 0);
    grid->addWidget(seLengthMemo, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Code page of bases"), this), 5, 0);
    grid->addWidget(cbCodePage, 5, 1);
    auto* codePageNote =
        new QLabel(QStringLiteral("A new code page applies from the next load of a base."), this);
    codePageNote->setObjectName(QStringLiteral("CodePageNote"));
    grid->addWidget(codePageNote, 6, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Earlier files kept of each base"), this), 7, 0);
    grid->addWidget(seGenerations, 7, 1);
    grid->addWidget(ruleSettings, 8, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 9, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(seRound, fitButton);
}

void TSettingsDialog::Connect() {
    connect(okButton, &QPushButton::clicked, this, &TSettingsDialog::AcceptSettings);
    // Escape closes the window as Cancel does.
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &TSettingsDialog::Cancel);
    connect(cancelButton, &QPushButton::clicked, this, &TSettingsDialog::Cancel);
    // The memo width in force is the memo field's value, whichever button closes the dialog.
    connect(seLengthMemo, &QSpinBox::valueChanged, &Session_, &TSession::SetMemoLength);
    // The board's fit is told as soon as a diameter or a memo width is chosen.
    connect(seRound, &QSpinBox::valueChanged, this, &TSettingsDialog::TellFit);
    connect(seLengthMemo, &QSpinBox::valueChanged, this, &TSettingsDialog::TellFit);
    connect(fitButton, &QPushButton::clicked, this, [this] {
        if (FittingDiameter_) seRound->setValue(*FittingDiameter_);
        seRound->setFocus();
    });
}

QRect TSettingsDialog::ScreenRoom() const {
    QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? shown->availableGeometry() : QRect();
}

void TSettingsDialog::TellFit() {
    const QRect room = ScreenRoom();
    const std::optional<int> fitting = LargestFittingDiameter(room, seLengthMemo->value());
    const bool fits = room.isEmpty() || (fitting && *fitting >= seRound->value());
    if (!fits) {
        const QSize outer = MainWindowOuterSize(seRound->value(), seLengthMemo->value());
        const QString sizes = QStringLiteral(
                                  "Too large for this screen: the main window would be %1 \u00d7 %2 "
                                  "pixels, the screen has %3 \u00d7 %4.")
                                  .arg(outer.width())
                                  .arg(outer.height())
                                  .arg(room.width())
                                  .arg(room.height());
        fitNote->setText(
            fitting ? QStringLiteral("%1 The largest diameter that fits is %2.").arg(sizes).arg(*fitting)
                    : QStringLiteral("%1 Not even the smallest diameter fits.").arg(sizes));
        fitButton->setText(fitting ? QStringLiteral("&Use %1").arg(*fitting) : QString());
        FittingDiameter_ = fitting;
    }
    fitNote->setVisible(!fits);
    fitButton->setVisible(!fits && fitting);
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
    seGenerations->setValue(Session_.BackupGenerations());
    ruleSettings->Load(Session_.Settings().ParameterList);
    TellFit();
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
    Session_.StoreBackupGenerations(seGenerations->value());
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
