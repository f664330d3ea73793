// How the engine reaches the user in the program: its messages and errors through the dialog
// service, the loading progress in the progress window.
#pragma once

#include "base/BaseUi.h"

class TFormLoad;

class TEngineUi final : public kalvon::IBaseUi {
public:
    // The progress window is created after the main window; until then progress is not shown.
    void SetProgressWindow(TFormLoad* window) { FormLoad_ = window; }

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ProgressShow() override;
    void ProgressSetPosition(int percent) override;
    void ProgressHide() override;

private:
    TFormLoad* FormLoad_ = nullptr;
};
