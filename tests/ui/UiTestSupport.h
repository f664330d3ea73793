// Helpers of the window tests: a scripted dialog service, a working folder of the test's own and
// the program started in it.
#pragma once

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>
#include <optional>

#include "ui/DialogService.h"
#include "ui/Main.h"
#include "ui/PaintBox.h"
#include "ui/Program.h"

// Records every box and answers from a script; an unscripted question answers No or Cancel.
class TFakeDialogs final : public IDialogService {
public:
    struct TShown {
        QString Kind, Text;
    };
    QList<TShown> Shown;
    std::deque<bool> ConfirmAnswers;
    std::deque<std::optional<QString>> SaveAnswers;
    QStringList Opened;

    void Information(QWidget*, const QString& text) override {
        Shown.append({QStringLiteral("information"), text});
    }
    void Warning(QWidget*, const QString& text) override { Shown.append({QStringLiteral("warning"), text}); }
    void Error(QWidget*, const QString& text) override { Shown.append({QStringLiteral("error"), text}); }
    bool Confirm(QWidget*, const QString& text) override {
        Shown.append({QStringLiteral("confirm"), text});
        if (ConfirmAnswers.empty()) return false;
        const bool answer = ConfirmAnswers.front();
        ConfirmAnswers.pop_front();
        return answer;
    }
    std::optional<QString> InputText(QWidget*, const QString&, const QString& prompt,
                                     const QString&) override {
        Shown.append({QStringLiteral("input"), prompt});
        return std::nullopt;
    }
    std::optional<QString> SaveFileName(QWidget*, const QString& caption, const QString&,
                                        const QString&) override {
        Shown.append({QStringLiteral("save"), caption});
        if (SaveAnswers.empty()) return std::nullopt;
        const bool chosen = SaveAnswers.front().has_value();
        const QString name = SaveAnswers.front().value_or(QString());
        SaveAnswers.pop_front();
        if (!chosen) return std::nullopt;
        return name;
    }
    void OpenDocument(const QString& path) override { Opened.append(path); }

    QStringList Texts(const QString& kind) const {
        QStringList texts;
        for (const TShown& shown : Shown)
            if (shown.Kind == kind) texts.append(shown.Text);
        return texts;
    }
};

// A fresh working folder with the fake dialogs installed; the program is started on demand.
class TSession {
public:
    TSession() {
        Previous_ = QDir::currentPath();
        QDir::setCurrent(Folder_.path());
        auto fake = std::make_unique<TFakeDialogs>();
        Dialogs = fake.get();
        Real_ = SetDialogService(std::move(fake));
    }
    ~TSession() {
        Program.reset();
        SetDialogService(std::move(Real_));
        QDir::setCurrent(Previous_);
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

    // Creates the ten windows and shows the main window, as the program's start does.
    TMainForm& Start() {
        Program = std::make_unique<TProgram>();
        Program->MainForm->show();
        if (!QTest::qWaitForWindowExposed(Program->MainForm.get())) qWarning("main window not exposed");
        return *Program->MainForm;
    }
    TMainForm& Main() { return *Program->MainForm; }
    kalvon::TGameBase& Base() { return Program->Base; }

    TFakeDialogs* Dialogs = nullptr;
    std::unique_ptr<TProgram> Program;

private:
    QTemporaryDir Folder_;
    QString Previous_;
    std::unique_ptr<IDialogService> Real_;
};

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

// A base file of a few games in the line form of the base.
inline QByteArray SmallBase() {
    return "2003, 4711=[Black One,White One,+,8889,?,-]\r\n"
           "2003, 4712=[White One,Black One,-,88899A,?,-]\r\n"
           "2004, 4713=[Third,Black One,=,,?,R]\r\n";
}
