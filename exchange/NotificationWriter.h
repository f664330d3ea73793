// Writing games as play-by-mail notifications, in the form the reader takes back.
#pragma once

#include <string>
#include <vector>

#include "base/BaseUi.h"
#include "base/GameBase.h"

namespace kalvon {

// True when the game is written as renju: it starts at the centre and either has only that move or
// its moves 2 and 3 form a named opening.
bool IsRenjuGame(const TPartyRecord& party);

// The file name of the game's notification, without folder: "Renju Board 123_03.txt". The year digits
// are characters 3 and 4 of Year when both are digits and no digit follows, else its last two when
// digits, else the name has none; "/" and control characters become blanks.
std::string NotificationFileName(const TPartyRecord& party);

// The game's notification, every line ended by CR LF.
std::string NotificationText(const TGameBase& base, const TPartyRecord& party);

struct TWrittenNotifications {
    std::vector<std::string> Paths;  // the files written, in Listing order
    bool Ok = true;                  // false when a folder or file could not be written (message shown)
    std::vector<std::string> Notes;  // games that went to another name than their own, and why
    // "<file>: <reason>" for each game whose notification reads back as another game (a name with a
    // blank, a year of other than four digits...), in Listing order.
    std::vector<std::string> NotCarried;
};

// Writes the notification of every game of base.Listing, in Listing order, into workFolder/Outpbm,
// created when missing and the Listing is not empty. A game whose file name an earlier game of the run
// took (ASCII letter case ignored), or that exists as anything but an ordinary file (a link, a folder),
// gets " (2)" before ".txt", the next " (3)"; the latter is told in Notes. An Outpbm that is a link or
// a file is refused with a message. Each file is written
// through a temporary file; on a failure the message names the file and the reason, the files already
// written stay and the run stops. Changes nothing in memory.
// Every game is written; those the format cannot carry exactly are listed in NotCarried. With strict,
// such games are an error instead: the message names the first of them and nothing is written.
TWrittenNotifications WriteNotifications(const TGameBase& base, const std::string& workFolder, IBaseUi& ui,
                                         bool strict = false);

}  // namespace kalvon
