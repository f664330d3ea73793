// The widths the windows give the texts they show whole: a player's name, and a combo box around a
// text of some width.
#pragma once

#include <QString>

class QComboBox;
class QFont;

// A name of 24 letters of the letters' widths on average: the name the windows make room for.
QString NameSample();
// The width in whole pixels that holds the text in the font: its advance rounded up, so that the text
// is never elided for a fraction of a pixel.
int TextWidth(const QFont& font, const QString& text);
// The width of that name in the font.
int NameWidth(const QFont& font);
// The widest of the texts of that many characters, each text one of the characters repeated.
int WidestRepeated(const QFont& font, const QString& characters, int count);
// The width of the combo box whose field shows a text that wide in its font, with its frame and
// its arrow.
int ComboBoxWidth(const QComboBox& box, int textWidth);
// The box's tool tip follows its current text, whole, while the box may be too narrow to show it.
void ToolTipFollowsText(QComboBox& box);
