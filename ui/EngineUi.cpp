#include "ui/EngineUi.h"

#include "ui/DialogService.h"
#include "ui/ProcessLoading.h"
#include "ui/ShownText.h"

void TEngineUi::ShowMessage(const std::string& text) {
    Dialogs().Information(nullptr, EngineText(text));
}

void TEngineUi::ShowError(const std::string& text) {
    Dialogs().Error(nullptr, EngineText(text));
}

void TEngineUi::ProgressShow() {
    if (FormLoad_) FormLoad_->Start();
}

void TEngineUi::ProgressSetPosition(int percent) {
    if (FormLoad_) FormLoad_->SetPosition(percent);
}

void TEngineUi::ProgressHide() {
    if (FormLoad_) FormLoad_->Finish();
}
