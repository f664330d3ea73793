// Every message box, confirmation, text input, file dialog and shell "Open" of the program goes
// through one service, so that tests can answer them from a script instead of blocking on a box.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

enum class TAnswer { Yes, No, Cancel };

class IDialogService {
public:
    virtual ~IDialogService() = default;
    // An information message the user acknowledges (the engine's messages, "File ... not Found!").
    virtual void Information(QWidget* parent, const QString& text) = 0;
    // A warning the user acknowledges (settings that cannot be read).
    virtual void Warning(QWidget* parent, const QString& text) = 0;
    // The standard error box: a failed file operation with the file and the system's reason.
    virtual void Error(QWidget* parent, const QString& text) = 0;
    // A question with the buttons Yes and No; true for Yes.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
    // A question whose Yes loses something (games, moves, lines of the base): the buttons Yes and No,
    // and Enter presses No. True for Yes.
    virtual bool ConfirmDefaultNo(QWidget* parent, const QString& text) = 0;
    // A question with the buttons Yes, No and Cancel; closing the box is Cancel.
    virtual TAnswer Ask(QWidget* parent, const QString& text) = 0;
    // A question with buttons of the given captions, left to right; Enter presses defaultButton.
    // Returns the index of the button pressed. The last button is the cancel button: Escape and
    // closing the box answer as it does.
    virtual int Choose(QWidget* parent, const QString& text, const QStringList& buttons,
                       int defaultButton) = 0;
    // One of the items picked from a list that starts at current, or nullopt when cancelled.
    virtual std::optional<int> ChooseItem(QWidget* parent, const QString& caption, const QString& text,
                                          const QStringList& items, int current) = 0;
    // A line of text typed by the user, or nullopt when cancelled.
    virtual std::optional<QString> InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                             const QString& initial) = 0;
    // The file chosen in a save-file dialog that starts in folder, or nullopt when cancelled.
    virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& caption,
                                                const QString& folder, const QString& filter) = 0;
    // The existing files chosen in an open-file dialog that starts in folder and offers the files of
    // filter ("Bases (*.bdt);;All files (*)"), one or several; nullopt when cancelled.
    virtual std::optional<QStringList> OpenFileNames(QWidget* parent, const QString& caption,
                                                     const QString& folder, const QString& filter) = 0;
    // The existing folder chosen in a folder dialog that starts in folder, or nullopt when cancelled.
    virtual std::optional<QString> FolderName(QWidget* parent, const QString& caption,
                                              const QString& folder) = 0;
    // Opens a document with the desktop's default program for its type.
    virtual void OpenDocument(const QString& path) = 0;
};

// The service in force: the real boxes until SetDialogService installs another.
IDialogService& Dialogs();
// Installs a service (tests install a scripted one) and returns the one it replaces.
std::unique_ptr<IDialogService> SetDialogService(std::unique_ptr<IDialogService> service);

// The real service: Qt's message boxes and file dialogs, and QDesktopServices.
class TQtDialogService final : public IDialogService {
public:
    void Information(QWidget* parent, const QString& text) override;
    void Warning(QWidget* parent, const QString& text) override;
    void Error(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text) override;
    bool ConfirmDefaultNo(QWidget* parent, const QString& text) override;
    TAnswer Ask(QWidget* parent, const QString& text) override;
    int Choose(QWidget* parent, const QString& text, const QStringList& buttons, int defaultButton) override;
    std::optional<int> ChooseItem(QWidget* parent, const QString& caption, const QString& text,
                                  const QStringList& items, int current) override;
    std::optional<QString> InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    std::optional<QString> SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                        const QString& filter) override;
    std::optional<QStringList> OpenFileNames(QWidget* parent, const QString& caption, const QString& folder,
                                             const QString& filter) override;
    std::optional<QString> FolderName(QWidget* parent, const QString& caption,
                                      const QString& folder) override;
    void OpenDocument(const QString& path) override;
};
