// Reading play-by-mail notifications: the text the server mails after every turn becomes one base line.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "base/GameBase.h"

namespace kalvon {

// Why a notification is refused, and where.
struct TNotificationError {
    std::string File;    // the file as the caller named it
    size_t Line = 0;     // 1-based line of the text; 0 when the fault lies in no line (an unreadable file)
    std::string Text;    // the text refused, empty when there is none to show
    std::string Reason;  // what is wrong with it
    size_t Message = 0;  // the message's 1-based number in a mailbox; 0 for a notification file
};

// One line for a message box or standard error: File F[, message M], line N: reason: "text".
std::string NotificationErrorText(const TNotificationError& error);

struct TNotificationRead {
    std::string BaseLine;                     // empty when the text has no header line, or when refused
    std::optional<TNotificationError> Error;  // set when the notification is refused
    // The 1-based lines the fields were read from: the header line, the players' names and the last
    // line read (the end of the move table, or the line refused); 0 for those not reached.
    size_t HeaderLine = 0, NamesLine = 0, LastLine = 0;
};

// The year of a notification from its file name (the part after the last "/"): the two digits after
// the last "_" that stand right before ".txt" or the end of the name, else after such a "-", else
// after the first "_" followed by two digits, else after the first such "-" (50..99 give 19dd, others
// 20dd); without any, the year of fileDate in local time.
int NotificationYear(std::string_view fileName, std::time_t fileDate);

// The base line of a notification's text ("%d,%5s=[black,white,result,moves,alternative,-]"), an
// empty line when the text has no header line, or the error that refuses it: a point that is no
// point of the board or is taken twice, a turn number that is no number, a field the base line
// cannot hold, a text that ends too early. Pure: reads nothing but its arguments.
TNotificationRead NotificationToBaseLine(std::string_view text, std::string_view fileName,
                                         std::time_t fileDate);

// Reads the notification file at path (its year from its own name or its date) into a base line, as
// NotificationToBaseLine; an unreadable file is an error naming it. Changes nothing.
TNotificationRead ReadNotificationFile(const std::string& path);

// Reads the notification folder/name and appends its game to the base with AddBaseLine. Returns the
// base line (empty, and nothing added, for a file without a header line), or nullopt with error set
// and nothing added. Never changes the file.
std::optional<std::string> ReadNotification(TGameBase& base, const std::string& folder,
                                            const std::string& name, TNotificationError& error);

}  // namespace kalvon
