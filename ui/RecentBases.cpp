#include "ui/RecentBases.h"

#include <QFileInfo>
#include <QSettings>

namespace {

// ~/.config/Kalvon/Kalvon.ini (QSettings::setPath moves it, as the tests do).
QSettings UserSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Kalvon"),
                     QStringLiteral("Kalvon"));
}

const QString Key = QStringLiteral("RecentBases");

}  // namespace

QStringList RecentBases() {
    QStringList paths = UserSettings().value(Key).toStringList();
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths.mid(0, MaxRecentBases);
}

void RememberBase(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList paths = RecentBases();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    UserSettings().setValue(Key, paths.mid(0, MaxRecentBases));
}
