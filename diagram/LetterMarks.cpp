#include "diagram/LetterMarks.h"

#include <array>

#include "base/PointCodes.h"

std::optional<std::string> TypedPointCode(const QString& typed) {
    const std::string code = kalvon::PointTextToCode(typed.trimmed().toUpper().toStdString());
    if (code == "?") return std::nullopt;
    return code;
}

int MoveOnPoint(std::string_view moves, std::string_view code) {
    for (size_t i = 0; i + 1 < moves.size(); i += 2)
        if (moves.substr(i, 2) == code) return int(i / 2) + 1;
    return 0;
}

std::optional<std::string> ParseLetterMarks(std::string_view list, std::string& error) {
    std::array<std::string, 26> codes;
    for (bool more = !list.empty(); more;) {
        const size_t comma = list.find(',');
        const std::string_view entry = list.substr(0, comma);
        more = comma != std::string_view::npos;
        if (more) list.remove_prefix(comma + 1);
        if (entry.size() != 3 || entry[0] < 'A' || entry[0] > 'Z' || !kalvon::IsPointCode(entry.substr(1))) {
            error = "a mark is a letter A-Z followed by a point code, such as A98: \"" + std::string(entry) +
                    "\"";
            return std::nullopt;
        }
        std::string& code = codes[size_t(entry[0] - 'A')];
        if (!code.empty()) {
            error = "the letter " + std::string(1, entry[0]) + " is given twice";
            return std::nullopt;
        }
        code = std::string(entry.substr(1));
    }
    std::string marks;
    for (size_t letter = 0; letter < codes.size(); ++letter)
        if (!codes[letter].empty()) marks += char('A' + letter) + codes[letter];
    return marks;
}
