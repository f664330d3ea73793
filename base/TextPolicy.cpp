#include "base/TextPolicy.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <unicode/coleitr.h>
#include <unicode/tblcoll.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unistr.h>
#include <unicode/uset.h>
#include <unicode/usetiter.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "base/TextFields.h"

namespace kalvon {

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

// What an undecodable byte stands for in comparisons: a private-use character of its own, so that
// two texts differing in such bytes stay different.
UChar32 ByteStandIn(uint8_t byte) {
    return UChar32(0xF0000 + byte);
}

// Decodes the bytes a converter cannot map as their stand-ins instead of U+FFFD.
void UndecodableAsThemselves(const void*, UConverterToUnicodeArgs* args, const char* codeUnits,
                             int32_t length, UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) return;  // reset, close or clone: nothing to decode
    *err = U_ZERO_ERROR;
    for (int32_t i = 0; i < length && U_SUCCESS(*err); ++i) {
        const UChar32 c = ByteStandIn(uint8_t(codeUnits[i]));
        const UChar units[2] = {U16_LEAD(c), U16_TRAIL(c)};
        ucnv_cbToUWriteUChars(args, units, 2, 0, err);
    }
}

// How one byte of the code page takes part in comparisons.
enum class ByteWeight : uint8_t { Ignorable, Simple, Complex };

}  // namespace

struct TTextPolicy::TIcu {
    std::unique_ptr<UConverter, ConverterCloser> Converter;
    // The same code page for comparisons (undecodable bytes as themselves) and for checking (stops
    // at the first undecodable byte).
    std::unique_ptr<UConverter, ConverterCloser> Weighing, Checking;
    std::unique_ptr<icu::Collator> Collator;
    std::array<char16_t, 256> Unicode{};
    // Most bytes of a code page carry one primary weight and the common secondary weight, and take
    // part in no contraction; texts made only of such bytes compare by those weights alone, which is
    // what makes sorting a large base fast. Any other byte sends the comparison to ICU.
    std::array<ByteWeight, 256> Kind{};
    // Bytes that take part in a contraction the code page can spell (L and the middle dot in the
    // root collation). Such a byte weighs alone only where neither neighbour is one too.
    std::array<bool, 256> InContraction{};
    std::array<uint16_t, 256> Rank{};
    std::array<uint8_t, 256> DenseRank{};  // 1..255 in the order of Rank, for packed prefixes

    bool SingleByte = true;
    bool AsciiDecodes = true;       // every byte below 0x80 stands for a character
    std::vector<char> Undecodable;  // in a single-byte code page, the bytes that stand for nothing

    // True when the byte at i weighs as a simple character whatever surrounds it.
    bool SimpleAt(std::string_view text, size_t i) const {
        const uint8_t byte = uint8_t(text[i]);
        if (Kind[byte] != ByteWeight::Simple) return false;
        if (!InContraction[byte]) return true;
        return (i == 0 || !InContraction[uint8_t(text[i - 1])]) &&
               (i + 1 == text.size() || !InContraction[uint8_t(text[i + 1])]);
    }

    // The characters of the bytes; undecodable ones become U+FFFD for display, or their stand-ins
    // for comparisons.
    icu::UnicodeString Decode(std::string_view bytes, bool forDisplay = false) const {
        if (!SingleByte) {
            UErrorCode status = U_ZERO_ERROR;
            UConverter* converter = forDisplay ? Converter.get() : Weighing.get();
            ucnv_reset(converter);
            // Room for two units a byte (a stand-in is a surrogate pair) in one call: ICU's own
            // growing conversion never ends when a callback's output outgrows the bytes left.
            icu::UnicodeString s;
            const int32_t capacity = int32_t(2 * bytes.size() + 16);
            char16_t* const start = s.getBuffer(capacity);
            char16_t* target = start;
            const char* source = bytes.data();
            ucnv_toUnicode(converter, &target, start + capacity, &source, source + bytes.size(), nullptr,
                           true, &status);
            s.releaseBuffer(int32_t(target - start));
            return s;
        }
        icu::UnicodeString s;
        char16_t* out = s.getBuffer(int32_t(bytes.size()));
        bool undecodable = false;
        for (size_t i = 0; i < bytes.size(); ++i) {
            out[i] = Unicode[uint8_t(bytes[i])];
            undecodable = undecodable || out[i] == 0xFFFD;
        }
        s.releaseBuffer(int32_t(bytes.size()));
        if (!undecodable || forDisplay) return s;
        s.remove();
        for (char byte : bytes) {
            const char16_t c = Unicode[uint8_t(byte)];
            if (c == 0xFFFD)
                s.append(ByteStandIn(uint8_t(byte)));
            else
                s.append(c);
        }
        return s;
    }

    void BuildWeights() {
        UErrorCode status = U_ZERO_ERROR;
        // Only contractions that the code page can spell count: "4" stays simple though some script
        // forms a contraction of it with a mark that no single-byte code page holds.
        icu::UnicodeSet inCodePage, inContraction;
        for (char16_t c : Unicode)
            if (c != 0xFFFD) inCodePage.add(c);
        {
            USet* contractions = uset_openEmpty();
            ucol_getContractionsAndExpansions(Collator->toUCollator(), contractions, nullptr, true, &status);
            icu::UnicodeSetIterator it(*icu::UnicodeSet::fromUSet(contractions));
            while (it.next())
                if (it.isString() && inCodePage.containsAll(it.getString()))
                    inContraction.addAll(it.getString());
            uset_close(contractions);
        }
        auto* rules = dynamic_cast<icu::RuleBasedCollator*>(Collator.get());
        uint32_t commonSecondary = 0;
        for (int pass = 0; pass < 2; ++pass) {
            for (int b = 0; b < 256; ++b) {
                Kind[b] = ByteWeight::Complex;
                InContraction[b] = Unicode[b] != 0xFFFD && inContraction.contains(Unicode[b]);
                if (!rules || Unicode[b] == 0xFFFD) continue;
                icu::UnicodeString one(Unicode[b]);
                status = U_ZERO_ERROR;
                std::unique_ptr<icu::CollationElementIterator> it(rules->createCollationElementIterator(one));
                std::vector<int32_t> elements;
                for (int32_t e; (e = it->next(status)) != icu::CollationElementIterator::NULLORDER;)
                    if (e != 0) elements.push_back(e);
                if (U_FAILURE(status)) continue;
                if (elements.empty()) {
                    Kind[b] = ByteWeight::Ignorable;
                } else if (elements.size() == 1 && !icu::CollationElementIterator::isIgnorable(elements[0]) &&
                           icu::CollationElementIterator::primaryOrder(elements[0]) != 0) {
                    uint32_t secondary = icu::CollationElementIterator::secondaryOrder(elements[0]);
                    if (pass == 0 && Unicode[b] == u'a') commonSecondary = secondary;
                    if (pass == 1 && secondary == commonSecondary) {
                        Kind[b] = ByteWeight::Simple;
                    }
                }
            }
            if (commonSecondary == 0) break;  // no plain "a" in this code page: everything goes to ICU
        }
        // The order of the primary weights comes from the collator itself, so that a locale's
        // reordering of scripts (Cyrillic before Latin in ru) is kept.
        std::vector<int> simple;
        for (int b = 0; b < 256; ++b)
            if (Kind[b] == ByteWeight::Simple) simple.push_back(b);
        auto order = [&](int x, int y) {
            UErrorCode s = U_ZERO_ERROR;
            return Collator->compare(icu::UnicodeString(Unicode[x]), icu::UnicodeString(Unicode[y]), s);
        };
        std::sort(simple.begin(), simple.end(), [&](int x, int y) { return order(x, y) == UCOL_LESS; });
        uint16_t rank = 0;
        for (size_t i = 0; i < simple.size(); ++i) {
            if (i == 0 || order(simple[i - 1], simple[i]) != UCOL_EQUAL) ++rank;
            Rank[simple[i]] = rank;
            DenseRank[simple[i]] = uint8_t(rank);  // at most 224 ranks: bytes 0..31 are never simple
        }
    }
};

TTextPolicy::TTextPolicy(const std::string& codePage, const std::string& locale)
    : Icu_(std::make_unique<TIcu>()), CodePage_(codePage) {
    UErrorCode status = U_ZERO_ERROR;
    Icu_->Converter.reset(ucnv_open(codePage.c_str(), &status));
    if (U_FAILURE(status) || !Icu_->Converter)
        throw std::runtime_error("Unknown code page " + QuoteShort(codePage));
    Icu_->Weighing.reset(ucnv_open(codePage.c_str(), &status));
    Icu_->Checking.reset(ucnv_open(codePage.c_str(), &status));
    if (U_FAILURE(status)) throw std::runtime_error("Unknown code page \"" + codePage + "\"");
    ucnv_setToUCallBack(Icu_->Weighing.get(), UndecodableAsThemselves, nullptr, nullptr, nullptr, &status);
    ucnv_setToUCallBack(Icu_->Checking.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    // In a multi-byte code page (UTF-8) only the bytes that stand for a character alone are in the
    // table; the others are marked unmapped, which keeps them away from the quick comparison.
    Icu_->SingleByte = ucnv_getMaxCharSize(Icu_->Converter.get()) == 1;
    for (int b = 0; b < 256; ++b) {
        ucnv_reset(Icu_->Converter.get());
        char byte = char(b);
        char16_t out[4];
        status = U_ZERO_ERROR;
        int32_t n = ucnv_toUChars(Icu_->Converter.get(), out, 4, &byte, 1, &status);
        Icu_->Unicode[b] = (U_SUCCESS(status) && n == 1) ? out[0] : char16_t(0xFFFD);
    }
    for (int b = 0; b < 0x80; ++b) Icu_->AsciiDecodes = Icu_->AsciiDecodes && Icu_->Unicode[b] != 0xFFFD;
    for (int b = 0; b < 256; ++b)
        if (Icu_->SingleByte && Icu_->Unicode[b] == 0xFFFD) Icu_->Undecodable.push_back(char(b));
    ucnv_reset(Icu_->Converter.get());
    // The fields of a base line and of the settings are found by their ASCII bytes ("," "=" "[" "]",
    // digits), byte by byte and in a run: a code page that reads them otherwise would garble every line.
    std::string ascii = "\t\n\r";
    for (char c = ' '; c <= '~'; ++c) ascii += c;
    bool keepsAscii = true;
    for (char c : ascii) keepsAscii = keepsAscii && Icu_->Unicode[uint8_t(c)] == char16_t(uint8_t(c));
    status = U_ZERO_ERROR;
    const icu::UnicodeString run(ascii.data(), int32_t(ascii.size()), Icu_->Checking.get(), status);
    keepsAscii = keepsAscii && U_SUCCESS(status) && run == icu::UnicodeString::fromUTF8(ascii);
    ucnv_reset(Icu_->Converter.get());
    ucnv_reset(Icu_->Checking.get());
    if (!keepsAscii)
        throw std::runtime_error("The code page " + QuoteShort(codePage) + " does not keep ASCII as ASCII");
    status = U_ZERO_ERROR;
    Icu_->Collator.reset(icu::Collator::createInstance(icu::Locale(locale.c_str()), status));
    if (U_FAILURE(status) || !Icu_->Collator) throw std::runtime_error("Unknown locale \"" + locale + "\"");
    Icu_->Collator->setStrength(icu::Collator::SECONDARY);
    Icu_->BuildWeights();
}

TTextPolicy::~TTextPolicy() = default;

std::string TTextPolicy::ToUtf8(std::string_view bytes) const {
    std::string out;
    Icu_->Decode(bytes, true).toUTF8String(out);
    return out;
}

namespace {

// Whether every byte of the text is ASCII: the words are joined without a branch each.
bool AllAscii(std::string_view bytes) {
    uint64_t joined = 0;
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        joined |= word;
    }
    for (; i < bytes.size(); ++i) joined |= uint8_t(bytes[i]);
    return (joined & 0x8080'8080'8080'8080u) == 0;
}

// Whether the bytes hold any of the sought ones (at most MaxSoughtBytes), sixteen at a time.
constexpr size_t MaxSoughtBytes = 4;
bool HoldsAnyOf(std::string_view bytes, const std::vector<char>& sought) {
    if (sought.empty()) return false;
    size_t i = 0;
#if defined(__SSE2__)
    __m128i wanted[MaxSoughtBytes];
    for (size_t k = 0; k < MaxSoughtBytes; ++k)
        wanted[k] = _mm_set1_epi8(sought[std::min(k, sought.size() - 1)]);
    for (; i + 16 <= bytes.size(); i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i));
        __m128i found = _mm_cmpeq_epi8(v, wanted[0]);
        for (size_t k = 1; k < MaxSoughtBytes; ++k) found = _mm_or_si128(found, _mm_cmpeq_epi8(v, wanted[k]));
        if (_mm_movemask_epi8(found) != 0) return true;
    }
#endif
    for (; i < bytes.size(); ++i)
        if (std::find(sought.begin(), sought.end(), bytes[i]) != sought.end()) return true;
    return false;
}

}  // namespace

bool TTextPolicy::SingleByte() const {
    return Icu_->SingleByte;
}

bool TTextPolicy::DecodesAscii() const {
    // A multi-byte code page takes ASCII as ASCII, as the constructor made sure.
    return !Icu_->SingleByte || Icu_->AsciiDecodes;
}

bool TTextPolicy::CanDecode(std::string_view bytes) const {
    // ASCII is ASCII in every code page this policy accepts, and a base line is mostly ASCII.
    if (Icu_->SingleByte) {
        // Most single-byte code pages leave a byte or a few unused: a text is looked through for them.
        if (Icu_->Undecodable.size() <= MaxSoughtBytes) return !HoldsAnyOf(bytes, Icu_->Undecodable);
        if (Icu_->AsciiDecodes && AllAscii(bytes)) return true;
        return std::ranges::none_of(bytes, [&](char byte) { return Icu_->Unicode[uint8_t(byte)] == 0xFFFD; });
    }
    if (AllAscii(bytes)) return true;
    UConverter* converter = Icu_->Checking.get();
    ucnv_reset(converter);
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString text(bytes.data(), int32_t(bytes.size()), converter, status);
    return U_SUCCESS(status);
}

std::optional<std::string> TTextPolicy::FromUtf8(std::string_view utf8) const {
    icu::UnicodeString text =
        icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), int32_t(utf8.size())));
    if (text.indexOf(char16_t(0xFFFD)) >= 0) return std::nullopt;
    if (!Icu_->SingleByte) {
        UConverter* converter = Icu_->Converter.get();
        UErrorCode status = U_ZERO_ERROR;
        ucnv_reset(converter);
        ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        std::string out(size_t(UCNV_GET_MAX_BYTES_FOR_STRING(text.length(), ucnv_getMaxCharSize(converter))),
                        '\0');
        int32_t n = ucnv_fromUChars(converter, out.data(), int32_t(out.size()), text.getBuffer(),
                                    text.length(), &status);
        if (U_FAILURE(status)) return std::nullopt;
        out.resize(size_t(n));
        return out;
    }
    std::string out;
    out.reserve(size_t(text.length()));
    for (int32_t i = 0; i < text.length(); ++i) {
        char16_t c = text.charAt(i);
        // A single-byte code page maps each character to at most one byte: find it by the table.
        auto at = std::find(Icu_->Unicode.begin(), Icu_->Unicode.end(), c);
        if (at == Icu_->Unicode.end()) return std::nullopt;
        out.push_back(char(at - Icu_->Unicode.begin()));
    }
    return out;
}

int TTextPolicy::Compare(std::string_view a, std::string_view b) const {
    const TIcu& icu = *Icu_;
    const auto& kind = icu.Kind;
    const auto& rank = icu.Rank;
    size_t i = 0, j = 0;
    for (;;) {
        while (i < a.size() && kind[uint8_t(a[i])] == ByteWeight::Ignorable &&
               !icu.InContraction[uint8_t(a[i])])
            ++i;
        while (j < b.size() && kind[uint8_t(b[j])] == ByteWeight::Ignorable &&
               !icu.InContraction[uint8_t(b[j])])
            ++j;
        if (i == a.size() || j == b.size()) {
            if (i == a.size() && j == b.size()) return 0;
            // The rest of the longer text decides only if it has a simple character next; otherwise
            // ICU has to look at it.
            if (i == a.size() ? icu.SimpleAt(b, j) : icu.SimpleAt(a, i)) return i == a.size() ? -1 : 1;
            break;
        }
        if (!icu.SimpleAt(a, i) || !icu.SimpleAt(b, j)) break;
        const uint8_t x = uint8_t(a[i]), y = uint8_t(b[j]);
        if (rank[x] != rank[y]) return rank[x] < rank[y] ? -1 : 1;
        ++i;
        ++j;
    }
    UErrorCode status = U_ZERO_ERROR;
    // The simple characters compared so far were equal at both levels, so ICU may start behind them.
    UCollationResult r =
        Icu_->Collator->compare(Icu_->Decode(a.substr(i)), Icu_->Decode(b.substr(j)), status);
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

TTextPolicy::TPrefix TTextPolicy::Prefix(std::string_view text) const {
    const TIcu& icu = *Icu_;
    TPrefix prefix;
    int packed = 0;
    for (size_t i = 0; i < text.size() && packed < 16; ++i) {
        const uint8_t byte = uint8_t(text[i]);
        if (icu.Kind[byte] == ByteWeight::Ignorable && !icu.InContraction[byte]) continue;
        if (!icu.SimpleAt(text, i)) return prefix;  // not exact
        uint64_t& word = packed < 8 ? prefix.High : prefix.Low;
        word |= uint64_t(icu.DenseRank[byte]) << (8 * (7 - packed % 8));
        ++packed;
    }
    prefix.Exact = true;
    return prefix;
}

std::string TTextPolicy::SortKey(std::string_view text) const {
    icu::UnicodeString s = Icu_->Decode(text);
    std::string key(64, '\0');
    int32_t n = Icu_->Collator->getSortKey(s, reinterpret_cast<uint8_t*>(key.data()), int32_t(key.size()));
    if (n > int32_t(key.size())) {
        key.resize(size_t(n));
        n = Icu_->Collator->getSortKey(s, reinterpret_cast<uint8_t*>(key.data()), int32_t(key.size()));
    }
    key.resize(n > 0 ? size_t(n - 1) : 0);  // drop the terminating zero byte
    return key;
}

std::string TTextPolicy::FoldedCase(std::string_view text) const {
    icu::UnicodeString s = Icu_->Decode(text);
    s.foldCase(U_FOLD_CASE_DEFAULT);
    std::string folded;
    s.toUTF8String(folded);
    return folded;
}

std::string TTextPolicy::CatalogueKey(std::string_view text) const {
    std::string key = SortKey(text);
    key += '\0';  // a sort key holds no zero byte
    key += FoldedCase(text);
    return key;
}

std::string TTextPolicy::EnvironmentLocale() {
    for (const char* name : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        std::string locale(value);
        if (locale == "C" || locale == "POSIX") return "";
        locale = locale.substr(0, locale.find_first_of(".@"));
        return locale;
    }
    return "";
}

namespace {
std::unique_ptr<TTextPolicy>& CurrentPolicy() {
    static std::unique_ptr<TTextPolicy> policy;
    return policy;
}
}  // namespace

const TTextPolicy& TextPolicy() {
    auto& policy = CurrentPolicy();
    if (!policy) policy = std::make_unique<TTextPolicy>(DefaultCodePage, TTextPolicy::EnvironmentLocale());
    return *policy;
}

void SetTextPolicy(const std::string& codePage, const std::string& locale) {
    CurrentPolicy() = std::make_unique<TTextPolicy>(codePage, locale);
}

std::string ShownPath(std::string_view path) {
    std::string shown;
    for (size_t start = 0; start <= path.size();) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string_view part = path.substr(start, end - start);
        UErrorCode status = U_ZERO_ERROR;
        u_strFromUTF8(nullptr, 0, nullptr, part.data(), int32_t(part.size()), &status);
        const bool utf8 = part.empty() || status == U_BUFFER_OVERFLOW_ERROR || U_SUCCESS(status);
        shown += utf8 ? std::string(part) : TextPolicy().ToUtf8(part);
        if (end < path.size()) shown += '/';
        start = end + 1;
    }
    return shown;
}

}  // namespace kalvon
