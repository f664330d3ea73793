#include "ui/EngineUi.h"

#include <QApplication>
#include <QProgressDialog>

#include "ui/DialogService.h"
#include "ui/LoadProgress.h"
#include "ui/ShownText.h"

TEngineUi::TEngineUi(IDialogService& dialogs) : Dialogs_(dialogs) {}
TEngineUi::~TEngineUi() = default;

void TEngineUi::FolderProgress(size_t filesRead, size_t filesToRead) {
    if (filesRead == 0) FolderRun_.start();
    if (filesRead >= filesToRead) {
        if (FolderDialog_) FolderDialog_->hide();
        return;
    }
    if (!FolderDialog_ && FolderRun_.elapsed() < 500) return;
    if (!FolderDialog_) {
        FolderDialog_ = std::make_unique<QProgressDialog>(Asker_);
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

QString TEngineUi::Shown(const std::string& text) const {
    return EngineText(text);
}

void TEngineUi::ShowMessage(const std::string& text) {
    Dialogs_.Information(Asker_, Shown(text));
}

void TEngineUi::ShowError(const std::string& text) {
    Dialogs_.Error(Asker_, Shown(text));
}

void TEngineUi::ProgressShow() {
    if (!LoadProgress_) LoadProgress_ = std::make_unique<TLoadProgress>();
    LoadProgress_->Start();
}

void TEngineUi::ProgressSetPosition(int percent) {
    if (LoadProgress_) LoadProgress_->SetPosition(percent);
}

void TEngineUi::ProgressHide() {
    if (LoadProgress_) LoadProgress_->Finish();
}
