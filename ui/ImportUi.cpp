#include "ui/ImportUi.h"

#include <QApplication>
#include <QFileInfo>
#include <QProgressDialog>

#include "base/TextPolicy.h"
#include "ui/DialogService.h"

TImportUi::TImportUi(QWidget* parent) : Parent_(parent) {
    Started_.start();
}

TImportUi::~TImportUi() = default;

// The import's texts are UTF-8: paths and the names and reasons of the files read.
void TImportUi::ShowMessage(const std::string& text) {
    Dialogs().Information(Parent_, QString::fromStdString(text));
}

void TImportUi::ShowError(const std::string& text) {
    Dialogs().Error(Parent_, QString::fromStdString(text));
}

bool TImportUi::AskTransliterate(size_t count, const std::vector<std::string>& firstNames) {
    // The names come from the imported files, in UTF-8, not from the base.
    QStringList names;
    for (const std::string& name : firstNames) names.append(QString::fromStdString(name));
    QString text = QStringLiteral("%1 %2 cannot be written in the code page %3: %4")
                       .arg(count)
                       .arg(count == 1 ? QStringLiteral("name") : QStringLiteral("names"))
                       .arg(QString::fromStdString(kalvon::TextPolicy().CodePage()))
                       .arg(names.join(QStringLiteral(", ")));
    text += count > size_t(names.size()) ? QStringLiteral(", ...") : QStringLiteral(".");
    text += QStringLiteral(
        "\n\nTransliterate them into Latin letters (\"T\u00f5nis\" becomes \"Tonis\"), "
        "or cancel the import and leave the base as it is?");
    return Dialogs().Choose(Parent_, text, {QStringLiteral("Transliterate"), QStringLiteral("Cancel")}, 0) ==
           0;
}

bool TImportUi::ImportProgress(const std::string& file, size_t gamesRead) {
    if (!Progress_ && Started_.elapsed() < 500) return true;
    if (!Progress_) {
        Progress_ = std::make_unique<QProgressDialog>(Parent_);
        Progress_->setObjectName(QStringLiteral("ImportProgress"));
        Progress_->setWindowTitle(QStringLiteral("Import Games"));
        Progress_->setWindowModality(Qt::WindowModal);
        Progress_->setCancelButtonText(QStringLiteral("Cancel"));
        // The number of games in a file is known only at its end: the bar moves to and fro.
        Progress_->setRange(0, 0);
        Progress_->setMinimumDuration(0);
        Progress_->show();
    }
    const QString name = QFileInfo(QFile::decodeName(QByteArray::fromStdString(file))).fileName();
    Progress_->setLabelText(QStringLiteral("Reading %1: %2 games read").arg(name).arg(gamesRead));
    QApplication::processEvents();
    return !Progress_->wasCanceled();
}
