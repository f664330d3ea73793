// The mail reader on any bytes, as one message or an mbox: it never crashes, and what it gives is
// sound: a refusal names the mailbox and a reason and gives no notification, the counts agree, and
// every base line splits back into the fields it was made of. Seeds: corpus/mail, notification mails
// in the transfer encodings and charsets the reader meets.
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/BaseLine.h"
#include "base/PointCodes.h"
#include "base/TextFields.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
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
