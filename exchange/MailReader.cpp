#include "exchange/MailReader.h"

#include <fcntl.h>
#include <gmime/gmime.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "base/FolderListing.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"
#include "exchange/BaseRewrite.h"

namespace kalvon {

namespace {

// A notification is a few kilobytes: a text part larger than this (as stored, before decoding) is
// refused without being decoded, so that a 100 MB body costs no memory.
constexpr int64_t TextPartLimit = int64_t(8) << 20;
// Multiparts nested deeper than this are not searched for the text part.
constexpr int NestingLimit = 32;
// Stands in the converted text for a character the code page cannot hold. A message with one in the
// lines that its notification is read from is refused, naming the character; elsewhere (a greeting, a
// signature) it is never read.
constexpr char Unheld = '\x1A';
// The name the reader is given for a message: no year can be read from it, so the year comes from
// the date it is given.
constexpr const char* ReaderName = "mail message";

void InitMime() {
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

// The parser's options, made once: the parser would copy its defaults for every message.
GMimeParserOptions* Options() {
    static GMimeParserOptions* const options = g_mime_parser_options_new();
    return options;
}

struct TUnref {
    void operator()(gpointer object) const {
        if (object) g_object_unref(object);
    }
};
template <typename T>
using TRef = std::unique_ptr<T, TUnref>;

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The first bytes of a file, empty when it cannot be read.
std::string FileStart(const std::string& path, size_t size) {
    std::string start(size, '\0');
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return "";
    const ssize_t n = pread(fd, start.data(), size, 0);
    close(fd);
    start.resize(n > 0 ? size_t(n) : 0);
    return start;
}

// "Name: value", the name printable ASCII without blanks or colons.
bool IsHeaderLine(std::string_view line) {
    const size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos) return false;
    return std::ranges::all_of(line.substr(0, colon), [](char c) { return c > ' ' && c < 127; });
}

// Whether the lines of the start of a file up to its first empty line are header fields (and their
// folded continuations), at least one; the last line is not looked at when the start is cut off.
bool StartsWithHeaders(std::string_view start, bool cutOff) {
    std::vector<std::string_view> lines = SplitLines(start);
    if (cutOff && lines.size() > 1) lines.pop_back();
    if (lines.empty() || !IsHeaderLine(lines[0])) return false;
    for (size_t i = 1; i < lines.size() && !lines[i].empty(); ++i)
        if (lines[i][0] != ' ' && lines[i][0] != '\t' && !IsHeaderLine(lines[i])) return false;
    return true;
}

// The first text/plain part, depth first through multiparts; attached messages are not searched.
GMimePart* PlainTextPart(GMimeObject* object, int depth = 0) {
    if (!object || depth > NestingLimit) return nullptr;
    if (GMIME_IS_MULTIPART(object)) {
        GMimeMultipart* multipart = GMIME_MULTIPART(object);
        const int count = g_mime_multipart_get_count(multipart);
        for (int i = 0; i < count; ++i)
            if (GMimePart* part = PlainTextPart(g_mime_multipart_get_part(multipart, i), depth + 1))
                return part;
        return nullptr;
    }
    if (!GMIME_IS_PART(object)) return nullptr;
    GMimeContentType* type = g_mime_object_get_content_type(object);
    return type && g_mime_content_type_is_type(type, "text", "plain") ? GMIME_PART(object) : nullptr;
}

// Every byte of a stream from its start.
std::string StreamBytes(GMimeStream* stream) {
    std::string bytes;
    const int64_t length = g_mime_stream_length(stream);
    bytes.resize(length > 0 ? size_t(length) : 4096);
    g_mime_stream_reset(stream);
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t n = g_mime_stream_read(stream, bytes.data() + filled, bytes.size() - filled);
        if (n <= 0) break;
        filled += size_t(n);
    }
    bytes.resize(filled);
    return bytes;
}

// The bytes of a part decoded from their transfer encoding by GMime's decoder.
std::string Decoded(const std::string& encoded, GMimeContentEncoding encoding) {
    if (encoding != GMIME_CONTENT_ENCODING_BASE64 && encoding != GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE &&
        encoding != GMIME_CONTENT_ENCODING_UUENCODE)
        return encoded;
    GMimeEncoding state{};
    g_mime_encoding_init_decode(&state, encoding);
    std::string decoded(g_mime_encoding_outlen(&state, encoded.size()), '\0');
    decoded.resize(g_mime_encoding_flush(&state, encoded.data(), encoded.size(), decoded.data()));
    return decoded;
}

// Whether base64 text decodes: only the alphabet, blanks and line ends, "=" padding only at its end,
// and no lone character left over at the end.
bool Base64Decodes(std::string_view encoded) {
    size_t significant = 0, padding = 0;
    for (const char c : encoded) {
        const bool alphabet = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                              c == '+' || c == '/';
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        if (c == '=') {
            ++padding;
        } else if (!alphabet || padding > 0) {
            return false;
        } else {
            ++significant;
        }
    }
    return significant % 4 != 1 && padding <= 2;
}

// One character of the text that the code page cannot hold, where Unheld stands for it.
struct TUnheld {
    size_t Offset = 0;
    gunichar Char = 0;
};

// UTF-8 text in the code page in force; a character it cannot hold becomes Unheld and is noted.
std::string ToCodePage(std::string_view utf8, std::vector<TUnheld>& unheld) {
    const TTextPolicy& policy = TextPolicy();
    if (std::optional<std::string> whole = policy.FromUtf8(utf8)) return std::move(*whole);
    std::string text;
    size_t lineStart = 0;
    while (lineStart < utf8.size()) {
        size_t lineEnd = utf8.find('\n', lineStart);
        lineEnd = lineEnd == std::string_view::npos ? utf8.size() : lineEnd + 1;
        const std::string_view line = utf8.substr(lineStart, lineEnd - lineStart);
        if (std::optional<std::string> converted = policy.FromUtf8(line)) {
            text += *converted;
        } else {
            const gchar* end = line.data() + line.size();
            for (const gchar* c = line.data(); c < end;) {
                const gchar* next = std::min<const gchar*>(g_utf8_next_char(c), end);
                if (std::optional<std::string> one = policy.FromUtf8(std::string_view(c, size_t(next - c)))) {
                    text += *one;
                } else {
                    unheld.push_back({text.size(), g_utf8_get_char_validated(c, next - c)});
                    text += Unheld;
                }
                c = next;
            }
        }
        lineStart = lineEnd;
    }
    return text;
}

// An mbox writer quotes body lines that begin with "From " as ">From " (and ">From " as ">>From "):
// one ">" comes off again, and the characters noted as unheld keep their places.
void UnquoteFromLines(std::string& text, std::vector<TUnheld>& unheld) {
    std::string out;
    out.reserve(text.size());
    size_t lineStart = 0, next = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = text.find('\n', lineStart);
        lineEnd = lineEnd == std::string::npos ? text.size() : lineEnd + 1;
        const std::string_view line = std::string_view(text).substr(lineStart, lineEnd - lineStart);
        const size_t quotes = std::min(line.find_first_not_of('>'), line.size());
        const bool quoted = quotes > 0 && line.substr(quotes).starts_with("From ");
        for (; next < unheld.size() && unheld[next].Offset < lineEnd; ++next)
            unheld[next].Offset -= lineStart - out.size() + (quoted ? 1 : 0);
        out += quoted ? line.substr(1) : line;
        lineStart = lineEnd;
    }
    text = std::move(out);
}

// A mid-year moment of the year in local time: NotificationYear takes its year from it whatever the
// time zone.
std::time_t InYear(int year) {
    std::tm middle{};
    middle.tm_year = year - 1900;
    middle.tm_mon = 6;
    middle.tm_mday = 1;
    middle.tm_hour = 12;
    middle.tm_isdst = -1;
    return std::mktime(&middle);
}

// The messages of one read, and what they gave.
class TMailCollector {
public:
    explicit TMailCollector(const TMailProgress* progress) : Progress_(progress) {}

    // Reads the messages of a stream, an mbox or one message. file names it in errors. An mbox whose
    // last line has no line end was cut off: its last message is refused even when it reads. False
    // when a message was refused.
    bool ReadStream(GMimeStream* stream, bool mbox, const std::string& file, bool cutOff) {
        TRef<GMimeParser> parser(g_mime_parser_new_with_stream(stream));
        g_mime_parser_set_format(parser.get(), mbox ? GMIME_FORMAT_MBOX : GMIME_FORMAT_MESSAGE);
        for (size_t read = 0; !g_mime_parser_eos(parser.get()); ++read) {
            TRef<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), Options()));
            if (!message) {
                // The end of an mbox after its last message, or after blank lines.
                if (g_mime_parser_eos(parser.get()) && read > 0) break;
                ++Read.MessagesRead;
                return Refuse(file, "it has no mail headers, or they are cut off");
            }
            ++Read.MessagesRead;
            if (!ReadMessage(message.get(), mbox, file)) return false;
            Step();
            if (!mbox) break;
        }
        return !mbox || !cutOff || Read.MessagesRead == 0 ||
               Refuse(file, "it is cut off: the mbox ends inside it, without a line end");
    }

    // The files of cur/ and new/ of a Maildir, each one message, numbered in that order.
    bool ReadMaildir(const std::string& path) {
        std::vector<std::string> files;
        for (const char* sub : {"cur", "new"}) {
            const std::string folder = JoinPath(path, sub);
            if (!IsFolder(folder)) continue;
            if (access(folder.c_str(), R_OK | X_OK) != 0)
                return Refuse(folder, Concat({"cannot be read: ", std::strerror(errno)}));
            std::vector<std::string> others;
            for (const std::string& name : ListFolder(folder, "*", &others))
                files.push_back(JoinPath(folder, name));
            if (!others.empty())
                return Refuse(folder, "holds an entry that is no message file", others.front());
        }
        Total_ = files.size();
        Step();
        return std::ranges::all_of(files, [this](const std::string& file) { return ReadFile(file, false); });
    }

    // Reads a mailbox or message file; an mbox when its first line begins with "From ".
    bool ReadFile(const std::string& path, bool counted) {
        struct stat info {};
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            const std::string reason =
                fd < 0 ? std::strerror(errno) : "it is " + EntryKind(path) + ", not a file";
            if (fd >= 0) close(fd);
            return RefuseFile(path, "cannot be read: " + reason);
        }
        std::array<char, 5> start{};
        const bool mbox = pread(fd, start.data(), start.size(), 0) == ssize_t(start.size()) &&
                          std::string_view(start.data(), start.size()) == "From ";
        char last = '\n';
        if (mbox && info.st_size > 0 && pread(fd, &last, 1, info.st_size - 1) != 1) last = '\n';
        ++Read.FilesRead;
        TRef<GMimeStream> stream(g_mime_stream_fs_new(fd));  // closes fd
        if (counted && Progress_ && *Progress_) {
            Total_ = mbox ? CountMboxMessages(stream.get()) : 1;
            Step();
        }
        return ReadStream(stream.get(), mbox, path, last != '\n');
    }

    // The notifications with only the latest Date of each board kept (a tie: the later message), or
    // with every one.
    TMailRead Finish(bool everyTurn = false) {
        if (Read.Error) {
            TMailRead refused;
            refused.Error = std::move(Read.Error);
            return refused;
        }
        if (everyTurn) return std::move(Read);
        std::unordered_map<std::string, size_t> latest;
        for (size_t i = 0; i < Read.Notifications.size(); ++i) {
            auto [at, added] = latest.try_emplace(FoldedKey(Read.Notifications[i].BaseLine), i);
            if (!added && Read.Notifications[i].Date >= Read.Notifications[at->second].Date) at->second = i;
        }
        std::vector<TMailNotification> kept;
        for (size_t i = 0; i < Read.Notifications.size(); ++i)
            if (latest[FoldedKey(Read.Notifications[i].BaseLine)] == i)
                kept.push_back(std::move(Read.Notifications[i]));
        Read.Notifications = std::move(kept);
        return std::move(Read);
    }

    size_t Total() const { return Total_; }

    TMailRead Read;

private:
    void Step() {
        if (Progress_ && *Progress_) (*Progress_)(std::min(Read.MessagesRead, Total_), Total_);
    }

    // The lines that begin with "From ": the messages of an mbox, for the progress.
    static size_t CountMboxMessages(GMimeStream* stream) {
        size_t count = 0, column = 0;
        std::array<char, 65536> piece{};
        g_mime_stream_reset(stream);
        for (;;) {
            const ssize_t n = g_mime_stream_read(stream, piece.data(), piece.size());
            if (n <= 0) break;
            for (const char c : std::string_view(piece.data(), size_t(n))) {
                if (c == '\n') {
                    column = 0;
                } else if (column < 5 && c == "From "[column]) {
                    if (++column == 5) ++count;
                } else {
                    column = 6;
                }
            }
        }
        g_mime_stream_reset(stream);
        return count;
    }

    bool Refuse(const std::string& file, std::string reason, std::string text = "") {
        Read.Error = TNotificationError{file, 0, std::move(text), std::move(reason), Read.MessagesRead};
        return false;
    }

    bool RefuseFile(const std::string& file, std::string reason) {
        Read.Error = TNotificationError{file, 0, "", std::move(reason), 0};
        return false;
    }

    bool ReadMessage(GMimeMessage* message, bool mbox, const std::string& file) {
        GMimePart* part = PlainTextPart(g_mime_message_get_mime_part(message));
        if (!part) {
            ++Read.MessagesSkipped;
            return true;
        }
        std::optional<std::string> text = PartText(part, file);
        if (!text) return false;
        if (mbox) UnquoteFromLines(*text, Unheld_);
        return ReadNotification(*text, g_mime_message_get_date(message), file);
    }

    // The text part decoded and in the code page in force; nullopt when the message is refused.
    std::optional<std::string> PartText(GMimePart* part, const std::string& file) {
        Unheld_.clear();
        GMimeDataWrapper* content = g_mime_part_get_content(part);
        if (!content) return std::string();
        GMimeStream* encoded = g_mime_data_wrapper_get_stream(content);
        const int64_t size = encoded ? g_mime_stream_length(encoded) : 0;
        if (size > TextPartLimit) {
            Refuse(file, Concat({"its text part of ", std::to_string(size),
                                 " bytes is too large to be a notification"}));
            return std::nullopt;
        }
        if (!encoded) return std::string();
        const GMimeContentEncoding encoding = g_mime_data_wrapper_get_encoding(content);
        const std::string bytes = StreamBytes(encoded);
        if (encoding == GMIME_CONTENT_ENCODING_BASE64 && !Base64Decodes(bytes)) {
            Refuse(file, "its base64 text does not decode");
            return std::nullopt;
        }
        const std::string decoded = Decoded(bytes, encoding);
        const std::string_view raw = decoded;
        const char* charset = g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset");
        // Without a charset the bytes are taken as the code page's, as those of a notification file.
        if (!charset || !*charset || raw.empty()) return std::string(raw);
        gsize written = 0;
        GError* error = nullptr;
        // The code page's own charset: the bytes stand as those of a notification file. Else straight
        // into the code page when iconv knows it and every character has a byte there; else through
        // UTF-8, which tells what stands in the way.
        const char* from = g_mime_charset_iconv_name(charset);
        const char* codePage = g_mime_charset_iconv_name(TextPolicy().CodePage().c_str());
        if (g_ascii_strcasecmp(from, codePage) == 0) return std::string(raw);
        if (gchar* direct =
                g_convert(raw.data(), gssize(raw.size()), codePage, from, nullptr, &written, &error)) {
            std::string text(direct, written);
            g_free(direct);
            return text;
        }
        g_clear_error(&error);
        gchar* utf8 = g_convert(raw.data(), gssize(raw.size()), "UTF-8", from, nullptr, &written, &error);
        if (!utf8) {
            // A converter that cannot be opened fails as "no conversion", or as "failed" the first time.
            const bool unknown = !error || error->domain != G_CONVERT_ERROR ||
                                 (error->code != G_CONVERT_ERROR_ILLEGAL_SEQUENCE &&
                                  error->code != G_CONVERT_ERROR_PARTIAL_INPUT);
            if (error) g_error_free(error);
            Refuse(file, unknown ? "its charset is unknown" : "its text is not valid in its charset",
                   charset);
            return std::nullopt;
        }
        const std::string converted(utf8, written);
        g_free(utf8);
        return ToCodePage(converted, Unheld_);
    }

    // The notification of a message's text. Its year comes from the Date, so a notification without a
    // usable Date is refused; a text without one needs none.
    bool ReadNotification(const std::string& text, GDateTime* date, const std::string& file) {
        TNotificationRead read =
            NotificationToBaseLine(text, ReaderName, date ? InYear(g_date_time_get_year(date)) : 0);
        if (!date && (read.Error || !read.BaseLine.empty()))
            return Refuse(file, "it has no usable Date header");
        if (std::optional<TNotificationError> unheld = UnheldRefusal(read, text))
            read.Error = std::move(unheld);
        if (read.Error) {
            TNotificationError& error = *read.Error;
            error.File = file;
            error.Message = Read.MessagesRead;
            Read.Error = std::move(error);
            return false;
        }
        if (read.BaseLine.empty()) {
            ++Read.MessagesSkipped;
            return true;
        }
        ++Read.NotificationsFound;
        Read.Notifications.push_back(
            {Read.MessagesRead, g_date_time_to_unix(date), std::move(read.BaseLine)});
        return true;
    }

    // The refusal of a notification that was read from lines holding a character the code page cannot
    // hold: it names the character and the word it stands in, one in the players' names first. Nothing
    // when no such character lies in the lines read, whatever else the reader made of them.
    std::optional<TNotificationError> UnheldRefusal(const TNotificationRead& read,
                                                    std::string_view text) const {
        if (Unheld_.empty() || read.HeaderLine == 0) return std::nullopt;
        const std::vector<std::string_view> lines = SplitLines(text);
        // The 1-based line of an offset: the last line that starts at or before it.
        auto lineOf = [&](size_t offset) {
            const auto after = std::ranges::upper_bound(
                lines, offset, {}, [&](std::string_view line) { return size_t(line.data() - text.data()); });
            return size_t(after - lines.begin());
        };
        auto onLine = [&](size_t line) {
            return [&, line](const TUnheld& u) { return lineOf(u.Offset) == line; };
        };
        auto found = std::ranges::find_if(Unheld_, onLine(read.NamesLine));
        for (size_t line = read.HeaderLine; found == Unheld_.end() && line <= read.LastLine; ++line)
            found = std::ranges::find_if(Unheld_, onLine(line));
        if (found == Unheld_.end()) return std::nullopt;
        const size_t line = lineOf(found->Offset);
        const std::string_view shown = lines[line - 1];
        const size_t at = std::min(found->Offset - size_t(shown.data() - text.data()), shown.size());
        const size_t blankBefore = shown.substr(0, at).find_last_of(" \t");
        const size_t start = blankBefore == std::string_view::npos ? 0 : blankBefore + 1;
        std::string word(shown.substr(start, shown.find_first_of(" \t", at) - start));
        std::replace(word.begin(), word.end(), Unheld, '?');
        std::array<char, 16> code{};
        std::snprintf(code.data(), code.size(), "U+%04X", unsigned(found->Char));
        const char* what = line == read.NamesLine    ? "a name"
                           : line == read.HeaderLine ? "the board number"
                                                     : "a line of the notification";
        return TNotificationError{"", line, std::move(word),
                                  Concat({what, " holds ", code.data(), ", which the code page ",
                                          TextPolicy().CodePage(), " cannot hold"})};
    }

    const TMailProgress* Progress_;
    size_t Total_ = 0;
    std::vector<TUnheld> Unheld_;
};

}  // namespace

bool IsMaildir(const std::string& path) {
    return IsFolder(JoinPath(path, "cur")) || IsFolder(JoinPath(path, "new"));
}

bool IsMail(const std::string& path) {
    if (IsFolder(path)) return IsMaildir(path);
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (MatchesPattern(path, "*.eml") || MatchesPattern(path, "*.mbox")) return true;
    constexpr size_t Looked = 4096;
    const std::string start = FileStart(path, Looked);
    return start.starts_with("From ") || StartsWithHeaders(start, start.size() == Looked);
}

TMailRead ReadMail(const std::string& path) {
    return ReadMail(path, TMailProgress());
}

TMailRead ReadMail(const std::string& path, const TMailProgress& progress, bool everyTurn) {
    InitMime();
    TMailCollector collector(&progress);
    if (IsFolder(path)) {
        if (!IsMaildir(path)) {
            collector.Read.Error =
                TNotificationError{path, 0, "", "is no Maildir: it has neither cur/ nor new/", 0};
            return collector.Finish();
        }
        collector.ReadMaildir(path);
    } else {
        collector.ReadFile(path, true);
    }
    // The count of an mbox's messages may have run ahead of what the parser found: the end is told.
    const size_t read = collector.Read.MessagesRead;
    if (progress && !collector.Read.Error && read != collector.Total()) progress(read, read);
    return collector.Finish(everyTurn);
}

TMailRead ReadMailBytes(std::string_view bytes, const std::string& name) {
    InitMime();
    TMailCollector collector(nullptr);
    TRef<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size()));
    collector.ReadStream(stream.get(), bytes.starts_with("From "), name,
                         !bytes.empty() && bytes.back() != '\n');
    return collector.Finish();
}

}  // namespace kalvon
