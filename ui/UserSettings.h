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
