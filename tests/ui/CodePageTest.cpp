// Names beyond ASCII in the code page of the settings file, through the navigator, the listing
// window, the query dialog and the entry dialog, and back into the base file byte for byte.
#include <QCheckBox>
#include <QComboBox>
#include <QListView>
#include <QPushButton>

#include "base/TextPolicy.h"
#include "tests/ui/BrowseBase.h"
#include "tests/ui/UiTestRegistry.h"
#include "ui/GameEntryDialog.h"
#include "ui/QueryDialog.h"

using namespace browse;

class TCodePageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    // The next start without the key puts the default code page back.
    void cleanupTestCase() { TProgramRun().Start(); }
    void namesTravelThroughTheWindows_data();
    void namesTravelThroughTheWindows();
};

namespace {

// The text in the bytes of the code page in force.
QByteArray InCodePage(const QString& text) {
    return QByteArray::fromStdString(kalvon::TextPolicy().FromUtf8(text.toStdString()).value());
}

template <class T>
T* Find(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QLatin1String(name));
    if (!found) qFatal("no %s", name);
    return found;
}

}  // namespace

void TCodePageTest::namesTravelThroughTheWindows_data() {
    QTest::addColumn<QString>("codePage");
    QTest::addColumn<QString>("name");  // in capitals, as the entry dialog stores names
    QTest::newRow("UTF-8") << "UTF-8" << QString::fromUtf8("ŻÓŁW 中村");
    QTest::newRow("Cyrillic in windows-1251") << "windows-1251" << QString::fromUtf8("ИВАНОВ");
}

void TCodePageTest::namesTravelThroughTheWindows() {
    QFETCH(QString, codePage);
    QFETCH(QString, name);
    TProgramRun run;
    run.Write(
        QStringLiteral("ini/Tools.ini"),
        "[Parameters]\r\nFont Size=8\r\nDiameter Moves=30\r\nCode Page=" + codePage.toLatin1() + "\r\n");
    TMainWindow& main = run.Start();
    QCOMPARE(QString::fromStdString(kalvon::TextPolicy().CodePage()), codePage);
    const QString lines =
        QStringLiteral("2005,  501=[%1,WHITE,+,8889,?,-]\r\n2005,  502=[BLACK,%1,-,88899A,?,-]\r\n");
    run.Write(QStringLiteral("names.bdt"), InCodePage(lines.arg(name)));
    main.OpenBaseArgument(QStringLiteral("names.bdt"));
    QCOMPARE(run.Base().PartyList.size(), size_t(2));

    // The navigator and the listing window.
    List(run, {0, 1}, true, true);
    TNavigatorWindow& navigator = run.Program->NavigatorWindow();
    QCOMPARE(Panel(navigator, 1)->edBlack->text(), name);
    QCOMPARE(Panel(navigator, 2)->edWhite->text(), name);
    QAbstractItemModel* listing = Find<QListView>(&run.Program->ListingWindow(), "clbPartys")->model();
    QCOMPARE(listing->index(0, 0).data().toString(), QStringLiteral("1.%1 - WHITE(2005,  501)").arg(name));

    // The query dialog lists the name and finds its games by it.
    CurrentSession().SetListing({});
    Trigger(main, "Execute1");
    QWidget* query = &run.Program->QueryDialog();
    auto* player = Find<QComboBox>(query, "cbPlayer");
    QVERIFY(player->findText(name) >= 0);
    Find<QCheckBox>(query, "cb3")->click();
    player->setEditText(name);
    Find<QPushButton>(query, "BitBtn1")->click();
    QVERIFY(!query->isVisible());
    QCOMPARE(run.Base().Listing, kalvon::TListing({0, 1}));

    // The entry dialog shows the opened game's name, and stores one typed in small letters in
    // capitals, in the bytes of the code page.
    CurrentSession().OpenGame(0);
    Trigger(main, "SaveGame1");
    QWidget* entry = &run.Program->GameEntryDialog();
    QCOMPARE(Find<QComboBox>(entry, "cbBlack")->currentText(), name);
    Find<QComboBox>(entry, "cbWhite")->setEditText(name.toLower());
    Find<QComboBox>(entry, "cbBlack")->setEditText(QStringLiteral("black"));
    Find<QPushButton>(entry, "BitBtn1")->click();
    QVERIFY(!entry->isVisible());
    QVERIFY2(run.Read(QStringLiteral("names.bdt"))
                 .contains(InCodePage(QStringLiteral("2005,  501=[BLACK,%1,+,8889,?,-]\r\n").arg(name))),
             run.Read(QStringLiteral("names.bdt")).constData());
    // The navigator shows the stored game at once.
    QCOMPARE(Panel(navigator, 1)->edWhite->text(), name);
}

KALVON_UI_TEST(TCodePageTest);

#include "CodePageTest.moc"
