#include "search/QueryRequest.h"

#include "base/GameTexts.h"

namespace kalvon {

namespace {

// The group character of a group text, or nullopt when no game of the base has that group.
std::optional<char> KnownGroup(const TGameBase& base, const std::string& text) {
    if (text != NoGroupText && text.size() != 1) return std::nullopt;
    const char group = text == NoGroupText ? ' ' : text[0];
    for (const TPartyRecord& party : base.PartyList)
        if (PartyGroup(party) == group) return group;
    return std::nullopt;
}

}  // namespace

TUnknownCriterion ResolveQueryCriteria(const TGameBase& base, const TQueryRequest& request,
                                       TQueryCriteria& criteria) {
    TQueryCriteria& c = criteria;
    c.QueryOn = !request.WholeBase;
    if (!c.QueryOn) {
        c.YearOn = c.PlayerOn = c.OpponentOn = false;
        return TUnknownCriterion::None;
    }
    c.NotFinishedOn = request.NotFinished;
    c.YearOn = request.Year.has_value();
    if (c.YearOn) c.QueryYear = *request.Year;
    c.PlayerOn = request.Player.has_value();
    if (c.PlayerOn) {
        c.PlayerId = request.Player->empty() ? 0 : base.PlayerCatalogue.IdOf(*request.Player);
        if (c.PlayerId == 0) {
            c.PlayerOn = false;
            return TUnknownCriterion::Player;
        }
        c.PlayerColour = int(request.Colour);
    }
    c.OpponentOn = c.PlayerOn && request.Opponent.has_value();
    if (c.OpponentOn) {
        c.OpponentId = request.Opponent->empty() ? 0 : base.PlayerCatalogue.IdOf(*request.Opponent);
        if (c.OpponentId == 0) {
            c.OpponentOn = false;
            return TUnknownCriterion::Opponent;
        }
    }
    c.GroupOn = request.Group.has_value();
    if (c.GroupOn) {
        const std::optional<char> group = KnownGroup(base, *request.Group);
        if (!group) {
            c.GroupOn = false;
            return TUnknownCriterion::Group;
        }
        c.GroupChar = *group;
    }
    return TUnknownCriterion::None;
}

std::optional<std::string> ResolveQuery(const TGameBase& base, const TQueryRequest& request,
                                        TQueryCriteria& criteria) {
    switch (ResolveQueryCriteria(base, request, criteria)) {
        case TUnknownCriterion::Player:
            return PlayerNotFound;
        case TUnknownCriterion::Opponent:
            return OpponentNotFound;
        case TUnknownCriterion::Group:
            return GroupNotFound;
        case TUnknownCriterion::None:
            break;
    }
    return std::nullopt;
}

}  // namespace kalvon
