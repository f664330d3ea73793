// The letter marks of a diagram: "A" to "Z", each on a point, kept as letter + PointCode entries in
// letter order ("B98D77").
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// The PointCode of a point typed as its text, blanks trimmed and letter case ignored ("j8" -> "98"),
// or nullopt when the text is no point of the board (I8, Q1, H0, H16, H, empty).
std::optional<std::string> TypedPointCode(const QString& typed);

// The number of the first move on the point (1 for move 1), or 0 when no move is there.
int MoveOnPoint(std::string_view moves, std::string_view code);

// The marks of a list such as "C77,A98" in letter order ("A98C77"), or nullopt with the reason in
// error when an entry is not a letter A-Z followed by a PointCode or a letter is given twice.
std::optional<std::string> ParseLetterMarks(std::string_view list, std::string& error);
