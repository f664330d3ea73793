#include "exchange/SgfWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <unordered_set>

#include "base/FolderListing.h"
#include "base/PointCodes.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"

namespace kalvon {

namespace {

// How much of a collection is made before it is handed to the file.
constexpr size_t PieceBytes = size_t(256) * 1024;

// Appends a property IDENT[value] with the value's "]" and "\" escaped.
void AppendProperty(std::string& out, std::string_view ident, std::string_view value) {
    out += ident;
    out += '[';
    for (char c : value) {
        if (c == ']' || c == '\\') out += '\\';
        out += c;
    }
    out += ']';
}

std::string_view SgfResult(char result) {
    switch (result) {
        case '+':
            return "B+";
        case '-':
            return "W+";
        case 'F':
            return "B+F";
        case 'f':
            return "W+F";
        case '=':
            return "0";
        default:
            return "?";
    }
}

std::string_view NameOf(const TGameBase& base, int32_t id) {
    const auto& players = base.PlayerCatalogue.PlayerRecords;
    return id >= 1 && size_t(id) <= players.size() ? std::string_view(players[size_t(id - 1)].Name) : "";
}

bool ValidPosition(const TGameBase& base, int32_t position) {
    return position >= 0 && size_t(position) < base.PartyList.size();
}

// The file name a game's SGF file would like: its board code, with "/" and control characters made
// "_", and ".sgf".
std::string SgfFileName(const TPartyRecord& party) {
    std::string name = TextPolicy().ToUtf8(Trim(std::string_view(party.Board)));
    for (char& c : name)
        if (c == '/' || static_cast<unsigned char>(c) < 32 || c == 127) c = '_';
    if (name.empty() || name == "." || name == "..") name = "game" + name;
    return name + ".sgf";
}

// The longest name a file of the folder may have such that the temporary file of its write, which
// adds a tag of the host and the process to the name, still fits the file system.
size_t LongestFileName(const std::string& folder) {
    const long limit = pathconf(folder.c_str(), _PC_NAME_MAX);
    const size_t nameMax = limit > 0 ? size_t(limit) : 255;
    // "<name>.kalvon-save~HOST~" and then the process id (at most seven digits) and "~XXXXXX".
    const size_t tag = TemporaryPrefix("x").size() - 1 + 7 + 7;
    return nameMax > tag + 16 ? nameMax - tag : 16;
}

// The longest start of UTF-8 text of at most size bytes that ends between two characters.
std::string_view Utf8Prefix(std::string_view text, size_t size) {
    if (text.size() <= size) return text;
    while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) --size;
    return text.substr(0, size);
}

}  // namespace

void AppendSgfGame(std::string& out, const TGameBase& base, const TPartyRecord& party) {
    const TTextPolicy& policy = TextPolicy();
    out += "(;GM[4]FF[4]CA[UTF-8]SZ[15]";
    AppendProperty(out, "PB", policy.ToUtf8(NameOf(base, party.BlackId)));
    AppendProperty(out, "PW", policy.ToUtf8(NameOf(base, party.WhiteId)));
    AppendProperty(out, "DT", policy.ToUtf8(std::string_view(party.Year)));
    AppendProperty(out, "RE", SgfResult(party.Result));
    const std::string_view board = Trim(std::string_view(party.Board));
    if (!board.empty()) AppendProperty(out, "GN", policy.ToUtf8(board));
    AppendProperty(out, "KA", policy.ToUtf8(std::string_view(party.Alt)));
    AppendProperty(out, "KR", party.Reverse ? "1" : "0");
    const std::string_view moves = party.Moves;
    for (size_t at = 0; at + 1 < moves.size(); at += 2) {
        if (!IsPointCode(moves.substr(at, 2))) break;
        const int column = PointDigitValue(moves[at]), row = PointDigitValue(moves[at + 1]);
        out += at % 4 == 0 ? ";B[" : ";W[";
        out += char('a' + column - 1);
        out += char('a' + BoardSize - row);
        out += ']';
    }
    out += ")\n";
}

bool WriteSgfCollection(const std::string& path, const TGameBase& base, const TListing& games,
                        std::string& error) {
    size_t next = 0;
    // A piece at a time: the Listing of a whole large base is never held as one text.
    const TPieceSource pieces = [&](std::string& piece) {
        piece.clear();
        for (; next < games.size() && piece.size() < PieceBytes; ++next)
            if (ValidPosition(base, games[next]))
                AppendSgfGame(piece, base, base.PartyList[size_t(games[next])]);
        return !piece.empty();
    };
    return WriteFileReplacing(path, pieces, error);
}

bool WriteSgfFiles(const std::string& folder, const TGameBase& base, const TListing& games,
                   std::vector<std::string>& written, std::string& error, std::vector<std::string>* notes) {
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 && mkdir(folder.c_str(), 0777) != 0) {
        error = Concat({"Cannot create folder ", folder, ": ", std::strerror(errno)});
        return false;
    }
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        error = Concat({"Cannot write into ", folder, ": it is not a folder."});
        return false;
    }
    const size_t longest = LongestFileName(folder);
    std::unordered_set<std::string> taken;  // names of this run, ASCII letter case ignored
    for (const int32_t position : games) {
        if (!ValidPosition(base, position)) continue;
        const TPartyRecord& party = base.PartyList[size_t(position)];
        const std::string wanted = SgfFileName(party);
        const std::string stem = wanted.substr(0, wanted.size() - 4);
        // The name is taken by creating the file: one that exists, even one made a moment ago by
        // someone else, is never written over.
        std::string path;
        bool shortened = false;
        for (int copy = 1;; ++copy) {
            const std::string ending = copy == 1 ? ".sgf" : Concat({" (", std::to_string(copy), ").sgf"});
            std::string name = stem + ending;
            if (name.size() > longest) {
                // A board code too long for a file name keeps as much of its start as fits.
                name = Concat({Utf8Prefix(stem, longest - std::min(longest, ending.size())), ending});
                shortened = true;
            }
            if (!taken.insert(AsciiUpper(name)).second) continue;
            path = JoinPath(folder, name);
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                ::close(fd);
                break;
            }
            if (errno != EEXIST) {
                error = Concat({"Cannot write ", path, ": ", std::strerror(errno)});
                return false;
            }
        }
        std::string text;
        AppendSgfGame(text, base, party);
        if (!WriteFileReplacing(path, text, error, TReplaceOptions{.FollowLink = false})) {
            ::unlink(path.c_str());
            return false;
        }
        written.push_back(path);
        if (shortened && notes)
            notes->push_back(Concat({"the board code ",
                                     QuoteShort(TextPolicy().ToUtf8(Trim(std::string_view(party.Board)))),
                                     " is too long for a file name: the game went to ", path}));
    }
    return true;
}

}  // namespace kalvon
