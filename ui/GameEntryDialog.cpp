#include "ui/GameEntryDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string_view>
#include <utility>

#include "base/GameTexts.h"
#include "base/Symmetry.h"
#include "base/TextPolicy.h"
#include "ui/DialogService.h"
#include "ui/Session.h"
#include "ui/ShownText.h"
#include "ui/TextWidths.h"
#include "ui/WindowPlacement.h"

namespace {

// The result items in list order and the codes they store; a text that is no item stores "?".
constexpr char ResultCodes[] = {'+', 'F', '-', 'f', '=', '?'};
const char* const ResultItems[] = {"1:0", "+:-", "0:1", "-:+", "=", "?"};

int ResultItem(char code) {
    for (int i = 0; i < 6; ++i)
        if (ResultCodes[i] == code) return i;
    return 5;
}

// The moves in one of the board's eight orientations.
std::string Turned(std::string_view moves, int t) {
    std::string turned;
    for (size_t i = 0; i + 1 < moves.size(); i += 2) turned += kalvon::TransformPoint(moves.substr(i, 2), t);
    return turned;
}

// Whether the moves on the board follow the stored moves of a game: the same moves, a beginning of
// them or a continuation of them, in any of the board's orientations (a game turned on the board is
// still that game). Of a beginning, dropped is how many stored moves the board lacks.
bool FollowsGame(std::string_view stored, std::string_view board, size_t& dropped) {
    for (int t = 1; t <= kalvon::SymmetryCount; ++t) {
        const std::string turned = Turned(board, t);
        if (std::string_view(turned).substr(0, stored.size()) == stored.substr(0, turned.size())) {
            dropped = stored.size() > turned.size() ? (stored.size() - turned.size()) / 2 : 0;
            return true;
        }
    }
    return false;
}

// A caption over its field, or beside it: navy, and 17 pixels high with the gap below it.
QLabel* Caption(QWidget* parent, const QString& text) {
    auto* shown = new QLabel(text, parent);
    shown->setFont(QFont(QStringLiteral("Comic Sans MS"), 8, QFont::Bold));
    QPalette navy = shown->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    shown->setPalette(navy);
    shown->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    shown->setFixedHeight(17);
    return shown;
}

bool FourDigitYear(std::string_view year) {
    return year.size() == 4 &&
           std::all_of(year.begin(), year.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

TGameEntryDialog::TGameEntryDialog(TSession& session) : QDialog(nullptr), Session_(session) {
    CreateControls();
    LayOut();
    Connect();
}

void TGameEntryDialog::CreateControls() {
    setObjectName(QStringLiteral("SaveForm"));
    setWindowTitle(QStringLiteral("SaveForm"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);

    auto combo = [this](const char* name) {
        auto* box = new QComboBox(this);
        box->setObjectName(QLatin1String(name));
        box->setEditable(true);
        // Enter moves on; it never adds the typed text to the list.
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setFixedHeight(21);
        return box;
    };
    auto edit = [this](const char* name) {
        auto* line = new QLineEdit(this);
        line->setObjectName(QLatin1String(name));
        line->setFixedHeight(21);
        return line;
    };
    cbBlack = combo("cbBlack");
    cbWhite = combo("cbWhite");
    // Each name box is wide enough for a name of 24 letters and tells a longer one whole as its tip.
    for (QComboBox* box : {cbBlack, cbWhite}) {
        box->setMinimumWidth(ComboBoxWidth(*box, NameWidth(box->font())));
        ToolTipFollowsText(*box);
    }
    edYear = edit("edYear");
    edKod = edit("edKod");
    cbResult = combo("cbResult");
    cbResult->setFixedWidth(73);
    for (const char* item : ResultItems) cbResult->addItem(QString::fromLatin1(item));
    cbResult->setCurrentIndex(-1);
    cbReverse = new QCheckBox(QStringLiteral("Reverse"), this);
    cbReverse->setObjectName(QStringLiteral("cbReverse"));
    cbReverse->setFixedSize(73, 17);
    edAlt = edit("edAlt");
    edAlt->setFixedWidth(41);
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("BitBtn1"));
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton* button : {okButton, cancelButton}) button->setFixedSize(75, 25);
}

void TGameEntryDialog::LayOut() {
    // Two columns of names, year and board; the result, reverse and alternative in one row; the buttons.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(15);
    fields->setVerticalSpacing(1);
    fields->addWidget(Caption(this, QStringLiteral("Black")), 0, 0);
    fields->addWidget(Caption(this, QStringLiteral("White")), 0, 1);
    fields->addWidget(cbBlack, 1, 0);
    fields->addWidget(cbWhite, 1, 1);
    fields->addWidget(Caption(this, QStringLiteral("Year")), 2, 0);
    fields->addWidget(Caption(this, QStringLiteral("Board")), 2, 1);
    fields->addWidget(edYear, 3, 0);
    fields->addWidget(edKod, 3, 1);
    fields->addWidget(Caption(this, QStringLiteral("Result")), 4, 0);
    auto* result = new QHBoxLayout;
    result->setSpacing(0);
    result->addWidget(cbResult);
    result->addSpacing(7);
    result->addWidget(cbReverse, 0, Qt::AlignBottom);
    result->addSpacing(9);
    result->addWidget(Caption(this, QStringLiteral("5 A =")), 0, Qt::AlignBottom);
    result->addStretch();
    result->addWidget(edAlt);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addSpacing(16);
    buttons->addWidget(okButton);
    buttons->addSpacing(45);
    buttons->addWidget(cancelButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 6, 26, 10);
    layout->setSpacing(1);
    layout->addLayout(fields);
    layout->addLayout(result);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    layout->addStretch();
    // 291 x 171 unless the name boxes need more width.
    setFixedSize(std::max(291, layout->sizeHint().width()), 171);
    setTabOrder(okButton, cancelButton);
    setTabOrder(cancelButton, cbBlack);
    setTabOrder(cbBlack, cbWhite);
    setTabOrder(cbWhite, edKod);
    setTabOrder(edKod, cbResult);
    setTabOrder(cbResult, cbReverse);
    setTabOrder(cbReverse, edAlt);
    setTabOrder(edAlt, edYear);
}

void TGameEntryDialog::Connect() {
    // Enter in the fields moves on and never presses a button by itself.
    for (QPushButton* button : {okButton, cancelButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(okButton, &QPushButton::clicked, this, &TGameEntryDialog::StoreGame);
    connect(cancelButton, &QPushButton::clicked, this, &TGameEntryDialog::Cancel);

    for (QWidget* field :
         std::initializer_list<QWidget*>{cbBlack, cbWhite, edYear, edKod, cbResult, cbReverse, edAlt})
        field->installEventFilter(this);
    for (QComboBox* box : {cbBlack, cbWhite, cbResult}) box->lineEdit()->installEventFilter(this);

    // The dialog is not modal: it always shows the game that "OK" would write over.
    connect(&Session_, &TSession::GameOpened, this, [this] {
        if (isVisible()) FormShow();
    });
    connect(&Session_, &TSession::EditModeChanged, this, [this] {
        if (isVisible()) FormShow();
    });
}

void TGameEntryDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this, size());
    FormShow();
}

void TGameEntryDialog::FormShow() {
    const kalvon::TGameBase& base = Session_.Base();
    QStringList names;
    for (const std::string& name : base.PlayerCatalogue.PlayerNames.Items()) names.append(CodePageText(name));
    for (QComboBox* box : {cbBlack, cbWhite}) {
        box->clear();
        box->addItems(names);
        box->setCurrentIndex(-1);
        box->clearEditText();
    }
    edAlt->clear();
    const bool edited =
        base.EditMode && base.CurrentParty >= 0 && size_t(base.CurrentParty) < base.PartyList.size();
    if (const kalvon::TPartyRecord* game = edited ? &base.PartyList[size_t(base.CurrentParty)] : nullptr) {
        cbBlack->setEditText(CodePageText(kalvon::PlayerName(base, game->BlackId)));
        cbWhite->setEditText(CodePageText(kalvon::PlayerName(base, game->WhiteId)));
        // The board code as typed: its padding is the base's business.
        edKod->setText(CodePageText(game->Board).trimmed());
        edYear->setText(CodePageText(game->Year));
        cbResult->setCurrentIndex(ResultItem(game->Result));
        cbReverse->setChecked(game->Reverse);
        edAlt->setText(CodePageText(game->Alt));
    } else {
        // A new game keeps the year typed last; its board is the user's to give, never another game's.
        edKod->clear();
    }
    cbBlack->setFocus();
}

std::optional<kalvon::TPartyEntry> TGameEntryDialog::TypedEntry() {
    const kalvon::TTextPolicy& policy = kalvon::TextPolicy();
    bool held = true;
    auto bytes = [&](const char* field, const QString& text) {
        if (!held) return std::string();
        std::optional<std::string> stored = policy.FromUtf8(text.trimmed().toStdString());
        if (stored) return *stored;
        Dialogs().Warning(this,
                          QStringLiteral("%1: a character of \"%2\" cannot be stored in the code page %3.")
                              .arg(QLatin1String(field), text, QString::fromStdString(policy.CodePage())));
        held = false;
        return std::string();
    };
    kalvon::TPartyEntry entry;
    entry.Black = bytes("Black", cbBlack->currentText().toUpper());
    entry.White = bytes("White", cbWhite->currentText().toUpper());
    entry.Year = bytes("Year", edYear->text());
    entry.Board = bytes("Board", edKod->text());
    entry.Alt = bytes("5 A =", edAlt->text());
    if (!held) return std::nullopt;
    const int item = cbResult->findText(cbResult->currentText(), Qt::MatchFixedString);
    entry.Result = item >= 0 ? ResultCodes[item] : '?';
    entry.Reverse = cbReverse->isChecked();
    if (std::optional<std::string> refused = kalvon::CheckPartyEntry(entry)) {
        Dialogs().Warning(this, EngineText(*refused));
        return std::nullopt;
    }
    for (const auto& [colour, name] : {std::pair{"Black", &entry.Black}, std::pair{"White", &entry.White}})
        if (name->empty()) {
            Dialogs().Warning(this, QStringLiteral("The name of %1 is empty.").arg(QLatin1String(colour)));
            return std::nullopt;
        }
    return entry;
}

bool TGameEntryDialog::YearAccepted(const std::string& year) {
    if (FourDigitYear(year)) return true;
    const QString shown = year.empty()
                              ? QStringLiteral("The year is empty")
                              : QStringLiteral("Year %1 is not a four-digit year").arg(CodePageText(year));
    return Dialogs().ConfirmDefaultNo(
        this, shown + QStringLiteral("; notifications of this game will not find it. Save anyway?"));
}

std::optional<bool> TGameEntryDialog::AsNewGame() {
    const kalvon::TGameBase& base = Session_.Base();
    if (!base.EditMode || base.CurrentParty < 0 || size_t(base.CurrentParty) >= base.PartyList.size())
        return false;
    const kalvon::TPartyRecord& game = base.PartyList[size_t(base.CurrentParty)];
    const std::string_view stored = game.Moves;
    size_t dropped = 0;
    if (FollowsGame(stored, base.CurrentMoves, dropped)) {
        // Only the moves on the board are stored: moves taken back would be lost without a word.
        if (dropped > 0 && !Dialogs().ConfirmDefaultNo(
                               this, QStringLiteral("Save the game without its last %1 moves?").arg(dropped)))
            return std::nullopt;
        return false;
    }
    // Other moves than the game's would take its place: a slip unless the user says so.
    const QString key = CodePageText(game.Year) + QStringLiteral(", ") + CodePageText(game.Board).trimmed();
    const int choice = Dialogs().Choose(
        this,
        QStringLiteral(
            "The board no longer follows game %1 (%2 moves): replace its moves with the board's %3 "
            "moves?")
            .arg(key)
            .arg(stored.size() / 2)
            .arg(base.CurrentMoves.size() / 2),
        {QStringLiteral("Replace"), QStringLiteral("Save as New Game"), QStringLiteral("Cancel")}, 2);
    if (choice == 2) return std::nullopt;
    return choice == 1;
}

std::optional<bool> TGameEntryDialog::ReplaceKeyHolder(const kalvon::TPartyEntry& entry, bool asNewGame) {
    const kalvon::TGameBase& base = Session_.Base();
    const long edited = base.EditMode && !asNewGame ? base.CurrentParty : kalvon::NoParty;
    const long holder = kalvon::GameWithKey(base, entry.Year, entry.Board, edited);
    if (holder == kalvon::NoParty) return false;
    const kalvon::TPartyRecord& game = base.PartyList[size_t(holder)];
    const int choice = Dialogs().Choose(
        this,
        QStringLiteral("A game %1, %2 is already in the base (%3 - %4). Replace it?")
            .arg(CodePageText(game.Year), CodePageText(game.Board).trimmed(),
                 CodePageText(kalvon::PlayerName(base, game.BlackId)),
                 CodePageText(kalvon::PlayerName(base, game.WhiteId))),
        {QStringLiteral("Replace"), QStringLiteral("Save as another game"), QStringLiteral("Cancel")}, 2);
    if (choice == 2) return std::nullopt;
    return choice == 0;
}

void TGameEntryDialog::StoreGame() {
    const std::optional<kalvon::TPartyEntry> entry = TypedEntry();
    if (!entry || !YearAccepted(entry->Year)) return;
    const std::optional<bool> asNewGame = AsNewGame();
    if (!asNewGame) return;
    const std::optional<bool> replace = ReplaceKeyHolder(*entry, *asNewGame);
    if (!replace) return;
    if (Session_.SaveGame(*entry, *asNewGame, this, *replace)) hide();
}

void TGameEntryDialog::Cancel() {
    hide();
}

bool TGameEntryDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return QDialog::eventFilter(watched, event);
    // Enter moves to the next field once this one holds text; the check box always moves on.
    struct TNext {
        QWidget* From;
        QWidget* To;
        QString Text;
    };
    for (const TNext& step :
         {TNext{cbBlack, cbWhite, cbBlack->currentText()}, TNext{cbWhite, edYear, cbWhite->currentText()},
          TNext{edYear, edKod, edYear->text()}, TNext{edKod, cbResult, edKod->text()},
          TNext{cbResult, cbReverse, cbResult->currentText()}, TNext{cbReverse, edAlt, QStringLiteral("R")},
          TNext{edAlt, okButton, edAlt->text()}}) {
        if (watched != step.From && watched->parent() != step.From) continue;
        if (!step.Text.isEmpty()) step.To->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
