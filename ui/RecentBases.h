// The bases opened lately, newest first, kept in the user's configuration folder so that the File
// menu lists them at the next start wherever they lie.
#pragma once

#include <QStringList>

constexpr int MaxRecentBases = 8;

// Up to MaxRecentBases absolute paths, newest first.
QStringList RecentBases();
// Puts the base's absolute path first in the list, dropping the oldest beyond the limit.
void RememberBase(const QString& path);
