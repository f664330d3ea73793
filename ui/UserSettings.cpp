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
