// The program-wide code page and collation: stored text stays bytes, this turns it into characters
// for display and comparison, and typed text back into bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kalvon {

class TTextPolicy {
public:
    // A policy for an ICU converter name (windows-1251, UTF-8, ...) and an ICU locale id ("" = root).
    // Throws std::runtime_error naming the code page or locale when ICU does not know it, or when the
    // code page does not keep ASCII as ASCII (the fields of a base line would not be found).
    TTextPolicy(const std::string& codePage, const std::string& locale);
    ~TTextPolicy();
    TTextPolicy(const TTextPolicy&) = delete;
    TTextPolicy& operator=(const TTextPolicy&) = delete;

    const std::string& CodePage() const { return CodePage_; }

    // Bytes of the code page -> UTF-8 (bytes it cannot map become U+FFFD).
    std::string ToUtf8(std::string_view bytes) const;
    // UTF-8 -> bytes of the code page; nullopt when a character has no byte in the code page.
    std::optional<std::string> FromUtf8(std::string_view utf8) const;

    // Whether every byte of the text stands for a character of the code page.
    bool CanDecode(std::string_view bytes) const;
    // Whether every ASCII byte does (so that a text of ASCII bytes alone needs no look).
    bool DecodesAscii() const;
    // Whether every character is one byte: then a text decodes when each of its parts does.
    bool SingleByte() const;

    // Collation of the locale at secondary strength (letter case ignored): <0, 0 or >0. Bytes the code
    // page cannot decode weigh as themselves, so texts that differ in them never compare equal.
    int Compare(std::string_view a, std::string_view b) const;
    bool Less(std::string_view a, std::string_view b) const { return Compare(a, b) < 0; }
    // The first 16 weighed characters of a text packed for quick ordering. When both prefixes are exact
    // and differ, their order is the texts' collation order; otherwise Compare has to decide.
    struct TPrefix {
        uint64_t High = 0, Low = 0;
        bool Exact = false;
        bool operator==(const TPrefix&) const = default;
    };
    TPrefix Prefix(std::string_view text) const;
    // A byte string whose plain byte order is the collation order; equal keys mean equal texts.
    std::string SortKey(std::string_view text) const;
    // The text with its letter case folded (Unicode case folding of its characters, undecodable bytes
    // as themselves): texts that differ only in letter case fold to the same bytes.
    std::string FoldedCase(std::string_view text) const;
    // The key of a text in the catalogues of players and years: its SortKey, so that keys sort in
    // collation order, then a zero byte and its FoldedCase, so that only texts that differ in letter
    // case alone share a key. A soft hyphen or a control character, which the collation passes over,
    // keeps two names apart.
    std::string CatalogueKey(std::string_view text) const;

    // The locale of the environment for collation: LC_ALL, LC_COLLATE, LANG; C and POSIX mean root.
    static std::string EnvironmentLocale();

private:
    struct TIcu;
    std::unique_ptr<TIcu> Icu_;
    std::string CodePage_;
};

// The policy in force for the whole program: windows-1251 with the environment's locale until
// SetTextPolicy installs another (at start-up, from the settings file).
const TTextPolicy& TextPolicy();
// Installs a new policy. Throws like the constructor and then keeps the old one.
void SetTextPolicy(const std::string& codePage, const std::string& locale = TTextPolicy::EnvironmentLocale());

inline constexpr const char* DefaultCodePage = "windows-1251";

// A path as the user reads it, in UTF-8: each part between "/" that is UTF-8 as it stands is shown so,
// as the file system shows it; any other part (a file named after a game, in the bytes of the code
// page) in the characters of the code page in force.
std::string ShownPath(std::string_view path);

}  // namespace kalvon
