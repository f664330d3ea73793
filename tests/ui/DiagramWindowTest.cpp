// The diagram window and its letters window: the game list, choosing a game, the check boxes, the
// window's size, the files in Out/, the clipboard, the letter marks, and the tool's same picture.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <algorithm>

#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/DiagramWindow.h"
#include "ui/LetterMarksDialog.h"
#include "ui/TextWidths.h"

class TDiagramWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void listsTheSelectionAndChoosesAGame();
    void checkBoxesAndSizeFollowThePicture();
    void writesBitmapAndMetafileIntoOut();
    void refusesNamesOutsideOut();
    void failedSaveSaysWhyAndLeavesNothing();
    void copiesMetafileAndPngToTheClipboard();
    void lettersWindowEditsTheMarks();
    void newSelectionLeavesNoGameChosen();
    void toolDrawsTheSamePixels();
    void longLinesShowWholeWithTheirResult();
};

namespace {

// Twelve games: the twelfth lies between columns G and K and rows 7 and 10 (a 4 x 4 frame).
QByteArray TwelveGames() {
    QByteArray content;
    for (int i = 1; i <= 11; ++i)
        content += QStringLiteral("2003, 47%1=[Black One,White One,%2,8889,?,-]\r\n")
                       .arg(i, 2, 10, QLatin1Char('0'))
                       .arg(i % 2 ? QLatin1Char('+') : QLatin1Char('-'))
                       .toLatin1();
    content += "2004, 4712=[Third,Black One,=,8878A9978A,?,R]\r\n";
    return content;
}

struct TWindow {
    TDiagramWindow* Form;
    template <class T>
    T* Get(const char* name) const {
        T* widget = Form->findChild<T*>(QLatin1String(name));
        if (!widget) qFatal("no %s", name);
        return widget;
    }
    QComboBox* Games() const { return Get<QComboBox>("ComboBox1"); }
    void Click(const char* name) const { QTest::mouseClick(Get<QAbstractButton>(name), Qt::LeftButton); }
    // Chooses the game at that position of PartyList as the user does.
    void Choose(long party) const {
        for (int line = 0; line < Games()->count(); ++line)
            if (Games()->itemData(line).toLongLong() == party) {
                Games()->setCurrentIndex(line);
                emit Games()->activated(line);
                return;
            }
        qFatal("game %ld is not listed", party);
    }
};

// The program with the twelve games loaded and selected, and the diagram window opened by its menu.
TWindow Open(TProgramRun& run) {
    run.Write(QStringLiteral("d.bdt"), TwelveGames());
    TMainWindow& main = run.Start();
    main.OpenBaseArgument(QStringLiteral("d.bdt"));
    CurrentSession().Search();
    [&main] { Trigger(main, "Truncated1"); }();
    return {&run.Program->DiagramWindow()};
}

QStringList OutFiles(TProgramRun& run) {
    return QDir(run.Path(QStringLiteral("Out"))).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

}  // namespace

void TDiagramWindowTest::listsTheSelectionAndChoosesAGame() {
    TProgramRun run;
    const TWindow w = Open(run);
    QVERIFY(w.Form->isVisible());
    QCOMPARE(w.Form->windowTitle(), QStringLiteral("Generation of truncated diagrams"));
    QVERIFY(!Action(run.Main(), "Collection1")->isEnabled());
    QCOMPARE(w.Games()->count(), 12);
    QCOMPARE(w.Games()->itemText(11), QStringLiteral(" 4712.Third - Black One"));
    QCOMPARE(w.Games()->currentIndex(), -1);
    QCOMPARE(w.Get<QLineEdit>("Edit1")->text(), QStringLiteral("1.bmp"));
    QCOMPARE(w.Get<QLabel>("Label2")->text(), QString());
    // Without a chosen game the buttons do nothing.
    for (const char* button : {"Button1", "Button2", "Button3", "Button4"}) w.Click(button);
    QVERIFY(run.Dialogs->Shown.isEmpty());
    QVERIFY(!QDir(run.Path(QStringLiteral("Out"))).exists());

    w.Choose(11);
    QCOMPARE(w.Form->DiagramParty(), std::optional<long>(11));
    QCOMPARE(w.Get<QLabel>("Label2")->text(), QStringLiteral(" 4712.Third - Black One  1/2"));
    QCOMPARE(w.Get<QLineEdit>("Edit1")->text(), QStringLiteral("u12"));
    QCOMPARE(w.Get<QSpinBox>("SpinEdit1")->maximum(), 5);
    QCOMPARE(w.Get<QSpinBox>("SpinEdit1")->value(), 1);
    w.Choose(0);
    QCOMPARE(w.Get<QLabel>("Label2")->text(), QStringLiteral(" 4701.Black One - White One  1:0"));
    QCOMPARE(w.Get<QSpinBox>("SpinEdit1")->maximum(), 2);
}

void TDiagramWindowTest::checkBoxesAndSizeFollowThePicture() {
    TProgramRun run;
    const TWindow w = Open(run);
    auto* full = w.Get<QCheckBox>("CheckBox1");
    auto* caption = w.Get<QCheckBox>("CheckBox2");
    auto* commentary = w.Get<QCheckBox>("CheckBox3");
    QWidget* preview = w.Get<QWidget>("PaintBox1");
    w.Choose(11);
    // W = H = 5 * 30 = 150: the window keeps the width of its panel of controls, at least 218.
    const int panel = w.Games()->parentWidget()->width();
    QVERIFY(panel >= 218);
    QCOMPARE(preview->size(), QSize(150, 150));
    QCOMPARE(w.Form->frameGeometry().size(), QSize(panel, 150 + 170));
    QVERIFY(!caption->isEnabled() && !commentary->isEnabled());

    w.Click("CheckBox1");
    QVERIFY(caption->isEnabled() && commentary->isEnabled());
    QCOMPARE(preview->size(), QSize(480, 480));
    QCOMPARE(w.Form->frameGeometry().size(), QSize(std::max(panel, 490), 480 + 170));
    w.Click("CheckBox2");
    QVERIFY(commentary->isEnabled());
    QCOMPARE(preview->height(), 480 + 15);
    w.Click("CheckBox3");
    QCOMPARE(preview->height(), 480 + 30);
    w.Click("CheckBox2");
    QVERIFY(!commentary->isEnabled() && commentary->isChecked());
    QCOMPARE(preview->height(), 480);
    // Unchecking "Full Diagram" disables the caption boxes; their marks stay and still draw.
    w.Click("CheckBox2");
    w.Click("CheckBox1");
    QVERIFY(!caption->isEnabled() && !commentary->isEnabled() && caption->isChecked());
    QCOMPARE(preview->size(), QSize(150, 150 + 30));
    QVERIFY(!full->isChecked());

    // "With Num" 3 numbers move 3 as 1: the preview shows what the drawing gives.
    w.Get<QSpinBox>("SpinEdit1")->setValue(3);
    const QImage shown = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, DiagramImage(w.Form->CurrentDiagram()));
    QCOMPARE(w.Form->CurrentDiagram().Options.WithNum, 3);
}

void TDiagramWindowTest::writesBitmapAndMetafileIntoOut() {
    TProgramRun run;
    const TWindow w = Open(run);
    w.Choose(11);
    w.Click("Button1");
    w.Click("Button2");
    const QString out = run.Path(QStringLiteral("Out"));
    QCOMPARE(run.Dialogs->Texts(QStringLiteral("information")),
             QStringList({QStringLiteral("File u12.bmp saved in %1.").arg(out),
                          QStringLiteral("File u12.emf saved in %1.").arg(out)}));
    QCOMPARE(OutFiles(run), QStringList({QStringLiteral("u12.bmp"), QStringLiteral("u12.emf")}));
    const QImage bmp(run.Path(QStringLiteral("Out/u12.bmp")), "BMP");
    QCOMPARE(bmp.size(), QSize(150, 150));
    QCOMPARE(bmp.convertToFormat(QImage::Format_RGB32), DiagramImage(w.Form->CurrentDiagram()));
    QCOMPARE(run.Read(QStringLiteral("Out/u12.emf")).mid(40, 4), QByteArray(" EMF"));
    // The same name again replaces the file without asking.
    w.Click("Button1");
    QCOMPARE(run.Dialogs->Texts(QStringLiteral("information")).size(), 3);
    QCOMPARE(OutFiles(run).size(), 2);
}

void TDiagramWindowTest::refusesNamesOutsideOut() {
    TProgramRun run;
    const TWindow w = Open(run);
    w.Choose(11);
    run.Write(QStringLiteral("Out/keep"), "x");
    for (const char* name : {"", "  ", "../u12", "a/b", "/tmp/u12", ".", ".."}) {
        w.Get<QLineEdit>("Edit1")->setText(QLatin1String(name));
        w.Click("Button1");
        w.Click("Button2");
        const QStringList warnings = run.Dialogs->Texts(QStringLiteral("warning"));
        QCOMPARE(warnings.size(), 2);
        QVERIFY2(warnings.first().contains(QLatin1String("Nothing was written")),
                 qPrintable(warnings.first()));
        QVERIFY2(warnings.first().contains(run.Path(QStringLiteral("Out"))), qPrintable(warnings.first()));
        run.Dialogs->Shown.clear();
        QCOMPARE(run.Dialogs->Texts(QStringLiteral("information")), QStringList());
    }
    QCOMPARE(OutFiles(run), QStringList({QStringLiteral("keep")}));
    QVERIFY(!QFile::exists(run.Path(QStringLiteral("u12.bmp"))));
    QVERIFY(!QFile::exists(run.Path(QStringLiteral("Out.bmp"))));
}

void TDiagramWindowTest::failedSaveSaysWhyAndLeavesNothing() {
    TProgramRun run;
    const TWindow w = Open(run);
    w.Choose(11);
    // Out is a file: the folder cannot be made, for root too.
    run.Write(QStringLiteral("Out"), "not a folder");
    w.Click("Button1");
    QStringList errors = run.Dialogs->Texts(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(run.Path(QStringLiteral("Out"))), qPrintable(errors.first()));
    QCOMPARE(run.Dialogs->Texts(QStringLiteral("information")), QStringList());
    QCOMPARE(run.Read(QStringLiteral("Out")), QByteArray("not a folder"));

    // Out is a link to another folder: nothing is written there.
    QVERIFY(QFile::remove(run.Path(QStringLiteral("Out"))));
    QVERIFY(QDir().mkpath(run.Path(QStringLiteral("elsewhere"))));
    QVERIFY(QFile::link(QStringLiteral("elsewhere"), run.Path(QStringLiteral("Out"))));
    w.Click("Button1");
    errors = run.Dialogs->Texts(QStringLiteral("error"));
    QCOMPARE(errors.size(), 2);
    QVERIFY2(errors.last().contains(QLatin1String("not a folder of its own")), qPrintable(errors.last()));
    QVERIFY(QDir(run.Path(QStringLiteral("elsewhere"))).isEmpty());

    // The picture's name is taken by a folder or a link to the base: the picture goes to the next free
    // name, which the message gives, and nothing is written through the link.
    QVERIFY(QFile::remove(run.Path(QStringLiteral("Out"))));
    QVERIFY(QDir().mkpath(run.Path(QStringLiteral("Out/u12.emf"))));
    QVERIFY(QFile::link(QStringLiteral("../d.bdt"), run.Path(QStringLiteral("Out/u12.bmp"))));
    const QByteArray base = run.Read(QStringLiteral("d.bdt"));
    w.Click("Button2");
    w.Click("Button1");
    QCOMPARE(
        run.Dialogs->Texts(QStringLiteral("information")),
        QStringList({QStringLiteral("u12.emf is not an ordinary file, so the picture went to another name. "
                                    "File u12 (2).emf saved in %1.")
                         .arg(run.Path(QStringLiteral("Out"))),
                     QStringLiteral("u12.bmp is not an ordinary file, so the picture went to another name. "
                                    "File u12 (2).bmp saved in %1.")
                         .arg(run.Path(QStringLiteral("Out")))}));
    QCOMPARE(run.Read(QStringLiteral("d.bdt")), base);
    QCOMPARE(run.Read(QStringLiteral("Out/u12 (2).emf")).mid(40, 4), QByteArray(" EMF"));
}

void TDiagramWindowTest::copiesMetafileAndPngToTheClipboard() {
    TProgramRun run;
    const TWindow w = Open(run);
    w.Choose(11);
    w.Click("Button3");
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QCOMPARE(data->data(QStringLiteral("image/x-emf")).mid(40, 4), QByteArray(" EMF"));
    const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
    QCOMPARE(png.convertToFormat(QImage::Format_RGB32), DiagramImage(w.Form->CurrentDiagram()));
    QVERIFY(run.Dialogs->Shown.isEmpty());
}

void TDiagramWindowTest::lettersWindowEditsTheMarks() {
    TProgramRun run;
    const TWindow w = Open(run);
    w.Choose(11);  // move 1 at H8
    TLetterMarksDialog* book = &run.Program->LetterMarksDialog();
    auto* grid = book->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
    auto enter = [&](int row, const char* typed) {
        run.Dialogs->InputAnswers.push_back(QLatin1String(typed));
        const QPoint cell = grid->visualItemRect(grid->item(row, 1)).center();
        // A double-click is a press and release followed by the second press.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
    };
    w.Click("Button4");
    QVERIFY(QTest::qWaitForWindowExposed(book));
    QCOMPARE(book->windowTitle(), QStringLiteral("Letters"));
    QVERIFY(book->isModal());
    QCOMPARE(grid->rowCount(), 26);
    QCOMPARE(grid->item(25, 0)->text(), QStringLiteral("Z"));

    enter(3, "d5");
    QCOMPARE(
        run.Dialogs->Texts(QStringLiteral("input")),
        QStringList({QStringLiteral("Entering a point|Enter point ABCDEFGHJKLMNOP1-15, for example j8 or "
                                    "J8|")}));
    for (const char* bad : {"I8", "Q1", "H0", "H16", "H"}) {
        enter(3, bad);
        QCOMPARE(run.Dialogs->Texts(QStringLiteral("warning")).constLast(),
                 QStringLiteral("\"%1\" is not a point: type a letter A-H or J-P and a number 1-15, for "
                                "example J8. An empty entry removes the mark.")
                     .arg(QLatin1String(bad)));
    }
    QCOMPARE(run.Dialogs->Texts(QStringLiteral("warning")).size(), 5);
    QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("D5"));
    enter(3, " ");  // an empty entry removes the mark
    QCOMPARE(grid->item(3, 1)->text(), QString());
    enter(3, "d5");
    enter(7, "h15");
    QCOMPARE(grid->item(7, 1)->text(), QStringLiteral("H15"));
    enter(7, " A10 ");
    QCOMPARE(grid->item(7, 1)->text(), QStringLiteral("A10"));
    // H8 holds move 1: the question, and No keeps the row.
    run.Dialogs->ConfirmAnswers.push_back(false);
    enter(1, "h8");
    QCOMPARE(run.Dialogs->Texts(QStringLiteral("confirm")),
             QStringList({QStringLiteral("Point H8 is occupied 1th move! To put a mark in this point?")}));
    QCOMPARE(grid->item(1, 1)->text(), QString());
    run.Dialogs->ConfirmAnswers.push_back(true);
    enter(1, "h8");
    QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("H8"));
    run.Dialogs->InputAnswers.push_back(std::nullopt);  // cancelling the input changes nothing
    grid->setCurrentCell(1, 1);
    book->EnterPoint();
    QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("H8"));

    QTest::mouseClick(book->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    QVERIFY(!book->isVisible());
    // B before D before H, whatever the order of entry; the frame takes in the marks.
    QCOMPARE(w.Form->LetterMarks(), std::string("B88D45H1A"));
    QCOMPARE(w.Get<QWidget>("PaintBox1")->size(), QSize(11 * 30, 7 * 30));

    // Cancel drops the edits of the opening; the grid shows the marks again at the next.
    w.Click("Button4");
    QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("D5"));
    enter(2, "j8");
    QCOMPARE(grid->item(2, 1)->text(), QStringLiteral("J8"));
    // The window says in one line how a mark is entered; Enter on a row does as a double-click.
    auto* hint = book->findChild<QLabel*>(QStringLiteral("Hint"));
    QVERIFY(hint && hint->isVisible());
    QVERIFY(hint->text().contains(QLatin1String("Enter")) && hint->text().contains(QLatin1String("H8")));
    QVERIFY(!hint->wordWrap());
    QVERIFY(hint->fontMetrics().horizontalAdvance(hint->text()) <= hint->contentsRect().width());
    grid->setCurrentCell(5, 1);
    grid->setFocus();
    run.Dialogs->InputAnswers.push_back(QStringLiteral("k10"));
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(grid->item(5, 1)->text(), QStringLiteral("K10"));
    QVERIFY(book->isVisible());
    QTest::mouseClick(book->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    QCOMPARE(w.Form->LetterMarks(), std::string("B88D45H1A"));
    w.Click("Button4");
    enter(2, "j8");
    QTest::mouseClick(book->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    QCOMPARE(w.Form->LetterMarks(), std::string("B88C98D45H1A"));
    // Another game drops the marks.
    w.Choose(0);
    QCOMPARE(w.Form->LetterMarks(), std::string());
}

void TDiagramWindowTest::newSelectionLeavesNoGameChosen() {
    TProgramRun run;
    const TWindow w = Open(run);
    w.Choose(11);
    // A new Listing refills the list; nothing is chosen and the buttons do nothing.
    CurrentSession().SetListing(CurrentSession().Base().Listing);
    QCOMPARE(w.Games()->currentIndex(), -1);
    QCOMPARE(w.Form->DiagramParty(), std::nullopt);
    QCOMPARE(w.Get<QLabel>("Label2")->text(), QString());
    w.Click("Button1");
    QVERIFY(run.Dialogs->Shown.isEmpty());
    // A game that changed under the window is no longer the chosen one, even without a signal.
    w.Choose(11);
    kalvon::TPartyRecord changed = CurrentSession().Base().PartyList[11];
    changed.Moves = "88";
    QVERIFY(CurrentSession().ReplaceGame(11, changed));
    QCOMPARE(w.Form->DiagramParty(), std::nullopt);
    w.Click("Button1");
    QVERIFY(run.Dialogs->Shown.isEmpty());
    // The base emptied: no games listed.
    CurrentSession().ClearLists();
    QCOMPARE(w.Games()->count(), 0);
}

void TDiagramWindowTest::toolDrawsTheSamePixels() {
    TProgramRun run;
    const TWindow w = Open(run);
    w.Choose(11);
    w.Click("CheckBox1");
    w.Click("CheckBox2");
    w.Click("CheckBox3");
    w.Get<QSpinBox>("SpinEdit1")->setValue(2);
    run.Dialogs->ConfirmAnswers.push_back(true);
    run.Dialogs->InputAnswers.push_back(QStringLiteral("h8"));
    w.Click("Button4");
    auto* grid = run.Program->LetterMarksDialog().findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
    grid->setCurrentCell(0, 1);
    run.Program->LetterMarksDialog().EnterPoint();
    run.Program->LetterMarksDialog().AcceptMarks();
    w.Click("Button1");
    QCOMPARE(run.Dialogs->Texts(QStringLiteral("confirm")).size(), 1);
    QCOMPARE(run.Dialogs->Texts(QStringLiteral("information")).size(), 1);

    QProcess cli;
    cli.setWorkingDirectory(run.Path(QString()));
    cli.start(
        QStringLiteral(KALVON_CLI),
        {QStringLiteral("diagram"), QStringLiteral("d.bdt"), QStringLiteral("12"), QStringLiteral("cli.bmp"),
         QStringLiteral("--full"), QStringLiteral("--caption"), QStringLiteral("--commentary"),
         QStringLiteral("--num"), QStringLiteral("2"), QStringLiteral("--marks"), QStringLiteral("A88")});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(cli.readAllStandardError(), QByteArray());
    const QImage tool(run.Path(QStringLiteral("cli.bmp")), "BMP");
    const QImage window(run.Path(QStringLiteral("Out/u12.bmp")), "BMP");
    QCOMPARE(window.size(), QSize(480, 510));
    QCOMPARE(tool.convertToFormat(QImage::Format_RGB32), window.convertToFormat(QImage::Format_RGB32));
}

// The list shows a line of a board code and two names of 24 letters whole; the line under it keeps
// the result in view however long the names, and tells the line whole as its tip.
void TDiagramWindowTest::longLinesShowWholeWithTheirResult() {
    TProgramRun run;
    const QString name = NameSample(), longer = NameSample() + NameSample();
    QString other = name;
    std::reverse(other.begin(), other.end());
    run.Write(QStringLiteral("d.bdt"),
              QStringLiteral("2021,10265=[%1,%2,-,8889,?,-]\r\n2021,10266=[%3,%3,+,8889,?,-]\r\n")
                  .arg(name, other, longer)
                  .toLatin1());
    TMainWindow& main = run.Start();
    main.OpenBaseArgument(QStringLiteral("d.bdt"));
    CurrentSession().Search();
    Trigger(main, "Truncated1");
    const TWindow w{&run.Program->DiagramWindow()};
    QVERIFY(QTest::qWaitForWindowExposed(w.Form));
    w.Choose(0);
    const QString line = QStringLiteral("10265.%1 - %2").arg(name, other);
    QCOMPARE(w.Games()->currentText(), line);
    QCOMPARE(w.Games()->toolTip(), line);
    QStyleOptionComboBox option;
    option.initFrom(w.Games());
    const QRect field = w.Games()->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, w.Games());
    QVERIFY2(w.Games()->fontMetrics().horizontalAdvance(line) <= field.width(),
             qPrintable(QStringLiteral("%1 > %2")
                            .arg(w.Games()->fontMetrics().horizontalAdvance(line))
                            .arg(field.width())));
    auto* label = w.Get<QLabel>("Label2");
    for (long party : {0L, 1L}) {
        w.Choose(party);
        const QString result = party == 0 ? QStringLiteral("  0:1") : QStringLiteral("  1:0");
        QVERIFY2(label->text().endsWith(result), qPrintable(label->text()));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        QCOMPARE(label->toolTip(), w.Games()->currentText() + result);
    }
    QVERIFY(label->text().contains(QChar(0x2026)));  // the longer names are shortened, not the result
}

KALVON_UI_TEST(TDiagramWindowTest);
#include "DiagramWindowTest.moc"
