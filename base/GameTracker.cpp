#include "base/GameTracker.h"

#include <deque>
#include <optional>

#include "base/BaseLine.h"

namespace kalvon {

namespace {

std::string KeyOf(const TPartyRecord& game) {
    return std::string(std::string_view(game.Year)) + '\n' + std::string(std::string_view(game.Board));
}

// Hands out the remembered games by text: each text's games in the order they were remembered.
class TWaiting {
public:
    void Add(const std::string& text, size_t remembered) { Waiting_[text].push_back(remembered); }
    bool Empty() const { return Waiting_.empty(); }
    // The next remembered game of that text, or none.
    std::optional<size_t> Take(const std::string& text) {
        const auto found = Waiting_.find(text);
        if (found == Waiting_.end()) return std::nullopt;
        const size_t remembered = found->second.front();
        found->second.pop_front();
        if (found->second.empty()) Waiting_.erase(found);
        return remembered;
    }

private:
    std::unordered_map<std::string, std::deque<size_t>> Waiting_;
};

}  // namespace

TGameTracker::TGameTracker(const TBaseGames& base, const std::vector<uint32_t>& positions) {
    for (const uint32_t position : positions) {
        if (position >= base.PartyList.size()) {
            Lines_.emplace_back();
            Keys_.emplace_back();
            continue;
        }
        const TPartyRecord& game = base.PartyList[position];
        Lines_.push_back(FormatBaseLine(base, game));
        Keys_.push_back(KeyOf(game));
    }
}

std::vector<uint32_t> TGameTracker::Find(const TBaseGames& base) const {
    std::vector<uint32_t> found(Lines_.size(), NoGame);
    TWaiting byLine;
    for (size_t i = 0; i < Lines_.size(); ++i)
        if (!Lines_[i].empty()) byLine.Add(Lines_[i], i);
    if (byLine.Empty()) return found;
    std::vector<bool> taken(base.PartyList.size(), false);
    std::string line;
    for (size_t g = 0; g < base.PartyList.size() && !byLine.Empty(); ++g) {
        line.clear();
        AppendBaseLine(line, base, base.PartyList[g]);
        if (const std::optional<size_t> remembered = byLine.Take(line)) {
            found[*remembered] = uint32_t(g);
            taken[g] = true;
        }
    }
    // A game another command changed (an update of its later turns) keeps its year and board.
    TWaiting byKey;
    for (size_t i = 0; i < Keys_.size(); ++i)
        if (found[i] == NoGame && !Keys_[i].empty()) byKey.Add(Keys_[i], i);
    for (size_t g = 0; g < base.PartyList.size() && !byKey.Empty(); ++g)
        if (!taken[g])
            if (const std::optional<size_t> remembered = byKey.Take(KeyOf(base.PartyList[g])))
                found[*remembered] = uint32_t(g);
    return found;
}

}  // namespace kalvon
