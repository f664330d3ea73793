// "Import Games": RenjuNet databases (.rif), Gomocup records (.psq) and SGF files (.sgf) into a base
// file, written once, sorted, under the base's lock and with its .bak.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/BaseUi.h"
#include "exchange/ImportedGame.h"

namespace kalvon {

// What an import needs from whoever shows things to the user.
class IImportUi : public IBaseUi {
public:
    // Asked once, after all files are read, when names cannot be written in the code page: true
    // transliterates them (ICU "Any-Latin; Latin-ASCII"), false cancels the import. count is the
    // number of distinct such names, firstNames the first few of them (UTF-8).
    virtual bool AskTransliterate(size_t count, const std::vector<std::string>& firstNames) = 0;
    // Called as files are read: the file being read and the games read so far; false cancels.
    virtual bool ImportProgress(const std::string& /*file*/, size_t /*gamesRead*/) { return true; }
};

struct TImportOptions {
    std::optional<int> PsqYear;  // the year of .psq games; else the year of each file's date
};

enum class TImportStatus {
    Done,       // the base file was rewritten (or nothing was to be imported)
    Cancelled,  // the user cancelled: nothing written
    Failed,     // a file could not be read or the base not written (message shown): nothing written
};

struct TImportRun {
    TImportStatus Status = TImportStatus::Done;
    size_t FilesRead = 0;
    size_t GamesAdded = 0;     // games appended
    size_t GamesReplaced = 0;  // games of an earlier import of theirs replaced
    size_t NamesTransliterated = 0;
    std::vector<TImportRefusal> Skipped;  // every game not imported, with its reason
    std::vector<std::string> Notes;       // texts changed on the way in, names transliterated
    bool ReloadDue = false;               // the base file was rewritten: the caller loads it again
};

// The closing message: files read, games added, replaced and skipped (with the first reasons), names
// transliterated.
std::string ImportRunSummary(const TImportRun& run);

// The files of a folder that an import reads (.rif, .psq, .sgf, letter case ignored), in the folder
// commands' order, as full paths.
std::vector<std::string> ImportableFiles(const std::string& folder);

// Reads the files (the format by extension, letter case ignored) and merges their games into the base
// file at basePath (a missing file counts as empty): a game whose key (FoldedKey, which pads and trims
// as the loader does) is new is appended; one whose key is held by a line whose board code begins with the
// same prefix letter is replaced (a re-import); one whose key is held by any other game is skipped, so the
// user's own games are never replaced. A game whose name the code page cannot hold is transliterated
// when the user agrees (ui.AskTransliterate), else the import is cancelled. Nothing is written unless
// the whole run succeeds.
TImportRun ImportGames(const std::string& basePath, const std::vector<std::string>& files,
                       const TImportOptions& options, IImportUi& ui);

}  // namespace kalvon
