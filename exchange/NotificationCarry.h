// Whether a game survives the trip through a notification: the format has no room for some names,
// years, results and flags, so a few games read back as other games.
#pragma once

#include <optional>
#include <string>

#include "base/GameBase.h"

namespace kalvon {

// Nullopt when the game's notification reads back as the game's own base line; otherwise why not,
// naming each field that comes back different and what it comes back as.
std::optional<std::string> NotificationCarryProblem(const TGameBase& base, const TPartyRecord& party);

}  // namespace kalvon
