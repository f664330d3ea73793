#include "ui/RecentBases.h"

#include <QFileInfo>
#include <QSettings>

#include "ui/UserSettings.h"

namespace {

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
