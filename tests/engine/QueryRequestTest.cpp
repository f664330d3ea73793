// Resolving a query asked by names against the base, as the dialog and the tool do.
#include <gtest/gtest.h>

#include <functional>

#include "base/BaseEdits.h"
#include "search/QueryRequest.h"

// GCC 12 at -O3 reports overlapping copies inside std::string assignments of short literals that
// cannot happen (its known -Wrestrict false positive); nothing else here is affected.
#pragma GCC diagnostic ignored "-Wrestrict"

namespace kalvon {
namespace {

TQueryRequest Ask(const std::function<void(TQueryRequest&)>& set) {
    TQueryRequest request;
    set(request);
    return request;
}

struct TRequestRow {
    const char* Name;
    TQueryRequest Request;
    std::optional<std::string> Message;
    bool PlayerOn, OpponentOn, GroupOn;
    char GroupChar;
};

TEST(QueryRequest, NamesAndGroupsResolveOrSayWhatIsUnknown) {
    TGameBase base;
    AddBaseLine(base, "2003, 4711=[Nord,Sud,+,88,?,-]");
    AddBaseLine(base, "2003,a4712=[Sud,West,-,88,?,-]");
    const TPlayerColour black = TPlayerColour::Black;
    const std::vector<TRequestRow> rows = {
        {"whole base", Ask([&](TQueryRequest& r) {
             r.WholeBase = true;
             r.Player = "nobody";
         }),
         std::nullopt, false, false, false, ' '},
        {"player in any case", Ask([&](TQueryRequest& r) {
             r.Player = "NORD";
             r.Colour = black;
         }),
         std::nullopt, true, false, false, ' '},
        {"unknown player", Ask([&](TQueryRequest& r) {
             r.Player = "Ost";
             r.Opponent = "Sud";
         }),
         PlayerNotFound, false, false, false, ' '},
        {"empty player", Ask([&](TQueryRequest& r) { r.Player = ""; }), PlayerNotFound, false, false, false,
         ' '},
        {"unknown opponent", Ask([&](TQueryRequest& r) {
             r.Player = "Sud";
             r.Opponent = "Ost";
         }),
         OpponentNotFound, true, false, false, ' '},
        {"opponent without player", Ask([&](TQueryRequest& r) { r.Opponent = "Sud"; }), std::nullopt, false,
         false, false, ' '},
        {"group letter", Ask([&](TQueryRequest& r) { r.Group = "a"; }), std::nullopt, false, false, true,
         'a'},
        {"group letters differ by case", Ask([&](TQueryRequest& r) { r.Group = "A"; }), GroupNotFound, false,
         false, false, ' '},
        {"no group", Ask([&](TQueryRequest& r) { r.Group = NoGroupText; }), std::nullopt, false, false, true,
         ' '},
        {"two letters are no group", Ask([&](TQueryRequest& r) { r.Group = "a4"; }), GroupNotFound, false,
         false, false, ' '},
        {"everything", Ask([&](TQueryRequest& r) {
             r.NotFinished = true;
             r.Year = "2003";
             r.Player = "sud";
             r.Opponent = "west";
             r.Group = "a";
         }),
         std::nullopt, true, true, true, 'a'},
    };
    for (const TRequestRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TQueryCriteria criteria;
        EXPECT_EQ(ResolveQuery(base, row.Request, criteria), row.Message);
        EXPECT_EQ(criteria.QueryOn, !row.Request.WholeBase);
        EXPECT_EQ(criteria.PlayerOn, row.PlayerOn);
        EXPECT_EQ(criteria.OpponentOn, row.OpponentOn);
        EXPECT_EQ(criteria.GroupOn, row.GroupOn);
        if (row.GroupOn) {
            EXPECT_EQ(criteria.GroupChar, row.GroupChar);
        }
        if (row.PlayerOn) {
            EXPECT_EQ(criteria.PlayerId, base.PlayerCatalogue.IdOf(*row.Request.Player));
        }
    }
}

}  // namespace
}  // namespace kalvon
