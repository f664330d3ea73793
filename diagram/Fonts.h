// The faces the windows and pictures name ("Comic Sans MS", "MS Sans Serif", "Tahoma") are Windows
// faces; where they are missing, the system's own fallback can be a calligraphic face that makes
// the memo and the dialogs hard to read. They are given plain substitutes once, for every drawing.
#pragma once

// Makes the named faces fall back to DejaVu Sans, keeping size and style. Call once, after the
// application object exists and before any window is created.
void InstallFontSubstitutes();
