// The "Adjustment" dialog and "Save Tools".
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

#include "base/GameTexts.h"
#include "base/SettingsFile.h"
#include "base/TextPolicy.h"
#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/BoardPainter.h"
#include "ui/Session.h"
#include "ui/SettingsDialog.h"
#include "ui/WindowPlacement.h"

class TSettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void fieldsHaveTheirRanges();
    void okAppliesStoresAndEnablesSaveTools();
    void cancelPutsBackTheSettingsInForce();
    void emptyFaceIsRemovedAndSavedEmpty();
    void failedSaveKeepsSaveToolsAvailable();
    void codePageAppliesFromTheNextLoad();
    void exitOffersUnsavedSettings_data();
    void exitOffersUnsavedSettings();
    void generationsFollowTheSetting();
    void offersTheLargestDiameterThatFits_data();
    void offersTheLargestDiameterThatFits();
};

namespace {

template <typename T>
T* Field(TProgramRun& session, const char* name) {
    T* field = session.Program->SettingsDialog().findChild<T*>(QLatin1String(name));
    if (!field) qFatal("no field %s", name);
    return field;
}

}  // namespace

void TSettingsDialogTest::fieldsHaveTheirRanges() {
    TProgramRun session;
    Trigger(session.Start(), "Adjustment1");
    QVERIFY(session.Program->SettingsDialog().isVisible());
    QCOMPARE(session.Program->SettingsDialog().windowTitle(), QStringLiteral("Adjustment"));
    struct TRange {
        const char* Name;
        int Min, Max, Step;
    };
    for (const TRange& r :
         {TRange{"seSizeMove", 6, 16, 1}, {"seRound", 20, 50, 2}, {"seLengthMemo", 165, 400, 5}}) {
        auto* field = Field<QSpinBox>(session, r.Name);
        QCOMPARE(field->minimum(), r.Min);
        QCOMPARE(field->maximum(), r.Max);
        QCOMPARE(field->singleStep(), r.Step);
        field->setValue(r.Max + 100);
        QCOMPARE(field->value(), r.Max);
    }
    auto* face = Field<QComboBox>(session, "cbFontMove");
    QVERIFY(face->isEditable());
    QVERIFY(face->count() > 0);  // the installed fonts
    QCOMPARE(face->currentText(), QStringLiteral("MS Sans Serif"));
}

void TSettingsDialogTest::okAppliesStoresAndEnablesSaveTools() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    Trigger(main, "Adjustment1");
    Field<QSpinBox>(session, "seRound")->setValue(40);
    Field<QSpinBox>(session, "seSizeMove")->setValue(11);
    Field<QCheckBox>(session, "cb1")->setChecked(true);
    Field<QComboBox>(session, "cbFontMove")->setEditText(QStringLiteral("Tahoma"));
    QTest::mouseClick(Field<QPushButton>(session, "BitBtn1"), Qt::LeftButton);

    QVERIFY(!session.Program->SettingsDialog().isVisible());
    QVERIFY(Action(main, "SaveTools1")->isEnabled());
    QCOMPARE(CurrentSession().Settings().MoveDiameter, 40);
    QCOMPARE(CurrentSession().Settings().MoveFont.family(), QStringLiteral("Tahoma"));
    QCOMPARE(CurrentSession().Settings().MoveFont.pointSize(), 11);
    QVERIFY(CurrentSession().Settings().MoveFont.bold() && !CurrentSession().Settings().MoveFont.italic());
    QCOMPARE(CurrentSession().Settings().ParameterList.Value("diameter moves"), std::string("40"));
    QCOMPARE(CurrentSession().Settings().ParameterList.Value("Font Style.Bold"), std::string("true"));
    main.activateWindow();
    QTRY_COMPARE(BoardArea(main)->width(), 14 * 40 + 2 * 25);
    QCOMPARE(session.Read(QStringLiteral("ini/Tools.ini")),
             QByteArray::fromStdString(kalvon::DefaultSettingsText()));

    // Without "Save Tools" a new start has the old diameter.
    session.Program.reset();
    QCOMPARE((session.Start(), CurrentSession().Settings().MoveDiameter), 30);
    TMainWindow& again = session.Main();
    Trigger(again, "Adjustment1");
    Field<QSpinBox>(session, "seRound")->setValue(40);
    QTest::mouseClick(Field<QPushButton>(session, "BitBtn1"), Qt::LeftButton);
    Trigger(again, "SaveTools1");
    QVERIFY(!Action(again, "SaveTools1")->isEnabled());
    QCOMPARE(session.Read(QStringLiteral("ini/Tools.ini")),
             QByteArray("[Parameters]\r\nFont Move=MS Sans Serif\r\nFont Size=8\r\nFont Style.Bold=false\r\n"
                        "Font Style.Italic=false\r\nDiameter Moves=40\r\nLength Memo=165\r\n\r\n"));
    session.Program.reset();
    QCOMPARE((session.Start(), CurrentSession().Settings().MoveDiameter), 40);
}

void TSettingsDialogTest::cancelPutsBackTheSettingsInForce() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    Trigger(main, "Adjustment1");
    Field<QSpinBox>(session, "seRound")->setValue(46);
    Field<QSpinBox>(session, "seSizeMove")->setValue(14);
    Field<QSpinBox>(session, "seLengthMemo")->setValue(300);
    QTest::mouseClick(Field<QPushButton>(session, "BitBtn2"), Qt::LeftButton);
    QVERIFY(!session.Program->SettingsDialog().isVisible());
    QCOMPARE(Field<QSpinBox>(session, "seRound")->value(), 30);
    QCOMPARE(Field<QSpinBox>(session, "seSizeMove")->value(), 8);
    QCOMPARE(CurrentSession().Settings().MoveDiameter, 30);
    QVERIFY(!Action(main, "SaveTools1")->isEnabled());
    // The memo width is the field's value whichever button closed the dialog.
    QCOMPARE(CurrentSession().Settings().MemoLength, 300);
    Trigger(main, "StatisticShow");
    QCOMPARE(main.frameGeometry().width(), 300 + 460 + 2);
    // The next showing reads every field from the parameter list again.
    Trigger(main, "Adjustment1");
    QCOMPARE(CurrentSession().Settings().MemoLength, 165);
}

void TSettingsDialogTest::emptyFaceIsRemovedAndSavedEmpty() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    Trigger(main, "Adjustment1");
    Field<QComboBox>(session, "cbFontMove")->setEditText(QString());
    QTest::mouseClick(Field<QPushButton>(session, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(CurrentSession().Settings().ParameterList.Find("Font Move"), std::nullopt);
    Trigger(main, "SaveTools1");
    QVERIFY(session.Read(QStringLiteral("ini/Tools.ini"))
                .startsWith("[Parameters]\r\nFont Move=\r\nFont Size=8\r\n"));
}

void TSettingsDialogTest::failedSaveKeepsSaveToolsAvailable() {
    TProgramRun session;
    TMainWindow& main = session.Start();
    Trigger(main, "Adjustment1");
    QTest::mouseClick(Field<QPushButton>(session, "BitBtn1"), Qt::LeftButton);
    QVERIFY(QFile::remove(session.Path(QStringLiteral("ini/Tools.ini"))));
    QVERIFY(QDir().mkdir(session.Path(QStringLiteral("ini/Tools.ini"))));  // a folder where the file belongs
    Trigger(main, "SaveTools1");
    const QStringList errors = session.Dialogs->Texts(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(QLatin1String("Tools.ini")), qPrintable(errors.first()));
    QVERIFY(Action(main, "SaveTools1")->isEnabled());
}

void TSettingsDialogTest::codePageAppliesFromTheNextLoad() {
    TProgramRun session;
    session.Write(QStringLiteral("utf.bdt"), QStringLiteral("2003, 1=[Иванов,Петров,+,88,?,-]\r\n").toUtf8());
    TMainWindow& main = session.Start();
    Trigger(main, "Adjustment1");
    auto* codePages = Field<QComboBox>(session, "cbCodePage");
    for (const char* name : {"windows-1251", "windows-1252", "UTF-8", "KOI8-R", "ISO-8859-1"})
        QVERIFY2(codePages->findText(QLatin1String(name)) >= 0, name);
    QCOMPARE(codePages->currentText(), QStringLiteral("windows-1251"));
    QVERIFY(Field<QLabel>(session, "CodePageNote")->text().contains(QLatin1String("next load")));
    codePages->setCurrentText(QStringLiteral("UTF-8"));
    QTest::mouseClick(Field<QPushButton>(session, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(kalvon::TextPolicy().CodePage(), std::string("windows-1251"));  // not before the load
    QVERIFY(CurrentSession().SettingsUnsaved());
    main.OpenBaseArgument(QStringLiteral("utf.bdt"));
    QCOMPARE(kalvon::TextPolicy().CodePage(), std::string("UTF-8"));
    QCOMPARE(QString::fromStdString(kalvon::TextPolicy().ToUtf8(
                 kalvon::PlayerName(session.Base(), session.Base().PartyList[0].BlackId))),
             QStringLiteral("Иванов"));
    Trigger(main, "Adjustment1");
    QCOMPARE(codePages->currentText(), QStringLiteral("UTF-8"));
    QTest::mouseClick(Field<QPushButton>(session, "BitBtn2"), Qt::LeftButton);
    Trigger(main, "SaveTools1");
    QVERIFY(session.Read(QStringLiteral("ini/Tools.ini")).contains("Code Page=UTF-8"));
    kalvon::SetTextPolicy(kalvon::DefaultCodePage);  // the next test starts as the program does
}

void TSettingsDialogTest::exitOffersUnsavedSettings_data() {
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("save");
    QTest::newRow("unchanged: no question") << false << false;
    QTest::newRow("changed, No") << true << false;
    QTest::newRow("changed, Yes") << true << true;
}

void TSettingsDialogTest::exitOffersUnsavedSettings() {
    QFETCH(bool, changed);
    QFETCH(bool, save);
    TProgramRun session;
    TMainWindow& main = session.Start();
    const QByteArray before = session.Read(QStringLiteral("ini/Tools.ini"));
    if (changed) {
        Trigger(main, "Adjustment1");
        Field<QSpinBox>(session, "seRound")->setValue(40);
        QTest::mouseClick(Field<QPushButton>(session, "BitBtn1"), Qt::LeftButton);
        session.Dialogs->AskAnswers = {save ? TAnswer::Yes : TAnswer::No};
    }
    Trigger(main, "Exit1");
    QCOMPARE(session.Dialogs->Texts(QStringLiteral("ask")),
             changed ? QStringList{QStringLiteral("Save the settings?")} : QStringList());
    QCOMPARE(session.Read(QStringLiteral("ini/Tools.ini")).contains("Diameter Moves=40"), save);
    if (!save) QCOMPARE(session.Read(QStringLiteral("ini/Tools.ini")), before);
}

void TSettingsDialogTest::offersTheLargestDiameterThatFits_data() {
    QTest::addColumn<int>("memo");
    QTest::newRow("narrowest memo") << 165;
    QTest::newRow("widest memo") << 400;
}

// On the primary screen of 1280 x 1024 every diameter fits; on the screen of 1024 x 768 the dialog
// says so when a diameter is too large and offers the largest that fits, and the main window shows
// that the offer is right: at the offered diameter it fits the screen, one step larger it does not.
void TSettingsDialogTest::offersTheLargestDiameterThatFits() {
    QFETCH(int, memo);
    const QList<QScreen*> screens = QGuiApplication::screens();
    QCOMPARE(screens.size(), 2);
    QCOMPARE(screens[0]->availableGeometry(), QRect(0, 0, 1280, 1024));
    QCOMPARE(screens[1]->availableGeometry(), QRect(1280, 0, 1024, 768));
    TProgramRun session;
    TMainWindow& main = session.Start();
    Trigger(main, "StatisticShow");
    TSettingsDialog& dialog = session.Program->SettingsDialog();
    auto* diameter = Field<QSpinBox>(session, "seRound");
    auto* note = Field<QLabel>(session, "FitNote");
    auto* offer = Field<QPushButton>(session, "FitButton");
    Trigger(main, "Adjustment1");
    Field<QSpinBox>(session, "seLengthMemo")->setValue(memo);
    diameter->setValue(kalvon::DiameterRange.Max);
    QVERIFY(!note->isVisible() && !offer->isVisible());

    // The dialog and the main window on the smaller screen.
    for (QWidget* window : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(&main)}) {
        window->move(1300, 0);
        QTRY_COMPARE(window->screen(), screens[1]);
    }
    diameter->setValue(kalvon::DiameterRange.Max - 2);
    QVERIFY(note->isVisible() && offer->isVisible());
    const QString offered = offer->text().mid(QStringLiteral("&Use ").size());
    QVERIFY2(note->text().endsWith(QStringLiteral("The largest diameter that fits is %1.").arg(offered)),
             qPrintable(note->text()));
    // The offer by the keyboard: Tab from the field to it, Space takes it.
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    diameter->setFocus();
    QTest::keyClick(diameter, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), offer);
    QTest::keyClick(offer, Qt::Key_Space);
    QCOMPARE(diameter->value(), offered.toInt());
    QVERIFY(!note->isVisible() && !offer->isVisible());
    QCOMPARE(QApplication::focusWidget(), diameter);

    const QRect room = screens[1]->availableGeometry();
    QList<QSize> sizes;  // the main window at the offered diameter and one step larger
    for (const int size : {offered.toInt(), offered.toInt() + 2}) {
        Trigger(main, "Adjustment1");
        diameter->setValue(size);
        QTest::mouseClick(Field<QPushButton>(session, "BitBtn1"), Qt::LeftButton);
        main.activateWindow();
        QTRY_COMPARE(BoardArea(main)->width(), TBoardGeometry(size).Width());
        // The dialog reckons with the main window's own size.
        QCOMPARE(main.frameGeometry().size(), MainWindowOuterSize(size, memo));
        sizes.append(main.frameGeometry().size());
    }
    const QSize fitting = sizes[0], larger = sizes[1];
    QVERIFY(fitting.width() <= room.width() && fitting.height() <= room.height());
    QVERIFY(larger.width() > room.width() || larger.height() > room.height());
}

void TSettingsDialogTest::generationsFollowTheSetting() {
    TProgramRun session;
    session.Write(QStringLiteral("games.bdt"), SmallBase());
    TMainWindow& main = session.Start();
    main.OpenBaseArgument(QStringLiteral("games.bdt"));
    Trigger(main, "Adjustment1");
    QSpinBox* generations = Field<QSpinBox>(session, "seGenerations");
    QCOMPARE(generations->value(), 5);
    generations->setValue(2);
    QTest::mouseClick(Field<QPushButton>(session, "BitBtn1"), Qt::LeftButton);
    Trigger(main, "SaveTools1");
    QVERIFY(session.Read(QStringLiteral("ini/Tools.ini")).contains("Backup Generations=2"));
    // Three saves (each deletes a game) keep two earlier files, at once.
    for (int save = 0; save < 3; ++save) {
        CurrentSession().SetListing({0});
        session.Dialogs->ConfirmAnswers = {true};
        Trigger(main, "DeleteGamesInListing1");
    }
    QVERIFY(session.Dialogs->Texts(QStringLiteral("confirm")).size() == 3);
    QVERIFY(QFile::exists(session.Path(QStringLiteral("games.bdt.bak2"))));
    QVERIFY(!QFile::exists(session.Path(QStringLiteral("games.bdt.bak3"))));
}

KALVON_UI_TEST(TSettingsDialogTest);

#include "SettingsDialogTest.moc"
