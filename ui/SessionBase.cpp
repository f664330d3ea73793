// The session's commands over the open base: opening and reading it again, storing and deleting
// games, the folder commands and imports, "Save as ..." and the previous generation. After each
// rewrite the games in memory stand in the file's order and what the program points at follows them.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "base/BaseEdits.h"
#include "base/BaseUi.h"
#include "base/BaseWritable.h"
#include "base/GameTexts.h"
#include "base/GameTracker.h"
#include "base/PartyEntry.h"
#include "base/PreviousBase.h"
#include "base/SafeFile.h"
#include "base/TextPolicy.h"
#include "exchange/SgfWriter.h"
#include "ui/DialogService.h"
#include "ui/RecentBases.h"
#include "ui/Session.h"
#include "ui/ShownText.h"

namespace {

// Gathers the messages of a load, to be shown in one box at its end, and keeps the progress shown
// when the load ends, so that the search index is sorted while the user still sees the loading
// progress. Errors of the file operations pass on at once.
class TLoadUi final : public kalvon::IBaseUi {
public:
    explicit TLoadUi(TEngineUi& ui) : Ui_(ui) {}
    void ShowMessage(const std::string& text) override { Lines.append(Ui_.Shown(text)); }
    void ShowError(const std::string& text) override { Ui_.ShowError(text); }
    void ShowEmptyResult(const std::string& path, size_t lineNumber) override {
        Lines.append(
            QStringLiteral("File %1, line %2: the result is empty; the game is read as not finished.")
                .arg(Ui_.Shown(path))
                .arg(lineNumber));
    }
    void ProgressShow() override { Ui_.ProgressShow(); }
    void ProgressSetPosition(int percent) override { Ui_.ProgressSetPosition(percent); }
    void ProgressHide() override { HideAsked = true; }
    void FolderProgress(size_t filesRead, size_t filesToRead) override {
        Ui_.FolderProgress(filesRead, filesToRead);
    }

    bool HideAsked = false;
    QStringList Lines;

private:
    TEngineUi& Ui_;
};

// A folder command that did not run: nothing read or written.
kalvon::TFolderRun RunNotDone() {
    kalvon::TFolderRun run;
    run.Status = kalvon::TFolderRunStatus::Failed;
    return run;
}

// The distinct games the Listing names, ascending.
std::vector<uint32_t> ListedGames(const kalvon::TGameBase& base) {
    std::vector<uint32_t> games;
    for (const int32_t game : base.Listing)
        if (game >= 0 && size_t(game) < base.PartyList.size()) games.push_back(uint32_t(game));
    std::sort(games.begin(), games.end());
    games.erase(std::unique(games.begin(), games.end()), games.end());
    return games;
}

}  // namespace

void TSession::SetBasePath(const QString& path) {
    BasePath_ = path;
    WriteRefusal_ = kalvon::BaseWriteRefusal(LocalPath(WorkPath(path)));
    emit BasePathChanged(BasePath_);
}

void TSession::ClearLists() {
    const bool editing = Base_.EditMode;
    kalvon::ClearLists(Base_);
    Criteria_.SwitchOff();
    NulLine_ = 0;
    BaseFile_ = {};
    LoadReport_ = {};
    if (editing) emit EditModeChanged(false);
    emit CriteriaChanged();
    emit BaseChanged();
    emit ListingChanged();
    // The browsing windows show what a search found; without the statistics none follows.
    if (!StatisticShown_) CloseBrowsers();
    FollowStatistic(TListingRule::Keep);
}

bool TSession::LoadBase(const QString& path, QWidget* asker, bool reloading, bool quiet) {
    const TEngineUi::TAsker asking(EngineUi_, asker);
    TLoadUi ui(EngineUi_);
    // A code page chosen in the settings since comes in force with this load.
    if (SettingsCodePage() != kalvon::TextPolicy().CodePage())
        if (const std::optional<std::string> warning = kalvon::ApplySettingsCodePage(Settings_.ParameterList))
            Dialogs_.Warning(asker, Shown(*warning));
    emit BaseLoading(reloading);
    kalvon::TLoadReport report;
    // The index of the games held before is built anew after the load; it gives its memory back first.
    Index_ = kalvon::TPositionIndex();
    const bool read = kalvon::LoadBase(Base_, LocalPath(WorkPath(path)), ui, report);
    NulLine_ = report.NulLine;
    BaseFile_ = report.Identity;
    LoadReport_ = report;
    Index_.Refresh(Base_);
    if (ui.HideAsked) EngineUi_.ProgressHide();
    // The load says what it met in one box: the first empty results line by line, then the rest.
    if (!quiet && !ui.Lines.isEmpty()) Dialogs_.Information(asker, ui.Lines.join(QLatin1Char('\n')));
    SetBasePath(path);
    return read;
}

bool TSession::OpenBase(const QString& path, QWidget* asker) {
    // A file that will not be read leaves the open base open.
    if (const std::optional<std::string> refusal = kalvon::ReadRefusal(LocalPath(WorkPath(path)))) {
        Dialogs_.Error(asker, Shown(*refusal));
        return false;
    }
    ClearLists();
    const bool read = LoadBase(path, asker, false, false);
    emit BaseChanged();
    emit ListingChanged();
    if (QFileInfo(WorkPath(path)).isFile()) RememberBase(WorkPath(path));
    FollowStatistic(TListingRule::Rebuild);
    SetStatusMessage(
        QStringLiteral("%1: %2").arg(BaseName(path), Counted(Base_.PartyList.size(), "game", "games")));
    // Said now, before a game is typed for it; "Save as ..." still writes the games elsewhere.
    if (read && WriteRefusal_)
        Dialogs_.Information(asker, Shown(*WriteRefusal_) +
                                        QStringLiteral("\nIt is open read-only: \"Save as ...\" writes its "
                                                       "games to another file."));
    return read;
}

void TSession::NewScratchBase(QWidget* asker) {
    SetBasePath(QString::fromLatin1(ScratchBase));
    const std::optional<size_t> setAside = SetAsideScratchBase(asker);
    ClearLists();
    CloseBrowsers();
    SetStatusMessage(setAside && *setAside > 0
                         ? QStringLiteral("New.bdt: a new base; its %1 are kept as generation 1")
                               .arg(Counted(*setAside, "game", "games"))
                         : QStringLiteral("New.bdt: a new base"));
}

// ---------------------------------------------------------------------------------------------
// The games the program points at, after a command

void TSession::FollowNewPositions(const std::vector<uint32_t>& newPosition, TListingRule rule) {
    const size_t listed = Base_.Listing.size();
    // The engine's own rewrites renumbered the Listing already; a file read again did not.
    std::erase_if(Base_.Listing,
                  [&](int32_t game) { return game < 0 || size_t(game) >= Base_.PartyList.size(); });
    emit GamesRenumbered(newPosition);
    if (Base_.Listing.size() != listed)
        emit ListingChanged();
    else
        emit PartiesChanged();
    FollowStatistic(rule);
}

void TSession::FollowGamesSince(uint64_t generation, size_t size, TListingRule rule) {
    const std::optional<std::vector<uint32_t>> moved = kalvon::PositionsSince(Base_, generation, size);
    FollowNewPositions(moved.value_or(std::vector<uint32_t>(size, kalvon::NoGame)), rule);
}

void TSession::FollowRewrittenFile(QWidget* asker, bool quiet) {
    // The selection is searched anew while the statistics are shown; otherwise it is found again.
    std::vector<uint32_t> tracked = StatisticShown_ ? std::vector<uint32_t>() : ListedGames(Base_);
    const long current = Base_.CurrentParty;
    if (current >= 0 && size_t(current) < Base_.PartyList.size()) tracked.push_back(uint32_t(current));
    const kalvon::TGameTracker tracker(Base_, tracked);
    const kalvon::TListing listing = StatisticShown_ ? kalvon::TListing() : Base_.Listing;
    const size_t oldSize = Base_.PartyList.size();
    const bool editing = Base_.EditMode;
    // The query names its players by number: they are found again by name.
    const std::optional<std::string> player =
        Criteria_.PlayerId != 0 ? std::optional(kalvon::PlayerName(Base_, Criteria_.PlayerId)) : std::nullopt;
    const std::optional<std::string> opponent =
        Criteria_.OpponentId != 0 ? std::optional(kalvon::PlayerName(Base_, Criteria_.OpponentId))
                                  : std::nullopt;

    kalvon::ClearLists(Base_);
    LoadBase(BasePath_, asker, true, quiet);
    emit BaseChanged();

    const std::vector<uint32_t> found = tracker.Find(Base_);
    std::vector<uint32_t> newPosition(oldSize, kalvon::NoGame);
    for (size_t i = 0; i < tracked.size(); ++i) newPosition[tracked[i]] = found[i];
    for (const int32_t game : listing)
        if (game >= 0 && size_t(game) < oldSize && newPosition[size_t(game)] != kalvon::NoGame)
            Base_.Listing.push_back(int32_t(newPosition[size_t(game)]));
    if (current >= 0 && size_t(current) < oldSize && newPosition[size_t(current)] != kalvon::NoGame) {
        Base_.CurrentParty = long(newPosition[size_t(current)]);
        Base_.EditMode = editing;
    }
    if (editing && !Base_.EditMode) emit EditModeChanged(false);
    Criteria_.PlayerId = player ? Base_.PlayerCatalogue.IdOf(*player) : 0;
    Criteria_.OpponentId = opponent ? Base_.PlayerCatalogue.IdOf(*opponent) : 0;
    if ((Criteria_.PlayerOn && Criteria_.PlayerId == 0) ||
        (Criteria_.OpponentOn && Criteria_.OpponentId == 0))
        Criteria_.SwitchOff();
    emit CriteriaChanged();
    emit GamesRenumbered(newPosition);
    emit ListingChanged();
    FollowStatistic(TListingRule::Rebuild);
}

// ---------------------------------------------------------------------------------------------
// Commands that write over the open base

bool TSession::MaySaveOverBase(QWidget* asker) {
    if (!MaySaveOverDamagedLines(asker)) return false;
    if (NulLine_ == 0) return true;
    const QString question =
        QStringLiteral(
            "File %1 ended at a NUL byte in line %2 when it was loaded; saving it now drops the "
            "lines after it for good.\nSave it all the same?")
            .arg(BasePath_)
            .arg(NulLine_);
    if (!Dialogs_.ConfirmDefaultNo(asker, question)) return false;
    NulLine_ = 0;
    return true;
}

bool TSession::MaySaveOverDamagedLines(QWidget* asker) {
    if (LoadReport_.DamagedLines == 0) return true;
    const QString question = QStringLiteral("%1. Saving rewrites them as shown. Save anyway?")
                                 .arg(Shown(kalvon::DamagedLinesText(LoadReport_)));
    if (!Dialogs_.ConfirmDefaultNo(asker, question)) return false;
    // The user has agreed to the lines as shown: the next save need not ask again.
    LoadReport_.DamagedLines = 0;
    LoadReport_.FirstDamaged.clear();
    return true;
}

bool TSession::SaveGame(const kalvon::TPartyEntry& entry, bool asNewGame, QWidget* asker,
                        bool replaceKeyHolder) {
    const TEngineUi::TAsker asking(EngineUi_, asker);
    if (!MaySaveOverBase(asker)) return false;
    const auto keyHolder = [&] {
        return kalvon::GameWithKey(Base_, entry.Year, entry.Board,
                                   Base_.EditMode && !asNewGame ? Base_.CurrentParty : kalvon::NoParty);
    };
    long over = Base_.EditMode && !asNewGame ? Base_.CurrentParty : kalvon::NoParty;
    if (replaceKeyHolder) over = keyHolder();
    kalvon::TBaseWriteLock lock;
    if (!LockBaseForStore(lock, over, asker)) return false;
    // A file read again holds the key's game at its own place.
    if (replaceKeyHolder) over = keyHolder();
    const uint64_t generation = Base_.PartyListGeneration;
    const size_t size = Base_.PartyList.size();
    const long position =
        kalvon::StorePartyEntry(Base_, entry, Base_.CurrentMoves, over, OpenBaseFile(), EngineUi_);
    if (position == kalvon::NoParty) return false;
    RememberBaseFile();
    Base_.CurrentParty = position;
    SetEditMode(true);
    // The memo counts the stored game; the Listing stays, renumbered.
    FollowGamesSince(generation, size, TListingRule::Keep);
    const kalvon::TPartyRecord& stored = Base_.PartyList[size_t(position)];
    SetStatusMessage(QStringLiteral("Saved game %1, %2 as game %3")
                         .arg(CodePageText(stored.Year), CodePageText(stored.Board).trimmed())
                         .arg(position + 1));
    return true;
}

bool TSession::ReplaceGame(long position, kalvon::TPartyRecord game) {
    if (!kalvon::ReplaceParty(Base_, position, std::move(game))) return false;
    emit PartiesChanged();
    FollowStatistic(TListingRule::Keep);
    return true;
}

bool TSession::DeleteListed(QWidget* asker) {
    const TEngineUi::TAsker asking(EngineUi_, asker);
    if (!MaySaveOverBase(asker)) return false;
    kalvon::TBaseWriteLock lock;
    if (!LockSeenBaseOrReload(lock, asker)) return false;
    const bool editing = Base_.EditMode;
    const uint64_t generation = Base_.PartyListGeneration;
    const size_t size = Base_.PartyList.size();
    if (!kalvon::DeleteListedParties(Base_, OpenBaseFile(), EngineUi_)) return false;
    RememberBaseFile();
    if (editing && !Base_.EditMode) emit EditModeChanged(false);
    emit BaseChanged();
    // The deleted games leave the Listing empty.
    emit ListingChanged();
    FollowGamesSince(generation, size, TListingRule::Rebuild);
    SetStatusMessage(
        QStringLiteral("Deleted %1").arg(Counted(size - Base_.PartyList.size(), "game", "games")));
    return true;
}

kalvon::TFolderRun TSession::FollowFolderRun(const kalvon::TFolderRun& run, QWidget* asker) {
    if (run.Status == kalvon::TFolderRunStatus::Done) RememberBaseFile();
    if (run.ReloadDue || run.StatisticsDue) FollowRewrittenFile(asker, true);
    return run;
}

kalvon::TFolderRun TSession::AddNewGames(QWidget* asker) {
    const TEngineUi::TAsker asking(EngineUi_, asker);
    kalvon::TBaseWriteLock lock;
    if (!LockSeenBaseOrReload(lock, asker)) return RunNotDone();
    // The run adds the new games to memory and writes the file sorted; memory then reads the file.
    // A refused run leaves both as they were.
    return FollowFolderRun(kalvon::AddPartysFromFolder(Base_, OpenBaseFile(), WorkFolderPath(), EngineUi_),
                           asker);
}

kalvon::TFolderRun TSession::UpdateGames(QWidget* asker) {
    const TEngineUi::TAsker asking(EngineUi_, asker);
    kalvon::TBaseWriteLock lock;
    if (!LockSeenBaseOrReload(lock, asker)) return RunNotDone();
    return FollowFolderRun(kalvon::UpdatePartysFromFolder(OpenBaseFile(), WorkFolderPath(), EngineUi_),
                           asker);
}

kalvon::TFolderRun TSession::UpdateFromMail(const QString& mailbox, QWidget* asker) {
    const TEngineUi::TAsker asking(EngineUi_, asker);
    kalvon::TBaseWriteLock lock;
    if (!LockSeenBaseOrReload(lock, asker)) return RunNotDone();
    return FollowFolderRun(kalvon::UpdatePartysFromMail(OpenBaseFile(), LocalPath(mailbox), EngineUi_),
                           asker);
}

kalvon::TImportRun TSession::ImportGames(const QStringList& files, const kalvon::TImportOptions& options,
                                         kalvon::IImportUi& ui, QWidget* asker) {
    const TEngineUi::TAsker asking(EngineUi_, asker);
    kalvon::TBaseWriteLock lock;
    if (!LockSeenBaseOrReload(lock, asker)) {
        kalvon::TImportRun run;
        run.Status = kalvon::TImportStatus::Failed;
        return run;
    }
    std::vector<std::string> paths;
    for (const QString& file : files) paths.push_back(LocalPath(file));
    kalvon::TImportRun run = kalvon::ImportGames(OpenBaseFile(), paths, options, ui);
    if (run.Status == kalvon::TImportStatus::Done) RememberBaseFile();
    if (run.ReloadDue) FollowRewrittenFile(asker, true);
    return run;
}

bool TSession::ExportSgf(const QString& path, bool filePerGame, std::vector<std::string>& written,
                         QWidget* asker) {
    std::string error;
    const bool done = filePerGame
                          ? kalvon::WriteSgfFiles(LocalPath(path), Base_, Base_.Listing, written, error)
                          : kalvon::WriteSgfCollection(LocalPath(path), Base_, Base_.Listing, error);
    if (!done) Dialogs_.Error(asker, Shown(error));
    if (done && !filePerGame) written.push_back(LocalPath(path));
    return done;
}

kalvon::TWrittenNotifications TSession::WriteNotifications(QWidget* asker) {
    const TEngineUi::TAsker asking(EngineUi_, asker);
    return kalvon::WriteNotifications(Base_, WorkFolderPath(), EngineUi_);
}

std::optional<size_t> TSession::SetAsideScratchBase(QWidget* asker) {
    const std::string path = LocalPath(WorkPath(QString::fromLatin1(ScratchBase)));
    // Another program of this folder keeps its games in it: the file is its own, and stays.
    if (!ScratchClaim_.Claim(path)) return 0;
    std::string error;
    const std::optional<size_t> games = kalvon::SetAsideScratchBase(path, error);
    // A scratch base that survives would be saved over by the first change: say so.
    if (!games) Dialogs_.Error(asker, Shown(error));
    return games;
}

size_t TSession::ScratchBaseGames() const {
    if (BasePath_ == QLatin1String(ScratchBase)) return Base_.PartyList.size();
    std::string error;
    const std::optional<kalvon::TBaseFileFacts> facts =
        kalvon::BaseFileFacts(LocalPath(WorkPath(QString::fromLatin1(ScratchBase))), error);
    return facts ? facts->Games : 0;
}

// ---------------------------------------------------------------------------------------------
// Other writers of the open base

void TSession::RememberBaseFile() {
    BaseFile_ = kalvon::CurrentIdentity(OpenBaseFile());
}

TSession::TBaseOnDisk TSession::LockSeenBase(kalvon::TBaseWriteLock& lock, const QString& reloadButton,
                                             const QString& offer, QWidget* asker) {
    const std::string path = OpenBaseFile();
    std::string error;
    if (!lock.Lock(path, error)) {
        Dialogs_.Error(asker, Shown(error));
        return TBaseOnDisk::Refused;
    }
    if (kalvon::UnchangedSince(BaseFile_, path)) return TBaseOnDisk::Seen;
    // Other writers must not wait for the user.
    lock.Unlock();
    const QString what =
        kalvon::CurrentIdentity(path).Exists
            ? QStringLiteral(
                  "File %1 was changed by another program since it was read here; writing "
                  "it from here now would lose those changes.")
                  .arg(BasePath_)
            : QStringLiteral(
                  "File %1 was deleted or renamed by another program since it was read here. "
                  "Reloading empties the base shown here; \"Save as ...\" first keeps its games.")
                  .arg(BasePath_);
    if (Dialogs_.Choose(asker, what + QLatin1Char('\n') + offer, {reloadButton, QStringLiteral("Cancel")},
                        1) != 0)
        return TBaseOnDisk::Refused;
    if (!lock.Lock(path, error)) {
        Dialogs_.Error(asker, Shown(error));
        return TBaseOnDisk::Refused;
    }
    return ReloadBase(asker) ? TBaseOnDisk::Reloaded : TBaseOnDisk::Refused;
}

bool TSession::LockSeenBaseOrReload(kalvon::TBaseWriteLock& lock, QWidget* asker) {
    return LockSeenBase(lock, QStringLiteral("Reload"),
                        QStringLiteral("Reload it? Nothing else is done: run the command again after the "
                                       "reload."),
                        asker) == TBaseOnDisk::Seen;
}

bool TSession::LockBaseForStore(kalvon::TBaseWriteLock& lock, long& position, QWidget* asker) {
    switch (LockSeenBase(lock, QStringLiteral("Reload and save"),
                         QStringLiteral("Reload it, and then store the game in it?"), asker)) {
        case TBaseOnDisk::Seen:
            return true;
        case TBaseOnDisk::Refused:
            return false;
        case TBaseOnDisk::Reloaded:
            break;
    }
    // The edited game was found again in the file read anew (by its line, else its year and board).
    if (position != kalvon::NoParty) position = Base_.EditMode ? Base_.CurrentParty : kalvon::NoParty;
    // The file read again may hold what a save over it would drop.
    return MaySaveOverBase(asker);
}

bool TSession::ReloadBase(QWidget* asker) {
    if (const std::optional<std::string> refusal = kalvon::ReadRefusal(OpenBaseFile())) {
        Dialogs_.Error(asker, Shown(*refusal));
        return false;
    }
    // Another program changed the file: what its load finds is news.
    FollowRewrittenFile(asker, false);
    return true;
}

bool TSession::SaveBaseAs(const QString& path, QWidget* asker) {
    const TEngineUi::TAsker asking(EngineUi_, asker);
    // The open base locked by its full name: a missing file locks as the target would, when they are one.
    const std::string from = OpenBaseFile(), to = LocalPath(WorkPath(path));
    kalvon::TBaseWriteLock lock;
    std::string error;
    if (!lock.Lock(from, error)) {
        Dialogs_.Error(asker, Shown(error));
        return false;
    }
    if (!kalvon::UnchangedSince(BaseFile_, from)) {
        const uint64_t generation = Base_.PartyListGeneration;
        const size_t size = Base_.PartyList.size();
        std::vector<uint32_t> order;
        if (!kalvon::SaveBase(Base_, to, EngineUi_, &order)) return false;
        kalvon::ReorderParties(Base_, order);
        FollowGamesSince(generation, size, TListingRule::Keep);
    } else if (!kalvon::CopyBaseFile(from, to, error)) {
        Dialogs_.Error(asker, Shown(error));
        return false;
    }
    SetBasePath(BaseName(path));
    RememberBaseFile();
    SetStatusMessage(QStringLiteral("Saved as %1").arg(BasePath_));
    return true;
}

bool TSession::RestoreGeneration(const kalvon::TRestoreChoice& choice, QWidget* asker) {
    std::string error;
    if (!kalvon::RestoreBaseGeneration(OpenBaseFile(), choice, error)) {
        Dialogs_.Error(asker, Shown(error));
        return false;
    }
    const bool reread = ReloadBase(asker);
    if (reread)
        SetStatusMessage(QStringLiteral("%1 restored from %2")
                             .arg(BasePath_, choice.BeforeRemoval
                                                 ? QStringLiteral("the file from before the last removal")
                                                 : QStringLiteral("generation %1").arg(choice.Generation)));
    return reread;
}
