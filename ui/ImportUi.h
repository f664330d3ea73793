// How an import reaches the user in the program: its messages through the dialog service, the
// question about names the code page cannot hold, and a progress dialog that can cancel it.
#pragma once

#include <QElapsedTimer>
#include <memory>

#include "exchange/GameImport.h"

class QProgressDialog;
class QWidget;

class TImportUi final : public kalvon::IImportUi {
public:
    explicit TImportUi(QWidget* parent);
    ~TImportUi() override;
    TImportUi(const TImportUi&) = delete;
    TImportUi& operator=(const TImportUi&) = delete;

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool AskTransliterate(size_t count, const std::vector<std::string>& firstNames) override;
    // Shown once the import takes longer than about half a second: the file and the games read,
    // with a Cancel button; the file is written only at the end, so a cancel leaves it as it was.
    bool ImportProgress(const std::string& file, size_t gamesRead) override;

private:
    QWidget* Parent_;
    QElapsedTimer Started_;
    std::unique_ptr<QProgressDialog> Progress_;
};
