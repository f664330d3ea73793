// Notifications read from mails as a mail client stores them: every transfer encoding and charset of
// a notification gives the base line of the same notification saved as a plain text file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "base/BaseLine.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"
#include "exchange/MailReader.h"
#include "tests/engine/TestBase.h"

namespace kalvon::test {
namespace {

// A renju notification as the server mails it, in UTF-8, with a Cyrillic first name, a line with
// blanks at its end and one with "=" in it.
std::string NotificationUtf8(const std::string& eol, const std::string& board = "4711",
                             const std::string& black = "Алиса",
                             const std::string& lastRow = "   5 F6         6 Resign",
                             const std::string& headerStart = "", const std::string& white = "Bob") {
    std::string text;
    for (const std::string& line :
         {std::string("Dear player,   "), std::string("==== Renju server: turn=next ===="),
          headerStart + "Notification of Renju Board " + board, std::string(), "Game won by " + black + ".",
          std::string(), black + "'s", white + "'s", std::string(), std::string("   Eks          Ohs"),
          "   " + black + "        " + white, std::string("   1 H9,J10     2 G9"),
          std::string("   3 J7,K7      4 J7,G10"), lastRow, std::string(),
          std::string("      A B C D E F G H J K L M N O P")})
        text += line + eol;
    return text;
}

std::string InCodePage(const std::string& utf8, const char* codePage) {
    const TTextPolicy policy(codePage, "");
    return policy.FromUtf8(utf8).value();
}

// The base line of the notification saved as a text file whose name gives the year.
std::string TextFileLine(const std::string& utf8, const std::string& year2) {
    const TNotificationRead read =
        NotificationToBaseLine(TextPolicy().FromUtf8(utf8).value(), "Renju Board 4711_" + year2 + ".txt", 0);
    EXPECT_FALSE(read.Error);
    return read.BaseLine;
}

// Quoted-printable with short lines, so that soft breaks fall inside names and table rows.
std::string QuotedPrintable(std::string_view text, const std::string& eol, size_t width = 20) {
    std::string out, line;
    auto flush = [&](bool soft) {
        out += line + (soft ? "=" : "") + eol;
        line.clear();
    };
    for (std::string_view rest = text; !rest.empty();) {
        const size_t end = rest.find(eol);
        const std::string_view source = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + eol.size());
        for (size_t i = 0; i < source.size(); ++i) {
            const auto c = static_cast<unsigned char>(source[i]);
            const bool last = i + 1 == source.size();
            std::string token(1, char(c));
            if (c == '=' || c >= 127 || (c < 32 && c != '\t') || (last && (c == ' ' || c == '\t'))) {
                char hex[4];
                std::snprintf(hex, sizeof hex, "=%02X", c);
                token = hex;
            }
            if (line.size() + token.size() > width - 1) flush(true);
            line += token;
        }
        flush(false);
    }
    return out;
}

std::string Base64(std::string_view bytes, const std::string& eol) {
    static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t column = 0;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        unsigned n = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) n |= static_cast<unsigned char>(bytes[i + 2]);
        for (size_t k = 0; k < 4; ++k)
            out += i + k <= bytes.size() ? alphabet[(n >> (18 - 6 * k)) & 63] : '=';
        if ((column += 4) >= 76) {
            out += eol;
            column = 0;
        }
    }
    return out + eol;
}

const std::string Date2003 = "Date: Wed, 02 Jul 2003 10:00:00 +0400";

// A message: the headers given after the usual ones, an empty line, the body.
std::string Message(const std::string& eol, std::initializer_list<std::string> headers,
                    const std::string& body, const std::string& date = Date2003) {
    std::string text = "From: server@pbm.example" + eol + "To: alice@example.org" + eol;
    if (!date.empty()) text += date + eol;
    text += "Subject: Renju Board 4711" + eol + "MIME-Version: 1.0" + eol;
    for (const std::string& header : headers) text += header + eol;
    return text + eol + body;
}

std::string Part(const std::string& eol, std::initializer_list<std::string> headers,
                 const std::string& body) {
    std::string text;
    for (const std::string& header : headers) text += header + eol;
    return text + eol + body;
}

// The header and the body of a multipart.
struct TMultipart {
    std::string Header, Body;
};

TMultipart Multipart(const std::string& eol, const std::string& subtype, const std::string& boundary,
                     std::initializer_list<std::string> parts) {
    std::string body = "This is a message in MIME format." + eol;
    for (const std::string& part : parts) body += "--" + boundary + eol + part + eol;
    return {"Content-Type: multipart/" + subtype + "; boundary=\"" + boundary + "\"",
            body + "--" + boundary + "--" + eol};
}

std::string Html(const std::string& eol) {
    return Part(eol, {"Content-Type: text/html; charset=utf-8"},
                "<html><body><pre>" + NotificationUtf8(eol) + "</pre></body></html>" + eol);
}

enum class TOutcome { Read, Skipped, Refused };

struct TMailCase {
    std::string Title;
    std::string Mail;
    TOutcome Outcome = TOutcome::Read;
    std::string Year2 = "03";  // Read: the year of the text file read alike
    std::string Reason;        // Refused: the reason, and the text it names
    std::string Text;
};

void PrintTo(const TMailCase& c, std::ostream* out) {
    *out << c.Title;
}

std::vector<TMailCase> MailCases() {
    std::vector<TMailCase> cases;
    for (const std::string eol : {"\r\n", "\n"}) {
        const std::string lf = eol == "\n" ? " (LF)" : " (CR LF)";
        const std::string text = NotificationUtf8(eol);
        const std::string cp1251 = InCodePage(text, "windows-1251");
        const std::string koi8 = InCodePage(text, "KOI8-R");
        auto add = [&](const std::string& title, std::string mail, TOutcome outcome = TOutcome::Read,
                       std::string reason = "", std::string named = "", std::string year2 = "03") {
            cases.push_back({title + lf, std::move(mail), outcome, std::move(year2), std::move(reason),
                             std::move(named)});
        };
        const std::string plain1251 = "Content-Type: text/plain; charset=windows-1251";
        add("8bit windows-1251", Message(eol, {plain1251, "Content-Transfer-Encoding: 8bit"}, cp1251));
        add("quoted-printable windows-1251",
            Message(eol, {plain1251, "Content-Transfer-Encoding: quoted-printable"},
                    QuotedPrintable(cp1251, eol)));
        add("base64 windows-1251",
            Message(eol, {plain1251, "Content-Transfer-Encoding: base64"}, Base64(cp1251, eol)));
        add("quoted-printable KOI8-R", Message(eol,
                                               {"Content-Type: text/plain; charset=KOI8-R",
                                                "Content-Transfer-Encoding: quoted-printable"},
                                               QuotedPrintable(koi8, eol)));
        add("8bit UTF-8",
            Message(eol, {"Content-Type: text/plain; charset=UTF-8", "Content-Transfer-Encoding: 8bit"},
                    text));
        add("base64 UTF-8",
            Message(eol, {"Content-Type: text/plain; charset=\"utf-8\"", "Content-Transfer-Encoding: base64"},
                    Base64(text, eol)));
        add("no charset: the code page's bytes", Message(eol, {"Content-Type: text/plain"}, cp1251));
        const TMultipart alternative = Multipart(
            eol, "alternative", "twins",
            {Html(eol),
             Part(eol,
                  {"Content-Type: text/plain; charset=koi8-r", "Content-Transfer-Encoding: quoted-printable"},
                  QuotedPrintable(koi8, eol))});
        add("multipart/alternative with an HTML twin before the text",
            Message(eol, {alternative.Header}, alternative.Body));
        const TMultipart inner = Multipart(
            eol, "alternative", "inner",
            {Part(eol, {"Content-Type: text/plain; charset=utf-8", "Content-Transfer-Encoding: base64"},
                  Base64(text, eol)),
             Html(eol)});
        const TMultipart mixed =
            Multipart(eol, "mixed", "outer",
                      {Part(eol, {inner.Header}, inner.Body),
                       Part(eol, {"Content-Type: image/png", "Content-Transfer-Encoding: base64"},
                            Base64("\x89PNG....", eol))});
        add("multipart/mixed around an alternative and an attachment",
            Message(eol, {mixed.Header}, mixed.Body));
        // The year as written in the Date, not as it falls in UTC or here.
        add("late on New Year's Eve in New York",
            Message(eol, {plain1251}, cp1251, "Date: Wed, 31 Dec 2003 23:30:00 -0500"));
        add("early on New Year's Day in Moscow",
            Message(eol, {plain1251}, cp1251, "Date: Thu, 01 Jan 2004 00:30:00 +0300"), TOutcome::Read, "",
            "", "04");

        add("HTML only",
            Message(eol, {"Content-Type: text/html; charset=utf-8"},
                    "<html><pre>" + text + "</pre></html>" + eol),
            TOutcome::Skipped);
        add("no notification",
            Message(eol, {"Content-Type: text/plain"}, "Dear Alice," + eol + "see you." + eol),
            TOutcome::Skipped);
        add("an empty text with a charset", Message(eol, {plain1251}, ""), TOutcome::Skipped);
        add("no notification and no Date",
            Message(eol, {"Content-Type: text/plain"}, "Dear Alice," + eol, ""), TOutcome::Skipped);
        add("a notification without Date", Message(eol, {plain1251}, cp1251, ""), TOutcome::Refused,
            "it has no usable Date header");
        add("a Date that is no date", Message(eol, {plain1251}, cp1251, "Date: the day after tomorrow"),
            TOutcome::Refused, "it has no usable Date header");
        add("an unknown charset", Message(eol, {"Content-Type: text/plain; charset=x-klingon"}, cp1251),
            TOutcome::Refused, "its charset is unknown", "x-klingon");
        add("bytes that are no UTF-8", Message(eol, {"Content-Type: text/plain; charset=utf-8"}, cp1251),
            TOutcome::Refused, "its text is not valid in its charset", "utf-8");
        add("a name the code page cannot hold",
            Message(eol, {"Content-Type: text/plain; charset=utf-8"},
                    NotificationUtf8(eol, "4711", "Al王ce")),
            TOutcome::Refused, "a name holds U+738B, which the code page windows-1251 cannot hold", "Al?ce");
        // A character the code page cannot hold never shifts a name to the other colour, nor is it cut.
        const std::string utf8 = "Content-Type: text/plain; charset=utf-8";
        add("a white name of characters the code page cannot hold",
            Message(eol, {utf8},
                    NotificationUtf8(eol, "4711", "Алиса", "   5 F6         6 Resign", "", "王小明")),
            TOutcome::Refused, "a name holds U+738B, which the code page windows-1251 cannot hold", "???");
        add("a white name with one letter the code page cannot hold",
            Message(eol, {utf8},
                    NotificationUtf8(eol, "4711", "Алиса", "   5 F6         6 Resign", "", "Paweł")),
            TOutcome::Refused, "a name holds U+0142, which the code page windows-1251 cannot hold", "Pawe?");
        add("a board number the code page cannot hold", Message(eol, {utf8}, NotificationUtf8(eol, "4711王")),
            TOutcome::Refused, "the board number holds U+738B, which the code page windows-1251 cannot hold",
            "4711?");
        add("such characters outside the notification's lines are never read",
            Message(eol, {utf8}, "你好, 王小明!" + eol + NotificationUtf8(eol) + "再见" + eol));
        add("a base64 body that does not decode",
            Message(eol, {plain1251, "Content-Transfer-Encoding: base64"}, "Tm90aWZp*2F0aW9u!!" + eol),
            TOutcome::Refused, "its base64 text does not decode");
        add("no headers", cp1251, TOutcome::Refused, "it has no mail headers, or they are cut off");
    }
    return cases;
}

class MailMessage : public testing::TestWithParam<TMailCase> {};

TEST_P(MailMessage, GivesTheTextFileLineOrIsSkippedOrRefused) {
    const TMailCase& c = GetParam();
    const TMailRead read = ReadMailBytes(c.Mail, "box.eml");
    if (c.Outcome == TOutcome::Refused) {
        ASSERT_TRUE(read.Error);
        EXPECT_EQ(read.Error->File, "box.eml");
        EXPECT_EQ(read.Error->Message, 1u);
        EXPECT_EQ(read.Error->Reason, c.Reason);
        EXPECT_EQ(read.Error->Text, c.Text);
        EXPECT_TRUE(read.Notifications.empty());
        return;
    }
    ASSERT_FALSE(read.Error) << NotificationErrorText(*read.Error);
    EXPECT_EQ(read.MessagesRead, 1u);
    if (c.Outcome == TOutcome::Skipped) {
        EXPECT_EQ(read.MessagesSkipped, 1u);
        EXPECT_TRUE(read.Notifications.empty());
        return;
    }
    EXPECT_EQ(read.MessagesSkipped, 0u);
    ASSERT_EQ(read.Notifications.size(), 1u);
    const std::string expected = TextFileLine(NotificationUtf8("\r\n"), c.Year2);
    EXPECT_EQ(read.Notifications[0].BaseLine, expected);
    EXPECT_EQ(expected.substr(0, 18), "20" + c.Year2 + ", 4711=[\xC0\xEB\xE8\xF1\xE0,")
        << "the name in windows-1251";
    EXPECT_EQ(read.Notifications[0].Message, 1u);
}

INSTANTIATE_TEST_SUITE_P(Forms, MailMessage, testing::ValuesIn(MailCases()));

// An mbox line for message n: "From " and the envelope.
std::string Envelope(int n) {
    return "From server@pbm.example Wed Jul  " + std::to_string(n) + " 10:00:00 2003\n";
}

std::string Date(int day, int hour) {
    char text[64];
    std::snprintf(text, sizeof text, "Date: %s, %02d Jul 2003 %02d:00:00 +0000", "Mon", day, hour);
    return text;
}

// A notification mail of the board whose table ends with the row given, in quoted-printable windows-1251.
std::string Turn(const std::string& utf8, const std::string& date) {
    return Message(
        "\n",
        {"Content-Type: text/plain; charset=windows-1251", "Content-Transfer-Encoding: quoted-printable"},
        QuotedPrintable(InCodePage(utf8, "windows-1251"), "\n", 40), date);
}

// A message as an mbox writer stores it (mboxrd): its envelope line, and ">" before each line that
// begins with "From " after any number of ">".
std::string MboxEntry(int n, const std::string& message) {
    std::string entry = Envelope(n);
    for (std::string_view line : SplitLines(message)) {
        const size_t quotes = std::min(line.find_first_not_of('>'), line.size());
        entry += Concat({line.substr(quotes, 5) == "From " ? ">" : "", line, "\n"});
    }
    return entry + "\n";
}

class MailFiles : public testing::Test {
protected:
    std::string Path(const std::string& name) const { return Folder.File(name); }
    std::string Put(const std::string& name, const std::string& bytes) {
        std::filesystem::create_directories(std::filesystem::path(Path(name)).parent_path());
        WriteFile(Path(name), bytes);
        return Path(name);
    }
    TTempFolder Folder;
};

TEST_F(MailFiles, MboxWithQuotedFromLinesGivesEachMessageInOrder) {
    // The first line of the third notification begins with "From ": quoted in the mbox, it would be
    // taken for a quoted mail and the text read otherwise.
    const std::string third =
        NotificationUtf8("\n", "2", "Алиса", "   5 F6         6 Resign", "From the server: ");
    const std::string mbox =
        MboxEntry(1, Turn(NotificationUtf8("\n", "1"), Date(1, 10))) +
        MboxEntry(2, Message("\n", {"Content-Type: text/plain"},
                             "From the server: no game today.\n>From quoted once\nFrom: no separator\n",
                             Date(2, 10))) +
        MboxEntry(3, Turn(third, Date(3, 10)));
    ASSERT_NE(mbox.find("\n>From the server: Notification of Renju =\n"), std::string::npos) << mbox;
    const std::string path = Put("Season_1999", mbox);  // no extension, and a year the Date overrules
    const auto stamp = std::filesystem::last_write_time(path);
    std::vector<std::pair<size_t, size_t>> steps;
    const TMailRead read =
        ReadMail(path, [&](size_t done, size_t total) { steps.emplace_back(done, total); });
    ASSERT_FALSE(read.Error) << NotificationErrorText(*read.Error);
    EXPECT_EQ(read.FilesRead, 1u);
    EXPECT_EQ(read.MessagesRead, 3u);
    EXPECT_EQ(read.MessagesSkipped, 1u);
    EXPECT_EQ(read.NotificationsFound, 2u);
    ASSERT_EQ(read.Notifications.size(), 2u);
    EXPECT_EQ(read.Notifications[0].Message, 1u);
    EXPECT_EQ(read.Notifications[1].Message, 3u);
    EXPECT_EQ(read.Notifications[0].BaseLine, TextFileLine(NotificationUtf8("\n", "1"), "03"));
    EXPECT_EQ(read.Notifications[1].BaseLine, TextFileLine(third, "03"));
    EXPECT_EQ(steps, (std::vector<std::pair<size_t, size_t>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(ReadFile(path), mbox);
    EXPECT_EQ(std::filesystem::last_write_time(path), stamp);
}

// Every turn of a game is a mail: within a mailbox the latest Date of each board wins, a tie the later
// message, whatever the order of the messages and the time zones of their Dates.
TEST_F(MailFiles, LatestDateOfEachBoardWins) {
    struct TTurn {
        std::string Board, LastRow, Date;
    };
    const std::vector<TTurn> turns = {
        {"4711", "   5 F6         6 Resign", "Date: Thu, 03 Jul 2003 10:00:00 +0000"},
        {"4711", "   5 E5         6 Resign", "Date: Sat, 05 Jul 2003 10:00:00 +0000"},
        {"4711", "   5 D4         6 Resign", "Date: Fri, 04 Jul 2003 23:00:00 -0500"},  // 5 Jul 04:00 UTC
        {"9", "   5 F6         6 Resign", "Date: Tue, 01 Jul 2003 10:00:00 +0000"},
        {"4711", "   5 C3         6 Resign", "Date: Sat, 05 Jul 2003 13:00:00 +0300"},  // the tie: later wins
        {"4711", "   5 B2         6 Resign", "Date: Wed, 02 Jul 2003 10:00:00 +0000"},
    };
    std::string mbox;
    for (size_t i = 0; i < turns.size(); ++i)
        mbox += MboxEntry(int(i + 1), Turn(NotificationUtf8("\n", turns[i].Board, "Алиса", turns[i].LastRow),
                                           turns[i].Date));
    const TMailRead read = ReadMail(Put("season.mbox", mbox));
    ASSERT_FALSE(read.Error) << NotificationErrorText(*read.Error);
    EXPECT_EQ(read.MessagesRead, 6u);
    EXPECT_EQ(read.NotificationsFound, 6u);
    ASSERT_EQ(read.Notifications.size(), 2u);
    EXPECT_EQ(read.Notifications[0].Message, 4u);
    EXPECT_EQ(read.Notifications[0].BaseLine, TextFileLine(NotificationUtf8("\n", "9"), "03"));
    EXPECT_EQ(read.Notifications[1].Message, 5u);
    EXPECT_EQ(read.Notifications[1].BaseLine,
              TextFileLine(NotificationUtf8("\n", "4711", "Алиса", turns[4].LastRow), "03"));
    EXPECT_EQ(read.Notifications[1].Date, 1057399200);  // 2003-07-05 10:00 UTC
}

// A Maildir: the files of cur/ and then new/, each in name order, one message each; tmp/ is not read.
TEST_F(MailFiles, MaildirReadsCurThenNewAndNeverTmp) {
    const std::string box = Path("Mail/renju");
    Put("Mail/renju/cur/1057000000.M1P1.host:2,S", Turn(NotificationUtf8("\r\n", "2"), Date(2, 10)));
    Put("Mail/renju/cur/1057000100.M2P1.host:2,S",
        Message("\r\n", {"Content-Type: text/plain"}, "Dear Alice,\r\n", Date(2, 11)));
    Put("Mail/renju/new/1057000200.M3P1.host", Turn(NotificationUtf8("\r\n", "1"), Date(3, 10)));
    Put("Mail/renju/tmp/1057000300.M4P1.host", Turn(NotificationUtf8("\r\n", "3"), Date(3, 11)));
    EXPECT_TRUE(IsMail(box));
    std::vector<std::pair<size_t, size_t>> steps;
    const TMailRead read = ReadMail(box, [&](size_t done, size_t total) { steps.emplace_back(done, total); });
    ASSERT_FALSE(read.Error) << NotificationErrorText(*read.Error);
    EXPECT_EQ(read.FilesRead, 3u);
    EXPECT_EQ(read.MessagesRead, 3u);
    EXPECT_EQ(read.MessagesSkipped, 1u);
    ASSERT_EQ(read.Notifications.size(), 2u);
    EXPECT_EQ(read.Notifications[0].Message, 1u);
    EXPECT_EQ(read.Notifications[0].BaseLine, TextFileLine(NotificationUtf8("\n", "2"), "03"));
    EXPECT_EQ(read.Notifications[1].Message, 3u);
    EXPECT_EQ(read.Notifications[1].BaseLine, TextFileLine(NotificationUtf8("\n", "1"), "03"));
    EXPECT_EQ(steps, (std::vector<std::pair<size_t, size_t>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));

    // A refused message is named by its own file and its number in the Maildir.
    Put("Mail/renju/new/1057000200.M3P1.host", Turn(NotificationUtf8("\r\n", "1"), ""));
    const TMailRead undated = ReadMail(box);
    ASSERT_TRUE(undated.Error);
    EXPECT_EQ(NotificationErrorText(*undated.Error),
              "File " + box + "/new/1057000200.M3P1.host, message 3: it has no usable Date header");
}

// Entries of cur/ or new/ that are no message file stop the read with the entry named.
TEST_F(MailFiles, MaildirEntryThatIsNoFileIsNamed) {
    struct TBad {
        const char* Name;
        std::function<void(const std::string&)> Make;
        const char* Kind;
    };
    const std::vector<TBad> bad = {
        {"fifo", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }, "a FIFO"},
        {"folder", [](const std::string& path) { std::filesystem::create_directory(path); }, "a folder"},
        {"link", [](const std::string& path) { std::filesystem::create_symlink("nowhere", path); },
         "a link that leads nowhere"},
    };
    for (const TBad& entry : bad) {
        const std::string box = Path(std::string("Mail/") + entry.Name);
        const std::string first = Put(std::string("Mail/") + entry.Name + "/cur/1:2,S",
                                      Turn(NotificationUtf8("\n", "2"), Date(2, 10)));
        std::filesystem::create_directories(box + "/new");
        entry.Make(box + "/new/2");
        const TMailRead read = ReadMail(box);
        ASSERT_TRUE(read.Error) << entry.Name;
        EXPECT_EQ(
            NotificationErrorText(*read.Error),
            Concat({"File ", box, "/new: holds an entry that is no message file: \"2 (", entry.Kind, ")\""}));
        EXPECT_TRUE(read.Notifications.empty());
        EXPECT_EQ(ReadFile(first), Turn(NotificationUtf8("\n", "2"), Date(2, 10)))
            << "the mail is left as it was";
    }
    const TMailRead noMaildir = ReadMail(Folder.Path().string());
    ASSERT_TRUE(noMaildir.Error);
    EXPECT_EQ(noMaildir.Error->Reason, "is no Maildir: it has neither cur/ nor new/");
}

// A mailbox cut off in the headers of its last message, and a message of 100 MB: a clear refusal
// with the message's number, quickly and without holding the body in memory.
TEST_F(MailFiles, TruncatedMboxAndHugeMessageAreRefused) {
    const std::string whole = MboxEntry(1, Turn(NotificationUtf8("\n", "1"), Date(1, 10))) +
                              MboxEntry(2, Turn(NotificationUtf8("\n", "2"), Date(2, 10)));
    const std::string cut = whole.substr(0, whole.rfind("Subject: Renju") + 8);
    const TMailRead truncated = ReadMail(Put("cut.mbox", cut));
    ASSERT_TRUE(truncated.Error);
    EXPECT_EQ(NotificationErrorText(*truncated.Error),
              "File " + Path("cut.mbox") +
                  ", message 2: it is cut off: the mbox ends inside it, without a line end");
    // Cut inside a header's name: the parser finds no headers.
    const TMailRead noHeaders =
        ReadMail(Put("cut2.mbox", whole.substr(0, whole.rfind("Subject: Renju") + 4)));
    ASSERT_TRUE(noHeaders.Error);
    EXPECT_EQ(noHeaders.Error->Message, 2u);

    // Message 1: a notification with an attachment of 100 MB (read); message 2: a text of 100 MB.
    const std::string path = Path("huge.mbox");
    {
        std::ofstream out(path, std::ios::binary);
        const TMultipart mixed =
            Multipart("\n", "mixed", "big",
                      {Part("\n", {"Content-Type: text/plain; charset=utf-8"}, NotificationUtf8("\n", "1")),
                       "Content-Type: application/octet-stream\n"
                       "Content-Transfer-Encoding: base64\n\n"});
        const std::string head = MboxEntry(1, Message("\n", {mixed.Header}, ""));
        out << head.substr(0, head.size() - 1);
        const std::string body = mixed.Body.substr(0, mixed.Body.rfind("--big--"));
        out << body.substr(0, body.size() - 1);  // inside the attachment
        const std::string line = std::string(76, 'A') + "\n";
        for (size_t written = 0; written < (size_t(100) << 20); written += line.size()) out << line;
        out << "\n--big--\n\n" << Envelope(2) << Message("\n", {"Content-Type: text/plain"}, "", Date(2, 10));
        for (size_t written = 0; written < (size_t(100) << 20); written += line.size()) out << line;
    }
    const TMailRead huge = ReadMail(path);
    ASSERT_TRUE(huge.Error);
    EXPECT_EQ(huge.Error->Message, 2u);
    EXPECT_NE(huge.Error->Reason.find("is too large to be a notification"), std::string::npos)
        << huge.Error->Reason;
    std::filesystem::remove(path);
}

TEST_F(MailFiles, IsMailKnowsMailboxesMessagesAndMaildirs) {
    const std::string notification = InCodePage(NotificationUtf8("\r\n"), "windows-1251");
    const std::vector<std::pair<std::string, bool>> files = {
        {Put("mbox", Envelope(1) + Message("\n", {}, "hello\n")), true},
        {Put("saved", Message("\r\n", {}, notification)), true},
        {Put("letter.eml", "anything"), true},
        {Put("archive.MBOX", ""), true},
        {Put("Renju Board 4711_03.txt", notification), false},
        {Put("notes", "Note: a colon in the first line\r\nand then text\r\n"), false},
        {Put("maildir/new/1", ""), false},
        {Path("maildir"), true},
        {Path("maildir/new"), false},
        {Path("nothing here"), false},
    };
    for (const auto& [path, mail] : files) EXPECT_EQ(IsMail(path), mail) << path;
}

}  // namespace
}  // namespace kalvon::test
