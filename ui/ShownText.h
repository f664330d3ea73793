// Texts of the engine as the windows show them: the engine keeps bytes of the code page (names,
// labels) or UTF-8 (paths, system reasons); the windows show characters.
#pragma once

#include <QChar>
#include <QString>
#include <string>
#include <string_view>

// An engine message: UTF-8 when it reads as such (paths, system reasons), else the code page.
QString EngineText(const std::string& text);
// Text in the bytes of the code page.
QString CodePageText(std::string_view text);
// The character of the label of the k-th next move; none past the last byte of the code page.
QChar LabelText(int k);
// The statistics texts separate their lines by CR, CR LF or LF CR; a box shows one line each.
QString BoxLines(const std::string& text);
// "1 game", "2 games": a count with the word that fits it.
QString Counted(size_t n, const char* one, const char* many);
