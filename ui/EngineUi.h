// How the engine reaches the user in the program: its messages and errors through the dialog
// service it is given, with the window that asked as their parent, and the loading progress in the
// progress window, which it makes when a load first shows progress.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <memory>

#include "base/BaseUi.h"

class IDialogService;
class QProgressDialog;
class QWidget;
class TLoadProgress;

class TEngineUi final : public kalvon::IBaseUi {
public:
    explicit TEngineUi(IDialogService& dialogs);
    ~TEngineUi() override;
    TEngineUi(const TEngineUi&) = delete;
    TEngineUi& operator=(const TEngineUi&) = delete;

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ProgressShow() override;
    void ProgressSetPosition(int percent) override;
    void ProgressHide() override;
    // A run over a folder of notifications shows a dialog of its own once it takes longer than
    // about half a second, with the number of files read and to read.
    void FolderProgress(size_t filesRead, size_t filesToRead) override;

    // The engine's text as the user reads it: the characters of the code page. Files are named by
    // their full paths, so that the user finds them.
    QString Shown(const std::string& text) const;

    // The progress window, once a load has shown it; null before.
    TLoadProgress* LoadProgress() const { return LoadProgress_.get(); }

    // While one lives, the engine's messages have that window as their parent.
    class TAsker {
    public:
        TAsker(TEngineUi& ui, QWidget* asker) : Ui_(ui), Previous_(ui.Asker_) { ui.Asker_ = asker; }
        ~TAsker() { Ui_.Asker_ = Previous_; }
        TAsker(const TAsker&) = delete;
        TAsker& operator=(const TAsker&) = delete;

    private:
        TEngineUi& Ui_;
        QWidget* Previous_;
    };

private:
    IDialogService& Dialogs_;
    QWidget* Asker_ = nullptr;
    std::unique_ptr<TLoadProgress> LoadProgress_;
    QElapsedTimer FolderRun_;
    std::unique_ptr<QProgressDialog> FolderDialog_;
};
