#include "generator/BaseGenerator.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <stdexcept>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "base/BaseLine.h"
#include "base/GameBase.h"
#include "base/SafeFile.h"

namespace kalvon::bench {

namespace {

// Draws built only on the bits of mt19937_64, whose sequence the standard fixes; the standard's
// distributions differ between libraries and would change the bytes of a base.
class TRandom {
public:
    explicit TRandom(uint64_t seed) : Engine_(seed) {}

    // Uniform in [0, n) for 0 < n < 2^32, from the top 32 bits scaled by n.
    uint32_t Below(uint32_t n) { return uint32_t(((Engine_() >> 32) * n) >> 32); }
    int Between(int low, int high) { return low + int(Below(uint32_t(high - low + 1))); }
    // Uniform in [0, 1) with 53 random bits.
    double Unit() { return double(Engine_() >> 11) * 0x1.0p-53; }
    bool Chance(double p) { return Unit() < p; }
    template <typename T>
    const T& Pick(const std::vector<T>& items) {
        return items[Below(uint32_t(items.size()))];
    }

private:
    std::mt19937_64 Engine_;
};

constexpr int FirstYear = 1995;
constexpr int YearCount = 2026 - FirstYear + 1;
constexpr uint32_t PlayerCount = 2000;
constexpr int MinMoves = 5;
constexpr int MaxMoves = 120;

// The source is UTF-8; the base holds Windows-1251 bytes. Only ASCII and the Russian alphabet occur.
std::string Cp1251(std::string_view utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += char(lead);
            continue;
        }
        const unsigned code = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
        if (code >= 0x410 && code <= 0x44F)
            out += char(0xC0 + (code - 0x410));
        else if (code == 0x401)
            out += char(0xA8);
        else if (code == 0x451)
            out += char(0xB8);
        else
            throw std::logic_error("no Windows-1251 byte for a name letter");
    }
    return out;
}

std::vector<std::string> Cp1251List(std::initializer_list<std::string_view> items) {
    std::vector<std::string> out;
    for (std::string_view item : items) out.push_back(Cp1251(item));
    return out;
}

// Two spellings that differ only in letter case are one player to the loader, so names are kept
// distinct under this folding of ASCII and Windows-1251 Cyrillic capitals.
std::string FoldCase(std::string_view name) {
    std::string out(name);
    for (char& ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 'A' && c <= 'Z')
            ch = char(c + 32);
        else if (c >= 0xC0 && c <= 0xDF)
            ch = char(c + 32);
        else if (c == 0xA8)
            ch = char(0xB8);
    }
    return out;
}

std::string AsciiUpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 32);
    return text;
}

std::string LatinName(TRandom& random) {
    static const std::vector<std::string> first = {
        "Jan",    "Petr",  "Martin", "Tomas", "Lukas",  "Anna",   "Eva",   "Marek",   "Pavel",   "Jiri",
        "Ondrej", "Mikko", "Juha",   "Ari",   "Kari",   "Lars",   "Erik",  "Hiroshi", "Takeshi", "Yuki",
        "Kenji",  "Wei",   "Tiit",   "Ants",  "Mart",   "Andres", "Janis", "Peteris", "Stefan",  "Maria",
        "Laura",  "Oskar", "Tanel",  "Rait",  "Jaanus", "Ilkka",  "Pekka", "Attila",  "Zoltan",  "Gabor"};
    static const std::vector<std::string> stems = {
        "Nov",  "Kral", "Svob", "Dvor", "Hor",  "Ner",  "Tar",  "Kos",  "Sus",  "Mak",  "Sok",  "Pel",
        "Kar",  "Lin",  "Vir",  "Sal",  "Kiv",  "Mat",  "Tamm", "Ozol", "Ber",  "Hol",  "Sten", "Nak",
        "Yam",  "Tan",  "Kob",  "Rau",  "Lep",  "Saar", "Kask", "Mand", "Pold", "Vark", "Lind", "Hak",
        "Koiv", "Palm", "Rand", "Sepp", "Tuom", "Vain", "Ahl",  "Bodn", "Csak", "Farag"};
    static const std::vector<std::string> middles = {"", "", "", "a", "e", "i", "o", "ov", "an", "er", "ul"};
    static const std::vector<std::string> endings = {
        "ak",  "ek",  "oda", "acek", "ov", "ev", "inen", "anen", "ela", "mann", "berg",
        "son", "ura", "ama", "ashi", "el", "ik", "ets",  "as",   "is",  "",     "ner"};
    std::string surname = random.Pick(stems) + random.Pick(middles) + random.Pick(endings);
    const double form = random.Unit();
    if (form < 0.62) return surname + " " + random.Pick(first);
    if (form < 0.84) return surname + " " + random.Pick(first).substr(0, 1) + ".";
    // Nicknames: a bare word in capitals, or a word with a number as play-by-mail servers show them.
    if (form < 0.92) return AsciiUpperCase(surname);
    return surname + std::to_string(random.Between(1, 99));
}

std::string CyrillicName(TRandom& random) {
    static const std::vector<std::string> stems =
        Cp1251List({"Суш",   "Коз",  "Таран", "Ман",   "Бел",  "Вол",  "Гор",   "Дем",  "Ерём", "Жук",
                    "Зайц",  "Иван", "Карп",  "Лев",   "Мор",  "Ник",  "Орл",   "Пет",  "Ром",  "Сид",
                    "Тимоф", "Ус",   "Фед",   "Харит", "Цвет", "Черн", "Шир",   "Щук",  "Ябл",  "Ёлкин",
                    "Смирн", "Кузн", "Попов", "Васил", "Павл", "Соко", "Лебед", "Степ", "Морг", "Клим"});
    // Masculine and feminine forms of the same ending, at equal positions.
    static const std::vector<std::string> endingsM =
        Cp1251List({"ов", "ев", "ин", "ский", "енко", "ук", "ич", "ченко", "ицкий", "ых"});
    static const std::vector<std::string> endingsF =
        Cp1251List({"ова", "ева", "ина", "ская", "енко", "ук", "ич", "ченко", "ицкая", "ых"});
    static const std::vector<std::string> male =
        Cp1251List({"Владимир", "Алексей", "Сергей", "Дмитрий", "Андрей", "Юрий", "Олег", "Павел", "Михаил",
                    "Артём", "Николай", "Евгений", "Игорь", "Виктор", "Антон", "Борис"});
    static const std::vector<std::string> female =
        Cp1251List({"Ирина", "Наталья", "Елена", "Ольга", "Татьяна", "Светлана", "Анна", "Юлия"});
    const bool isFemale = random.Chance(0.15);
    const uint32_t ending = random.Below(uint32_t(endingsM.size()));
    const std::string surname = random.Pick(stems) + (isFemale ? endingsF : endingsM)[ending];
    const std::string& given = random.Pick(isFemale ? female : male);
    const double form = random.Unit();
    // A Windows-1251 letter is one byte, so the initial is the first byte.
    if (form < 0.6) return surname + " " + given;
    if (form < 0.85) return surname + " " + given.substr(0, 1) + ".";
    return surname + " " + given.substr(0, 1) + "." + random.Pick(male).substr(0, 1) + ".";
}

std::vector<std::string> MakePlayers(TRandom& random) {
    std::vector<std::string> players;
    std::unordered_set<std::string> folded;
    while (players.size() < PlayerCount) {
        std::string name = random.Chance(0.4) ? CyrillicName(random) : LatinName(random);
        if (folded.insert(FoldCase(name)).second) players.push_back(std::move(name));
    }
    return players;
}

// A few players play most games: half the picks lean quadratically towards the low indices.
uint16_t PickPlayer(TRandom& random) {
    double u = random.Unit();
    if (random.Chance(0.5)) u *= u;
    return uint16_t(u * PlayerCount);
}

// The year index (0-based from FirstYear) in the top 16 bits and the board code as "%5s" writes it
// in the next 48, one byte a character and zero bytes after it: the plain order of these keys is the
// order of the lines' "year, board=" prefixes, which is how a saved base is sorted.
uint64_t MakeKey(int yearIndex, std::string_view padded) {
    uint64_t key = uint64_t(yearIndex) << 48;
    for (size_t i = 0; i < padded.size(); ++i)
        key |= uint64_t(static_cast<unsigned char>(padded[i])) << (40 - 8 * i);
    return key;
}

std::string KeyBoard(uint64_t key) {
    std::string board;
    for (int shift = 40; shift >= 0; shift -= 8) {
        const char c = char((key >> shift) & 0xFF);
        if (c == 0) break;
        board += c;
    }
    return board;
}

// A board code of the given length, mostly digits, sometimes led by a group letter; right-aligned as
// a base line holds it.
std::string BoardCode(TRandom& random, int length) {
    std::string code;
    if (random.Chance(0.15))
        code += char('a' + random.Below(26));
    else
        code += char('1' + random.Below(9));
    while (int(code.size()) < length) code += char('0' + random.Below(10));
    std::string aligned;
    AppendBoardCode(aligned, code);
    return aligned;
}

int BoardCodeLength(TRandom& random) {
    const double u = random.Unit();
    return u < 0.10 ? 3 : u < 0.45 ? 4 : u < 0.90 ? 5 : 6;
}

char DrawResult(TRandom& random) {
    const double u = random.Unit();
    if (u < 0.45) return '+';
    if (u < 0.85) return '-';
    if (u < 0.90) return '=';
    if (u < 0.97) return '?';
    return u < 0.985 ? 'F' : 'f';
}

int DrawMoveCount(TRandom& random, char result) {
    // Draws are long fights; other games cluster round 35 moves with a thin tail up to the limit.
    if (result == '=') return random.Between(60, MaxMoves);
    const double t = (random.Unit() + random.Unit() + random.Unit()) / 3;
    int count = std::min(MaxMoves, MinMoves + int(116 * t * t));
    // Most wins end with the winner's five: black plays the odd moves.
    if ((result == '+' || result == '-') && random.Chance(0.9)) {
        const bool wantOdd = result == '+';
        if ((count % 2 == 1) != wantOdd) count += count < MaxMoves ? 1 : -1;
    }
    return count;
}

// Plays a game stone by stone, every stone near the earlier ones as real games grow.
class TGameBuilder {
public:
    TGameBuilder(TRandom& random, std::string& moves) : Random_(random), Moves_(moves) {}

    void Play(bool renju, int count) {
        Taken_ = EmptyBoard();
        Count_ = 0;
        if (renju) {
            // Renju opens at the centre, the second stone touches it, the third stays in the 5 x 5 square.
            Put(8, 8);
            if (count >= 2) PlaceNear(8, 8, 1);
            if (count >= 3) PlaceNear(8, 8, 2);
        } else {
            if (Random_.Chance(0.5))
                Put(8, 8);
            else
                Put(Random_.Between(6, 10), Random_.Between(6, 10));
            if (count >= 2) PlaceNear(Columns_[0], Rows_[0], Random_.Chance(0.7) ? 1 : 2);
        }
        while (Count_ < count) {
            bool placed = false;
            for (int attempt = 0; attempt < 4 && !placed; ++attempt) {
                // Answer one of the last few stones or come back to any older one; the second keeps a
                // long game from drifting to the edge.
                const int recent = std::min(Count_, 4);
                const int from = Random_.Chance(0.5) ? Count_ - 1 - int(Random_.Below(uint32_t(recent)))
                                                     : int(Random_.Below(uint32_t(Count_)));
                const double u = Random_.Unit();
                const int radius = u < 0.6 ? 1 : u < 0.97 ? 2 : 3;
                placed = PlaceNear(Columns_[from], Rows_[from], radius);
            }
            if (!placed) PlaceAnywhereNear();
        }
    }

    // Whether one of the first n stones stands on the point.
    bool AmongFirst(int n, int column, int row) const {
        for (int i = 0; i < std::min(n, Count_); ++i)
            if (Columns_[i] == column && Rows_[i] == row) return true;
        return false;
    }

private:
    // The board with a margin of three taken points on every side, so that a square of radius 3
    // round a stone never needs a bounds test.
    static constexpr int Margin = 3, Stride = BoardSize + 2 * Margin;
    using TTaken = std::array<bool, Stride * Stride>;
    static size_t Index(int column, int row) {
        return size_t((column - 1 + Margin) * Stride + row - 1 + Margin);
    }
    static const TTaken& EmptyBoard() {
        static const TTaken board = [] {
            TTaken taken{};
            taken.fill(true);
            for (int c = 1; c <= BoardSize; ++c)
                for (int r = 1; r <= BoardSize; ++r) taken[Index(c, r)] = false;
            return taken;
        }();
        return board;
    }
    bool Free(int column, int row) const { return !Taken_[Index(column, row)]; }

    void Put(int column, int row) {
        Taken_[Index(column, row)] = true;
        Columns_[Count_] = column;
        Rows_[Count_] = row;
        ++Count_;
        Moves_ += PointDigits[size_t(column - 1)];
        Moves_ += PointDigits[size_t(row - 1)];
    }

    // A free point of the square of that radius round a stone, each equally likely; when the square
    // is full, the next larger one up to radius 3. False when that is full too.
    bool PlaceNear(int column, int row, int radius) {
        for (; radius <= 3; ++radius) {
            std::array<uint16_t, 48> free;
            uint32_t n = 0;
            for (int c = column - radius; c <= column + radius; ++c)
                for (int r = row - radius; r <= row + radius; ++r)
                    if (Free(c, r)) free[n++] = uint16_t(c * 16 + r);
            if (n == 0) continue;
            const uint16_t point = free[Random_.Below(n)];
            Put(point / 16, point % 16);
            return true;
        }
        return false;
    }

    // A crowded neighbourhood: take the first free point next to any stone, from a random start.
    // One always exists: the board has more points than a game has moves, and walking from a stone
    // towards a free point meets a free point beside a stone.
    void PlaceAnywhereNear() {
        const uint32_t start = Random_.Below(BoardSize * BoardSize);
        for (uint32_t k = 0; k < BoardSize * BoardSize; ++k) {
            const uint32_t p = (start + k) % (BoardSize * BoardSize);
            const int c = int(p / BoardSize) + 1, r = int(p % BoardSize) + 1;
            if (!Free(c, r)) continue;
            for (int i = 0; i < Count_; ++i) {
                if (std::abs(Columns_[i] - c) <= 1 && std::abs(Rows_[i] - r) <= 1) {
                    Put(c, r);
                    return;
                }
            }
        }
        throw std::logic_error("no free point beside the stones");
    }

    TRandom& Random_;
    std::string& Moves_;
    TTaken Taken_{};
    std::array<int, MaxMoves> Columns_{}, Rows_{};
    int Count_ = 0;
};

struct TGame {
    uint64_t Key = 0;      // year and board, see MakeKey
    uint64_t MovesAt = 0;  // offset of the game's moves in the shared move text
    uint16_t Black = 0, White = 0;
    uint8_t MovesLength = 0;  // characters
    char Result = '?';
    bool Reverse = false;
    std::array<char, 4> Alt{'?'};  // "?" or a point text such as J9 or k10, zero-terminated
};

// The fifth-move alternative: a point of the central 7 x 7 square that none of moves 1..5 took.
std::array<char, 4> DrawAlternative(TRandom& random, const TGameBuilder& game) {
    int column = 0, row = 0;
    do {
        column = random.Between(5, 11);
        row = random.Between(5, 11);
    } while (game.AmongFirst(5, column, row));
    std::array<char, 4> alt{};
    const bool lower = random.Chance(1.0 / 3);
    alt[0] = char(ColumnLetters[size_t(column - 1)] + (lower ? 32 : 0));
    if (row >= 10) {
        alt[1] = '1';
        alt[2] = char('0' + row - 10);
    } else {
        alt[1] = char('0' + row);
    }
    return alt;
}

void Generate(const TGeneratorOptions& options, const std::function<void(std::string_view)>& emit) {
    if (options.Games > MaxGeneratedGames)
        throw std::invalid_argument("at most " + std::to_string(MaxGeneratedGames) +
                                    " games can be generated");
    if (!(options.GomokuShare >= 0.0 && options.GomokuShare <= 1.0))
        throw std::invalid_argument("the share of gomoku games must lie between 0 and 1");

    TRandom random(options.Seed);
    const std::vector<std::string> players = MakePlayers(random);

    std::vector<TGame> games(options.Games);
    std::string moves;
    moves.reserve(options.Games * 80);
    std::unordered_set<uint64_t> keys;
    keys.reserve(options.Games);
    TGameBuilder builder(random, moves);

    for (TGame& game : games) {
        // Few games in the first years of the server, most in its middle years.
        const int yearIndex = std::min(YearCount - 1, int((random.Unit() + random.Unit()) / 2 * YearCount));
        // Board codes are distinct within a year, as the server numbers its boards; six characters
        // leave room for every game when the shorter codes of a year run out.
        int length = BoardCodeLength(random);
        for (int attempt = 0;; ++attempt) {
            if (attempt == 8) length = 6;
            game.Key = MakeKey(yearIndex, BoardCode(random, length));
            if (keys.insert(game.Key).second) break;
        }
        game.Black = PickPlayer(random);
        do game.White = PickPlayer(random);
        while (game.White == game.Black);
        game.Result = DrawResult(random);
        const bool renju = !random.Chance(options.GomokuShare);
        const int count = DrawMoveCount(random, game.Result);
        game.MovesAt = moves.size();
        builder.Play(renju, count);
        game.MovesLength = uint8_t(moves.size() - game.MovesAt);
        if (renju && count >= 5 && random.Chance(0.06)) game.Alt = DrawAlternative(random, builder);
        game.Reverse = renju && random.Chance(0.03);
    }

    // Keys are distinct, so any sort gives the same order.
    std::sort(games.begin(), games.end(), [](const TGame& a, const TGame& b) { return a.Key < b.Key; });

    std::string line;
    for (const TGame& game : games) {
        line.clear();
        AppendBaseLine(line, {.Year = std::to_string(FirstYear + int(game.Key >> 48)),
                              .Board = KeyBoard(game.Key),
                              .Black = players[game.Black],
                              .White = players[game.White],
                              .Result = game.Result,
                              .Moves = std::string_view(moves).substr(game.MovesAt, game.MovesLength),
                              .Alt = game.Alt.data(),
                              .Reverse = game.Reverse});
        emit(line);
    }
}

}  // namespace

std::vector<std::string> GenerateBaseLines(const TGeneratorOptions& options) {
    std::vector<std::string> lines;
    lines.reserve(std::min(options.Games, MaxGeneratedGames));
    Generate(options, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string GenerateBaseContent(const TGeneratorOptions& options) {
    std::string content;
    content.reserve(std::min(options.Games, MaxGeneratedGames) * 140);
    Generate(options, [&](std::string_view line) {
        content += line;
        content += "\r\n";
    });
    return content;
}

std::string BenchBaseFile(size_t games) {
    // One benchmark run asks for the same base many times; generating it once is enough.
    static std::map<size_t, std::string> known;
    if (auto found = known.find(games); found != known.end()) return found->second;

    const char* folder = std::getenv("TMPDIR");
    const std::string path =
        std::string(folder && *folder ? folder : "/tmp") + "/kalvon-bench-" + std::to_string(games) + ".bdt";
    const std::string content = GenerateBaseContent({.Games = games, .Seed = 1});
    std::string error;
    struct stat info {};
    bool current = false;
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && size_t(info.st_size) == content.size()) {
        const auto existing = ReadWholeFile(path, error);
        current = existing && *existing == content;
    }
    // Written beside the final name and renamed, so an interrupted run leaves no half base behind.
    if (!current && !WriteFileReplacing(path, content, error)) throw std::runtime_error(error);
    known.emplace(games, path);
    return path;
}

}  // namespace kalvon::bench
