#include "app/cli/CliExchange.h"

#include <algorithm>
#include <iostream>

#include "app/cli/CliStat.h"
#include "app/cli/CliUsage.h"
#include "base/TextPolicy.h"
#include "exchange/FolderCommands.h"
#include "exchange/MailReader.h"
#include "exchange/NotificationReader.h"
#include "exchange/NotificationWriter.h"
#include "search/Statistic.h"

namespace kalvon::cli {

namespace {

// A run that was done ends with its summary on standard error, where the tool's messages go.
int FolderExitStatus(std::string_view command, const TFolderRun& run) {
    if (run.Status != TFolderRunStatus::Done) return ExitFailure;
    std::cerr << ToTerminal(FolderRunSummary(command, run)) << '\n';
    return ExitOk;
}

// The base and the mailbox of "add" and "update": BASE [--mail PATH]; false when they are not that.
bool BaseAndMail(const TArguments& args, std::string& base, std::optional<std::string>& mail) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--mail" && i + 1 < args.size() && !mail)
            mail = args[++i];
        else if (args[i].starts_with("--") || !base.empty())
            return false;
        else
            base = args[i];
    }
    return !base.empty();
}

// A refusal on standard error: the path came from the terminal, only the text is in the code page.
void ShowRefusal(TNotificationError error) {
    error.Text = ToTerminal(error.Text);
    std::cerr << NotificationErrorText(error) << '\n';
}

// Every notification of a mailbox: its message's number, a tab, its base line.
int RunReadMail(const std::string& path) {
    const TMailRead read = ReadMail(path, TMailProgress(), true);
    if (read.Error) {
        ShowRefusal(*read.Error);
        return ExitFailure;
    }
    for (const TMailNotification& notification : read.Notifications)
        std::cout << notification.Message << '\t' << ToTerminal(notification.BaseLine) << '\n';
    return ExitOk;
}

}  // namespace

int RunRead(const TArguments& args) {
    if (args.empty() || (args[0] == "--mail" && args.size() != 2)) return BadArguments(Usage("read"));
    if (args[0] == "--mail") return RunReadMail(args[1]);
    int status = ExitOk;
    for (const std::string& file : args) {
        const TNotificationRead read = ReadNotificationFile(file);
        if (read.Error) {
            ShowRefusal(*read.Error);
            status = ExitFailure;
            continue;
        }
        std::cout << ToTerminal(read.BaseLine) << '\n';
    }
    return status;
}

int RunAdd(const TArguments& args) {
    std::string basePath;
    std::optional<std::string> mail;
    if (!BaseAndMail(args, basePath, mail)) return BadArguments(Usage("add"));
    TGameBase base;
    TCliUi ui;
    return FolderExitStatus("Add New Games", mail ? AddPartysFromMail(base, basePath, *mail, ui)
                                                  : AddPartysFromFolder(base, basePath, ".", ui));
}

int RunUpdate(const TArguments& args) {
    std::string basePath;
    std::optional<std::string> mail;
    if (!BaseAndMail(args, basePath, mail)) return BadArguments(Usage("update"));
    TCliUi ui;
    return FolderExitStatus("Update Games", mail ? UpdatePartysFromMail(basePath, *mail, ui)
                                                 : UpdatePartysFromFolder(basePath, ".", ui));
}

int RunWrite(const TArguments& args) {
    // --strict may stand anywhere after the moves; the rest are the query's options.
    TArguments query;
    bool strict = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (i >= 2 && args[i] == "--strict")
            strict = true;
        else
            query.push_back(args[i]);
    }
    TGameBase base;
    if (const int status = ListPositionGames(query, Usage("write"), base); status != ExitOk) return status;
    TCliUi ui;
    const TWrittenNotifications written = WriteNotifications(base, ".", ui, strict);
    // Each path as the file system holds it: a UTF-8 terminal shows the same name as ls.
    for (const std::string& path : written.Paths) std::cout << ShowTerminalControls(ShownPath(path)) << '\n';
    for (const std::string& note : written.Notes) std::cerr << "kalvon-cli: " << ToTerminal(note) << '\n';
    for (const std::string& game : written.NotCarried) {
        // "<path>: <reason>": the path as above, the reason's names in the code page.
        const auto path = std::ranges::find_if(
            written.Paths, [&](const std::string& p) { return game.starts_with(p + ": "); });
        const size_t cut = path == written.Paths.end() ? 0 : path->size();
        std::cerr << "kalvon-cli: not carried exactly: "
                  << ShowTerminalControls(ShownPath(game.substr(0, cut)))
                  << ToTerminal(std::string_view(game).substr(cut)) << '\n';
    }
    return written.Ok ? ExitOk : ExitFailure;
}

int ListPositionGames(const TArguments& query, const std::string& usage, TGameBase& base) {
    if (query.size() < 2) return BadArguments(usage);
    std::string error;
    const std::optional<std::string> moves = ParseMovesArgument(query[1], error);
    if (!moves) return BadArguments(error);
    TQueryOptions options;
    if (std::string problem = ReadQueryOptions(query, options); !problem.empty())
        return BadArguments(problem);
    if (options.Listing) return BadArguments("unknown option --listing");

    if (!LoadBaseForCommand(base, query[0])) return ExitFailure;
    TQueryCriteria criteria;
    if (std::string message = BuildCriteria(base, query[0], options, criteria); !message.empty())
        return Failure(message);
    base.CurrentMoves = *moves;
    TPositionIndex index;
    MakeStatistic(base, criteria, index);
    return ExitOk;
}

}  // namespace kalvon::cli
