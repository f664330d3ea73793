#include "ui/QueryDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>
#include <array>

#include "base/GameTexts.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"
#include "search/QueryRequest.h"
#include "ui/DialogService.h"
#include "ui/Session.h"

namespace {

QString Shown(std::string_view bytes) {
    return QString::fromStdString(kalvon::TextPolicy().ToUtf8(bytes));
}

QStringList ShownNames(const kalvon::TSortedNames& names) {
    QStringList shown;
    shown.reserve(qsizetype(names.size()));
    for (const std::string& name : names.Items()) shown.append(Shown(name));
    return shown;
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QComboBox* DropDown(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    // Typed text is accepted as well as a chosen item, but never added to the list.
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(180);
    return box;
}

// Refills a drop-down and keeps what the user typed or chose there before.
void Refill(QComboBox* box, const QStringList& items) {
    const QString text = box->currentText();
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

}  // namespace

TQueryDialog::TQueryDialog(TSession& session) : QDialog(nullptr), Session_(session), Base_(session.Base()) {
    CreateControls();
    LayOut();
    Connect();
}

void TQueryDialog::CreateControls() {
    setObjectName(QStringLiteral("QueryForm"));
    setWindowTitle(QStringLiteral("Query"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setModal(false);
    setFont(QFont(QStringLiteral("Comic Sans MS"), 8));

    cbFinish = CheckBox(this, "cbFinish", QStringLiteral("Not Finished"));
    wholeBaseBox = CheckBox(this, "cb1", QStringLiteral("Base"));
    byGroupBox = CheckBox(this, "cb5", QStringLiteral("Group"));
    cbGroup = DropDown(this, "cbGroup");
    byYearBox = CheckBox(this, "cb2", QStringLiteral("Year"));
    cbTurn = DropDown(this, "cbTurn");
    byPlayerBox = CheckBox(this, "cb3", QStringLiteral("Player"));
    cbPlayer = DropDown(this, "cbPlayer");
    byOpponentBox = CheckBox(this, "cb4", QStringLiteral("Opponent"));
    cbOpp = DropDown(this, "cbOpp");

    rgColor = new QGroupBox(QStringLiteral("Colour"), this);
    rgColor->setObjectName(QStringLiteral("rgColor"));
    rgColorButtons = new QButtonGroup(rgColor);
    int index = 0;
    for (const char* caption : {"All", "Black", "White"}) {
        auto* button = new QRadioButton(QLatin1String(caption), rgColor);
        button->setObjectName(QStringLiteral("rgColor%1").arg(QLatin1String(caption)));
        rgColorButtons->addButton(button, index++);
    }
    rgColorButtons->button(0)->setChecked(true);

    QFont buttonFont(QStringLiteral("Comic Sans MS"), 10);
    buttonFont.setBold(true);
    okButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("BitBtn1"));
    okButton->setFont(buttonFont);
    okButton->setDefault(true);
    cancelButton =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("BitBtn2"));
    cancelButton->setFont(buttonFont);
}

void TQueryDialog::LayOut() {
    auto* colours = new QHBoxLayout(rgColor);
    for (QAbstractButton* button : rgColorButtons->buttons()) colours->addWidget(button);

    auto* grid = new QGridLayout(this);
    grid->addWidget(cbFinish, 0, 0);
    grid->addWidget(wholeBaseBox, 0, 1);
    grid->addWidget(byGroupBox, 1, 0);
    grid->addWidget(cbGroup, 1, 1);
    grid->addWidget(byYearBox, 2, 0);
    grid->addWidget(cbTurn, 2, 1);
    grid->addWidget(byPlayerBox, 3, 0);
    grid->addWidget(cbPlayer, 3, 1);
    grid->addWidget(rgColor, 4, 0, 1, 2);
    grid->addWidget(byOpponentBox, 5, 0);
    grid->addWidget(cbOpp, 5, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 6, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void TQueryDialog::Connect() {
    for (QCheckBox* box : {wholeBaseBox, byYearBox, byPlayerBox, byOpponentBox, byGroupBox})
        connect(box, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });
    // An opponent counts only together with a player: without one the box would stay checked out of
    // reach, and a stale name there could stop every later query.
    connect(byPlayerBox, &QCheckBox::toggled, this, [this](bool on) {
        if (!on) byOpponentBox->setChecked(false);
    });
    connect(byYearBox, &QCheckBox::clicked, this, [this](bool on) {
        if (on) cbTurn->setFocus();
    });
    connect(byPlayerBox, &QCheckBox::clicked, this, [this](bool on) {
        if (on) cbPlayer->setFocus();
    });
    connect(okButton, &QPushButton::clicked, this, &TQueryDialog::AcceptCriteria);
    connect(cancelButton, &QPushButton::clicked, this, &TQueryDialog::Cancel);
    UpdateEnabled();
}

void TQueryDialog::UpdateEnabled() {
    // "Base" takes the whole base: every criterion is out of reach while it is checked.
    const bool criteria = !wholeBaseBox->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(cbFinish), static_cast<QWidget*>(byYearBox),
                             static_cast<QWidget*>(byPlayerBox), static_cast<QWidget*>(byGroupBox)})
        control->setEnabled(criteria);
    const bool player = criteria && byPlayerBox->isChecked();
    cbTurn->setEnabled(criteria && byYearBox->isChecked());
    cbPlayer->setEnabled(player);
    rgColor->setEnabled(player);
    byOpponentBox->setEnabled(player);
    cbOpp->setEnabled(player && byOpponentBox->isChecked());
    cbGroup->setEnabled(criteria && byGroupBox->isChecked());
}

void TQueryDialog::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TQueryDialog::FillGroups() {
    std::array<bool, 256> seen{};
    for (const kalvon::TPartyRecord& party : Base_.PartyList)
        seen[static_cast<unsigned char>(kalvon::PartyGroup(party))] = true;
    std::vector<char> groups;
    for (int c = 0; c < 256; ++c)
        if (seen[size_t(c)]) groups.push_back(char(c));
    // Letter case aside, in the order of the locale; a space (no group) first.
    std::stable_sort(groups.begin(), groups.end(), [](char a, char b) {
        if ((a == ' ') != (b == ' ')) return a == ' ';
        return kalvon::TextPolicy().Compare(std::string_view(&a, 1), std::string_view(&b, 1)) < 0;
    });
    const QString text = cbGroup->currentText();
    cbGroup->clear();
    for (const char group : groups)
        cbGroup->addItem(
            group == ' ' ? QLatin1String(kalvon::NoGroupText) : Shown(std::string_view(&group, 1)),
            int(static_cast<unsigned char>(group)));
    cbGroup->setCurrentIndex(-1);
    cbGroup->setEditText(text);
}

void TQueryDialog::FormShow() {
    FillGroups();
    Refill(cbTurn, ShownNames(Base_.TurnCatalogue.TurnNames));
    const QStringList players = ShownNames(Base_.PlayerCatalogue.PlayerNames);
    Refill(cbPlayer, players);
    Refill(cbOpp, players);
    for (QCheckBox* box : {wholeBaseBox, byYearBox, byPlayerBox, byOpponentBox, byGroupBox})
        box->setChecked(false);
    byOpponentBox->setEnabled(false);
}

std::optional<std::string> TQueryDialog::Bytes(const QString& text) {
    const std::optional<std::string> bytes = kalvon::TextPolicy().FromUtf8(text.toStdString());
    if (!bytes) return std::nullopt;
    return std::string(kalvon::Trim(*bytes));
}

void TQueryDialog::AcceptCriteria() {
    Session_.SetEditMode(false);
    kalvon::TQueryRequest request;
    request.WholeBase = wholeBaseBox->isChecked();
    request.NotFinished = cbFinish->isChecked();
    if (byYearBox->isChecked()) {
        // A year the code page cannot spell is no year of the base; its UTF-8 bytes match none.
        request.Year = Bytes(cbTurn->currentText()).value_or(cbTurn->currentText().trimmed().toStdString());
    }
    if (byPlayerBox->isChecked()) {
        request.Player = Bytes(cbPlayer->currentText()).value_or(std::string());
        request.Colour = kalvon::TPlayerColour(std::max(0, rgColorButtons->checkedId()));
    }
    if (byOpponentBox->isChecked()) request.Opponent = Bytes(cbOpp->currentText()).value_or(std::string());
    // Groups "a" and "A" differ: the text is taken as typed, without regard to the locale.
    if (byGroupBox->isChecked()) request.Group = Bytes(cbGroup->currentText()).value_or(std::string());
    // A name or group that is not found leaves its criterion off and the ones before it set.
    kalvon::TQueryCriteria criteria = Session_.Criteria();
    const std::optional<std::string> message = kalvon::ResolveQuery(Base_, request, criteria);
    if (message) {
        Session_.SetCriteria(criteria);
        Dialogs().Warning(this, QString::fromLatin1(message->c_str()));
        return;
    }
    hide();
    Session_.AcceptQuery(criteria);
}

void TQueryDialog::Cancel() {
    hide();
}

void TQueryDialog::reject() {
    // Escape and the window's close button cancel, as the cancel button does.
    Cancel();
}
