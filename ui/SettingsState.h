// The settings in force: the settings file as read at start-up and the display settings the
// windows draw with, and the values those take until the settings file says otherwise.
#pragma once

#include <QFont>
#include <QString>

#include "base/SettingsFile.h"
#include "rules/RuleSettings.h"

// The face and size of the move numbers until the settings say otherwise. The windows write their
// small texts in the same font: the navigator's cells, the diagram window and the board's letters.
inline constexpr const char* DefaultFace = "MS Sans Serif";
inline constexpr int DefaultFontSize = 8;
inline QFont DefaultFont() {
    return QFont(QLatin1String(DefaultFace), DefaultFontSize);
}
// The move diameter and the width of the statistics memo until the settings say otherwise.
inline constexpr int DefaultMoveDiameter = 30;
inline constexpr int DefaultMemoLength = 165;

// The settings file as read at start-up and the display settings in force. The session holds it;
// the settings dialog changes it, the board drawing and the window sizing read it.
struct TSettingsState {
    kalvon::TSettingsFile SettingsIni;
    kalvon::TParameterList ParameterList;
    QFont MoveFont = DefaultFont();
    int MoveDiameter = DefaultMoveDiameter;
    // The memo width in force: the value of the dialog's memo field, whichever button closed it.
    int MemoLength = DefaultMemoLength;
    // The rules' settings as the parameter list holds them: the rule last chosen, the gomoku rule,
    // the forbidden points' marks and the limits of a VCF search.
    kalvon::TRuleSettings Rules;
};
