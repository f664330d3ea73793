#include "ui/EngineUi.h"

#include <QApplication>
#include <QProgressDialog>

#include "ui/DialogService.h"
#include "ui/LoadProgress.h"
#include "ui/ShownText.h"

TEngineUi::TEngineUi() = default;
TEngineUi::~TEngineUi() = default;

void TEngineUi::FolderProgress(size_t filesRead, size_t filesToRead) {
    if (filesRead == 0) FolderRun_.start();
    if (filesRead >= filesToRead) {
        if (FolderDialog_) FolderDialog_->hide();
        return;
    }
    if (!FolderDialog_ && FolderRun_.elapsed() < 500) return;
    if (!FolderDialog_) {
        FolderDialog_ = std::make_unique<QProgressDialog>();
        FolderDialog_->setObjectName(QStringLiteral("FolderProgress"));
        FolderDialog_->setWindowTitle(QStringLiteral("Reading notifications"));
        // The run cannot stop half-way: the base file is rewritten only at its end.
        FolderDialog_->setCancelButton(nullptr);
        FolderDialog_->setMinimumDuration(0);
    }
    FolderDialog_->setMaximum(int(filesToRead));
    FolderDialog_->setValue(int(filesRead));
    FolderDialog_->setLabelText(QStringLiteral("Files read: %1 of %2").arg(filesRead).arg(filesToRead));
    FolderDialog_->show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TEngineUi::ShowMessage(const std::string& text) {
    Dialogs().Information(nullptr, EngineText(text));
}

void TEngineUi::ShowError(const std::string& text) {
    Dialogs().Error(nullptr, EngineText(text));
}

void TEngineUi::ProgressShow() {
    if (LoadProgress_) LoadProgress_->Start();
}

void TEngineUi::ProgressSetPosition(int percent) {
    if (LoadProgress_) LoadProgress_->SetPosition(percent);
}

void TEngineUi::ProgressHide() {
    if (LoadProgress_) LoadProgress_->Finish();
}
