// One-line texts built from a game: results, the opening name and the caption.
#pragma once

#include <string>
#include <string_view>

#include "base/GameBase.h"

namespace kalvon {

// "1:0", "0:1", "1/2", "+:-", "-:+"; empty for "?" and any other character.
std::string ResultText(char result);
// The result's mark ("/", "o", "x", "?") followed by the number of moves: /57, o31, ?12.
std::string ResultMark(const TPartyRecord& party);
// The renju opening named by moves 2 and 3 (four characters): 1D, 2I, "??", "?D", "?I"; "?" when short.
std::string OpeningName(std::string_view moves2and3);
// The fifth-move alternative as shown: the number of the move that later took that point, the
// upper-cased point, or "?".
std::string AltMoveText(const TPartyRecord& party);
// Opening, colour exchange, alternative and result mark, as "2D,-,5A=J9,/57".
std::string PartyCaption(const TPartyRecord& party);
// The name of the player with that id; empty for an id that has no player.
std::string PlayerName(const TBaseGames& base, int32_t id);

// The group of a game: the first character of its board code, a blank for a game without one.
char PartyGroup(const TPartyRecord& party);

// The listing window's line of the game at that position of PartyList: "12.NORD - SUED(2003, 4711)",
// numbered from 1, the board code with its padding.
std::string ListingLine(const TBaseGames& base, long game);

}  // namespace kalvon
