// Importing other programs' games into a base file: the merge rules, the names the code page cannot
// hold, and the round trip through SGF files.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <set>

#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/PointCodes.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"
#include "exchange/BaseRewrite.h"
#include "exchange/GameImport.h"
#include "exchange/ImportRecord.h"
#include "exchange/SgfWriter.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

// Answers the import's questions as told and records them.
class TFakeImportUi final : public IImportUi {
public:
    bool Transliterate = true;
    size_t CancelAtProgress = 0;  // the call of ImportProgress that answers false; 0 for none
    std::vector<std::string> Messages;
    std::vector<std::pair<size_t, std::vector<std::string>>> Asked;
    size_t ProgressCalls = 0;

    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    bool AskTransliterate(size_t count, const std::vector<std::string>& firstNames) override {
        Asked.emplace_back(count, firstNames);
        return Transliterate;
    }
    bool ImportProgress(const std::string&, size_t) override { return ++ProgressCalls != CancelAtProgress; }
};

// One SGF game tree as other programs write it.
std::string Sgf(const std::string& gn, const std::string& black, const std::string& white,
                const std::string& re, const std::string& moves = ";B[hh]", int year = 2003) {
    return Concat({"(;GM[4]FF[4]CA[UTF-8]SZ[15]PB[", black, "]PW[", white, "]DT[", std::to_string(year),
                   "]RE[", re, "]GN[", gn, "]", moves, ")\n"});
}

// A RenjuNet database holding the game of the fixture, its first moves only.
std::string RenjuNet(const std::string& games) {
    return Concat(
        {"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<database version=\"10\" date=\"2024-01-01\">\n"
         "<countries><country id=\"1\" name=\"Estonia\" abbr=\"EST\"/></countries>\n"
         "<cities><city id=\"1\" name=\"Tallinn\" country=\"1\"/></cities>\n"
         "<rules><rule id=\"25\" name=\"RIF\"><info>rule</info></rule></rules>\n"
         "<openings><opening id=\"19\" name=\"Kagetsu\" abbr=\"D4\"/></openings>\n<players>"
         "<player id=\"3069\" name=\"T\xc3\xb5nis\" surname=\"Tamm\" country=\"1\" city=\"1\"/>"
         "<player id=\"3969\" surname=\"Kask\" country=\"1\" city=\"1\"/></players>\n<tournaments>"
         "<tournament id=\"3369\" name=\"Cup\" country=\"1\" city=\"1\" year=\"2003\" month=\"5\" "
         "start=\"2003-05-17\" end=\"2003-05-20\" rule=\"25\" rated=\"1\"/></tournaments>\n<games>",
         games, "</games>\n</database>\n"});
}

struct TImportCase {
    const char* Rule;
    std::optional<std::string> Base{};                         // the base file before; nullopt: none
    std::vector<std::pair<std::string, std::string>> Files{};  // written into the folder, imported in order
    bool Transliterate = true;
    size_t CancelAtProgress = 0;
    TImportStatus Status = TImportStatus::Done;
    std::optional<std::string> After{};  // the base file after; nullopt: as before, and no .bak made
    size_t FilesRead = 0, Added = 0, Replaced = 0, Transliterated = 0, Unchanged = 0, WithoutResult = 0;
    std::vector<std::pair<std::string, std::string>> Skipped{};  // file name and reason
    std::vector<std::string> Notes{};                            // each one of the run's notes, in part
    std::optional<std::pair<size_t, std::vector<std::string>>> Asked{};
    // The lines whose keys the import record holds, before and after; nullopt: no record file.
    std::optional<std::vector<std::string>> Record{}, RecordAfter{};
};

TEST(GameImport, MergeRules) {
    const std::string own = "2001,    5=[Ann,Zed,-,1122,?,-]\r\n";
    const std::string tonis = "T\xc3\xb5nis", pawel = "Pawe\xc5\x82",
                      wang = "\xe7\x8e\x8b\xe5\xb0\x8f\xe6\x98\x8e";
    const std::string king = "\xe2\x99\x94 King";  // a chess king: no Latin letters for it
    const std::string petr = "\xd0\x9f\xd1\x91\xd1\x82\xd1\x80";
    const TImportCase cases[] = {
        {.Rule = "a new key is appended in the code page; the base's lines stay",
         .Base = own,
         .Files = {{"a.sgf", Sgf("7", petr, "Bob", "B+", ";B[hh];W[hi]")}},
         .After = Concat({own, "2003,   s7=[\xcf\xb8\xf2\xf0,Bob,+,8887,?,-]\r\n"}),
         .FilesRead = 1,
         .Added = 1,
         .RecordAfter = {{"2003,   s7="}}},
        {.Rule = "a re-import replaces the game an import brought; other years stay",
         .Base = "2003,   s7=[Old,Name,?,88,?,-]\r\n\r\n2004,   s7=[Other,Year,?,88,?,-]\r\n",
         .Files = {{"a.sgf", Sgf("7", "Ann", "Bob", "W+")}},
         .After = "2003,   s7=[Ann,Bob,-,88,?,-]\r\n2004,   s7=[Other,Year,?,88,?,-]\r\n",
         .FilesRead = 1,
         .Replaced = 1,
         .Record = {{"2003,   s7="}},
         .RecordAfter = {{"2003,   s7="}}},
        {.Rule = "a game the user entered under the source's letter is never replaced",
         .Base = "2003,r3219=[MYSELF,FRIEND,+,88,?,-]\r\n",
         .Files = {{"db.rif", RenjuNet("<game id=\"3219\" tournament=\"3369\" black=\"3969\" white=\"3969\" "
                                       "bresult=\"0\"><move>h8</move></game>")}},
         .FilesRead = 1,
         .Skipped = {{"db.rif", "the key \"2003, r3219\" belongs to a game of the base"}}},
        {.Rule = "the same game again is unchanged: neither base nor record is written",
         .Base = "2003,   s7=[Ann,Bob,-,88,?,-]\r\n",
         .Files = {{"a.sgf", Sgf("7", "Ann", "Bob", "W+")}},
         .FilesRead = 1,
         .Unchanged = 1,
         .Record = {{"2003,   s7="}},
         .RecordAfter = {{"2003,   s7="}}},
        {.Rule = "a base imported before the record: an equal game is unchanged and recorded from then on",
         .Base = "2003,   s7=[Ann,Bob,-,88,?,-]\r\n2003,   s9=[Ann,Bob,-,8889,?,-]\r\n",
         .Files = {{"a.sgf", Sgf("7", "Ann", "Bob", "W+") + Sgf("9", "Ann", "Bob", "W+")}},
         .FilesRead = 1,
         .Unchanged = 1,
         .Skipped = {{"a.sgf", "the key \"2003, s9\" belongs to a game of the base"}},
         .RecordAfter = {{"2003,   s7="}}},
        {.Rule = "keys of games no longer in the base leave the record",
         .Base = "2003,   s8=[Ann,Bob,-,88,?,-]\r\n",
         .Files = {{"a.sgf", Sgf("7", "Ann", "Bob", "W+")}},
         .After = "2003,   s7=[Ann,Bob,-,88,?,-]\r\n2003,   s8=[Ann,Bob,-,88,?,-]\r\n",
         .FilesRead = 1,
         .Added = 1,
         .Record = {{"2003,   s8=", "1999,   s1="}},
         .RecordAfter = {{"2003,   s7=", "2003,   s8="}}},
        {.Rule = "the user's game of the same folded key stays and the imported one is skipped",
         .Base = "2003,   S7=[Own,Game,+,88,?,-]\r\n",
         .Files = {{"a.sgf", Sgf("7", "Ann", "Bob", "B+") + Sgf("8", "Ann", "Bob", "Draw")}},
         .After = "2003,   S7=[Own,Game,+,88,?,-]\r\n2003,   s8=[Ann,Bob,=,88,?,-]\r\n",
         .FilesRead = 1,
         .Added = 1,
         .Skipped = {{"a.sgf", "the key \"2003, s7\" belongs to a game of the base"}},
         .RecordAfter = {{"2003,   s8="}}},
        {.Rule = "only games the base holds under another source: nothing is written",
         .Base = "2003,   S7=[Own,Game,+,88,?,-]\r\n",
         .Files = {{"a.sgf", Sgf("7", "Ann", "Bob", "B+")}},
         .FilesRead = 1,
         .Skipped = {{"a.sgf", "the key \"2003, s7\" belongs to a game of the base"}}},
        {.Rule = "the same key twice in one import: the later game wins, the earlier is noted",
         .Base = "",
         .Files = {{"a.sgf", Sgf("7", "First", "One", "B+")}, {"b.sgf", Sgf("7", "Second", "Two", "0")}},
         .After = "2003,   s7=[Second,Two,=,88,?,-]\r\n",
         .FilesRead = 2,
         .Added = 1,
         .Notes = {"the key \"2003, s7\" comes again in file "},
         .RecordAfter = {{"2003,   s7="}}},
        {.Rule = "a missing base counts as empty; psq games take the year given",
         .Files = {{"g1.psq", "Piskvorky 15x15, 11:11, 0\n8,8,100\n8,7,100\nAlpha\nBeta\n-1\n"}},
         .After = "1999,  gg1=[Alpha,Beta,?,8889,?,-]\r\n",
         .FilesRead = 1,
         .Added = 1,
         .WithoutResult = 1,
         .RecordAfter = {{"1999,  gg1="}}},
        {.Rule = "names the code page cannot hold are asked once and transliterated, each noted",
         .Base = own,
         .Files = {{"a.sgf",
                    Sgf("1", tonis, pawel, "B+") + Sgf("2", tonis, wang, "W+F") + Sgf("3", petr, wang, "0")}},
         .After =
             Concat({own,
                     "2003,   s1=[Tonis,Pawel,+,88,?,-]\r\n2003,   s2=[Tonis,wang xiao ming,f,88,?,-]\r\n"
                     "2003,   s3=[\xcf\xb8\xf2\xf0,wang xiao ming,=,88,?,-]\r\n"}),
         .FilesRead = 1,
         .Added = 3,
         .Transliterated = 3,
         .Notes = {Concat({tonis, " -> Tonis"}), Concat({pawel, " -> Pawel"}),
                   Concat({wang, " -> wang xiao ming"})},
         .Asked = std::make_pair(size_t(3), std::vector<std::string>{tonis, pawel, wang}),
         .RecordAfter = {{"2003,   s1=", "2003,   s2=", "2003,   s3="}}},
        {.Rule = "a name still unwritable after the transliteration skips its game",
         .Base = own,
         .Files = {{"a.sgf", Sgf("1", king, "Bob", "B+") + Sgf("2", tonis, "Bob", "B+")}},
         .After = Concat({own, "2003,   s2=[Tonis,Bob,+,88,?,-]\r\n"}),
         .FilesRead = 1,
         .Added = 1,
         .Transliterated = 1,
         .Skipped = {{"a.sgf", Concat({"the name \"", king,
                                       "\" cannot be written in windows-1251, not even transliterated as \"",
                                       king, "\""})}},
         .Asked = std::make_pair(size_t(2), std::vector<std::string>{king, tonis}),
         .RecordAfter = {{"2003,   s2="}}},
        {.Rule = "a transliteration refused cancels the import: nothing written",
         .Base = own,
         .Files = {{"a.sgf", Sgf("1", tonis, "Bob", "B+") + Sgf("2", "Ann", "Bob", "B+")}},
         .Transliterate = false,
         .Status = TImportStatus::Cancelled,
         .Asked = std::make_pair(size_t(1), std::vector<std::string>{tonis})},
        {.Rule = "a file that cannot be read fails the import: nothing written",
         .Base = own,
         .Files = {{"a.sgf", Sgf("1", "Ann", "Bob", "B+")}, {"b.rif", "<database><games><game id=\"1\">"}},
         .Status = TImportStatus::Failed},
        {.Rule = "a cancel from the progress writes nothing",
         .Base = own,
         .Files = {{"a.sgf", Sgf("1", "Ann", "Bob", "B+")}},
         .CancelAtProgress = 2,
         .Status = TImportStatus::Cancelled},
        {.Rule = "a RenjuNet game takes its tournament's year and the prefix r",
         .Base = own,
         .Files = {{"db.RIF", RenjuNet("<game id=\"171548\" publisher=\"91\" tournament=\"3369\" round=\"8\" "
                                       "rule=\"25\" black=\"3069\" white=\"3969\" bresult=\"1\" btime=\"8\" "
                                       "wtime=\"8\" opening=\"19\"><move>h8 h9 i8 g10</move>"
                                       "<info>B=1245</info></game>")}},
         .After = Concat({own, "2003,r171548=[Tonis Tamm,Kask,+,8889987A,?,-]\r\n"}),
         .FilesRead = 1,
         .Added = 1,
         .Transliterated = 1,
         .Notes = {Concat({tonis, " Tamm -> Tonis Tamm"})},
         .Asked = std::make_pair(size_t(1), std::vector<std::string>{Concat({tonis, " Tamm"})}),
         .RecordAfter = {{"2003,r171548="}}},
        {.Rule = "a file of another kind is skipped whole",
         .Base = own,
         .Files = {{"notes.txt", "hello"}, {"a.SGF", Sgf("1", "Ann", "Bob", "?")}},
         .After = Concat({own, "2003,   s1=[Ann,Bob,?,88,?,-]\r\n"}),
         .FilesRead = 1,
         .Added = 1,
         .WithoutResult = 1,
         .Skipped = {{"notes.txt", "not a .rif, .psq or .sgf file"}},
         .RecordAfter = {{"2003,   s1="}}},
    };
    for (const TImportCase& c : cases) {
        SCOPED_TRACE(c.Rule);
        TTempFolder folder;
        const std::string base = folder.File("games.bdt");
        if (c.Base) WriteFile(base, *c.Base);
        std::vector<std::string> files;
        for (const auto& [name, text] : c.Files) {
            files.push_back(folder.File(name));
            WriteFile(files.back(), text);
        }
        // A record holds folded keys, one a line.
        auto recordOf = [](const std::vector<std::string>& lines) {
            std::vector<std::string> keys;
            for (const std::string& line : lines) keys.push_back(FoldedKey(line));
            std::sort(keys.begin(), keys.end());
            std::string text;
            for (const std::string& key : keys) text += key + "\n";
            return text;
        };
        const std::string record = ImportRecordPath(base);
        if (c.Record) WriteFile(record, recordOf(*c.Record));
        TFakeImportUi ui;
        ui.Transliterate = c.Transliterate;
        ui.CancelAtProgress = c.CancelAtProgress;
        const TImportRun run = ImportGames(base, files, TImportOptions{.PsqYear = 1999}, ui);
        if (c.RecordAfter) {
            EXPECT_EQ(ReadFile(record), recordOf(*c.RecordAfter));
            if (c.Record && *c.Record != *c.RecordAfter) {
                EXPECT_EQ(ReadFile(record + ".bak"), recordOf(*c.Record)) << "the record's previous version";
            }
        } else {
            EXPECT_FALSE(std::filesystem::exists(record));
        }

        EXPECT_EQ(run.Status, c.Status);
        EXPECT_EQ(ui.Messages.empty(), c.Status != TImportStatus::Failed);
        if (c.After) {
            EXPECT_EQ(ReadFile(base), *c.After);
            EXPECT_TRUE(run.ReloadDue);
            if (c.Base) {
                EXPECT_EQ(ReadFile(PreviousFilePath(base)), *c.Base) << "the .bak holds the old base";
            }
        } else {
            EXPECT_EQ(std::filesystem::exists(base), c.Base.has_value());
            if (c.Base) {
                EXPECT_EQ(ReadFile(base), *c.Base) << "byte for byte";
            }
            EXPECT_FALSE(std::filesystem::exists(PreviousFilePath(base)));
            EXPECT_FALSE(run.ReloadDue);
        }
        EXPECT_EQ(run.FilesRead, c.FilesRead);
        EXPECT_EQ(run.GamesAdded, c.Added);
        EXPECT_EQ(run.GamesReplaced, c.Replaced);
        EXPECT_EQ(run.GamesUnchanged, c.Unchanged);
        EXPECT_EQ(run.GamesWithoutResult, c.WithoutResult);
        EXPECT_EQ(run.KeysOfTheBase, size_t(std::ranges::count_if(c.Skipped, [](const auto& skip) {
                      return skip.second.ends_with("belongs to a game of the base");
                  })));
        EXPECT_EQ(run.NamesTransliterated, c.Transliterated);
        std::vector<std::pair<std::string, std::string>> skipped;
        for (const TImportRefusal& refusal : run.Skipped)
            skipped.emplace_back(std::filesystem::path(refusal.File).filename().string(), refusal.Reason);
        EXPECT_EQ(skipped, c.Skipped);
        for (const std::string& note : c.Notes)
            EXPECT_TRUE(std::ranges::any_of(run.Notes, [&](const std::string& n) {
                return n.find(note) != std::string::npos;
            })) << note;
        if (c.Asked)
            EXPECT_EQ(ui.Asked, std::vector{*c.Asked});
        else
            EXPECT_TRUE(ui.Asked.empty());
    }
}

TEST(GameImport, SummaryCountsAndFirstReasons) {
    TImportRun run;
    run.FilesRead = 2;
    run.GamesAdded = 1;
    run.GamesReplaced = 3;
    run.NamesTransliterated = 1;
    for (const char* where : {"game 1", "game 2", "game 3", "game 4"})
        run.Skipped.push_back(TImportRefusal{"a.sgf", where, "a pass"});
    run.GamesUnchanged = 5;
    run.KeysOfTheBase = 2;
    run.GamesWithoutResult = 1;
    const std::string summary = ImportRunSummary(run);
    EXPECT_EQ(summary,
              Concat({"Import Games: 2 files read, 1 game added, 3 replaced, 5 unchanged, 4 skipped (2 "
                      "because their keys belong to a game of the base): ",
                      ImportRefusalText(run.Skipped[0]), "; ", ImportRefusalText(run.Skipped[1]), "; ",
                      ImportRefusalText(run.Skipped[2]),
                      "; ..., 1 name transliterated, 1 game imported without a result."}));
    EXPECT_EQ(ImportRunSummary(TImportRun{}),
              "Import Games: 0 files read, 0 games added, 0 replaced, 0 unchanged, 0 skipped, 0 names "
              "transliterated, 0 games imported without a result.");
}

TEST(GameImport, ImportableFilesOfAFolderInListingOrder) {
    TTempFolder folder;
    for (const char* name : {"b.sgf", "A.RIF", "c.Psq", "d.txt", "e.sgf.bak", "f.rif"})
        WriteFile(folder.File(name), "");
    std::filesystem::create_directory(folder.File("g.sgf"));
    const std::string full = std::filesystem::canonical(folder.Path()).string();
    EXPECT_EQ(ImportableFiles(folder.Path().string()),
              (std::vector<std::string>{Concat({full, "/A.RIF"}), Concat({full, "/b.sgf"}),
                                        Concat({full, "/c.Psq"}), Concat({full, "/f.rif"})}));
}

// Random games of every length, result, alternative and flag, with names of the code page.
std::vector<std::string> RandomBaseLines(size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    auto pick = [&](size_t n) { return size_t(random() % n); };
    const char* names[] = {"Ann", "Bob Smith", "\xcf\xb8\xf2\xf0 I.", "O'Neil", "Zed-9", "Li Wei"};
    const char* alts[] = {"?", "J10-K9", "k7", "H9 J7", "5"};
    const char* results = "+-=Ff?";
    std::vector<std::string> lines;
    for (size_t i = 0; i < count; ++i) {
        std::vector<int> points;
        for (int column = 1; column <= 15; ++column)
            for (int row = 1; row <= 15; ++row) points.push_back(column * 16 + row);
        std::shuffle(points.begin(), points.end(), random);
        const size_t length = i == 0 ? 0 : i == 1 ? 225 : pick(226);
        std::string moves;
        for (size_t m = 0; m < length; ++m) {
            moves += PointDigit(points[m] / 16);
            moves += PointDigit(points[m] % 16);
        }
        const std::string year = std::to_string(1990 + pick(35));
        const std::string board = Concat({i % 3 == 0 ? "a" : "", std::to_string(i + 1)});
        std::string line;
        AppendBaseLine(line, {.Year = year,
                              .Board = board,
                              .Black = names[pick(std::size(names))],
                              .White = names[pick(std::size(names))],
                              .Result = results[i % 6],
                              .Moves = moves,
                              .Alt = alts[pick(std::size(alts))],
                              .Reverse = i % 4 < 2});
        lines.push_back(line);
    }
    return lines;
}

TEST(GameImport, BaseThroughSgfFilesAndBackGivesTheSameLinesWithPrefixS) {
    TTempFolder folder;
    const std::vector<std::string> lines = RandomBaseLines(300, 23);
    std::string content;
    for (const std::string& line : lines) content += Concat({line, "\r\n"});
    WriteFile(folder.File("own.bdt"), content);
    TGameBase base;
    TSilentUi silent;
    ASSERT_TRUE(LoadBase(base, folder.File("own.bdt"), silent));
    for (size_t i = 0; i < base.PartyList.size(); ++i) base.Listing.push_back(int32_t(i));

    std::string error;
    ASSERT_TRUE(WriteSgfCollection(folder.File("all.sgf"), base, base.Listing, error)) << error;
    std::filesystem::create_directory(folder.File("each"));
    std::vector<std::string> written;
    ASSERT_TRUE(WriteSgfFiles(folder.File("each"), base, base.Listing, written, error)) << error;
    ASSERT_EQ(written.size(), lines.size());

    std::vector<std::string> expected;
    for (const std::string& line : lines) {
        const size_t comma = line.find(','), equals = line.find('=');
        std::string prefixed = line.substr(0, comma + 1);
        AppendBoardCode(prefixed, Concat({"s", Trim(line.substr(comma + 1, equals - comma - 1))}));
        expected.push_back(Concat({prefixed, line.substr(equals)}));
    }
    std::vector<std::string_view> sorted(expected.begin(), expected.end());
    SortBaseLines(sorted);
    std::string want;
    for (std::string_view line : sorted) want += Concat({line, "\r\n"});

    for (const std::vector<std::string>& files :
         {std::vector<std::string>{folder.File("all.sgf")}, written}) {
        const std::string into = folder.File("imported.bdt");
        std::filesystem::remove(into);
        TFakeImportUi ui;
        const TImportRun run = ImportGames(into, files, {}, ui);
        EXPECT_EQ(run.Status, TImportStatus::Done);
        EXPECT_EQ(run.GamesAdded, lines.size());
        EXPECT_TRUE(run.Skipped.empty()) << ImportRefusalText(run.Skipped.front());
        EXPECT_TRUE(ui.Asked.empty());
        EXPECT_EQ(ReadFile(into), want);
    }
}

}  // namespace
}  // namespace kalvon::test
