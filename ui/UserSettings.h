// The user's own settings of the program, kept in the user's configuration folder
// (~/.config/Kalvon/Kalvon.ini; QSettings::setPath moves it, as the tests do) rather than in the
// working folder's settings file, whose code page may not hold a path.
#pragma once

#include <QSettings>
#include <QString>

QSettings UserSettings();

// The mailbox of "Update from Mail ..." (an mbox file, a Maildir folder or a saved message), or ""
// when none was chosen yet.
QString RememberedMailbox();
void RememberMailbox(const QString& path);

// The folder a file dialog of that purpose ("Open Base", "Import Games") last took a file from, or
// fallback when none was remembered or it is gone.
QString LastFolder(const QString& purpose, const QString& fallback);
// Remembers the folder of path (a file's, or path itself when it is a folder) for that purpose.
void RememberFolder(const QString& purpose, const QString& path);
