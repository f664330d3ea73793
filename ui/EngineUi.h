// How the engine reaches the user in the program: its messages and errors through the dialog
// service, the loading progress in the progress window.
#pragma once

#include <QElapsedTimer>
#include <memory>

#include "base/BaseUi.h"

class QProgressDialog;
class TLoadProgress;

class TEngineUi final : public kalvon::IBaseUi {
public:
    // The progress window is created after the main window; until then progress is not shown.
    void SetProgressWindow(TLoadProgress* window) { LoadProgress_ = window; }

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ProgressShow() override;
    void ProgressSetPosition(int percent) override;
    void ProgressHide() override;
    // A run over a folder of notifications shows a dialog of its own once it takes longer than
    // about half a second, with the number of files read and to read.
    void FolderProgress(size_t filesRead, size_t filesToRead) override;

    TEngineUi();
    ~TEngineUi() override;
    TEngineUi(const TEngineUi&) = delete;
    TEngineUi& operator=(const TEngineUi&) = delete;

private:
    TLoadProgress* LoadProgress_ = nullptr;
    QElapsedTimer FolderRun_;
    std::unique_ptr<QProgressDialog> FolderDialog_;
};
