// The generator of synthetic bases: the same bytes for a seed, well-formed games that the loader reads
// back as written, and the mix of players, codes and results that makes benchmarks realistic.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/PointCodes.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"
#include "generator/BaseGenerator.h"

namespace kalvon {
namespace {

using bench::GenerateBaseContent;
using bench::GenerateBaseLines;
using bench::TGeneratorOptions;

// The fields of one generated line, read directly from its bytes.
struct TLineFields {
    std::string Year, Board, Black, White, Result, Moves, Alt, Flag;
};

// Splits "year,board=[black,white,result,moves,alt,flag]"; false when the line has another shape.
bool SplitLine(const std::string& line, TLineFields& out) {
    const size_t comma = line.find(',');
    const size_t equals = line.find("=[");
    if (comma == std::string::npos || equals == std::string::npos || equals < comma || line.back() != ']')
        return false;
    out.Year = line.substr(0, comma);
    out.Board = line.substr(comma + 1, equals - comma - 1);
    const std::string inner = line.substr(equals + 2, line.size() - equals - 3);
    std::string* fields[] = {&out.Black, &out.White, &out.Result, &out.Moves, &out.Alt, &out.Flag};
    size_t from = 0;
    for (size_t i = 0; i < 6; ++i) {
        const size_t to = i < 5 ? inner.find(',', from) : inner.size();
        if (to == std::string::npos) return false;
        *fields[i] = inner.substr(from, to - from);
        from = to + 1;
    }
    return out.Flag.find(',') == std::string::npos;
}

bool IsCleanName(const std::string& name) {
    if (name.empty() || name.front() == ' ' || name.back() == ' ') return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 32 || c == ',' || c == '=' || c == '[' || c == ']') return false;
    return true;
}

std::string FoldCase(std::string name) {
    for (char& ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF)) ch = char(c + 32);
        if (c == 0xA8) ch = char(0xB8);
    }
    return name;
}

TEST(BaseGenerator, SameSeedGivesSameBytesAndOtherSeedOtherGames) {
    const TGeneratorOptions options{.Games = 3000, .Seed = 7};
    const std::string content = GenerateBaseContent(options);
    EXPECT_EQ(content, GenerateBaseContent(options));

    std::string joined;
    for (const std::string& line : GenerateBaseLines(options)) joined += line + "\r\n";
    EXPECT_EQ(joined, content);

    const std::vector<std::string> other = GenerateBaseLines({.Games = 3000, .Seed = 8});
    const std::vector<std::string> same = GenerateBaseLines(options);
    size_t equalLines = 0;
    for (size_t i = 0; i < same.size(); ++i) equalLines += same[i] == other[i];
    EXPECT_LT(equalLines, 10u);
    EXPECT_TRUE(GenerateBaseLines({.Games = 0}).empty());
}

TEST(BaseGenerator, EveryLineIsAGameOfDistinctNearbyPointsInSavedOrder) {
    const std::vector<std::string> lines = GenerateBaseLines({.Games = 10000, .Seed = 3});
    ASSERT_EQ(lines.size(), 10000u);

    std::set<std::string> keys;
    std::string previousKey;
    size_t notAtCentre = 0, withAlt = 0, lowerAlt = 0, reversed = 0, groupLetter = 0, cyrillic = 0;
    std::map<size_t, size_t> codeLengths;
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        TLineFields f;
        ASSERT_TRUE(SplitLine(line, f));

        ASSERT_EQ(f.Year.size(), 4u);
        const int year = std::atoi(f.Year.c_str());
        EXPECT_TRUE(year >= 1995 && year <= 2026);

        const std::string code(Trim(f.Board));
        EXPECT_EQ(f.Board.size(), std::max<size_t>(5, code.size())) << "board code not right-aligned in 5";
        ASSERT_TRUE(code.size() >= 3 && code.size() <= 6);
        ++codeLengths[code.size()];
        const bool letter = code[0] >= 'a' && code[0] <= 'z';
        groupLetter += letter;
        EXPECT_TRUE(letter || (code[0] >= '1' && code[0] <= '9'));
        for (size_t i = 1; i < code.size(); ++i) EXPECT_TRUE(code[i] >= '0' && code[i] <= '9');

        // The loader finds games by their "year, board" key; the generator never repeats one, and
        // writes the lines in key order as a saved base has them.
        const std::string key = line.substr(0, line.find('='));
        EXPECT_TRUE(keys.insert(key).second) << "repeated key";
        EXPECT_LT(previousKey, key);
        previousKey = key;

        EXPECT_TRUE(IsCleanName(f.Black));
        EXPECT_TRUE(IsCleanName(f.White));
        EXPECT_NE(FoldCase(f.Black), FoldCase(f.White)) << "a player against himself";
        for (char c : f.Black + f.White) cyrillic += static_cast<unsigned char>(c) >= 0xC0;

        ASSERT_EQ(f.Result.size(), 1u);
        EXPECT_NE(std::string("+-=?Ff").find(f.Result), std::string::npos);

        ASSERT_EQ(f.Moves.size() % 2, 0u);
        const size_t count = f.Moves.size() / 2;
        EXPECT_TRUE(count >= 5 && count <= 120) << count << " moves";
        std::set<std::string> taken;
        std::vector<std::pair<int, int>> stones;
        for (size_t k = 0; k < count; ++k) {
            const std::string point = f.Moves.substr(2 * k, 2);
            ASSERT_TRUE(IsPointCode(point)) << "move " << k + 1;
            EXPECT_TRUE(taken.insert(point).second) << "move " << k + 1 << " on an occupied point";
            const int c = PointDigitValue(point[0]), r = PointDigitValue(point[1]);
            bool near = stones.empty();
            for (const auto& [sc, sr] : stones)
                near = near || (std::abs(sc - c) <= 3 && std::abs(sr - r) <= 3);
            EXPECT_TRUE(near) << "move " << k + 1 << " far from every earlier stone";
            stones.emplace_back(c, r);
        }
        notAtCentre += f.Moves.substr(0, 2) != "88";

        if (f.Alt != "?") {
            ++withAlt;
            lowerAlt += f.Alt[0] >= 'a' && f.Alt[0] <= 'z';
            const std::string altCode = PointTextToCode(AsciiUpper(f.Alt));
            ASSERT_NE(altCode, "?") << "alternative is no point";
            EXPECT_EQ(f.Moves.substr(0, 2), "88") << "only renju games have a fifth-move alternative";
            for (size_t k = 0; k < 5; ++k)
                EXPECT_NE(f.Moves.substr(2 * k, 2), altCode) << "alternative on move " << k + 1;
        }
        ASSERT_TRUE(f.Flag == "R" || f.Flag == "-");
        reversed += f.Flag == "R";

        // The loader's own reading of the line gives back every field.
        std::string black, white;
        const TPartyRecord party = ParseBaseLine(line, black, white);
        EXPECT_EQ(party.Year, f.Year);
        EXPECT_EQ(party.Board, f.Board);
        EXPECT_EQ(black, f.Black);
        EXPECT_EQ(white, f.White);
        EXPECT_EQ(party.Result, f.Result[0]);
        EXPECT_EQ(party.Moves, f.Moves);
        EXPECT_EQ(party.Alt, f.Alt);
        EXPECT_EQ(party.Reverse, f.Flag == "R");
    }
    // The mix a benchmark needs: gomoku openings, alternatives in both cases, exchanged colours,
    // group letters, Cyrillic names and every length of board code.
    EXPECT_GT(notAtCentre, 500u);
    EXPECT_LT(notAtCentre, 2000u);
    EXPECT_GT(withAlt, 200u);
    EXPECT_GT(lowerAlt, 30u);
    EXPECT_GT(reversed, 100u);
    EXPECT_GT(groupLetter, 500u);
    EXPECT_GT(cyrillic, 10000u);
    for (size_t length = 3; length <= 6; ++length) EXPECT_GT(codeLengths[length], 300u) << length;
}

TEST(BaseGenerator, RenjuGamesOpenAtTheCentreWithinTheCentralSquare) {
    for (const std::string& line : GenerateBaseLines({.Games = 3000, .Seed = 11, .GomokuShare = 0})) {
        std::string black, white;
        const TPartyRecord party = ParseBaseLine(line, black, white);
        ASSERT_EQ(party.Moves.substr(0, 2), "88") << line;
        const int c2 = PointDigitValue(party.Moves[2]), r2 = PointDigitValue(party.Moves[3]);
        const int c3 = PointDigitValue(party.Moves[4]), r3 = PointDigitValue(party.Moves[5]);
        EXPECT_TRUE(std::abs(c2 - 8) <= 1 && std::abs(r2 - 8) <= 1) << line;
        EXPECT_TRUE(std::abs(c3 - 8) <= 2 && std::abs(r3 - 8) <= 2) << line;
    }
}

TEST(BaseGenerator, ResultsAndPlayersAreDistributedAsInRealBases) {
    const std::vector<std::string> lines = GenerateBaseLines({.Games = 10000, .Seed = 5});
    std::map<char, double> share;
    std::map<std::string, std::string> spellingOf;  // folded name -> the spelling met
    size_t longGames = 0;
    for (const std::string& line : lines) {
        std::string black, white;
        const TPartyRecord party = ParseBaseLine(line, black, white);
        share[party.Result] += 1.0 / double(lines.size());
        longGames += party.Moves.size() > 2 * 80;
        for (const std::string& name : {black, white}) {
            const auto [it, added] = spellingOf.emplace(FoldCase(name), name);
            EXPECT_EQ(it->second, name) << "one player in two spellings";
        }
    }
    EXPECT_NEAR(share['+'], 0.45, 0.025);
    EXPECT_NEAR(share['-'], 0.40, 0.025);
    EXPECT_NEAR(share['='], 0.05, 0.012);
    EXPECT_NEAR(share['?'], 0.07, 0.012);
    EXPECT_NEAR(share['F'], 0.015, 0.007);
    EXPECT_NEAR(share['f'], 0.015, 0.007);
    EXPECT_EQ(share.size(), 6u);
    // About 2,000 players, of whom 10,000 games meet most; long games are rare but present.
    EXPECT_GT(spellingOf.size(), 1500u);
    EXPECT_LE(spellingOf.size(), 2000u);
    EXPECT_GT(longGames, 100u);
    EXPECT_LT(longGames, 2000u);
}

TEST(BaseGenerator, RefusesOptionsItCannotHonour) {
    EXPECT_THROW(GenerateBaseLines({.Games = bench::MaxGeneratedGames + 1}), std::invalid_argument);
    EXPECT_THROW(GenerateBaseContent({.Games = 10, .GomokuShare = 1.5}), std::invalid_argument);
    EXPECT_THROW(GenerateBaseContent({.Games = 10, .GomokuShare = -0.1}), std::invalid_argument);
}

class BaseGeneratorFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/kalvon-gentest-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        Folder_ = pattern;
        if (const char* old = std::getenv("TMPDIR")) OldTmp_ = old;
        setenv("TMPDIR", Folder_.c_str(), 1);
        // Some languages sort letters elsewhere (z after s in Estonian); the generator writes the
        // order of the root collation.
        SetTextPolicy(DefaultCodePage, "");
    }
    void TearDown() override {
        SetTextPolicy(DefaultCodePage);
        if (OldTmp_)
            setenv("TMPDIR", OldTmp_->c_str(), 1);
        else
            unsetenv("TMPDIR");
        std::filesystem::remove_all(Folder_);
    }
    std::string Folder_;
    std::optional<std::string> OldTmp_;
};

TEST_F(BaseGeneratorFiles, BenchBaseIsWrittenWholeAndLoadsAndSavesUnchanged) {
    const std::string path = bench::BenchBaseFile(1234);
    EXPECT_EQ(path, Folder_ + "/kalvon-bench-1234.bdt");
    std::string error;
    const auto bytes = ReadWholeFile(path, error);
    ASSERT_TRUE(bytes) << error;
    const std::string content = GenerateBaseContent({.Games = 1234, .Seed = 1});
    EXPECT_EQ(*bytes, content);
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Folder_)) ++files;
    EXPECT_EQ(files, 1u) << "a temporary file was left behind";

    // Names that collide under the loader's comparison, or lines out of the saved order, would
    // change the bytes on the way through the engine.
    TGameBase base;
    TSilentUi ui;
    ASSERT_TRUE(LoadBase(base, path, ui));
    EXPECT_EQ(base.PartyList.size(), 1234u);
    EXPECT_EQ(BaseFileContent(base), content);
}

}  // namespace
}  // namespace kalvon
