// The reader on thousands of damaged notifications: it never fails unsoundly. The fuzz target runs
// the same check on many more inputs; this is its short fixed-count run in every build.
#include <gtest/gtest.h>

#include <random>

#include "base/BaseEdits.h"
#include "exchange/NotificationWriter.h"
#include "tests/engine/NotificationCheck.h"

namespace kalvon::test {
namespace {

std::vector<std::string> Seeds() {
    TGameBase base;
    for (const char* line :
         {"2003,  123=[Alice,Bob,+,88899A79977A66AB55,K7,-]", "2004,  124=[Alice,Bob,F,88899A79,J10-K9,-]",
          "2005,  125=[Eksa,Bob,-,88899A7997,K7,R]", "2006,12345=[Ann,Zed,=,1122334455667788,?,-]",
          "1999,    1=[Ann,Zed,?,88,?,-]", "2000,  777=[Ann,Zed,f,88899A,?,-]"})
        AddBaseLine(base, line);
    std::vector<std::string> seeds;
    for (const TPartyRecord& party : base.PartyList) seeds.push_back(NotificationText(base, party));
    seeds.push_back("> " + seeds[0].substr(0, seeds[0].find('\n') + 1) + "> \r\n> Game won by Alice.\r\n");
    return seeds;
}

std::string Mutate(std::string text, std::mt19937& random) {
    static const std::string pieces[] = {"Resign",
                                         "Forfeit",
                                         ",",
                                         " ",
                                         "\r",
                                         "\n",
                                         "\r\n",
                                         ">",
                                         "Game",
                                         "Eks",
                                         "   Eks          Ohs",
                                         "won by ",
                                         "a tie.",
                                         "s turn.",
                                         "3 ",
                                         "1 ",
                                         "I8",
                                         "H8",
                                         "P15",
                                         "Q1",
                                         std::string("\0", 1),
                                         "=",
                                         "_",
                                         "99999999999"};
    const int steps = 1 + int(random() % 4);
    for (int s = 0; s < steps && !text.empty(); ++s) {
        const size_t at = random() % text.size();
        switch (random() % 5) {
            case 0:
                text[at] = char(random() % 256);
                break;
            case 1:
                text.erase(at, random() % 40);
                break;
            case 2:
                text.insert(at, pieces[random() % std::size(pieces)]);
                break;
            case 3:
                text.insert(at, text.substr(random() % text.size(), random() % 60));
                break;
            default:
                text.resize(at);
                break;
        }
    }
    return text;
}

TEST(NotificationMutation, DamagedNotificationsAreReadOrRefusedSoundly) {
    std::mt19937 random(9);
    const std::vector<std::string> seeds = Seeds();
    int read = 0, refused = 0;
    for (int i = 0; i < 5000; ++i) {
        const std::string text = Mutate(seeds[size_t(i) % seeds.size()], random);
        const std::string problem = CheckNotification(text, "Renju Board 1_03.txt");
        ASSERT_EQ(problem, "") << "mutation " << i << ":\n" << text;
        const TNotificationRead outcome = NotificationToBaseLine(text, "Renju Board 1_03.txt", 0);
        (outcome.Error ? refused : read) += outcome.Error || !outcome.BaseLine.empty();
    }
    // Both ways out must be taken often, or the mutations test nothing.
    EXPECT_GT(read, 500);
    EXPECT_GT(refused, 500);
}

}  // namespace
}  // namespace kalvon::test
