// A query as the user asks for it, by names and texts (the query dialog, the tool's options), and
// its resolution against the base into the criteria of the search.
#pragma once

#include <optional>
#include <string>

#include "base/GameBase.h"
#include "search/Query.h"

namespace kalvon {

inline constexpr const char* PlayerNotFound = "The player not found! Remove checked \"Player\"!";
inline constexpr const char* OpponentNotFound = "The opponent not found! Remove checked \"Opponent\"";
inline constexpr const char* GroupNotFound = "The group not found! Remove checked \"Group\"";
// The group text that stands for games without a group letter.
inline constexpr const char* NoGroupText = "None";

// Every text in the bytes of the code page, trimmed; an absent text is a criterion not asked for.
struct TQueryRequest {
    bool WholeBase = false;  // the whole base: every criterion is off
    bool NotFinished = false;
    std::optional<std::string> Year;
    std::optional<std::string> Player;  // a name of the catalogue, letter case ignored
    TPlayerColour Colour = TPlayerColour::All;
    std::optional<std::string> Opponent;  // counts only with a player
    std::optional<std::string> Group;     // one character, or NoGroupText
};

// The criterion of a request that names what the base does not know.
enum class TUnknownCriterion { None, Player, Opponent, Group };

// Fills the criteria from the request in the order the dialog checks them. Returns the first player,
// opponent or group that the base does not know (None when the query can run); that criterion is then
// off and the ones after it are left as they were.
TUnknownCriterion ResolveQueryCriteria(const TGameBase& base, const TQueryRequest& request,
                                       TQueryCriteria& criteria);
// The same, with the query dialog's message of the unknown criterion (which names its check box).
std::optional<std::string> ResolveQuery(const TGameBase& base, const TQueryRequest& request,
                                        TQueryCriteria& criteria);

}  // namespace kalvon
