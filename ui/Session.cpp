#include "ui/Session.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "base/BaseUi.h"
#include "base/PreviousBase.h"
#include "base/SafeFile.h"
#include "base/TextPolicy.h"
#include "exchange/NotificationWriter.h"
#include "exchange/SgfWriter.h"
#include "search/ShiftStatistic.h"
#include "ui/DialogService.h"
#include "ui/ShownText.h"

namespace {

// Gathers the messages of a load, to be shown in one box at its end, and keeps the progress shown
// when the load ends, so that the search index is sorted while the user still sees the loading
// progress. Errors of the file operations pass on at once.
class TLoadUi final : public kalvon::IBaseUi {
public:
    explicit TLoadUi(kalvon::IBaseUi& ui) : Ui_(ui) {}
    void ShowMessage(const std::string& text) override { Lines.append(EngineText(text)); }
    void ShowError(const std::string& text) override { Ui_.ShowError(text); }
    void ShowEmptyResult(const std::string& path, size_t lineNumber) override {
        Lines.append(
            QStringLiteral("File %1, line %2: the result is empty; the game is read as not finished.")
                .arg(EngineText(path))
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
    kalvon::IBaseUi& Ui_;
};

// A folder command that did not run: nothing read or written.
kalvon::TFolderRun RunNotDone() {
    kalvon::TFolderRun run;
    run.Status = kalvon::TFolderRunStatus::Failed;
    return run;
}

}  // namespace

TSession::TSession(kalvon::IBaseUi& ui)
    : QObject(nullptr), Ui_(ui), BasePath_(QString::fromLatin1(ScratchBase)) {}

std::string TSession::LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

kalvon::TBoardChange TSession::Announce(const kalvon::TBoardChange& change) {
    if (change.Moved) emit PositionChanged();
    return change;
}

kalvon::TBoardChange TSession::ChangePosition(kalvon::TBoardChange (*change)(kalvon::TGameBase&)) {
    return Announce(change(Base_));
}

kalvon::TBoardChange TSession::ChangePosition(kalvon::TBoardChange (*change)(kalvon::TGameBase&,
                                                                             std::string_view),
                                              std::string_view point) {
    return Announce(change(Base_, point));
}

kalvon::TBoardChange TSession::ChangePosition(kalvon::TBoardChange (*change)(kalvon::TGameBase&,
                                                                             kalvon::TSymmetry),
                                              kalvon::TSymmetry symmetry) {
    return Announce(change(Base_, symmetry));
}

void TSession::DropContinuation() {
    kalvon::DropContinuation(Base_);
}

kalvon::TBoardChange TSession::NewGame() {
    SetEditMode(false);
    AlfMoves_.clear();
    return ChangePosition(kalvon::ClearGame);
}

kalvon::TBoardChange TSession::OpenGame(long party) {
    const kalvon::TPartyRecord* record =
        party >= 0 && size_t(party) < Base_.PartyList.size() ? &Base_.PartyList[size_t(party)] : nullptr;
    if (!record) return {};
    AlfMoves_.clear();
    const kalvon::TBoardChange change = ChangePosition(kalvon::SetGame, record->Moves);
    Base_.CurrentParty = party;
    SetEditMode(true);
    emit GameOpened();
    return change;
}

void TSession::SetEditMode(bool on) {
    const bool changed = Base_.EditMode != on;
    Base_.EditMode = on;
    if (changed) emit EditModeChanged(on);
}

kalvon::TStatistic TSession::Search() {
    kalvon::TStatistic statistic = kalvon::MakeStatistic(Base_, Criteria_, Index_);
    emit ListingChanged();
    return statistic;
}

kalvon::TResultCount TSession::ShiftStatistic(int s) {
    const kalvon::TResultCount count = kalvon::ShiftStatistic(Base_, s, Index_);
    emit ListingChanged();
    return count;
}

void TSession::SetListing(kalvon::TListing listing) {
    Base_.Listing = std::move(listing);
    emit ListingChanged();
}

bool TSession::MoveListed(size_t from, size_t to) {
    kalvon::TListing& listing = Base_.Listing;
    if (from == to || from >= listing.size() || to >= listing.size()) return false;
    const auto at = [&listing](size_t i) { return listing.begin() + std::ptrdiff_t(i); };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else
        std::rotate(at(to), at(from), at(from + 1));
    emit ListingReordered(from, to);
    return true;
}

void TSession::SetCriteria(const kalvon::TQueryCriteria& criteria) {
    Criteria_ = criteria;
    emit CriteriaChanged();
}

void TSession::SetBasePath(const QString& path) {
    BasePath_ = path;
    emit BasePathChanged(BasePath_);
}

bool TSession::MaySaveOverBase() {
    if (!MaySaveOverDamagedLines()) return false;
    if (NulLine_ == 0) return true;
    const QString question =
        QStringLiteral(
            "File %1 ended at a NUL byte in line %2 when it was loaded; saving it now drops the "
            "lines after it for good.\nSave it all the same?")
            .arg(BasePath_)
            .arg(NulLine_);
    if (!Dialogs().ConfirmDefaultNo(nullptr, question)) return false;
    NulLine_ = 0;
    return true;
}

bool TSession::MaySaveOverDamagedLines() {
    if (LoadReport_.DamagedLines == 0) return true;
    const QString question = QStringLiteral("%1. Saving rewrites them as shown. Save anyway?")
                                 .arg(EngineText(kalvon::DamagedLinesText(LoadReport_)));
    if (!Dialogs().ConfirmDefaultNo(nullptr, question)) return false;
    // The user has agreed to the lines as shown: the next save need not ask again.
    LoadReport_.DamagedLines = 0;
    LoadReport_.FirstDamaged.clear();
    return true;
}

bool TSession::SaveGame(const kalvon::TPartyEntry& entry, bool asNewGame) {
    if (!MaySaveOverBase()) return false;
    long over = Base_.EditMode && !asNewGame ? Base_.CurrentParty : kalvon::NoParty;
    kalvon::TBaseWriteLock lock;
    if (!LockBaseForStore(lock, over)) return false;
    const long position =
        kalvon::StorePartyEntry(Base_, entry, Base_.CurrentMoves, over, LocalPath(BasePath_), Ui_);
    if (position == kalvon::NoParty) return false;
    RememberBaseFile();
    Base_.CurrentParty = position;
    SetEditMode(true);
    emit PartiesChanged();
    return true;
}

bool TSession::ReplaceGame(long position, kalvon::TPartyRecord game) {
    if (!kalvon::ReplaceParty(Base_, position, std::move(game))) return false;
    emit PartiesChanged();
    return true;
}

bool TSession::DeleteListed() {
    if (!MaySaveOverBase()) return false;
    kalvon::TBaseWriteLock lock;
    if (!LockSeenBaseOrReload(lock)) return false;
    const bool editing = Base_.EditMode;
    if (!kalvon::DeleteListedParties(Base_, LocalPath(BasePath_), Ui_)) return false;
    RememberBaseFile();
    if (editing && !Base_.EditMode) emit EditModeChanged(false);
    emit BaseChanged();
    emit ListingChanged();
    return true;
}

kalvon::TFolderRun TSession::AddNewGames() {
    kalvon::TBaseWriteLock lock;
    if (!LockSeenBaseOrReload(lock)) return RunNotDone();
    // The new games join the base in memory at its end; a refused run leaves it as it was.
    const kalvon::TFolderRun run = kalvon::AddPartysFromFolder(Base_, LocalPath(BasePath_), ".", Ui_);
    // The run read the file this session knew, under the lock held since, and added the same games to
    // the file and to memory: the two still agree.
    if (run.Status == kalvon::TFolderRunStatus::Done) RememberBaseFile();
    if (run.StatisticsDue) emit PartiesChanged();
    return run;
}

kalvon::TFolderRun TSession::UpdateGames() {
    kalvon::TBaseWriteLock lock;
    if (!LockSeenBaseOrReload(lock)) return RunNotDone();
    // The base in memory is read again from the file the run wrote (ReloadDue).
    return kalvon::UpdatePartysFromFolder(LocalPath(BasePath_), ".", Ui_);
}

kalvon::TFolderRun TSession::UpdateFromMail(const QString& mailbox) {
    kalvon::TBaseWriteLock lock;
    if (!LockSeenBaseOrReload(lock)) return RunNotDone();
    return kalvon::UpdatePartysFromMail(LocalPath(BasePath_), LocalPath(mailbox), Ui_);
}

kalvon::TImportRun TSession::ImportGames(const QStringList& files, kalvon::IImportUi& ui) {
    kalvon::TBaseWriteLock lock;
    if (!LockSeenBaseOrReload(lock)) {
        kalvon::TImportRun run;
        run.Status = kalvon::TImportStatus::Failed;
        return run;
    }
    std::vector<std::string> paths;
    for (const QString& file : files) paths.push_back(LocalPath(file));
    return kalvon::ImportGames(LocalPath(BasePath_), paths, {}, ui);
}

bool TSession::ExportSgf(const QString& path, bool filePerGame, std::vector<std::string>& written) const {
    std::string error;
    const bool done = filePerGame
                          ? kalvon::WriteSgfFiles(LocalPath(path), Base_, Base_.Listing, written, error)
                          : kalvon::WriteSgfCollection(LocalPath(path), Base_, Base_.Listing, error);
    if (!done) Ui_.ShowError(error);
    if (done && !filePerGame) written.push_back(LocalPath(path));
    return done;
}

kalvon::TWrittenNotifications TSession::WriteNotifications() const {
    return kalvon::WriteNotifications(Base_, ".", Ui_);
}

bool TSession::DeleteScratchBase() {
    QFile scratch(QString::fromLatin1(ScratchBase));
    // Another program of this folder keeps its games in it: the file is its own, and stays.
    if (!ScratchClaim_.Claim(ScratchBase)) return true;
    if (!scratch.exists() || scratch.remove()) return true;
    // A scratch base that survives would be saved over by the first change: say so.
    Dialogs().Error(
        nullptr, QStringLiteral("Cannot delete file %1: %2").arg(scratch.fileName(), scratch.errorString()));
    return false;
}

void TSession::ClearLists() {
    const bool editing = Base_.EditMode;
    kalvon::ClearLists(Base_);
    Criteria_.SwitchOff();
    NulLine_ = 0;
    BaseFile_ = {};
    LoadReport_ = {};
    if (editing) emit EditModeChanged(false);
    emit BaseChanged();
    emit ListingChanged();
}

bool TSession::LoadBase(const QString& path) {
    TLoadUi ui(Ui_);
    // A code page chosen in the settings since comes in force with this load.
    if (SettingsCodePage() != kalvon::TextPolicy().CodePage())
        if (const std::optional<std::string> warning = kalvon::ApplySettingsCodePage(Settings_.ParameterList))
            Dialogs().Warning(nullptr, EngineText(*warning));
    kalvon::TLoadReport report;
    // The index of the games held before is built anew after the load; it gives its memory back first.
    Index_ = kalvon::TPositionIndex();
    const bool read = kalvon::LoadBase(Base_, LocalPath(path), ui, report);
    NulLine_ = report.NulLine;
    BaseFile_ = report.Identity;
    LoadReport_ = report;
    Index_.Refresh(Base_);
    if (ui.HideAsked) Ui_.ProgressHide();
    // The load says what it met in one box: the first empty results line by line, then the rest.
    if (!ui.Lines.isEmpty()) Dialogs().Information(nullptr, ui.Lines.join(QLatin1Char('\n')));
    SetBasePath(path);
    emit BaseChanged();
    emit ListingChanged();
    return read;
}

// ---------------------------------------------------------------------------------------------
// Other writers of the open base

void TSession::RememberBaseFile() {
    BaseFile_ = kalvon::CurrentIdentity(LocalPath(BasePath_));
}

TSession::TBaseOnDisk TSession::LockSeenBase(kalvon::TBaseWriteLock& lock, const QString& reloadButton,
                                             const QString& offer) {
    const std::string path = LocalPath(BasePath_);
    std::string error;
    if (!lock.Lock(path, error)) {
        Ui_.ShowError(error);
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
    if (Dialogs().Choose(nullptr, what + QLatin1Char('\n') + offer, {reloadButton, QStringLiteral("Cancel")},
                         1) != 0)
        return TBaseOnDisk::Refused;
    if (!lock.Lock(path, error)) {
        Ui_.ShowError(error);
        return TBaseOnDisk::Refused;
    }
    return ReloadBase() ? TBaseOnDisk::Reloaded : TBaseOnDisk::Refused;
}

bool TSession::LockSeenBaseOrReload(kalvon::TBaseWriteLock& lock) {
    return LockSeenBase(lock, QStringLiteral("Reload"),
                        QStringLiteral("Reload it? Nothing else is done: run the command again after the "
                                       "reload.")) == TBaseOnDisk::Seen;
}

bool TSession::LockBaseForStore(kalvon::TBaseWriteLock& lock, long& position) {
    const kalvon::TPartyRecord* edited = position >= 0 && size_t(position) < Base_.PartyList.size()
                                             ? &Base_.PartyList[size_t(position)]
                                             : nullptr;
    // The key of the edited game, to find it again in the file read anew.
    const std::optional<std::pair<kalvon::TCompactText, kalvon::TCompactText>> key =
        edited ? std::optional(std::pair(edited->Year, edited->Board)) : std::nullopt;
    switch (LockSeenBase(lock, QStringLiteral("Reload and save"),
                         QStringLiteral("Reload it, and then store the game in it?"))) {
        case TBaseOnDisk::Seen:
            return true;
        case TBaseOnDisk::Refused:
            return false;
        case TBaseOnDisk::Reloaded:
            break;
    }
    position = kalvon::NoParty;
    if (key) {
        const auto found = std::find_if(
            Base_.PartyList.begin(), Base_.PartyList.end(),
            [&](const auto& game) { return game.Year == key->first && game.Board == key->second; });
        if (found != Base_.PartyList.end()) position = long(found - Base_.PartyList.begin());
    }
    // The file read again may hold what a save over it would drop.
    return MaySaveOverBase();
}

bool TSession::ReloadBase() {
    const std::string path = LocalPath(BasePath_);
    if (const std::optional<std::string> refusal = kalvon::ReadRefusal(path)) {
        Ui_.ShowError(*refusal);
        return false;
    }
    const QString open = BasePath_;
    ClearLists();
    LoadBase(open);
    return true;
}

bool TSession::SaveBaseAs(const QString& path, const QString& name) {
    // The open base locked by its full name: a missing file locks as the target would, when they are one.
    const std::string from = LocalPath(QFileInfo(BasePath_).absoluteFilePath()), to = LocalPath(path);
    kalvon::TBaseWriteLock lock;
    std::string error;
    if (!lock.Lock(from, error)) {
        Ui_.ShowError(error);
        return false;
    }
    if (!kalvon::UnchangedSince(BaseFile_, from)) {
        if (!kalvon::SaveBase(Base_, to, Ui_)) return false;
    } else if (!kalvon::CopyBaseFile(from, to, error)) {
        Ui_.ShowError(error);
        return false;
    }
    SetBasePath(name);
    RememberBaseFile();
    return true;
}

bool TSession::RestorePreviousBase() {
    std::string error;
    if (!kalvon::RestorePreviousBase(LocalPath(BasePath_), error)) {
        Ui_.ShowError(error);
        return false;
    }
    return ReloadBase();
}

void TSession::ReadSettings() {
    std::string error;
    if (!kalvon::EnsureSettingsFile(kalvon::SettingsFolder, kalvon::SettingsPath, error))
        Dialogs().Error(nullptr, EngineText(error));
    std::optional<kalvon::TSettingsFile> file = kalvon::ReadSettingsFile(kalvon::SettingsPath, error);
    if (!file) {
        if (error.empty()) error = "Cannot read file " + std::string(kalvon::SettingsPath);
        Dialogs().Error(nullptr, EngineText(error) + QStringLiteral("\nThe default settings are used."));
        file = kalvon::TSettingsFile::Parse(kalvon::DefaultSettingsText());
    }
    Settings_.SettingsIni = std::move(*file);
    Settings_.ParameterList = Settings_.SettingsIni.Section(kalvon::ParametersSection);

    if (const std::optional<std::string> warning = kalvon::ApplySettingsCodePage(Settings_.ParameterList))
        Dialogs().Warning(nullptr, EngineText(*warning));
    emit SettingsChanged();
}

bool TSession::ReadDisplaySettings(kalvon::TDisplaySettings& settings) {
    return kalvon::ReadDisplaySettings(Settings_.ParameterList, settings);
}

std::string TSession::SettingsReadProblem(const kalvon::TDisplaySettings& settings) const {
    return kalvon::SettingsReadProblem(Settings_.ParameterList, settings);
}

void TSession::ApplySettings(const QFont& moveFont, int moveDiameter) {
    if (moveFont == Settings_.MoveFont && moveDiameter == Settings_.MoveDiameter) return;
    Settings_.MoveFont = moveFont;
    Settings_.MoveDiameter = moveDiameter;
    emit SettingsChanged();
}

void TSession::SetMemoLength(int length) {
    if (length == Settings_.MemoLength) return;
    Settings_.MemoLength = length;
    emit SettingsChanged();
}

void TSession::StoreSettings(const kalvon::TDisplaySettings& settings) {
    kalvon::StoreDisplaySettings(settings, Settings_.ParameterList);
    SettingsUnsaved_ = true;
    emit SettingsChanged();
}

std::string TSession::SettingsCodePage() const {
    return kalvon::SettingsCodePage(Settings_.ParameterList).value_or(kalvon::DefaultCodePage);
}

void TSession::StoreCodePage(const std::string& codePage) {
    if (codePage == SettingsCodePage()) return;
    Settings_.ParameterList.Set(kalvon::CodePageKey, codePage);
    SettingsUnsaved_ = true;
    emit SettingsChanged();
}

bool TSession::SaveSettings(std::string& error) {
    kalvon::CopyDisplaySettings(Settings_.ParameterList, Settings_.SettingsIni);
    if (!kalvon::WriteSettingsFile(kalvon::SettingsPath, Settings_.SettingsIni, error)) return false;
    SettingsUnsaved_ = false;
    emit SettingsChanged();
    return true;
}
