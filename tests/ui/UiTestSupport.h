// Helpers of the window tests: a scripted dialog service, a working folder of the test's own and
// the program started in it.
#pragma once

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <deque>
#include <memory>
#include <optional>

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "exchange/NotificationWriter.h"
#include "ui/BoardArea.h"
#include "ui/BoardView.h"
#include "ui/DialogService.h"
#include "ui/MainWindow.h"
#include "ui/Program.h"
#include "ui/StatisticMemo.h"

// Records every box and answers from a script. A test fails when it leaves an error box that it
// never looked at (through Texts), a scripted answer nobody asked for, or a question it did not
// script an answer to.
class TFakeDialogs final : public IDialogService {
public:
    struct TShown {
        QString Kind, Text;
        mutable bool Read = false;
        // A choice: its buttons and the one Enter would have pressed.
        QStringList Buttons = {};
        int DefaultButton = -1;
        QString Folder = {};  // where a file dialog started
    };
    QList<TShown> Shown;
    std::deque<bool> ConfirmAnswers;
    std::deque<TAnswer> AskAnswers;
    std::deque<int> ChooseAnswers;                     // the index of the button pressed
    std::deque<std::optional<int>> ChooseItemAnswers;  // the index of the item picked, or cancelled
    std::deque<std::optional<QString>> SaveAnswers;
    std::deque<std::optional<QStringList>> OpenAnswers;
    std::deque<std::optional<QString>> FolderAnswers;
    std::deque<std::optional<QString>> InputAnswers;
    QStringList Opened;
    QStringList Unanswered;

    void Information(QWidget*, const QString& text) override {
        Shown.append({QStringLiteral("information"), text});
    }
    void Warning(QWidget*, const QString& text) override { Shown.append({QStringLiteral("warning"), text}); }
    void Error(QWidget*, const QString& text) override { Shown.append({QStringLiteral("error"), text}); }
    // A confirmation is recorded with its buttons Yes and No and the one Enter would press.
    bool Confirm(QWidget*, const QString& text) override { return Confirmed(text, 0); }
    bool ConfirmDefaultNo(QWidget*, const QString& text) override { return Confirmed(text, 1); }
    TAnswer Ask(QWidget*, const QString& text) override {
        Shown.append({QStringLiteral("ask"), text});
        if (AskAnswers.empty()) {
            Unanswered.append(text);
            return TAnswer::Cancel;
        }
        const TAnswer answer = AskAnswers.front();
        AskAnswers.pop_front();
        return answer;
    }
    // Unanswered, a choice is cancelled: the last button. An answer that names no button fails the test.
    int Choose(QWidget*, const QString& text, const QStringList& buttons, int defaultButton) override {
        Shown.append({QStringLiteral("choose"), text, false, buttons, defaultButton});
        const int cancel = int(buttons.size()) - 1;
        if (ChooseAnswers.empty()) {
            Unanswered.append(text);
            return cancel;
        }
        const int answer = ChooseAnswers.front();
        ChooseAnswers.pop_front();
        if (answer < 0 || answer > cancel) {
            Unanswered.append(QStringLiteral("no button %1 in: %2").arg(answer).arg(text));
            return cancel;
        }
        return answer;
    }
    // Unanswered, a list is cancelled. The items are recorded as the buttons of a choice are.
    std::optional<int> ChooseItem(QWidget*, const QString&, const QString& text, const QStringList& items,
                                  int current) override {
        Shown.append({QStringLiteral("item"), text, false, items, current});
        if (ChooseItemAnswers.empty()) {
            Unanswered.append(text);
            return std::nullopt;
        }
        const std::optional<int> answer = ChooseItemAnswers.front();
        ChooseItemAnswers.pop_front();
        if (answer && (*answer < 0 || *answer >= items.size())) {
            Unanswered.append(QStringLiteral("no item %1 in: %2").arg(*answer).arg(text));
            return std::nullopt;
        }
        return answer;
    }
    std::optional<QString> InputText(QWidget*, const QString& caption, const QString& prompt,
                                     const QString& initial) override {
        Shown.append(
            {QStringLiteral("input"), caption + QLatin1Char('|') + prompt + QLatin1Char('|') + initial});
        if (InputAnswers.empty()) {
            Unanswered.append(prompt);
            return std::nullopt;
        }
        const std::optional<QString> answer = InputAnswers.front();
        InputAnswers.pop_front();
        return answer;
    }
    std::optional<QString> SaveFileName(QWidget*, const QString& caption, const QString& folder,
                                        const QString&) override {
        return Next(QStringLiteral("save"), caption, folder, SaveAnswers);
    }
    std::optional<QStringList> OpenFileNames(QWidget*, const QString& caption, const QString& folder,
                                             const QString&) override {
        return Next(QStringLiteral("open"), caption, folder, OpenAnswers);
    }
    std::optional<QString> FolderName(QWidget*, const QString& caption, const QString& folder) override {
        return Next(QStringLiteral("folder"), caption, folder, FolderAnswers);
    }
    void OpenDocument(const QString& path) override { Opened.append(path); }

    // The texts of the boxes of one kind, in order; the test has now read them.
    QStringList Texts(const QString& kind) const {
        QStringList texts;
        for (const TShown& shown : Shown)
            if (shown.Kind == kind) {
                texts.append(shown.Text);
                shown.Read = true;
            }
        return texts;
    }

    // What the test left behind: unread errors and warnings, unused answers, unanswered questions.
    QStringList Leftovers() const {
        QStringList left;
        for (const TShown& shown : Shown)
            if (!shown.Read &&
                (shown.Kind == QLatin1String("error") || shown.Kind == QLatin1String("warning")))
                left.append(shown.Kind + QStringLiteral(" nobody read: ") + shown.Text);
        for (const QString& question : Unanswered) left.append(QStringLiteral("unanswered: ") + question);
        if (!ConfirmAnswers.empty() || !AskAnswers.empty() || !ChooseAnswers.empty() ||
            !ChooseItemAnswers.empty() || !SaveAnswers.empty() || !OpenAnswers.empty() ||
            !FolderAnswers.empty() || !InputAnswers.empty())
            left.append(QStringLiteral("scripted answers left over"));
        return left;
    }

private:
    bool Confirmed(const QString& text, int defaultButton) {
        Shown.append({QStringLiteral("confirm"),
                      text,
                      false,
                      {QStringLiteral("Yes"), QStringLiteral("No")},
                      defaultButton});
        if (ConfirmAnswers.empty()) {
            Unanswered.append(text);
            return false;
        }
        const bool answer = ConfirmAnswers.front();
        ConfirmAnswers.pop_front();
        return answer;
    }
    // Records a file dialog and gives its scripted answer; unanswered, it is cancelled.
    template <class Answer>
    std::optional<Answer> Next(const QString& kind, const QString& caption, const QString& folder,
                               std::deque<std::optional<Answer>>& answers) {
        Shown.append({kind, caption, false, {}, -1, folder});
        if (answers.empty()) {
            Unanswered.append(caption);
            return std::nullopt;
        }
        const std::optional<Answer> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Widgets and commands of the main window, found by their object names.
inline QAction* Action(QWidget& window, const char* name) {
    QAction* action = window.findChild<QAction*>(QLatin1String(name));
    if (!action) qFatal("no action %s", name);
    return action;
}
inline QToolButton* Button(QWidget& window, const char* name) {
    QToolButton* button = window.findChild<QToolButton*>(QLatin1String(name));
    if (!button) qFatal("no tool button %s", name);
    return button;
}
inline TBoardArea* BoardArea(QWidget& window) {
    return window.findChild<TBoardArea*>(QStringLiteral("PaintBox1"));
}
inline TStatisticMemo* Memo(QWidget& window) {
    return window.findChild<TStatisticMemo*>(QStringLiteral("Memo1"));
}
inline TBoardView* Board(QWidget& window) {
    return window.findChild<TBoardView*>(QStringLiteral("BoardView"));
}
inline QMenu* FileMenu(QWidget& window) {
    return window.findChild<QMenu*>(QStringLiteral("File1"));
}
// Triggers a command as the user can: only while it is enabled.
#define Trigger(window, name)                                                            \
    do {                                                                                 \
        QAction* action_ = Action(window, name);                                         \
        QVERIFY2(action_->isEnabled(),                                                   \
                 qPrintable(QStringLiteral("%1 is disabled").arg(QLatin1String(name)))); \
        action_->trigger();                                                              \
    } while (false)

// A fresh working folder with the fake dialogs installed; the program is started on demand.
class TProgramRun {
public:
    TProgramRun() {
        // The user's settings (the recent bases) of each run stay in its own folder.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           Folder_.filePath(QStringLiteral(".config")));
        auto fake = std::make_unique<TFakeDialogs>();
        Dialogs = fake.get();
        Real_ = SetDialogService(std::move(fake));
        Current_ = this;
    }
    static TProgramRun& Current() { return *Current_; }
    ~TProgramRun() {
        Program.reset();
        Current_ = nullptr;
        const QStringList left = Dialogs->Leftovers();
        if (!left.isEmpty() && !QTest::currentTestFailed())
            QTest::qFail(qPrintable(left.join(QLatin1Char('\n'))), __FILE__, __LINE__);
        SetDialogService(std::move(Real_));
    }

    QString Path(const QString& name) const { return Folder_.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(Path(name)).absolutePath());
        QFile file(Path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Read(const QString& name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Starts the program in the run's folder and shows the main window, as the program's start does.
    TMainWindow& Start() {
        Program = std::make_unique<TProgram>(Folder_.path(), *Dialogs);
        Current_ = this;
        Program->MainWindow().show();
        if (!QTest::qWaitForWindowExposed(&Program->MainWindow())) qWarning("main window not exposed");
        return Program->MainWindow();
    }
    TMainWindow& Main() { return Program->MainWindow(); }
    const kalvon::TGameBase& Base() { return Program->Session.Base(); }

    TFakeDialogs* Dialogs = nullptr;
    std::unique_ptr<TProgram> Program;

private:
    static inline TProgramRun* Current_ = nullptr;
    QTemporaryDir Folder_;
    std::unique_ptr<IDialogService> Real_;
};

// The session of the program under test.
inline TSession& CurrentSession() {
    return TProgramRun::Current().Program->Session;
}

// The offscreen platform warns at every window about what only a window manager can do; a test
// class calls this in initTestCase, after the test log has installed its own handler.
inline void QuietOffscreenWarnings() {
    static QtMessageHandler logHandler = nullptr;
    logHandler =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.startsWith(QLatin1String("This plugin does not support")))
                logHandler(type, context, text);
        });
}

// The notification the server would mail for the game of a base line.
inline QByteArray Notification(const char* line) {
    kalvon::TGameBase base;
    kalvon::AddBaseLine(base, line);
    return QByteArray::fromStdString(kalvon::NotificationText(base, base.PartyList.front()));
}

// Appends the games of the base lines to the open base as "Add New Games" does, from notifications
// put in add/ for it.
inline void AddGames(TProgramRun& run, const QList<const char*>& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i)
        run.Write(QStringLiteral("add/added%1.txt").arg(i), Notification(lines[i]));
    Trigger(run.Main(), "AddNewGames1");
}

// A base file of a few games in the line form of the base.
inline QByteArray SmallBase() {
    return "2003, 4711=[Black One,White One,+,8889,?,-]\r\n"
           "2003, 4712=[White One,Black One,-,88899A,?,-]\r\n"
           "2004, 4713=[Third,Black One,=,,?,R]\r\n";
}
