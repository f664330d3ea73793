// Folder listings by pattern: what counts as a match, which entries are files, and their order.
#include <gtest/gtest.h>

#include "base/FolderListing.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

TEST(FolderListing, PatternsMatchWithoutRegardToAsciiCase) {
    struct TCase {
        const char *Name, *Pattern;
        bool Matches;
    } cases[] = {
        {"a.txt", "*.txt", true},
        {"A.TXT", "*.txt", true},
        {"a.txt", "*.TXT", true},
        {".txt", "*.txt", true},
        {"a.txt.bak", "*.txt", false},
        {"a.tx", "*.txt", false},
        {"a.bdt", "*.bdt", true},
        {"ab", "a?", true},
        {"a", "a?", false},
        {"abc", "a*c", true},
        {"abcbc", "a*bc", true},
        {"abcbd", "a*bc", false},
        {"", "*", true},
        {"x", "", false},
        {"\xc0.txt", "*.txt", true},
        {"\xc0.txt", "\xe0.txt", false},  // only ASCII letters fold
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MatchesPattern(c.Name, c.Pattern), c.Matches) << c.Name << " ~ " << c.Pattern;
}

TEST(FolderListing, ListsMatchingFilesInFoldedByteOrder) {
    TTempFolder folder;
    for (const char* name :
         {"b.txt", "B.txt", "a.TXT", ".hidden.txt", "Z.txt", "_x.txt", "c.txt.bak", "notes"})
        WriteFile(folder.File(name), "x");
    std::filesystem::create_directory(folder.File("dir.txt"));
    std::filesystem::create_symlink(folder.File("b.txt"), folder.File("link.txt"));
    std::filesystem::create_symlink(folder.File("dir.txt"), folder.File("linkdir.txt"));
    std::filesystem::create_symlink(folder.File("gone"), folder.File("broken.txt"));
    // Folded, "_" (0x5F) sorts before the letters and "." (0x2E) before both; "B" before "b" by bytes.
    EXPECT_EQ(
        ListFolder(folder.Path().string(), "*.txt"),
        (std::vector<std::string>{".hidden.txt", "_x.txt", "a.TXT", "B.txt", "b.txt", "link.txt", "Z.txt"}));
    EXPECT_TRUE(ListFolder(folder.File("missing"), "*.txt").empty());
}

}  // namespace
}  // namespace kalvon::test
