#include "ui/DialogService.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {

std::unique_ptr<IDialogService>& Service() {
    static std::unique_ptr<IDialogService> service = std::make_unique<TQtDialogService>();
    return service;
}

// Texts keep the CR LF of their origin; a label wants plain line feeds.
QString Shown(const QString& text) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

QString Title() {
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Kalvon") : name;
}

}  // namespace

IDialogService& Dialogs() {
    return *Service();
}

std::unique_ptr<IDialogService> SetDialogService(std::unique_ptr<IDialogService> service) {
    std::unique_ptr<IDialogService> old = std::move(Service());
    Service() = std::move(service);
    return old;
}

void TQtDialogService::Information(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, Title(), Shown(text));
}

void TQtDialogService::Warning(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, Title(), Shown(text));
}

void TQtDialogService::Error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("Error"), Shown(text));
}

bool TQtDialogService::Confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QStringLiteral("Confirm"), Shown(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool TQtDialogService::ConfirmDefaultNo(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QStringLiteral("Confirm"), Shown(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

TAnswer TQtDialogService::Ask(QWidget* parent, const QString& text) {
    switch (QMessageBox::question(parent, QStringLiteral("Confirm"), Shown(text),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
        case QMessageBox::Yes:
            return TAnswer::Yes;
        case QMessageBox::No:
            return TAnswer::No;
        default:
            return TAnswer::Cancel;
    }
}

int TQtDialogService::Choose(QWidget* parent, const QString& text, const QStringList& buttons,
                             int defaultButton) {
    if (buttons.isEmpty()) return -1;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), Shown(text), QMessageBox::NoButton,
                    parent);
    QList<QPushButton*> pressed;
    for (const QString& caption : buttons) pressed.append(box.addButton(caption, QMessageBox::ActionRole));
    box.setDefaultButton(pressed.value(defaultButton, pressed.constFirst()));
    box.setEscapeButton(pressed.constLast());
    box.exec();
    const qsizetype index = pressed.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
    return int(index < 0 ? pressed.size() - 1 : index);
}

std::optional<int> TQtDialogService::ChooseItem(QWidget* parent, const QString& caption, const QString& text,
                                                const QStringList& items, int current) {
    if (items.isEmpty()) return std::nullopt;
    bool ok = false;
    const QString item = QInputDialog::getItem(parent, caption, Shown(text), items, current, false, &ok);
    if (!ok) return std::nullopt;
    return int(items.indexOf(item));
}

std::optional<QString> TQtDialogService::InputText(QWidget* parent, const QString& caption,
                                                   const QString& prompt, const QString& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

std::optional<QString> TQtDialogService::SaveFileName(QWidget* parent, const QString& caption,
                                                      const QString& folder, const QString& filter) {
    const QString name = QFileDialog::getSaveFileName(parent, caption, folder, filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QStringList> TQtDialogService::OpenFileNames(QWidget* parent, const QString& caption,
                                                           const QString& folder, const QString& filter) {
    const QStringList names = QFileDialog::getOpenFileNames(parent, caption, folder, filter);
    if (names.isEmpty()) return std::nullopt;
    return names;
}

std::optional<QString> TQtDialogService::FolderName(QWidget* parent, const QString& caption,
                                                    const QString& folder) {
    const QString name = QFileDialog::getExistingDirectory(parent, caption, folder);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

void TQtDialogService::OpenDocument(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
