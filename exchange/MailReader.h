// Notifications as the mail stores them: a saved message (.eml), an mbox file or a Maildir folder.
// The text part of each message, decoded and in the code page in force, goes to the notification
// reader as the text of a file.
#pragma once

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
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
    size_t MessagesRead = 0;
    size_t MessagesSkipped = 0;  // no plain-text part, or no notification header line in it
    // The notifications in mailbox order, with only the latest Date of each board kept (a tie: the
    // later message).
    std::vector<TMailNotification> Notifications;
    std::optional<TNotificationError> Error;  // set when a message is refused: nothing else counts
};

// Whether the path is mail: a folder with cur/ or new/, a file whose first line begins with "From ",
// or a file whose first lines are mail headers (or whose name ends in .eml or .mbox).
bool IsMail(const std::string& path);

// Reads every message at path. Never changes, moves or deletes a mail file.
TMailRead ReadMail(const std::string& path);

}  // namespace kalvon
