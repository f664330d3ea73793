// The mail reader on any bytes, as one message or an mbox: it never crashes, and what it gives is
// sound: a refusal names the mailbox and a reason and gives no notification, the counts agree, and
// every base line splits back into the fields it was made of. The bytes also name the two players of
// a UTF-8 notification mail: such a mail is refused when a name holds a character the code page cannot
// hold, and otherwise gives both names as they were, each on its own colour. Seeds: corpus/mail,
// notification mails in the transfer encodings and charsets the reader meets, and names the code
// page cannot hold.
#include <unicode/ustring.h>

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/BaseLine.h"
#include "base/PointCodes.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"
#include "exchange/MailReader.h"
#include "fuzz/FuzzCheck.h"

namespace {

// The line's fields, joined again, give the line; its moves are distinct points of the board.
bool Reparses(const std::string& line) {
    std::string black, white;
    const kalvon::TPartyRecord party = kalvon::ParseBaseLine(line, black, white);
    const std::string fields =
        kalvon::Concat({party.Year, ",", party.Board, "=[", black, ",", white, ",",
                        std::string(1, party.Result), ",", party.Moves, ",", party.Alt, ",-]"});
    if (fields != line || std::string_view("+-=Ff?").find(party.Result) == std::string_view::npos)
        return false;
    if (party.Moves.size() % 2 != 0) return false;
    std::bitset<256> taken;
    for (size_t i = 0; i < party.Moves.size(); i += 2) {
        const std::string_view code = std::string_view(party.Moves).substr(i, 2);
        if (!kalvon::IsPointCode(code)) return false;
        const size_t point = size_t(kalvon::PointDigitValue(code[0]) * 16 + kalvon::PointDigitValue(code[1]));
        if (taken.test(point)) return false;
        taken.set(point);
    }
    return true;
}

bool IsUtf8(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8(nullptr, 0, nullptr, text.data(), int32_t(text.size()), &status);
    return status == U_BUFFER_OVERFLOW_ERROR || U_SUCCESS(status);
}

// A name of the bytes for the names line: blanks (which part the names), "," and "=" (which a base
// line cannot hold) become "_", and an empty one is "x".
std::string NameOf(std::string_view bytes) {
    std::string name(bytes.substr(0, 40));
    for (char& c : name)
        if (static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '=' || c == 127) c = '_';
    return name.empty() ? "x" : name;
}

// The first line of the bytes names black, the second white, in a UTF-8 notification mail.
void CheckNamesOfAUtf8Mail(std::string_view bytes) {
    const size_t line = bytes.find('\n');
    const std::string black = NameOf(bytes.substr(0, line)),
                      white = NameOf(line == std::string_view::npos ? "" : bytes.substr(line + 1));
    const std::string mail = kalvon::Concat(
        {"From: server@pbm.example\nDate: Wed, 02 Jul 2003 10:00:00 +0400\nContent-Type: text/plain; "
         "charset=utf-8\n\nNotification of Gomoku Board 4711\n\nGame won by ",
         black, ".\n\n   Eks          Ohs\n   ", black, "        ", white, "\n  1 H8         2 Resign\n\n"});
    const kalvon::TMailRead read = kalvon::ReadMailBytes(mail, "names.eml");
    const kalvon::TTextPolicy& policy = kalvon::TextPolicy();
    const bool held = policy.FromUtf8(black) && policy.FromUtf8(white);
    if (read.Error) {
        // Bytes that are no UTF-8 are refused as such; a character the code page lacks, by its code.
        const bool named = read.Error->Reason.find("U+") != std::string::npos;
        KALVON_FUZZ_CHECK(held ? !named : named || !IsUtf8(black) || !IsUtf8(white));
        return;
    }
    KALVON_FUZZ_CHECK(held);
    KALVON_FUZZ_CHECK(read.Notifications.size() == 1);
    std::string blackBytes, whiteBytes;
    kalvon::ParseBaseLine(read.Notifications[0].BaseLine, blackBytes, whiteBytes);
    KALVON_FUZZ_CHECK(policy.ToUtf8(blackBytes) == black && policy.ToUtf8(whiteBytes) == white);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckNamesOfAUtf8Mail(bytes);
    const kalvon::TMailRead read = kalvon::ReadMailBytes(bytes, "fuzz.mbox");
    if (read.Error) {
        KALVON_FUZZ_CHECK(read.Notifications.empty());
        KALVON_FUZZ_CHECK(read.Error->File == "fuzz.mbox" && !read.Error->Reason.empty());
        return 0;
    }
    KALVON_FUZZ_CHECK(read.NotificationsFound + read.MessagesSkipped == read.MessagesRead);
    KALVON_FUZZ_CHECK(read.Notifications.size() <= read.NotificationsFound);
    size_t previous = 0;
    for (const kalvon::TMailNotification& notification : read.Notifications) {
        KALVON_FUZZ_CHECK(notification.Message > previous && notification.Message <= read.MessagesRead);
        previous = notification.Message;
        KALVON_FUZZ_CHECK(!notification.BaseLine.empty() && Reparses(notification.BaseLine));
    }
    return 0;
}
