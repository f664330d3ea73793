// The dialog service: the question with named buttons as the toolkit shows it (Enter, Escape, a
// click), and the scripted answers of the fake to every kind of dialog.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "tests/ui/UiTestRegistry.h"
#include "tests/ui/UiTestSupport.h"

class TDialogServiceTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOffscreenWarnings(); }
    void aChoiceAnswersByEnterEscapeOrClick_data();
    void aChoiceAnswersByEnterEscapeOrClick();
    void enterConfirmsOnlyWhereYesLosesNothing();
    void theFakeGivesItsScriptAndRecordsTheDefault();
    void theFakeReportsWhatAScriptLeftOut_data();
    void theFakeReportsWhatAScriptLeftOut();
};

void TDialogServiceTest::aChoiceAnswersByEnterEscapeOrClick_data() {
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<QString>("action");  // a key, or the caption of the button to click
    QTest::addColumn<int>("answer");
    QTest::newRow("Enter presses the default") << 1 << "Enter" << 1;
    QTest::newRow("Enter on another default") << 2 << "Enter" << 2;
    QTest::newRow("Escape answers as the last button") << 0 << "Escape" << 2;
    QTest::newRow("a click") << 0 << "Merge" << 1;
}

void TDialogServiceTest::aChoiceAnswersByEnterEscapeOrClick() {
    QFETCH(int, defaultButton);
    QFETCH(QString, action);
    QFETCH(int, answer);
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        text = box->text();
        if (action == QLatin1String("Enter"))
            QTest::keyClick(box, Qt::Key_Return);
        else if (action == QLatin1String("Escape"))
            QTest::keyClick(box, Qt::Key_Escape);
        else
            for (QPushButton* button : box->findChildren<QPushButton*>())
                if (button->text() == action) button->click();
    });
    TQtDialogService real;
    const int chosen = real.Choose(
        nullptr, QStringLiteral("Base b.bdt is open.\r\nWhat now?"),
        {QStringLiteral("Replace"), QStringLiteral("Merge"), QStringLiteral("Cancel")}, defaultButton);
    QCOMPARE(text, QStringLiteral("Base b.bdt is open.\nWhat now?"));
    QCOMPARE(chosen, answer);
}

void TDialogServiceTest::enterConfirmsOnlyWhereYesLosesNothing() {
    TQtDialogService real;
    QList<bool> answers;
    for (const bool losing : {false, true}) {
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, Qt::Key_Return);
        });
        const QString text = QStringLiteral("Go on?");
        answers.append(losing ? real.ConfirmDefaultNo(nullptr, text) : real.Confirm(nullptr, text));
    }
    QCOMPARE(answers, QList<bool>({true, false}));
}

void TDialogServiceTest::theFakeGivesItsScriptAndRecordsTheDefault() {
    TFakeDialogs fake;
    fake.ChooseAnswers = {0};
    fake.OpenAnswers = {QStringList{QStringLiteral("a.bdt"), QStringLiteral("b.bdt")}, std::nullopt};
    fake.FolderAnswers = {QStringLiteral("/tmp/games")};
    const QStringList buttons = {QStringLiteral("Replace"), QStringLiteral("Cancel")};
    QCOMPARE(fake.Choose(nullptr, QStringLiteral("Replace?"), buttons, 1), 0);
    QCOMPARE(fake.OpenFileNames(nullptr, QStringLiteral("Open"), QString(), QStringLiteral("*.bdt")),
             std::optional<QStringList>({QStringLiteral("a.bdt"), QStringLiteral("b.bdt")}));
    QCOMPARE(fake.OpenFileNames(nullptr, QStringLiteral("Open"), QString(), QStringLiteral("*.bdt")),
             std::nullopt);
    QCOMPARE(fake.FolderName(nullptr, QStringLiteral("Folder"), QString()),
             std::optional<QString>(QStringLiteral("/tmp/games")));
    QCOMPARE(fake.Texts(QStringLiteral("choose")), QStringList{QStringLiteral("Replace?")});
    QCOMPARE(fake.Shown.first().Buttons, buttons);
    QCOMPARE(fake.Shown.first().DefaultButton, 1);
    QCOMPARE(fake.Texts(QStringLiteral("open")), QStringList(2, QStringLiteral("Open")));
    QCOMPARE(fake.Texts(QStringLiteral("folder")), QStringList{QStringLiteral("Folder")});
    QVERIFY(fake.Leftovers().isEmpty());
}

void TDialogServiceTest::theFakeReportsWhatAScriptLeftOut_data() {
    QTest::addColumn<QString>("script");  // what the script holds, then what the code asks
    QTest::addColumn<QString>("leftover");
    QTest::newRow("an unanswered choice") << "choose"
                                          << "unanswered: Go?";
    QTest::newRow("an answer naming no button") << "choose 5"
                                                << "unanswered: no button 5 in: Go?";
    QTest::newRow("an unanswered open-file dialog") << "open"
                                                    << "unanswered: Open";
    QTest::newRow("an unanswered folder dialog") << "folder"
                                                 << "unanswered: Folder";
    QTest::newRow("an unused choice") << "script choose"
                                      << "scripted answers left over";
    QTest::newRow("an unused open answer") << "script open"
                                           << "scripted answers left over";
    QTest::newRow("an unused folder answer") << "script folder"
                                             << "scripted answers left over";
}

void TDialogServiceTest::theFakeReportsWhatAScriptLeftOut() {
    QFETCH(QString, script);
    QFETCH(QString, leftover);
    TFakeDialogs fake;
    if (script == QLatin1String("choose")) {
        QCOMPARE(
            fake.Choose(nullptr, QStringLiteral("Go?"), {QStringLiteral("Go"), QStringLiteral("Stop")}, 0),
            1);
    } else if (script == QLatin1String("choose 5")) {
        fake.ChooseAnswers = {5};
        QCOMPARE(
            fake.Choose(nullptr, QStringLiteral("Go?"), {QStringLiteral("Go"), QStringLiteral("Stop")}, 0),
            1);
    } else if (script == QLatin1String("open")) {
        QCOMPARE(fake.OpenFileNames(nullptr, QStringLiteral("Open"), QString(), QString()), std::nullopt);
    } else if (script == QLatin1String("folder")) {
        QCOMPARE(fake.FolderName(nullptr, QStringLiteral("Folder"), QString()), std::nullopt);
    } else if (script == QLatin1String("script choose")) {
        fake.ChooseAnswers = {0};
    } else if (script == QLatin1String("script open")) {
        fake.OpenAnswers = {std::nullopt};
    } else {
        fake.FolderAnswers = {QString()};
    }
    QCOMPARE(fake.Leftovers(), QStringList{leftover});
}

KALVON_UI_TEST(TDialogServiceTest);

#include "DialogServiceTest.moc"
