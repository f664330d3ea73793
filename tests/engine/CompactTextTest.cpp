// The compact text of a game's fields against std::string, on both sides of the inline limit.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <utility>
#include <vector>

#include "base/CompactText.h"

namespace kalvon {
namespace {

std::string Text(size_t size, char first) {
    std::string text;
    for (size_t i = 0; i < size; ++i) text += char(first + i % 26);
    return text;
}

TEST(CompactText, BehavesAsTheStringItHolds) {
    for (size_t size : {0, 1, 2, 5, 14, 15, 16, 17, 31, 80, 1000}) {
        SCOPED_TRACE(size);
        const std::string oracle = Text(size, 'a');
        TCompactText text(oracle);
        EXPECT_EQ(text.OnHeap(), size > TCompactText::InlineCapacity);
        EXPECT_EQ(text.size(), size);
        EXPECT_EQ(text.empty(), size == 0);
        EXPECT_EQ(text, oracle);
        EXPECT_EQ(std::string_view(text), oracle);
        EXPECT_EQ(text.str(), oracle);

        // Copies are their own texts: changing one leaves the other.
        TCompactText copy = text;
        EXPECT_EQ(copy, text);
        if (size > 0) {
            copy[0] = 'Z';
            EXPECT_EQ(text, oracle);
            EXPECT_NE(copy, text);
            EXPECT_LT(copy, text);
        }
        TCompactText moved = std::move(copy);
        EXPECT_TRUE(copy.empty());
        EXPECT_EQ(moved.size(), size);
        copy = moved;
        EXPECT_EQ(copy, moved);

        // Assigning every length over every other length, and a part of itself.
        for (size_t other : {0, 3, 15, 16, 40}) {
            TCompactText again = text;
            again = Text(other, 'k');
            EXPECT_EQ(again, Text(other, 'k'));
            again = text;
            EXPECT_EQ(again, oracle);
            again = again.substr(size / 3);
            EXPECT_EQ(again, oracle.substr(size / 3));
        }
        TCompactText& self = text;
        text = self;
        EXPECT_EQ(text, oracle);
        text.clear();
        EXPECT_TRUE(text.empty());
        EXPECT_FALSE(text.OnHeap());
    }
}

TEST(CompactText, OrdersAndPrintsAsItsBytes) {
    std::mt19937 random(5);
    std::vector<std::string> texts;
    for (int i = 0; i < 200; ++i) texts.push_back(Text(random() % 20, char('a' + random() % 3)));
    for (const std::string& a : texts)
        for (const std::string& b : {texts[random() % texts.size()], texts[random() % texts.size()]}) {
            EXPECT_EQ(TCompactText(a) == TCompactText(b), a == b);
            EXPECT_EQ(TCompactText(a) < TCompactText(b), a < b) << a << " " << b;
            EXPECT_EQ(TCompactText(a) < b, a < b);
        }
    std::ostringstream out;
    out << TCompactText(std::string_view("2003")) << '|' << TCompactText(Text(20, 'a'));
    EXPECT_EQ(out.str(), "2003|" + Text(20, 'a'));
}

}  // namespace
}  // namespace kalvon
