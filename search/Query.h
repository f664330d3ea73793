// The query criteria that narrow the games a position search looks at.
#pragma once

#include <cstdint>
#include <string>

#include "base/GameBase.h"

namespace kalvon {

enum class TPlayerColour : int { All = 0, Black = 1, White = 2 };

// The one set of criteria of the program (the query dialog fills it); all off at start.
struct TQueryCriteria {
    bool QueryOn = false;        // the criteria apply; false when the whole base is used
    bool NotFinishedOn = false;  // only games whose Result is '?'
    bool YearOn = false;         // only games whose Year is QueryYear, letter case included
    std::string QueryYear;
    bool PlayerOn = false;  // only games of PlayerId, in PlayerColour, against OpponentId if OpponentOn
    int32_t PlayerId = 0;
    int PlayerColour = 0;  // a TPlayerColour value; any other value lets no game pass
    bool OpponentOn = false;
    int32_t OpponentId = 0;
    bool GroupOn = false;  // only games whose Board begins with GroupChar (a space for "None")
    char GroupChar = ' ';

    // Switches the query off, as at start-up and when the base lists are cleared.
    void SwitchOff() { QueryOn = YearOn = PlayerOn = OpponentOn = false; }
};

// True when the search splits its counts by the query player's colour: a player criterion in force.
bool PlayerCriterionActive(const TQueryCriteria& criteria);

// The criteria in force in a few words, in the code page ("NORD as black against SUED, 2003, group b,
// not finished"); empty when the whole base is searched.
std::string QueryDescription(const TBaseGames& base, const TQueryCriteria& criteria);

}  // namespace kalvon
