// What the fuzz targets of the import readers share: a sink that checks every game a reader hands
// and every refusal, aborting on a broken property so that libFuzzer keeps the input.
#pragma once

#include <optional>
#include <string>
#include <unordered_set>

#include "base/BaseLine.h"
#include "base/PointCodes.h"
#include "base/TextPolicy.h"
#include "exchange/ImportedGame.h"
#include "fuzz/FuzzCheck.h"

namespace kalvon::fuzz {

class TCheckingSink final : public IImportSink {
public:
    TCheckingSink(char prefix, std::string file) : Prefix_(prefix), File_(std::move(file)) {}

    bool Game(TImportedGame&& game) override {
        KALVON_FUZZ_CHECK(game.Moves.size() % 2 == 0);
        std::unordered_set<std::string> points;
        for (size_t at = 0; at < game.Moves.size(); at += 2) {
            const std::string point = game.Moves.substr(at, 2);
            KALVON_FUZZ_CHECK(IsPointCode(point));
            KALVON_FUZZ_CHECK(points.insert(point).second);
        }
        KALVON_FUZZ_CHECK(!game.Board.empty() && game.Board[0] == Prefix_);
        KALVON_FUZZ_CHECK(!CheckBaseField("board", game.Board));
        for (const std::string* text : {&game.Black, &game.White, &game.Alt}) {
            KALVON_FUZZ_CHECK(!text->empty());
            KALVON_FUZZ_CHECK(!CheckBaseField("text", *text));
            // The import writes a name in the code page only when every character has its byte there
            // (else it asks to transliterate): never a stand-in for a character it cannot hold.
            if (const std::optional<std::string> bytes = TextPolicy().FromUtf8(*text))
                KALVON_FUZZ_CHECK(TextPolicy().ToUtf8(*bytes) == *text);
        }
        KALVON_FUZZ_CHECK(IsImportedYear(game.Year));
        KALVON_FUZZ_CHECK(std::string_view("+-=Ff?").find(game.Result) != std::string_view::npos);
        ++Games;
        return true;
    }
    void Refused(TImportRefusal&& refusal) override {
        KALVON_FUZZ_CHECK(refusal.File == File_);
        KALVON_FUZZ_CHECK(!refusal.Reason.empty());
        KALVON_FUZZ_CHECK(!ImportRefusalText(refusal).empty());
    }

    size_t Games = 0;

private:
    char Prefix_;
    std::string File_;
};

}  // namespace kalvon::fuzz
