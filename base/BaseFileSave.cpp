// The save of base/BaseFile.h: the games in the order of their lines, written through a temporary
// file; the copy of a base file and the name "Save as ..." writes.
#include <sys/stat.h>

#include <algorithm>
#include <optional>

#include "base/BaseFile.h"
#include "base/BaseLine.h"
#include "base/BaseLock.h"
#include "base/SafeFile.h"
#include "base/TextPolicy.h"

namespace kalvon {

void SortBaseLines(std::vector<std::string_view>& lines) {
    struct TItem {
        TTextPolicy::TPrefix Prefix;
        std::string_view Line;
    };
    const TTextPolicy& policy = TextPolicy();
    std::vector<TItem> items;
    items.reserve(lines.size());
    for (std::string_view line : lines) items.push_back({policy.Prefix(line), line});
    auto less = [&](const TItem& a, const TItem& b) {
        if (a.Prefix.Exact && b.Prefix.Exact && !(a.Prefix == b.Prefix))
            return a.Prefix.High != b.Prefix.High ? a.Prefix.High < b.Prefix.High
                                                  : a.Prefix.Low < b.Prefix.Low;
        return policy.Compare(a.Line, b.Line) < 0;
    };
    // Lines mostly come from a sorted file with a few appended: only the unsorted tail is sorted and
    // then merged in.
    const auto sortedEnd = std::is_sorted_until(items.begin(), items.end(), less);
    std::stable_sort(sortedEnd, items.end(), less);
    std::inplace_merge(items.begin(), sortedEnd, items.end(), less);
    for (size_t i = 0; i < items.size(); ++i) lines[i] = items[i].Line;
}

namespace {

// A game in the order of the base lines: the first twelve packed ranks of its line's prefix and the
// game, whose top bit marks a prefix that cannot decide. Sixteen bytes, because a save of a million
// games holds one for each game beside the base.
struct TOrderItem {
    static constexpr uint32_t InexactBit = uint32_t(1) << 31;
    uint64_t High = 0;
    uint32_t Low = 0;  // the high half of the prefix's second word
    uint32_t Tagged = 0;

    uint32_t Game() const { return Tagged & ~InexactBit; }
    bool Exact() const { return (Tagged & InexactBit) == 0; }
};
static_assert(sizeof(TOrderItem) == 16);

// The games in the order of their base lines, without those marked in skipped (none when it is
// null). Lines are compared by packed prefixes; only where those cannot decide are the two lines
// formatted again and compared whole.
std::vector<TOrderItem> FileOrder(const TBaseGames& base, const std::vector<bool>* skipped) {
    const TTextPolicy& policy = TextPolicy();
    std::vector<TOrderItem> items;
    items.reserve(base.PartyList.size());
    std::string line, other;
    for (size_t g = 0; g < base.PartyList.size(); ++g) {
        if (skipped && g < skipped->size() && (*skipped)[g]) continue;
        line.clear();
        AppendBaseLine(line, base, base.PartyList[g]);
        const TTextPolicy::TPrefix prefix = policy.Prefix(line);
        items.push_back({prefix.High, uint32_t(prefix.Low >> 32),
                         uint32_t(g) | (prefix.Exact ? 0 : TOrderItem::InexactBit)});
    }
    std::sort(items.begin(), items.end(), [&](const TOrderItem& a, const TOrderItem& b) {
        // Prefixes that differ in their first twelve ranks decide as the whole lines would.
        if (a.Exact() && b.Exact() && (a.High != b.High || a.Low != b.Low))
            return a.High != b.High ? a.High < b.High : a.Low < b.Low;
        line.clear();
        other.clear();
        AppendBaseLine(line, base, base.PartyList[a.Game()]);
        AppendBaseLine(other, base, base.PartyList[b.Game()]);
        // Lines equal without regard to case (F and f, a soft hyphen) keep the order of their bytes,
        // so that a saved base saved again is the same file.
        const int order = policy.Compare(line, other);
        return order != 0 ? order < 0 : line < other;
    });
    return items;
}

// Hands out the lines of the games in order, each with its CR LF, a few megabytes at a time.
TPieceSource OrderedLines(const TBaseGames& base, const std::vector<TOrderItem>& order) {
    constexpr size_t PieceBytes = 4u << 20;
    return [&base, &order, next = size_t(0)](std::string& piece) mutable {
        piece.clear();
        // Room for the last line past the piece's size, so that the string does not double.
        piece.reserve(PieceBytes + (64u << 10));
        while (next < order.size() && piece.size() < PieceBytes) {
            AppendBaseLine(piece, base, base.PartyList[order[next++].Game()]);
            piece += "\r\n";
        }
        return !piece.empty();
    };
}

}  // namespace

std::string BaseFileContent(const TBaseGames& base) {
    const std::vector<TOrderItem> order = FileOrder(base, nullptr);
    std::string content, piece;
    for (TPieceSource next = OrderedLines(base, order); next(piece);) content += piece;
    return content;
}

namespace {

bool Save(const TBaseGames& base, const std::string& path, IBaseUi& ui, const std::vector<bool>* skipped,
          std::vector<uint32_t>* written) {
    std::string error;
    TBaseWriteLock lock;
    // A save that leaves games out removes them: the file before it is kept apart as well.
    if (lock.Lock(path, error)) {
        const std::vector<TOrderItem> order = FileOrder(base, skipped);
        if (WriteFileReplacing(
                path, OrderedLines(base, order), error,
                TReplaceOptions{.KeepPrevious = true, .KeepBeforeRemoval = skipped != nullptr})) {
            if (written) {
                written->clear();
                written->reserve(order.size());
                for (const TOrderItem& item : order) written->push_back(item.Game());
            }
            return true;
        }
    }
    ui.ShowError(error);
    return false;
}

}  // namespace

bool SaveBase(const TBaseGames& base, const std::string& path, IBaseUi& ui, std::vector<uint32_t>* order) {
    return Save(base, path, ui, nullptr, order);
}

bool SaveBase(const TBaseGames& base, const std::string& path, IBaseUi& ui, const std::vector<bool>& skipped,
              std::vector<uint32_t>* order) {
    return Save(base, path, ui, &skipped, order);
}

std::string SaveAsName(std::string chosen) {
    if (chosen.find(".bdt") == std::string::npos) chosen += ".bdt";
    return chosen;
}

bool CopyBaseFile(const std::string& from, const std::string& to, std::string& error) {
    TBaseWriteLock lock;
    if (!lock.Lock(to, error)) return false;
    const TReplaceOptions keep{.KeepPrevious = true};
    struct stat info {};
    if (stat(from.c_str(), &info) != 0) return WriteFileReplacing(to, std::string_view(), error, keep);
    TFileReader file;
    if (!file.Open(from, error)) return false;
    // A few megabytes at a time; a read that fails leaves the target as it was.
    return WriteFileReplacing(
        to,
        [&file](std::string& piece) {
            piece.clear();
            std::string readError;
            const std::optional<size_t> n = file.Read(piece, LoadPieceBytes, readError);
            if (!n) throw TPieceFailure(readError);
            return *n > 0;
        },
        error, keep);
}

}  // namespace kalvon
