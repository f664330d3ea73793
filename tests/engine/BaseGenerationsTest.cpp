// The earlier files a base's rewrites keep: the generations, the file from before the last removal,
// their list and the way back, what a kill during a rotation leaves, and the scratch base set aside.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "base/BaseGenerations.h"
#include "base/BaseWritable.h"
#include "base/PreviousBase.h"
#include "base/SafeFile.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

namespace fs = std::filesystem;

// The generations setting of one test, put back afterwards.
class Generations : public testing::Test {
protected:
    void TearDown() override { SetBackupGenerations(DefaultBackupGenerations); }
    std::string Base() const { return Folder.File("b.bdt"); }
    std::string Gen(int k) const { return GenerationPath(Base(), k); }
    // The content of generations 1..n, "-" for a missing one.
    std::vector<std::string> Contents(int n) const {
        std::vector<std::string> contents;
        for (int k = 1; k <= n; ++k) contents.push_back(fs::exists(Gen(k)) ? ReadFile(Gen(k)) : "-");
        return contents;
    }
    bool Rewrite(const std::string& content, bool beforeRemoval = false) {
        std::string error;
        const bool written =
            WriteFileReplacing(Base(), content, error,
                               TReplaceOptions{.KeepPrevious = true, .KeepBeforeRemoval = beforeRemoval});
        EXPECT_TRUE(written) << error;
        return written;
    }
    TTempFolder Folder;
};

// Each rewrite keeps the file it replaces as generation 1 and moves the others down, as many as the
// setting asks for; the older ones go.
TEST_F(Generations, RewritesKeepAsManyGenerationsAsAskedFor) {
    struct TRow {
        int Kept;
        std::vector<std::string> Expected;  // generations 1..7 after the base went v0 .. v7
    };
    const TRow rows[] = {
        {1, {"v6", "-", "-", "-", "-", "-", "-"}},
        {2, {"v6", "v5", "-", "-", "-", "-", "-"}},
        {5, {"v6", "v5", "v4", "v3", "v2", "-", "-"}},
        {99, {"v6", "v5", "v4", "v3", "v2", "v1", "v0"}},
    };
    for (const TRow& row : rows) {
        for (int k = 1; k <= 8; ++k) fs::remove(Gen(k));
        SetBackupGenerations(row.Kept);
        WriteFile(Base(), "v0");
        for (int v = 1; v <= 7; ++v) ASSERT_TRUE(Rewrite("v" + std::to_string(v)));
        EXPECT_EQ(ReadFile(Base()), "v7");
        EXPECT_EQ(Contents(7), row.Expected) << row.Kept;
        EXPECT_FALSE(fs::exists(Gen(8)));
    }
    // A smaller setting drops the generations past it at the next rewrite.
    SetBackupGenerations(2);
    ASSERT_TRUE(Rewrite("v8"));
    EXPECT_EQ(Contents(4), (std::vector<std::string>{"v7", "v6", "-", "-"}));
    for (const auto& entry : fs::directory_iterator(Folder.Path()))
        EXPECT_EQ(entry.path().filename().string().find('~'), std::string::npos) << entry.path();
}

// A deleted game survives any number of ordinary saves in the file from before the removal, until the
// next command that removes games.
TEST_F(Generations, ADeletedGameSurvivesLaterSaves) {
    const std::string three =
        "2000,    1=[A,B,+,88,?,-]\r\n2000,    2=[C,D,+,88,?,-]\r\n2000,    3=[E,F,+,88,?,-]\r\n";
    WriteFile(Base(), three);
    TGameBase base;
    TRecordingUi ui;
    ASSERT_TRUE(LoadBase(base, Base(), ui));
    base.Listing = {1};
    ASSERT_TRUE(DeleteListedParties(base, Base(), ui));
    for (int save = 0; save < 8; ++save) ASSERT_TRUE(SaveBase(base, Base(), ui));
    EXPECT_EQ(ReadFile(BeforeRemovalPath(Base())), three) << "the game deleted is still there";
    EXPECT_NE(ReadFile(Gen(1)), three);
    EXPECT_FALSE(fs::exists(Gen(DefaultBackupGenerations + 1)));
    // The next removal keeps the base as it then was.
    const std::string two = ReadFile(Base());
    base.Listing = {0};
    ASSERT_TRUE(DeleteListedParties(base, Base(), ui));
    EXPECT_EQ(ReadFile(BeforeRemovalPath(Base())), two);
    EXPECT_TRUE(ui.Messages.empty());
}

// What a kill at each step of a rewrite leaves: every earlier generation stays, under its own name or
// the kept file's waiting name, and the next rewrite (or the list) finishes the rotation.
TEST_F(Generations, AKillAtAnyStepLosesNoGeneration) {
    SetBackupGenerations(3);
    struct TRow {
        const char* Step;
        std::string Base;                 // the base as the kill left it
        std::vector<std::string> Before;  // generations 1..3 as the kill left them
        bool Pending, PendingRemoval;     // the kept file's waiting names hold "X"
        std::vector<std::string> After;   // generations 1..3 once the rotation is finished
        std::string BeforeRemoval;        // the before-removal file then, "-" for none
    };
    const TRow rows[] = {
        {"before the kept name", "X", {"A", "B", "C"}, false, false, {"A", "B", "C"}, "-"},
        {"after the kept name", "X", {"A", "B", "C"}, true, true, {"A", "B", "C"}, "-"},
        {"after the rename", "Y", {"A", "B", "C"}, true, true, {"X", "A", "B"}, "X"},
        {"after generation 2 moved", "Y", {"A", "-", "B"}, true, false, {"X", "A", "B"}, "-"},
        {"after generation 1 moved", "Y", {"-", "A", "B"}, true, true, {"X", "A", "B"}, "X"},
        {"after the kept file moved", "Y", {"X", "A", "B"}, false, true, {"X", "A", "B"}, "X"},
        {"with two generations", "Y", {"-", "A", "-"}, true, false, {"X", "A", "-"}, "-"},
    };
    for (const TRow& row : rows) {
        for (const auto& entry : fs::directory_iterator(Folder.Path())) fs::remove(entry.path());
        WriteFile(Base(), row.Base);
        for (int k = 1; k <= 3; ++k)
            if (row.Before[size_t(k - 1)] != "-") WriteFile(Gen(k), row.Before[size_t(k - 1)]);
        // Where the base is still X the kept names are second names of it; else copies of the old file.
        auto keep = [&](const std::string& name) {
            if (row.Base == "X")
                fs::create_hard_link(Base(), name);
            else
                WriteFile(name, "X");
        };
        if (row.Pending) keep(Base() + ".bak~pending");
        if (row.PendingRemoval) keep(BeforeRemovalPath(Base()) + "~pending");
        const std::vector<TBaseGeneration> listed = ListBaseGenerations(Base());
        EXPECT_EQ(Contents(3), row.After) << row.Step;
        EXPECT_EQ(fs::exists(BeforeRemovalPath(Base())) ? ReadFile(BeforeRemovalPath(Base())) : "-",
                  row.BeforeRemoval)
            << row.Step;
        EXPECT_EQ(ReadFile(Base()), row.Base) << "the base is never touched";
        EXPECT_FALSE(fs::exists(Base() + ".bak~pending")) << row.Step;
        EXPECT_FALSE(fs::exists(BeforeRemovalPath(Base()) + "~pending")) << row.Step;
        size_t shown = 0;
        for (const std::string& content : row.After) shown += content != "-" ? 1 : 0;
        shown += row.BeforeRemoval != "-" ? 1 : 0;
        EXPECT_EQ(listed.size(), shown) << row.Step;
        // The next rewrite goes on from there.
        ASSERT_TRUE(Rewrite("Z"));
        EXPECT_EQ(Contents(3), (std::vector<std::string>{row.Base, row.After[0], row.After[1]})) << row.Step;
    }
}

// A restore brings the chosen earlier file back; the file it replaces becomes generation 1 (and the
// file from before the removal), the others move down, so a restore can itself be undone.
TEST_F(Generations, RestoreBringsTheChosenFileBack) {
    struct TRow {
        TRestoreChoice Choice;
        bool Done;
        std::string Base;
        std::vector<std::string> After;  // generations 1..4
        std::string BeforeRemoval;
    };
    const TRow rows[] = {
        {{.Generation = 1}, true, "A", {"Now", "A", "B", "C"}, "Now"},
        {{.Generation = 3}, true, "C", {"Now", "A", "B", "C"}, "Now"},
        {{.BeforeRemoval = true}, true, "R", {"Now", "A", "B", "C"}, "Now"},
        {{.Generation = 4}, false, "Now", {"A", "B", "C", "-"}, "R"},
    };
    for (const TRow& row : rows) {
        for (const auto& entry : fs::directory_iterator(Folder.Path())) fs::remove(entry.path());
        WriteFile(Base(), "Now");
        WriteFile(Gen(1), "A");
        WriteFile(Gen(2), "B");
        WriteFile(Gen(3), "C");
        WriteFile(BeforeRemovalPath(Base()), "R");
        std::string error;
        EXPECT_EQ(RestoreBaseGeneration(Base(), row.Choice, error), row.Done) << error;
        EXPECT_EQ(ReadFile(Base()), row.Base);
        EXPECT_EQ(Contents(4), row.After);
        EXPECT_EQ(ReadFile(BeforeRemovalPath(Base())), row.BeforeRemoval);
        EXPECT_EQ(error.empty(), row.Done) << error;
    }
    std::string error;
    EXPECT_TRUE(RestorePreviousBase(Base(), error)) << error;
    EXPECT_EQ(ReadFile(Base()), "A") << "generation 1 is the previous base";
}

// At start-up a scratch base that holds games is moved into its generations, an empty one deleted.
TEST_F(Generations, TheScratchBaseIsSetAsideNotDeleted) {
    const std::string scratch = Folder.File("New.bdt");
    std::string error;
    EXPECT_EQ(SetAsideScratchBase(scratch, error), std::optional<size_t>(0)) << "no file";
    WriteFile(scratch, "\r\n \r\n");
    EXPECT_EQ(SetAsideScratchBase(scratch, error), std::optional<size_t>(0));
    EXPECT_FALSE(fs::exists(scratch));
    EXPECT_FALSE(fs::exists(GenerationPath(scratch, 1))) << "an empty scratch base is simply deleted";
    WriteFile(GenerationPath(scratch, 1), "older");
    const std::string games = "2021,    7=[A,B,+,88,?,-]\r\n2021,    8=[A,B,+,88,?,-]\r\n";
    WriteFile(scratch, games);
    EXPECT_EQ(SetAsideScratchBase(scratch, error), std::optional<size_t>(2)) << error;
    EXPECT_FALSE(fs::exists(scratch));
    EXPECT_EQ(ReadFile(GenerationPath(scratch, 1)), games);
    EXPECT_EQ(ReadFile(GenerationPath(scratch, 2)), "older");
    EXPECT_EQ(ListBaseGenerations(scratch).size(), 2u);
}

// Whether a base can be written, said before anything is typed: nullopt, or the reason.
TEST_F(Generations, AReadOnlyBaseIsToldAtOnce) {
    const std::pair<std::function<void(const std::string&)>, const char*> rows[] = {
        {[](const std::string& base) { WriteFile(base, ""); }, nullptr},
        {[](const std::string&) {}, nullptr},  // no file yet
        {[](const std::string& base) { WriteFile(base, ""), chmod(base.c_str(), 0444); },
         "the file is write-protected"},
        {[](const std::string& base) { fs::create_directory(base); }, "it is not an ordinary file"},
        {[](const std::string& base) { fs::create_symlink("missing.bdt", base); },
         "it is a link that leads to no file"},
        {[](const std::string& base) { WriteFile(base, ""), fs::create_directory(base + ".lock"); },
         "cannot be opened"},
        {[](const std::string& base) {
             WriteFile(base, ""), fs::create_symlink("elsewhere", base + ".lock");
         },
         "is a link"},
    };
    for (const auto& [make, reason] : rows) {
        TTempFolder folder;
        const std::string base = folder.File("b.bdt");
        make(base);
        const std::string refusal = BaseWriteRefusal(base).value_or("");
        EXPECT_EQ(refusal.empty(), reason == nullptr) << refusal;
        EXPECT_TRUE(!reason || (refusal.find("Base " + base + " cannot be written: ") == 0 &&
                                refusal.find(reason) != std::string::npos))
            << refusal;
    }
}

}  // namespace
}  // namespace kalvon::test
