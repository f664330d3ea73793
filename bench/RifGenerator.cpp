#include "bench/RifGenerator.h"

#include <array>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "base/SafeFile.h"
#include "base/TextFields.h"

namespace kalvon::bench {

namespace {

// A small generator of its own, so that the bytes never depend on a library's distributions.
class TRandom {
public:
    explicit TRandom(uint64_t seed) : State_(seed * 0x9e3779b97f4a7c15u + 1) {}
    uint64_t Next() {
        // splitmix64
        uint64_t z = (State_ += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    size_t Below(size_t n) { return size_t(Next() % n); }
    template <class T, size_t N>
    const T& Pick(const std::array<T, N>& items) {
        return items[Below(N)];
    }

private:
    uint64_t State_;
};

struct TCountry {
    const char* Name;
    const char* Abbr;
    std::array<const char*, 8> Given, Surnames;
    std::array<const char*, 3> Cities;
};

// Names as the archive spells them: accents, Cyrillic, Chinese and Japanese among them.
const std::array<TCountry, 10> Countries = {{
    {"Estonia",
     "EST",
     {"T\u00f5nis", "Ants", "Margus", "Ando", "Tunnet", "Sven", "Meelis", "P\u00e4rt"},
     {"Tamm", "Kask", "Saar", "Meritee", "Tammsalu", "R\u00e4ni", "Karu", "P\u00f5ld"},
     {"Tallinn", "Tartu", "P\u00e4rnu"}},
    {"Czech Republic",
     "CZE",
     {"Ond\u0159ej", "Pavel", "Ji\u0159\u00ed", "Luk\u00e1\u0161", "Petr", "Tom\u00e1\u0161", "Michal",
      "Jan"},
     {"Nykl", "N\u011bmec", "Svoboda", "Dvo\u0159\u00e1k", "Laube", "Kope\u010dek", "\u0160im\u016fnek",
      "Hole\u010dek"},
     {"Praha", "Brno", "Ostrava"}},
    {"Poland",
     "POL",
     {"Pawe\u0142", "Micha\u0142", "\u0141ukasz", "Piotr", "Kamil", "Grzegorz", "Wojciech", "Jakub"},
     {"Kowalski", "Wi\u015bniewski", "Zi\u0119ba", "W\u00f3jcik", "Kami\u0144ski", "Nowak", "\u017bak",
      "Lewandowski"},
     {"Warszawa", "Krak\u00f3w", "\u0141\u00f3d\u017a"}},
    {"Russia",
     "RUS",
     {"\u0410\u043b\u0435\u043a\u0441\u0435\u0439", "\u041f\u0451\u0442\u0440", "Ilya", "Denis", "Sergey",
      "Vladimir", "Oleg", "Andrey"},
     {"\u0421\u0430\u0434\u043e\u0432", "Ivanov", "Sinitsyn", "Karasyov", "Lebedev", "Kozlov", "Morozov",
      "Volkov"},
     {"Moscow", "Saint Petersburg", "Kazan"}},
    {"China",
     "CHN",
     {"\u5c0f\u660e", "\u4f1f", "\u82b3", "\u5a1c", "Xiaoming", "Wei", "Jing", "Lei"},
     {"\u738b", "\u674e", "\u5f20", "\u5218", "Chen", "Yang", "Huang", "Zhao"},
     {"Beijing", "Shanghai", "Hangzhou"}},
    {"Japan",
     "JPN",
     {"\u592a\u90ce", "\u82b1\u5b50", "Takashi", "Yusui", "Hiroshi", "Kenji", "Akira", "Naoki"},
     {"\u5c71\u7530", "\u4f50\u85e4", "Nakamura", "Yamaguchi", "Kawamura", "Okabe", "Tanaka", "Suzuki"},
     {"Tokyo", "Osaka", "Kyoto"}},
    {"Sweden",
     "SWE",
     {"Peter", "Tomas", "Stefan", "Anders", "Bj\u00f6rn", "Mats", "Lars", "Jonas"},
     {"Jonsson", "Lindstr\u00f6m", "S\u00f6derberg", "Nilsson", "Larsson", "Berg", "Holm", "\u00c5berg"},
     {"Stockholm", "G\u00f6teborg", "Uppsala"}},
    {"Latvia",
     "LAT",
     {"J\u0101nis", "Andris", "Edgars", "M\u0101rti\u0146\u0161", "Roberts", "Ivars", "Aigars", "Raimonds"},
     {"Ozoli\u0146\u0161", "B\u0113rzi\u0146\u0161", "Kalni\u0146\u0161", "Liepa", "Krasti\u0146\u0161",
      "Zari\u0146\u0161", "Vilks", "Lapsa"},
     {"R\u012bga", "Daugavpils", "Liep\u0101ja"}},
    {"Taiwan",
     "TPE",
     {"Chun-Yi", "Chih-Hao", "Wen-Jie", "Yu-Ting", "Ming", "Hsin", "Kai", "Jun"},
     {"Lin", "Chang", "Wu", "Tsai", "Hsu", "Cheng", "Lai", "Kuo"},
     {"Taipei", "Tainan", "Kaohsiung"}},
    {"Finland",
     "FIN",
     {"Ari", "Pekka", "Jukka", "Mikko", "Veli-Matti", "Juha", "Timo", "Kari"},
     {"Virtanen", "M\u00e4kinen", "Nieminen", "H\u00e4m\u00e4l\u00e4inen", "Laine", "Koskinen", "Heikkinen",
      "J\u00e4rvinen"},
     {"Helsinki", "Tampere", "Turku"}},
}};

const std::array<const char*, 6> Rules = {"Renju",          "RIF opening rule", "Yamaguchi",
                                          "Soos\u00f5rv-8", "Taraguchi-10",     "Gomoku"};
const std::array<const char*, 26> Openings = {
    "Kansei",   "Keigetsu", "Sosei",     "Kagetsu",  "Zangetsu", "Ugetsu",  "Kinsei",
    "Shogetsu", "Kyugetsu", "Shingetsu", "Zuisei",   "Sangetsu", "Yugetsu", "Chosei",
    "Kyogetsu", "Gingetsu", "Myojo",     "Shagetsu", "Meigetsu", "Suisei",  "Ryusei",
    "Ungetsu",  "Hogetsu",  "Hokusei",   "Togetsu",  "Kosei"};
const std::array<const char*, 8> Events = {"Championship",      "Team Cup",      "Open",
                                           "Online Tournament", "Qualification", "Masters",
                                           "League &amp; Cup",  "Memorial"};
const std::array<const char*, 6> Infos = {
    "B=1245", "", "Black resigned after a VCF.&#10;Time control 90'", "W=3", "&lt;swap&gt; declined", "B=12"};

void Attribute(std::string& out, std::string_view name, std::string_view value) {
    out.append(" ").append(name).append("=\"").append(value).append("\"");
}

void Attribute(std::string& out, std::string_view name, size_t value) {
    Attribute(out, name, std::to_string(value));
}

std::string Two(size_t n) {
    return Concat({n < 10 ? "0" : "", std::to_string(n)});
}

// Moves of a game: distinct points, the first at h8, each next one near a stone already played.
void AppendMoves(std::string& out, TRandom& random, size_t count) {
    std::array<bool, 15 * 15> taken{};
    std::vector<int> played;
    for (size_t m = 0; m < count; ++m) {
        int column = 7, row = 7;
        if (m > 0) {
            for (;;) {
                const int from = played[random.Below(played.size())];
                column = from % 15 + int(random.Below(5)) - 2;
                row = from / 15 + int(random.Below(5)) - 2;
                if (column >= 0 && column < 15 && row >= 0 && row < 15 && !taken[size_t(row * 15 + column)])
                    break;
            }
        }
        taken[size_t(row * 15 + column)] = true;
        played.push_back(row * 15 + column);
        if (m > 0) out += ' ';
        out += char('a' + column);
        out += std::to_string(row + 1);
    }
}

}  // namespace

std::string GenerateRif(const TRifOptions& options) {
    TRandom random(options.Seed);
    std::string out;
    out.reserve(options.Games * 300 + options.Players * 100 + options.Tournaments * 200 + 100'000);
    out += "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<database version=\"10\" date=\"2024-05-01\">\n";
    out += "<countries>\n";
    for (size_t c = 0; c < Countries.size(); ++c) {
        out += "<country";
        Attribute(out, "id", c + 1);
        Attribute(out, "name", Countries[c].Name);
        Attribute(out, "abbr", Countries[c].Abbr);
        out += "/>\n";
    }
    out += "</countries>\n<cities>\n";
    for (size_t c = 0; c < Countries.size() * 3; ++c) {
        out += "<city";
        Attribute(out, "id", c + 1);
        Attribute(out, "name", Countries[c / 3].Cities[c % 3]);
        Attribute(out, "country", c / 3 + 1);
        out += "/>\n";
    }
    out += "</cities>\n<rules>\n";
    for (size_t r = 0; r < Rules.size(); ++r) {
        out += "<rule";
        Attribute(out, "id", r + 1);
        Attribute(out, "name", Rules[r]);
        out += "><info>The rules of ";
        out += Rules[r];
        out += ", as played in tournaments.</info></rule>\n";
    }
    out += "</rules>\n<openings>\n";
    for (size_t o = 0; o < Openings.size(); ++o) {
        out += "<opening";
        Attribute(out, "id", o + 1);
        Attribute(out, "name", Openings[o]);
        Attribute(out, "abbr", Concat({o < 13 ? "I" : "D", std::to_string(o % 13 + 1)}));
        out += "/>\n";
    }
    out += "</openings>\n<players>\n";
    for (size_t p = 0; p < options.Players; ++p) {
        const size_t country = random.Below(Countries.size());
        out += "<player";
        Attribute(out, "id", p + 1);
        // One player in ten is known by the surname alone.
        if (random.Below(10) != 0) Attribute(out, "name", random.Pick(Countries[country].Given));
        Attribute(out, "surname", random.Pick(Countries[country].Surnames));
        Attribute(out, "country", country + 1);
        Attribute(out, "city", country * 3 + random.Below(3) + 1);
        out += "/>\n";
    }
    out += "</players>\n<tournaments>\n";
    std::vector<size_t> tournamentRule(options.Tournaments);
    for (size_t t = 0; t < options.Tournaments; ++t) {
        const size_t country = random.Below(Countries.size());
        const size_t year = 1989 + random.Below(36), month = 1 + random.Below(12), day = 1 + random.Below(24);
        tournamentRule[t] = random.Below(Rules.size()) + 1;
        out += "<tournament";
        Attribute(out, "id", t + 1);
        Attribute(out, "name",
                  Concat({std::to_string(year), " ", Countries[country].Name, " ", random.Pick(Events)}));
        Attribute(out, "country", country + 1);
        Attribute(out, "city", country * 3 + random.Below(3) + 1);
        // A few tournaments give no year: the year of their start stands for it.
        if (random.Below(20) != 0) Attribute(out, "year", year);
        Attribute(out, "month", month);
        Attribute(out, "start", Concat({std::to_string(year), "-", Two(month), "-", Two(day)}));
        Attribute(out, "end",
                  Concat({std::to_string(year), "-", Two(month), "-", Two(day + random.Below(7))}));
        Attribute(out, "rule", tournamentRule[t]);
        Attribute(out, "rated", random.Below(2));
        out += "/>\n";
    }
    out += "</tournaments>\n<games>\n";
    size_t id = 1000;
    const std::array<const char*, 3> results = {"1", "0", "0.5"};
    for (size_t g = 0; g < options.Games; ++g) {
        id += 1 + random.Below(3);
        const size_t tournament = random.Below(options.Tournaments);
        const size_t black = random.Below(options.Players);
        const size_t white = (black + 1 + random.Below(options.Players - 1)) % options.Players;
        out += "<game";
        Attribute(out, "id", id);
        Attribute(out, "publisher", 1 + random.Below(200));
        Attribute(out, "tournament", tournament + 1);
        Attribute(out, "round", 1 + random.Below(11));
        Attribute(out, "rule", tournamentRule[tournament]);
        Attribute(out, "black", black + 1);
        Attribute(out, "white", white + 1);
        Attribute(out, "bresult", results[random.Below(10) < 1 ? 2 : random.Below(2)]);
        Attribute(out, "btime", random.Below(120));
        Attribute(out, "wtime", random.Below(120));
        Attribute(out, "opening", 1 + random.Below(Openings.size()));
        Attribute(out, "alt", random.Below(100));
        Attribute(out, "swap", random.Below(2) ? "R--R-" : "-");
        out += "><move>";
        AppendMoves(out, random, 5 + random.Below(116));
        out += "</move><info>";
        out += random.Pick(Infos);
        out += "</info></game>\n";
    }
    out += "</games>\n</database>\n";
    return out;
}

std::string BenchRifFile(size_t games) {
    const char* folder = std::getenv("TMPDIR");
    const std::string path =
        Concat({folder && *folder ? folder : "/tmp", "/kalvon-bench-", std::to_string(games), ".rif"});
    const std::string content = GenerateRif(TRifOptions{.Games = games});
    std::string error;
    if (const std::optional<std::string> held = ReadWholeFile(path, error); held && *held == content)
        return path;
    if (!WriteFileReplacing(path, content, error)) throw std::runtime_error(error);
    return path;
}

}  // namespace kalvon::bench
