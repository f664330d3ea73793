#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "base/BaseGenerations.h"
#include "base/SafeFile.h"
#include "base/SettingsFile.h"
#include "tests/engine/TestBase.h"

namespace kalvon {
namespace {

TEST(SettingsFile, DefaultTextIsTheSevenLines) {
    EXPECT_EQ(DefaultSettingsText(),
              "[Parameters]\r\nFont Move=MS Sans Serif\r\nFont Size=8\r\nFont Style.Bold=false\r\n"
              "Font Style.Italic=false\r\nDiameter Moves=30\r\nLength Memo=165\r\n");
    TParameterList list = TSettingsFile::Parse(DefaultSettingsText()).Section("Parameters");
    TDisplaySettings read;
    read.FontMove = "x";
    read.FontSize = 13;
    read.Bold = read.Italic = true;
    read.DiameterMoves = 44;
    read.LengthMemo = 300;
    ASSERT_TRUE(ReadDisplaySettings(list, read));
    EXPECT_EQ(read.FontMove, "MS Sans Serif");
    EXPECT_EQ(read.FontSize, 8);
    EXPECT_FALSE(read.Bold);
    EXPECT_FALSE(read.Italic);
    EXPECT_EQ(read.DiameterMoves, 30);
    EXPECT_EQ(read.LengthMemo, 165);
}

TEST(SettingsFile, ReadingRules) {
    const TSettingsFile file = TSettingsFile::Parse(
        "  ; a comment\n"
        "key before any section=ignored\r"
        "\t[ parameters ]  \r\n"
        "  Font Size  =   12  \r\n"
        "no equals sign here\n"
        "Formula = a=b\n"
        "; Diameter Moves=44\n"
        "\n"
        "[Other]\n"
        "Font Size=99\n"
        "[PARAMETERS]\n"
        "Length Memo=200\n");
    ASSERT_EQ(file.Sections().size(), 2u);
    EXPECT_EQ(file.Sections()[0].Name, "parameters");
    EXPECT_EQ(file.Find("Parameters", "font size"), "12");
    EXPECT_EQ(file.Find("Parameters", "FORMULA"), "a=b");
    EXPECT_EQ(file.Find("Parameters", "Diameter Moves"), std::nullopt);
    EXPECT_EQ(file.Find("Parameters", "Length Memo"), "200");  // the repeated section continues the first
    EXPECT_EQ(file.Find("other", "Font Size"), "99");
    EXPECT_EQ(file.Find("Parameters", "key before any section"), std::nullopt);
    EXPECT_EQ(file.Find("Missing", "Font Size"), std::nullopt);
    EXPECT_EQ(file.Format(),
              "[parameters]\r\nFont Size=12\r\nFormula=a=b\r\nLength Memo=200\r\n\r\n"
              "[Other]\r\nFont Size=99\r\n\r\n");
}

TEST(SettingsFile, ParameterListSetReplacesAppendsAndRemoves) {
    TParameterList list({{"font size", "8"}, {"Other", "x"}, {"Font Size", "9"}});
    EXPECT_EQ(list.Value("FONT SIZE"), "8");  // the first line of a key counts
    list.Set("Font Size", "12");
    ASSERT_EQ(list.Entries().size(), 3u);
    EXPECT_EQ(list.Entries()[0].Key, "Font Size");
    EXPECT_EQ(list.Entries()[0].Value, "12");
    list.Set("New Key", "v");
    EXPECT_EQ(list.Entries().back().Key, "New Key");
    list.Set("other", "");
    EXPECT_EQ(list.Find("Other"), std::nullopt);
    EXPECT_EQ(list.Value("Other"), "");
    list.Set("Absent", "");
    EXPECT_EQ(list.Entries().size(), 3u);
}

TEST(SettingsFile, ReadDisplaySettingsClampsAndReadsBooleans) {
    struct TRow {
        const char* Text;
        int Size, Diameter, Memo;
        bool Bold, Italic;
    };
    const TRow rows[] = {
        {"Font Size=2\nDiameter Moves=100\nLength Memo=1000", 6, 50, 400, false, false},
        {"Font Size=99\nDiameter Moves=-7\nLength Memo=0", 16, 20, 165, false, false},
        {"font size=+10\nDIAMETER MOVES=21\nlength memo=250\nFont Style.Bold=True\nfont style.italic=TRUE",
         10, 21, 250, true, true},
        {"Font Size=8\nDiameter Moves=30\nFont Style.Bold=yes\nFont Style.Italic=1", 8, 30, 165, false,
         false},
    };
    for (const TRow& row : rows) {
        TParameterList list =
            TSettingsFile::Parse(std::string("[Parameters]\n") + row.Text).Section("Parameters");
        TDisplaySettings s;
        EXPECT_TRUE(ReadDisplaySettings(list, s)) << row.Text;
        EXPECT_EQ(s.FontSize, row.Size) << row.Text;
        EXPECT_EQ(s.DiameterMoves, row.Diameter) << row.Text;
        EXPECT_EQ(s.LengthMemo, row.Memo) << row.Text;
        EXPECT_EQ(s.Bold, row.Bold) << row.Text;
        EXPECT_EQ(s.Italic, row.Italic) << row.Text;
    }
}

TEST(SettingsFile, ReadDisplaySettingsStopsAtTheFirstBadNumber) {
    TDisplaySettings before;
    before.FontMove = "Old";
    before.FontSize = 11;
    before.Bold = true;
    before.DiameterMoves = 40;
    before.LengthMemo = 200;

    TParameterList badSize({{"Font Move", "Tahoma"},
                            {"Font Size", "abc"},
                            {"Font Style.Bold", "false"},
                            {"Diameter Moves", "24"},
                            {"Length Memo", "300"}});
    TDisplaySettings s = before;
    EXPECT_FALSE(ReadDisplaySettings(badSize, s));
    EXPECT_EQ(s.FontMove, "Tahoma");  // read before the failure
    EXPECT_EQ(s.FontSize, 11);
    EXPECT_TRUE(s.Bold);
    EXPECT_EQ(s.DiameterMoves, 40);
    EXPECT_EQ(s.LengthMemo, 200);

    for (const char* bad : {"", " 30", "30px", "0x1E", "99999999999", "3.0"}) {
        TParameterList list({{"Font Size", "9"}, {"Diameter Moves", bad}, {"Length Memo", "170"}});
        s = before;
        EXPECT_FALSE(ReadDisplaySettings(list, s)) << '"' << bad << '"';
        EXPECT_EQ(s.FontSize, 9);
        EXPECT_EQ(s.DiameterMoves, 40);
        EXPECT_EQ(s.LengthMemo, 200);
    }

    TParameterList badMemo({{"Font Size", "9"}, {"Diameter Moves", "22"}, {"Length Memo", "wide"}});
    s = before;
    EXPECT_FALSE(ReadDisplaySettings(badMemo, s));
    EXPECT_EQ(s.DiameterMoves, 22);
    EXPECT_EQ(s.LengthMemo, 200);
}

TEST(SettingsFile, MissingKeysAndMemoLength) {
    // No face and no memo width: the face reads empty, the memo width 165 is stored, no warning.
    TParameterList list({{"Font Size", "8"}, {"Diameter Moves", "30"}});
    TDisplaySettings s;
    s.LengthMemo = 300;
    EXPECT_TRUE(ReadDisplaySettings(list, s));
    EXPECT_EQ(s.FontMove, "");
    EXPECT_EQ(s.LengthMemo, 165);
    EXPECT_EQ(list.Find("Length Memo"), "165");

    TParameterList empty;
    s = {};
    EXPECT_FALSE(ReadDisplaySettings(empty, s));  // no font size is a bad number
}

TEST(SettingsFile, BinaryGarbageNeverBreaksReading) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::string text = round % 2 ? "[Parameters]\n" : "";
        const size_t length = random() % 400;
        for (size_t i = 0; i < length; ++i) {
            const unsigned pick = random() % 10;
            text += pick == 0   ? '='
                    : pick == 1 ? '\n'
                    : pick == 2 ? '['
                    : pick == 3 ? ']'
                                : char(random() % 256);
        }
        TParameterList list = TSettingsFile::Parse(text).Section("Parameters");
        TDisplaySettings s;
        ReadDisplaySettings(list, s);
        EXPECT_GE(s.FontSize, 6);
        EXPECT_LE(s.FontSize, 16);
        EXPECT_GE(s.DiameterMoves, 20);
        EXPECT_LE(s.DiameterMoves, 50);
        EXPECT_GE(s.LengthMemo, 165);
        EXPECT_LE(s.LengthMemo, 400);
        // What was read is written back in a form that reads the same.
        const TSettingsFile reread = TSettingsFile::Parse(TSettingsFile::Parse(text).Format());
        EXPECT_EQ(reread.Format(), TSettingsFile::Parse(text).Format());
    }
}

TEST(SettingsFile, SaveToolsWritesTheSixKeysAndKeepsTheRest) {
    TSettingsFile file = TSettingsFile::Parse(
        "[Parameters]\r\nfont size=8\r\nCode Page=UTF-8\r\nFont Move=Arial\r\n[Window]\r\nLeft=3\r\n");
    TParameterList list = file.Section("Parameters");
    TDisplaySettings s;
    s.FontMove = "";
    s.FontSize = 12;
    s.Bold = true;
    s.DiameterMoves = 36;
    s.LengthMemo = 180;
    StoreDisplaySettings(s, list);
    EXPECT_EQ(list.Find("Font Move"), std::nullopt);  // an empty face removes the line
    CopyDisplaySettings(list, file);
    EXPECT_EQ(file.Format(),
              "[Parameters]\r\nFont Size=12\r\nCode Page=UTF-8\r\nFont Move=\r\nFont Style.Bold=true\r\n"
              "Font Style.Italic=false\r\nDiameter Moves=36\r\nLength Memo=180\r\n\r\n"
              "[Window]\r\nLeft=3\r\n\r\n");
    EXPECT_EQ(SettingsCodePage(file.Section("Parameters")), "UTF-8");
    EXPECT_EQ(SettingsCodePage(TParameterList(std::vector<TIniEntry>{{"Code Page", "  "}})), std::nullopt);
    EXPECT_EQ(SettingsCodePage(TParameterList()), std::nullopt);
}

TEST(SettingsFile, ReadProblemNamesTheKeyTheValueAndTheValuesUsed) {
    TDisplaySettings kept;
    kept.FontSize = 11;
    kept.DiameterMoves = 40;
    kept.LengthMemo = 200;
    const struct {
        std::vector<TIniEntry> Entries;
        const char* Said;
    } rows[] = {
        {{{"Font Size", "9"}, {"Diameter Moves", "24"}, {"Length Memo", "170"}}, ""},
        {{{"Font Size", "abc"}},
         "File ini/Tools.ini: \"Font Size\" is \"abc\", which is not a whole number. Used instead: Font Size "
         "11, Diameter Moves 40, Length Memo 200."},
        {{{"Font Size", "9"}},
         "File ini/Tools.ini: \"Diameter Moves\" has no value. Used instead: Diameter Moves 40, Length Memo "
         "200."},
        {{{"Font Size", "9"}, {"Diameter Moves", "24"}, {"Length Memo", "123456789012345678901234"}},
         "File ini/Tools.ini: \"Length Memo\" is \"12345678901234567890...\", which is not a whole number. "
         "Used "
         "instead: Length Memo 200."},
    };
    for (const auto& row : rows) EXPECT_EQ(SettingsReadProblem(TParameterList(row.Entries), kept), row.Said);
}

TEST(SettingsFile, SaveToolsWritesAChosenCodePage) {
    TSettingsFile file = TSettingsFile::Parse("[Parameters]\r\nFont Size=8\r\n");
    TParameterList list = file.Section("Parameters");
    list.Set(CodePageKey, "KOI8-R");
    CopyDisplaySettings(list, file);
    EXPECT_EQ(SettingsCodePage(file.Section("Parameters")), "KOI8-R");
    TSettingsFile none = TSettingsFile::Parse("[Parameters]\r\nFont Size=8\r\n");
    CopyDisplaySettings(none.Section("Parameters"), none);
    EXPECT_EQ(none.Format().find("Code Page"), std::string::npos);  // none is written when none is set
}

// "Backup Generations": read into its range, the default when absent or no number, and written only
// when it differs from the default, so that a file of default settings keeps its seven lines.
TEST(SettingsFile, BackupGenerationsHasItsRangeAndStaysOutByDefault) {
    const std::pair<const char*, int> read[] = {{"", 5},   {"3", 3},    {" 12 ", 12}, {"0", 1},
                                                {"-4", 1}, {"250", 99}, {"many", 5},  {"+7", 7}};
    for (const auto& [value, generations] : read)
        EXPECT_EQ(
            ReadBackupGenerations(TParameterList(std::vector<TIniEntry>{{"backup generations", value}})),
            generations)
            << value;
    EXPECT_EQ(ReadBackupGenerations(TParameterList()), DefaultBackupGenerations);

    TSettingsFile file = TSettingsFile::Parse(DefaultSettingsText());
    TParameterList list = file.Section(ParametersSection);
    StoreBackupGenerations(5, list);
    CopyDisplaySettings(list, file);
    EXPECT_EQ(file.Format(), DefaultSettingsText() + "\r\n") << "the default is not written";
    StoreBackupGenerations(12, list);
    CopyDisplaySettings(list, file);
    EXPECT_EQ(file.Format(), DefaultSettingsText() + "Backup Generations=12\r\n\r\n");
    StoreBackupGenerations(5, list);
    CopyDisplaySettings(list, file);
    EXPECT_EQ(file.Format(), DefaultSettingsText() + "\r\n") << "back to the default, the line goes";
    ApplyBackupGenerations(TParameterList(std::vector<TIniEntry>{{BackupGenerationsKey, "7"}}));
    EXPECT_EQ(BackupGenerations(), 7);
    ApplyBackupGenerations(TParameterList());
    EXPECT_EQ(BackupGenerations(), DefaultBackupGenerations);
}

TEST(SettingsFile, EnsureReadAndWriteOnDisk) {
    test::TTempFolder folder;
    const std::string ini = folder.File("ini"), path = folder.File("ini/Tools.ini");
    std::string error;
    ASSERT_TRUE(EnsureSettingsFile(ini, path, error)) << error;
    EXPECT_EQ(ReadWholeFile(path, error), DefaultSettingsText());

    // An existing file is left alone.
    ASSERT_TRUE(WriteFileReplacing(path, "[Parameters]\r\nFont Size=9\r\n", error));
    ASSERT_TRUE(EnsureSettingsFile(ini, path, error));
    std::optional<TSettingsFile> file = ReadSettingsFile(path, error);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Find("Parameters", "Font Size"), "9");

    file->SetValue("Parameters", "Diameter Moves", "40");
    ASSERT_TRUE(WriteSettingsFile(path, *file, error));
    EXPECT_EQ(ReadWholeFile(path, error), "[Parameters]\r\nFont Size=9\r\nDiameter Moves=40\r\n\r\n");

    // A file where the folder should be, and a missing file, give the system's reason.
    const std::string blocked = folder.File("blocked");
    ASSERT_TRUE(WriteFileReplacing(blocked, "x", error));
    EXPECT_FALSE(EnsureSettingsFile(blocked, blocked + "/Tools.ini", error));
    EXPECT_NE(error.find("blocked"), std::string::npos) << error;
    EXPECT_FALSE(ReadSettingsFile(folder.File("none.ini"), error));
    EXPECT_NE(error.find("none.ini"), std::string::npos) << error;
    if (::geteuid() != 0) {
        const std::string locked = folder.File("locked");
        ASSERT_EQ(::mkdir(locked.c_str(), 0555), 0);
        EXPECT_FALSE(EnsureSettingsFile(locked + "/ini", locked + "/ini/Tools.ini", error));
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace kalvon
