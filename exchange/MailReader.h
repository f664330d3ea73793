// Notifications as the mail stores them: a saved message (.eml), an mbox file or a Maildir folder.
// The text part of each message, decoded and in the code page in force, goes to the notification
// reader as the text of a file.
#pragma once

#include <cstddef>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/NotificationReader.h"

namespace kalvon {

// One notification found in the mail.
struct TMailNotification {
    size_t Message = 0;    // the message's 1-based number in its mailbox (1 for a single message)
    std::time_t Date = 0;  // its Date header
    std::string BaseLine;  // the notification's base line
};

struct TMailRead {
    size_t FilesRead = 0;  // the mailbox or message file, or the message files of a Maildir
    size_t MessagesRead = 0;
    size_t MessagesSkipped = 0;     // no plain-text part, or no notification header line in it
    size_t NotificationsFound = 0;  // messages that held a notification, before the latest of each board
    // The notifications in mailbox order, with only the latest Date of each board kept (a tie: the
    // later message).
    std::vector<TMailNotification> Notifications;
    std::optional<TNotificationError> Error;  // set when a message is refused: nothing else counts
};

// Whether the path is mail: a folder with cur/ or new/, a file whose first line begins with "From ",
// or a file whose first lines are mail headers (or whose name ends in .eml or .mbox).
bool IsMail(const std::string& path);

// Whether the path is a Maildir: a folder with cur/ or new/ in it.
bool IsMaildir(const std::string& path);

// Reads every message at path. Never changes, moves or deletes a mail file.
// A message's text part is its first text/plain part (multiparts searched depth first, attached
// messages not); it is decoded from its transfer encoding and converted from its charset (without a
// charset the bytes are taken as the code page in force, as a notification file's are) into the code
// page in force, and an mbox's ">From " quoting is undone. Its year is the year of its Date header as
// written there (in the sender's time zone), never one from a file name. A message is refused, and
// the read ends with Error, when it has no mail headers (or they are cut off), no usable Date, a
// charset that is unknown or does not decode its text, a base64 text that does not decode, a text
// part too large for a notification, a name the code page cannot hold, or a notification that the
// reader refuses; Error names the file, the message's number and, for the reader, the line of the text.
TMailRead ReadMail(const std::string& path);

// Called before the first message with (0, total) and after each message with (messages read, total);
// total is counted beforehand (the "From " lines of an mbox, the files of a Maildir) and read never
// passes it. With everyTurn, Notifications keeps every notification found, not only the latest of
// each board.
using TMailProgress = std::function<void(size_t read, size_t total)>;
TMailRead ReadMail(const std::string& path, const TMailProgress& progress, bool everyTurn = false);

// Reads bytes as ReadMail reads a file: an mbox when they begin with "From ", else one message; name
// stands for the file in errors.
TMailRead ReadMailBytes(std::string_view bytes, const std::string& name);

}  // namespace kalvon
