// The game entry dialog: filling, the catalogues, new games and edits in place, refused input, the
// moves taken back, the game opened while the dialog is open, a failed save and the Enter rules.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "base/BaseLine.h"
#include "base/GameTexts.h"
#include "tests/ui/BrowseBase.h"
#include "tests/ui/UiTestRegistry.h"
#include "ui/GameEntryDialog.h"
#include "ui/ShownText.h"
#include "ui/TextWidths.h"

using namespace browse;

namespace {

struct TEntryDialog {
    TGameEntryDialog* Form;
    QComboBox* Combo(const char* name) const { return Form->findChild<QComboBox*>(QLatin1String(name)); }
    QLineEdit* Edit(const char* name) const { return Form->findChild<QLineEdit*>(QLatin1String(name)); }
    void Type(const char* field, const QString& text) const {
        if (QComboBox* box = Combo(field))
            box->setEditText(text);
        else
            Edit(field)->setText(text);
    }
    QString Text(const char* field) const {
        return Combo(field) ? Combo(field)->currentText() : Edit(field)->text();
    }
    void Ok() const { Form->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click(); }
};

}  // namespace

class TGameEntryDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void init();
    void cleanup() { Run_.reset(); }
    void newGamesJoinTheCatalogues();
    void anOpenedGameIsEditedInPlace();
    void refusedInputStoresNothing_data();
    void refusedInputStoresNothing();
    void movesTakenBackAreDroppedOnlyWhenConfirmed();
    void theDialogFollowsTheGameOpenedWhileItIsOpen();
    void aFailedSaveChangesNothing();
    void aKeyHeldByAnotherGameIsAsked();
    void enterMovesOnOnlyFromFilledFields();
    void nameBoxesShowANameOf24LettersWhole();

private:
    TEntryDialog Open() {
        QAction* save = Action(*Main_, "SaveGame1");
        if (!save->isEnabled()) QTest::qFail("SaveGame1 is disabled", __FILE__, __LINE__);
        save->trigger();
        return TEntryDialog{&Run_->Program->GameEntryDialog()};
    }
    const kalvon::TGameBase& Base() { return Run_->Base(); }
    std::string Name(int32_t id) { return kalvon::PlayerName(Base(), id); }
    std::unique_ptr<TProgramRun> Run_;
    TMainWindow* Main_ = nullptr;
};

void TGameEntryDialogTest::init() {
    Run_ = std::make_unique<TProgramRun>();
    Main_ = &Start(*Run_, 5);
}

void TGameEntryDialogTest::newGamesJoinTheCatalogues() {
    CurrentSession().PlayMove("88");
    TEntryDialog entry = Open();
    QVERIFY(entry.Form->isVisible());
    QVERIFY(!entry.Form->isModal());
    QCOMPARE(entry.Form->windowTitle(), QStringLiteral("SaveForm"));
    QCOMPARE(entry.Combo("cbBlack")->count(), 10);
    QCOMPARE(entry.Combo("cbResult")->count(), 6);
    entry.Type("cbBlack", QStringLiteral("b3"));
    entry.Type("cbWhite", QStringLiteral("neu"));
    entry.Type("edYear", QStringLiteral("2010"));
    entry.Type("edKod", QStringLiteral(" 4711 "));
    entry.Type("cbResult", QStringLiteral("won"));
    entry.Ok();
    QVERIFY(!entry.Form->isVisible());
    QCOMPARE(Base().PartyList.size(), size_t(6));
    const kalvon::TPartyRecord& game = Base().PartyList[5];
    // A known player in another case.
    QCOMPARE(Name(game.BlackId), std::string("B3"));
    QCOMPARE(Name(game.WhiteId), std::string("NEU"));
    QCOMPARE(game.Board.str(), std::string(" 4711"));
    QCOMPARE(game.Result, '?');
    QCOMPARE(game.Alt.str(), std::string("?"));
    QCOMPARE(game.Moves.str(), std::string("88"));
    QCOMPARE(Base().TurnCatalogue.TurnIds.size(), size_t(4));
    QVERIFY(Base().EditMode);
    QCOMPARE(Base().CurrentParty, 5L);
    QVERIFY(Button(*Main_, "ToolButton6")->isEnabled());
    QVERIFY(Run_->Read(QStringLiteral("games.bdt")).contains("2010, 4711=[B3,NEU,?,88,?,-]\r\n"));

    // An empty board, the same new name for both colours, a result chosen from the list.
    Trigger(*Main_, "N2");
    entry = Open();
    QCOMPARE(entry.Text("cbBlack"), QString());
    // The year stays from the last use; the board is the new game's own.
    QCOMPARE(entry.Text("edYear"), QStringLiteral("2010"));
    QCOMPARE(entry.Text("edKod"), QString());
    entry.Type("cbBlack", QStringLiteral("Zed"));
    entry.Type("cbWhite", QStringLiteral("zed"));
    entry.Combo("cbResult")->setCurrentIndex(3);
    entry.Ok();
    const kalvon::TPartyRecord& empty = Base().PartyList[size_t(Base().CurrentParty)];
    QCOMPARE(empty.Moves.str(), std::string());
    QCOMPARE(empty.BlackId, empty.WhiteId);
    QCOMPARE(Name(empty.BlackId), std::string("ZED"));
    QCOMPARE(empty.Result, 'f');
    QCOMPARE(Base().PlayerCatalogue.PlayerRecords.size(), size_t(12));
}

void TGameEntryDialogTest::anOpenedGameIsEditedInPlace() {
    List(*Run_, {4, 2});
    QTest::mouseClick(Panel(Run_->Program->NavigatorWindow(), 2), Qt::LeftButton, {}, QPoint(250, 20));
    // The game turned on the board is stored turned.
    Trigger(*Main_, "Vert");
    const std::string turned = Base().CurrentMoves;
    QVERIFY(turned != Base().PartyList[2].Moves);
    TEntryDialog entry = Open();
    QCOMPARE(entry.Text("cbBlack"), QStringLiteral("B2"));
    QCOMPARE(entry.Text("cbWhite"), QStringLiteral("W2"));
    QCOMPARE(entry.Text("edYear"), QStringLiteral("2002"));
    // The board code without its padding.
    QCOMPARE(entry.Text("edKod"), QStringLiteral("102"));
    QCOMPARE(entry.Text("cbResult"), QStringLiteral("1:0"));
    QCOMPARE(entry.Text("edAlt"), QStringLiteral("?"));
    entry.Type("edYear", QStringLiteral("1999"));
    entry.Type("edAlt", QStringLiteral("J9"));
    entry.Form->findChild<QCheckBox*>(QStringLiteral("cbReverse"))->setChecked(true);
    entry.Ok();
    QCOMPARE(Base().PartyList.size(), size_t(5));
    // The file is rewritten sorted: the changed game now comes first, in the file and in memory.
    QCOMPARE(Base().CurrentParty, 0L);
    QCOMPARE(kalvon::FormatBaseLine(Base(), Base().PartyList[0]), "1999,  102=[B2,W2,+," + turned + ",J9,R]");
    QVERIFY(Run_->Read(QStringLiteral("games.bdt"))
                .startsWith(QByteArray::fromStdString("1999,  102=[B2,W2,+," + turned + ",J9,R]\r\n")));
    // The navigator shows the changed game.
    QCOMPARE(Cells(Panel(Run_->Program->NavigatorWindow(), 2)).last(), QStringLiteral("1999"));
}

void TGameEntryDialogTest::refusedInputStoresNothing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::newRow("comma in a name") << "cbBlack"
                                     << "A,B"
                                     << "Black";
    QTest::newRow("equals in a name") << "cbWhite"
                                      << "A=B"
                                      << "White";
    QTest::newRow("comma in the year") << "edYear"
                                       << "20,03"
                                       << "Year";
    QTest::newRow("tab in the board") << "edKod"
                                      << "47\t11"
                                      << "Board";
    QTest::newRow("comma in the alternative") << "edAlt"
                                              << "J,9"
                                              << "5 A =";
    QTest::newRow("not in the code page") << "cbWhite" << QString::fromUtf8("中") << "White";
    QTest::newRow("no black name") << "cbBlack"
                                   << " "
                                   << "The name of Black is empty.";
    QTest::newRow("no white name") << "cbWhite" << QString() << "The name of White is empty.";
}

void TGameEntryDialogTest::refusedInputStoresNothing() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    const QByteArray file = Run_->Read(QStringLiteral("games.bdt"));
    TEntryDialog entry = Open();
    entry.Type("cbBlack", QStringLiteral("NEU"));
    entry.Type(qPrintable(field), text);
    entry.Ok();
    const QStringList warnings = Run_->Dialogs->Texts(QStringLiteral("warning"));
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings[0].startsWith(caption), qPrintable(warnings[0]));
    QVERIFY(entry.Form->isVisible());
    QCOMPARE(Base().PartyList.size(), size_t(5));
    QCOMPARE(Base().PlayerCatalogue.IdOf("NEU"), 0);
    QVERIFY(!Base().EditMode);
    QCOMPARE(Run_->Read(QStringLiteral("games.bdt")), file);
}

void TGameEntryDialogTest::movesTakenBackAreDroppedOnlyWhenConfirmed() {
    CurrentSession().OpenGame(1);
    for (int i = 0; i < 10; ++i) Trigger(*Main_, "N13");
    Run_->Dialogs->ConfirmAnswers = {false, true};
    TEntryDialog entry = Open();
    entry.Ok();
    QCOMPARE(Run_->Dialogs->Texts(QStringLiteral("confirm")),
             QStringList{QStringLiteral("Save the game without its last 10 moves?")});
    QCOMPARE(Base().PartyList[1].Moves.str(), Moves(30));
    QVERIFY(entry.Form->isVisible());
    entry.Ok();
    QCOMPARE(Base().CurrentRecord()->Moves.str(), Moves(20));
    QVERIFY(Run_->Read(QStringLiteral("games.bdt")).contains(QByteArray::fromStdString(Moves(20) + ",?,-]")));
}

void TGameEntryDialogTest::theDialogFollowsTheGameOpenedWhileItIsOpen() {
    List(*Run_, {0, 3});
    TNavigatorWindow& navigator = Run_->Program->NavigatorWindow();
    QTest::mouseClick(Panel(navigator, 1), Qt::LeftButton, {}, QPoint(250, 20));
    TEntryDialog entry = Open();
    QCOMPARE(entry.Text("cbBlack"), QStringLiteral("B0"));
    QTest::mouseClick(Panel(navigator, 2), Qt::LeftButton, {}, QPoint(250, 20));
    QCOMPARE(entry.Text("cbBlack"), QStringLiteral("B3"));
    QCOMPARE(entry.Text("edYear"), QStringLiteral("2000"));
    entry.Ok();
    // The game stored is the one opened last, and the first keeps its own.
    QCOMPARE(Name(Base().CurrentRecord()->BlackId), std::string("B3"));
    QCOMPARE(Base().CurrentRecord()->Year.str(), std::string("2000"));
    QCOMPARE(std::count_if(Base().PartyList.begin(), Base().PartyList.end(),
                           [&](const kalvon::TPartyRecord& game) { return Name(game.BlackId) == "B0"; }),
             1);
    // Leaving edit mode empties the names: "OK" then adds a new game.
    entry = Open();
    Button(*Main_, "ToolButton6")->click();
    QCOMPARE(entry.Text("cbBlack"), QString());
}

void TGameEntryDialogTest::aFailedSaveChangesNothing() {
    // The base's folder turns into a file while the dialog is open (a base that cannot be written
    // from the start disables the command).
    TEntryDialog entry = Open();
    Run_->Write(QStringLiteral("gone"), "");
    CurrentSession().SetBasePath(QStringLiteral("gone/games.bdt"));
    entry.Type("cbBlack", QStringLiteral("NEU"));
    entry.Type("cbWhite", QStringLiteral("ALT"));
    entry.Type("edYear", QStringLiteral("2042"));
    entry.Ok();
    QCOMPARE(Run_->Dialogs->Texts(QStringLiteral("error")).size(), 1);
    QCOMPARE(Base().PartyList.size(), size_t(5));
    QCOMPARE(Base().PlayerCatalogue.IdOf("NEU"), 0);
    QVERIFY(!Base().TurnCatalogue.Contains("2042"));
    QVERIFY(!Base().EditMode);
    QVERIFY(entry.Form->isVisible());
}

void TGameEntryDialogTest::enterMovesOnOnlyFromFilledFields() {
    TEntryDialog entry = Open();
    entry.Form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(entry.Form));
    QComboBox* black = entry.Combo("cbBlack");
    QCOMPARE(QApplication::focusWidget(), black);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // An empty field keeps the focus.
    QCOMPARE(QApplication::focusWidget(), black);
    entry.Type("cbBlack", QStringLiteral("B1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), entry.Combo("cbWhite"));
    entry.Edit("edAlt")->setFocus();
    entry.Type("edAlt", QStringLiteral("K9"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BitBtn1"));
    // Enter never stores the game.
    QCOMPARE(Base().PartyList.size(), size_t(5));
    QVERIFY(entry.Form->isVisible());
}

#include "GameEntryDialogTest.moc"
void TGameEntryDialogTest::aKeyHeldByAnotherGameIsAsked() {
    const kalvon::TPartyRecord& held = Base().PartyList[2];
    const QString year = CodePageText(held.Year), board = CodePageText(held.Board).trimmed();
    const QString question =
        QStringLiteral("A game %1, %2 is already in the base (%3 - %4). Replace it?")
            .arg(year, board, CodePageText(Name(held.BlackId)), CodePageText(Name(held.WhiteId)));
    const QByteArray before = Run_->Read(QStringLiteral("games.bdt"));
    const auto store = [&](const QString& black, int button) {
        TEntryDialog entry = Open();
        entry.Type("cbBlack", black);
        entry.Type("cbWhite", QStringLiteral("Other"));
        entry.Type("edYear", year);
        entry.Type("edKod", QStringLiteral("  ") + board);  // padded otherwise: still the same key
        Run_->Dialogs->ChooseAnswers = {button};
        entry.Ok();
        const TFakeDialogs::TShown& asked = Run_->Dialogs->Shown.last();
        asked.Read = true;
        // The question, its buttons and default, and whether the dialog stayed open.
        return QStringList{asked.Text, asked.Buttons.join(QLatin1Char('|')),
                           QString::number(asked.DefaultButton),
                           entry.Form->isVisible() ? QStringLiteral("open") : QStringLiteral("closed")};
    };
    const auto asked = [&](const char* state) {
        return QStringList{question, QStringLiteral("Replace|Save as another game|Cancel"),
                           QStringLiteral("2"), QLatin1String(state)};
    };
    CurrentSession().PlayMove("88");
    // Cancel stores nothing and leaves the dialog open.
    QCOMPARE(store(QStringLiteral("First"), 2), asked("open"));
    QCOMPARE(Run_->Read(QStringLiteral("games.bdt")), before);
    // "Save as another game": the key is held twice, as the user chose.
    QCOMPARE(store(QStringLiteral("First"), 1), asked("closed"));
    QCOMPARE(Base().PartyList.size(), size_t(6));
    // Replace: a new game goes over a game of that key, whose count stays.
    Trigger(*Main_, "N2");
    CurrentSession().PlayMove("87");
    QCOMPARE(store(QStringLiteral("Second"), 0).last(), QStringLiteral("closed"));
    QCOMPARE(Base().PartyList.size(), size_t(6));
    const QByteArray file = Run_->Read(QStringLiteral("games.bdt"));
    QCOMPARE(file.count('\n'), 6);
    QVERIFY(file.contains("[SECOND,OTHER,?,87,"));
}

// A name of 24 letters stands whole in each name box (the cursor after its last letter, the text not
// scrolled); a longer one is told whole by the box's tip.
void TGameEntryDialogTest::nameBoxesShowANameOf24LettersWhole() {
    TEntryDialog entry = Open();
    QVERIFY(QTest::qWaitForWindowExposed(entry.Form));
    QCOMPARE(entry.Form->height(), 171);
    QVERIFY(entry.Form->width() >= 291);
    for (const char* name : {"cbBlack", "cbWhite"}) {
        QComboBox* box = entry.Combo(name);
        QLineEdit* field = box->lineEdit();
        QVERIFY(box->geometry().right() < entry.Form->width());
        entry.Type(name, NameSample());
        const auto cursor = [field] { return field->inputMethodQuery(Qt::ImCursorRectangle).toRect(); };
        field->setCursorPosition(0);
        const int start = cursor().center().x();
        field->setCursorPosition(int(NameSample().size()));
        const int advance = field->fontMetrics().horizontalAdvance(NameSample());
        QVERIFY2(
            cursor().center().x() - start == advance && cursor().right() < field->width(),
            qPrintable(
                QStringLiteral("%1: %2 in %3").arg(QLatin1String(name)).arg(advance).arg(field->width())));
        QCOMPARE(box->toolTip(), NameSample());
        const QString longer = NameSample() + NameSample();
        entry.Type(name, longer);
        QCOMPARE(box->toolTip(), longer);
    }
    entry.Form->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
}

KALVON_UI_TEST(TGameEntryDialogTest);
