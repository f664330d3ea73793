#include "ui/Session.h"

#include <QFile>

#include "base/BaseEdits.h"
#include "base/BaseFile.h"
#include "base/BaseUi.h"
#include "ui/DialogService.h"

namespace {

// Passes the engine's messages and progress on, but keeps the progress shown when the load ends, so
// that the search index is sorted while the user still sees the loading progress.
class THeldProgressUi final : public kalvon::IBaseUi {
public:
    explicit THeldProgressUi(kalvon::IBaseUi& ui) : Ui_(ui) {}
    void ShowMessage(const std::string& text) override { Ui_.ShowMessage(text); }
    void ShowError(const std::string& text) override { Ui_.ShowError(text); }
    void ProgressShow() override { Ui_.ProgressShow(); }
    void ProgressSetPosition(int percent) override { Ui_.ProgressSetPosition(percent); }
    void ProgressHide() override { HideAsked = true; }
    void FolderProgress(size_t filesRead, size_t filesToRead) override {
        Ui_.FolderProgress(filesRead, filesToRead);
    }

    bool HideAsked = false;

private:
    kalvon::IBaseUi& Ui_;
};

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
    emit ListingChanged(false, false);
    return statistic;
}

bool TSession::MaySaveOverBase() {
    if (NulLine_ == 0) return true;
    const QString question =
        QStringLiteral(
            "File %1 ended at a NUL byte in line %2 when it was loaded; saving it now drops the "
            "lines after it for good.\nSave it all the same?")
            .arg(BasePath_)
            .arg(NulLine_);
    if (Dialogs().Ask(nullptr, question) != TAnswer::Yes) return false;
    NulLine_ = 0;
    return true;
}

bool TSession::SaveGame(const kalvon::TPartyEntry& entry) {
    if (!MaySaveOverBase()) return false;
    const long position = kalvon::StorePartyEntry(Base_, entry, Base_.CurrentMoves,
                                                  Base_.EditMode ? Base_.CurrentParty : kalvon::NoParty,
                                                  LocalPath(BasePath_), Ui_);
    if (position == kalvon::NoParty) return false;
    Base_.CurrentParty = position;
    SetEditMode(true);
    emit PartiesChanged();
    return true;
}

bool TSession::DeleteListed() {
    if (!MaySaveOverBase()) return false;
    const bool editing = Base_.EditMode;
    const bool saved = kalvon::DeleteListedParties(Base_, LocalPath(BasePath_), Ui_);
    if (editing && !Base_.EditMode) emit EditModeChanged(false);
    return saved;
}

void TSession::ClearLists() {
    const bool editing = Base_.EditMode;
    kalvon::ClearLists(Base_);
    Criteria_.SwitchOff();
    NulLine_ = 0;
    if (editing) emit EditModeChanged(false);
    emit BaseChanged();
}

bool TSession::LoadBase(const QString& path) {
    THeldProgressUi ui(Ui_);
    kalvon::TLoadReport report;
    // The index of the games held before is built anew after the load; it gives its memory back first.
    Index_ = kalvon::TPositionIndex();
    const bool read = kalvon::LoadBase(Base_, LocalPath(path), ui, report);
    NulLine_ = report.NulLine;
    Index_.Refresh(Base_);
    if (ui.HideAsked) Ui_.ProgressHide();
    emit BaseChanged();
    return read;
}
