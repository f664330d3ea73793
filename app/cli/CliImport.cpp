#include "app/cli/CliImport.h"

#include <sys/stat.h>

#include <charconv>
#include <iostream>

#include "app/cli/CliExchange.h"
#include "app/cli/CliUsage.h"
#include "base/BaseRecode.h"
#include "base/SettingsFile.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"
#include "exchange/GameImport.h"
#include "exchange/SgfWriter.h"

namespace kalvon::cli {

namespace {

// The import's texts are UTF-8 already: only their control characters are shown, never obeyed.
void PrintUtf8(std::ostream& stream, std::string_view text) {
    stream << ShowTerminalControls(text) << '\n';
}

// Answers the question about names from --transliterate, and keeps what it was asked.
class TCliImportUi final : public IImportUi {
public:
    explicit TCliImportUi(bool transliterate) : Transliterate_(transliterate) {}
    void ShowMessage(const std::string& text) override { PrintUtf8(std::cerr, text); }
    bool AskTransliterate(size_t count, const std::vector<std::string>& firstNames) override {
        Count = count;
        FirstNames = firstNames;
        return Transliterate_;
    }
    size_t Count = 0;
    std::vector<std::string> FirstNames;

private:
    bool Transliterate_;
};

// Why the import stopped at names the code page cannot hold, and the two ways on.
std::string UnwritableNamesMessage(const TCliImportUi& ui) {
    std::string names;
    for (const std::string& name : ui.FirstNames)
        names += Concat({names.empty() ? "" : ", ", QuoteShort(name)});
    if (ui.Count > ui.FirstNames.size()) names += ", ...";
    constexpr std::string_view WaysOn =
        ". Nothing was imported. Pass --transliterate to write them in Latin letters, or rewrite the base "
        "into "
        "a code page that holds them with \"kalvon-cli recode BASE OUT --to CODEPAGE\" and set \"";
    return Concat({"kalvon-cli: ", std::to_string(ui.Count), ui.Count == 1 ? " name" : " names",
                   " cannot be written in ", TextPolicy().CodePage(), ": ", names, WaysOn, CodePageKey,
                   "\" in [", ParametersSection, "] of ", SettingsPath, " to that code page."});
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

int RunImport(const TArguments& args) {
    TImportOptions options;
    bool transliterate = false;
    TArguments paths;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--transliterate") {
            transliterate = true;
        } else if (args[i] == "--year") {
            if (i + 1 == args.size()) return BadArguments(Usage("import"));
            const std::string& text = args[++i];
            int year = 0;
            const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), year);
            if (problem != std::errc() || end != text.data() + text.size() || year < 1 || year > 9999)
                return BadArguments("--year needs a year from 1 to 9999, not " + QuoteArgument(text));
            options.PsqYear = year;
        } else if (args[i].starts_with("--")) {
            return BadArguments("unknown option " + QuoteArgument(args[i]));
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.size() < 2) return BadArguments(Usage("import"));
    std::vector<std::string> files;
    for (size_t i = 1; i < paths.size(); ++i) {
        if (!IsFolder(paths[i])) {
            files.push_back(paths[i]);
            continue;
        }
        const std::vector<std::string> inFolder = ImportableFiles(paths[i]);
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    TCliImportUi ui(transliterate);
    const TImportRun run = ImportGames(paths[0], files, options, ui);
    if (run.Status == TImportStatus::Cancelled && ui.Count > 0) return Failure(UnwritableNamesMessage(ui));
    if (run.Status != TImportStatus::Done) return ExitFailure;
    for (const TImportRefusal& refusal : run.Skipped) PrintUtf8(std::cerr, ImportRefusalText(refusal));
    for (const std::string& note : run.Notes) PrintUtf8(std::cerr, note);
    PrintUtf8(std::cout, ImportRunSummary(run));
    return ExitOk;
}

int RunExportSgf(const TArguments& args) {
    if (args.size() < 3) return BadArguments(Usage("export-sgf"));
    const std::string& out = args.back();
    TGameBase& base = UntilExit<TGameBase>();
    const TArguments query(args.begin(), args.end() - 1);
    if (const int status = ListPositionGames(query, Usage("export-sgf"), base); status != ExitOk)
        return status;
    std::string error;
    if (out.ends_with('/') || IsFolder(out)) {
        std::vector<std::string> written, notes;
        const bool ok = WriteSgfFiles(out, base, base.Listing, written, error, &notes);
        for (const std::string& path : written) PrintUtf8(std::cout, path);
        for (const std::string& note : notes) PrintUtf8(std::cerr, "kalvon-cli: " + note);
        return ok ? ExitOk : Failure("kalvon-cli: " + ShowTerminalControls(error));
    }
    if (!WriteSgfCollection(out, base, base.Listing, error))
        return Failure("kalvon-cli: " + ShowTerminalControls(error));
    const size_t count = base.Listing.size();
    PrintUtf8(std::cout,
              Concat({std::to_string(count), count == 1 ? " game" : " games", " written to ", out}));
    return ExitOk;
}

int RunRecode(const TArguments& args) {
    if (args.size() != 4) return BadArguments(Usage("recode"));
    TArguments paths;
    std::string codePage;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--to" && i + 1 < args.size() && codePage.empty())
            codePage = args[++i];
        else
            paths.push_back(args[i]);
    }
    if (paths.size() != 2 || codePage.empty() || paths[0].starts_with("--") || paths[1].starts_with("--"))
        return BadArguments(Usage("recode"));
    std::string error;
    if (!RecodeBase(paths[0], paths[1], codePage, error))
        return Failure("kalvon-cli: " + ShowTerminalControls(error));
    return ExitOk;
}

}  // namespace kalvon::cli
