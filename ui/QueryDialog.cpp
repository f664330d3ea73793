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

TQueryDialog::TQueryDialog(TSession& session)
    : QDialog(nullptr), Session_(session), Base_(session.Base()), Criteria_(session.Criteria()) {
    setObjectName(QStringLiteral("QueryForm"));
    setWindowTitle(QStringLiteral("Query"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setModal(false);
    setFont(QFont(QStringLiteral("Comic Sans MS"), 8));

    cbFinish = CheckBox(this, "cbFinish", QStringLiteral("Not Finished"));
    cb1 = CheckBox(this, "cb1", QStringLiteral("Base"));
    cb5 = CheckBox(this, "cb5", QStringLiteral("Group"));
    cbGroup = DropDown(this, "cbGroup");
    cb2 = CheckBox(this, "cb2", QStringLiteral("Year"));
    cbTurn = DropDown(this, "cbTurn");
    cb3 = CheckBox(this, "cb3", QStringLiteral("Player"));
    cbPlayer = DropDown(this, "cbPlayer");
    cb4 = CheckBox(this, "cb4", QStringLiteral("Opponent"));
    cbOpp = DropDown(this, "cbOpp");

    rgColor = new QGroupBox(QStringLiteral("Colour"), this);
    rgColor->setObjectName(QStringLiteral("rgColor"));
    rgColorButtons = new QButtonGroup(rgColor);
    auto* colours = new QHBoxLayout(rgColor);
    int index = 0;
    for (const char* caption : {"All", "Black", "White"}) {
        auto* button = new QRadioButton(QLatin1String(caption), rgColor);
        button->setObjectName(QStringLiteral("rgColor%1").arg(QLatin1String(caption)));
        rgColorButtons->addButton(button, index++);
        colours->addWidget(button);
    }
    rgColorButtons->button(0)->setChecked(true);

    QFont buttonFont(QStringLiteral("Comic Sans MS"), 10);
    buttonFont.setBold(true);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFont(buttonFont);
    BitBtn1->setDefault(true);
    BitBtn2 =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setFont(buttonFont);

    auto* grid = new QGridLayout(this);
    grid->addWidget(cbFinish, 0, 0);
    grid->addWidget(cb1, 0, 1);
    grid->addWidget(cb5, 1, 0);
    grid->addWidget(cbGroup, 1, 1);
    grid->addWidget(cb2, 2, 0);
    grid->addWidget(cbTurn, 2, 1);
    grid->addWidget(cb3, 3, 0);
    grid->addWidget(cbPlayer, 3, 1);
    grid->addWidget(rgColor, 4, 0, 1, 2);
    grid->addWidget(cb4, 5, 0);
    grid->addWidget(cbOpp, 5, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    grid->addLayout(buttons, 6, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    for (QCheckBox* box : {cb1, cb2, cb3, cb4, cb5})
        connect(box, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });
    // An opponent counts only together with a player: without one the box would stay checked out of
    // reach, and a stale name there could stop every later query.
    connect(cb3, &QCheckBox::toggled, this, [this](bool on) {
        if (!on) cb4->setChecked(false);
    });
    connect(cb2, &QCheckBox::clicked, this, [this](bool on) {
        if (on) cbTurn->setFocus();
    });
    connect(cb3, &QCheckBox::clicked, this, [this](bool on) {
        if (on) cbPlayer->setFocus();
    });
    connect(BitBtn1, &QPushButton::clicked, this, &TQueryDialog::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TQueryDialog::BitBtn2Click);
    UpdateEnabled();
}

void TQueryDialog::UpdateEnabled() {
    // "Base" takes the whole base: every criterion is out of reach while it is checked.
    const bool criteria = !cb1->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(cbFinish), static_cast<QWidget*>(cb2),
                             static_cast<QWidget*>(cb3), static_cast<QWidget*>(cb5)})
        control->setEnabled(criteria);
    const bool player = criteria && cb3->isChecked();
    cbTurn->setEnabled(criteria && cb2->isChecked());
    cbPlayer->setEnabled(player);
    rgColor->setEnabled(player);
    cb4->setEnabled(player);
    cbOpp->setEnabled(player && cb4->isChecked());
    cbGroup->setEnabled(criteria && cb5->isChecked());
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
    for (QCheckBox* box : {cb1, cb2, cb3, cb4, cb5}) box->setChecked(false);
    cb4->setEnabled(false);
}

std::optional<std::string> TQueryDialog::Bytes(const QString& text) {
    const std::optional<std::string> bytes = kalvon::TextPolicy().FromUtf8(text.toStdString());
    if (!bytes) return std::nullopt;
    return std::string(kalvon::Trim(*bytes));
}

void TQueryDialog::BitBtn1Click() {
    Session_.SetEditMode(false);
    kalvon::TQueryRequest request;
    request.WholeBase = cb1->isChecked();
    request.NotFinished = cbFinish->isChecked();
    if (cb2->isChecked()) {
        // A year the code page cannot spell is no year of the base; its UTF-8 bytes match none.
        request.Year = Bytes(cbTurn->currentText()).value_or(cbTurn->currentText().trimmed().toStdString());
    }
    if (cb3->isChecked()) {
        request.Player = Bytes(cbPlayer->currentText()).value_or(std::string());
        request.Colour = kalvon::TPlayerColour(std::max(0, rgColorButtons->checkedId()));
    }
    if (cb4->isChecked()) request.Opponent = Bytes(cbOpp->currentText()).value_or(std::string());
    // Groups "a" and "A" differ: the text is taken as typed, without regard to the locale.
    if (cb5->isChecked()) request.Group = Bytes(cbGroup->currentText()).value_or(std::string());
    if (const std::optional<std::string> message = kalvon::ResolveQuery(Base_, request, Criteria_)) {
        Dialogs().Information(this, QString::fromLatin1(message->c_str()));
        return;
    }
    hide();
    emit QueryAccepted();
}

void TQueryDialog::BitBtn2Click() {
    hide();
}

void TQueryDialog::reject() {
    // Escape and the window's close button cancel, as the cancel button does.
    BitBtn2Click();
}
