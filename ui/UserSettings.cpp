#include "ui/UserSettings.h"

#include <QFileInfo>

namespace {

const QString MailboxKey = QStringLiteral("Mailbox");

}  // namespace

QSettings UserSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Kalvon"),
                     QStringLiteral("Kalvon"));
}

QString RememberedMailbox() {
    return UserSettings().value(MailboxKey).toString();
}

void RememberMailbox(const QString& path) {
    UserSettings().setValue(MailboxKey, QFileInfo(path).absoluteFilePath());
}

QString LastFolder(const QString& purpose, const QString& fallback) {
    const QString folder = UserSettings().value(QStringLiteral("LastFolder/") + purpose).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : fallback;
}

void RememberFolder(const QString& purpose, const QString& path) {
    const QFileInfo info(path);
    UserSettings().setValue(QStringLiteral("LastFolder/") + purpose,
                            info.isDir() ? info.absoluteFilePath() : info.absolutePath());
}
