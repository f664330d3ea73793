// The session's state, the game on the board and the statistics that follow it.
#include "ui/Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "search/ShiftStatistic.h"
#include "search/StatisticLines.h"
#include "ui/DialogService.h"
#include "ui/ShownText.h"

TSession::TSession(const QString& workFolder, IDialogService& dialogs)
    : QObject(nullptr),
      WorkFolder_(QDir(workFolder).absolutePath()),
      Dialogs_(dialogs),
      EngineUi_(dialogs),
      BasePath_(QString::fromLatin1(ScratchBase)) {}

TSession::~TSession() = default;

std::string TSession::LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString TSession::WorkPath(const QString& name) const {
    return QDir(WorkFolder_).absoluteFilePath(name);
}

QString TSession::BaseName(const QString& path) const {
    const QFileInfo file(WorkPath(path));
    return file.absolutePath() == WorkFolder_ ? file.fileName() : file.absoluteFilePath();
}

QString TSession::QueryText() const {
    const std::string description = kalvon::QueryDescription(Base_, Criteria_);
    return description.empty() ? QStringLiteral("Whole base")
                               : QStringLiteral("Query: ") + CodePageText(description);
}

void TSession::SetStatusMessage(const QString& message) {
    StatusMessage_ = message;
    emit StatusMessageChanged(StatusMessage_);
}

// ---------------------------------------------------------------------------------------------
// The game on the board

kalvon::TBoardChange TSession::FollowPosition(const kalvon::TBoardChange& change, TListingRule rule,
                                              bool searchAlways) {
    // The statistics are those of the position as long as it stands: no change, no search, but for
    // the commands that search whatever they changed. They are searched before the change is
    // announced, so that the board draws its stones and then the labels of the new position.
    const bool search = change.Moved || searchAlways;
    const bool changed = search && UpdateStatistic(rule);
    if (change.Moved) emit PositionChanged(change);
    if (search) AnnounceStatistic(rule, changed);
    return change;
}

kalvon::TBoardChange TSession::PlayMove(std::string_view point) {
    // No move is ever played onto an occupied point, whatever the statistics list.
    if (!kalvon::CanPlayAt(Base_, point)) return {};
    return FollowPosition(kalvon::PlayMove(Base_, point), TListingRule::Rebuild);
}

kalvon::TBoardChange TSession::PlayLabel(int label) {
    const size_t at = size_t(2 * label - 2);
    if (label < 1 || at + 2 > AlfMoves_.size() || AlfMoves_[at] == ' ' || AlfMoves_[at + 1] == ' ') return {};
    return PlayMove(std::string_view(AlfMoves_).substr(at, 2));
}

kalvon::TBoardChange TSession::TakeBackMove() {
    return FollowPosition(kalvon::TakeBackMove(Base_), TListingRule::Rebuild);
}

kalvon::TBoardChange TSession::ReplayMove() {
    return FollowPosition(kalvon::ReplayMove(Base_), TListingRule::Rebuild);
}

kalvon::TBoardChange TSession::TakeBackTo(std::string_view point) {
    // A double-click on an empty point searches all the same.
    return FollowPosition(kalvon::TakeBackTo(Base_, point), TListingRule::Rebuild, true);
}

kalvon::TBoardChange TSession::GoToStart() {
    return FollowPosition(kalvon::GoToStart(Base_), TListingRule::Keep);
}

kalvon::TBoardChange TSession::GoToEnd() {
    return FollowPosition(kalvon::GoToEnd(Base_), TListingRule::Keep);
}

kalvon::TBoardChange TSession::Transform(kalvon::TSymmetry symmetry) {
    // A turn of the empty board searches it all the same.
    return FollowPosition(kalvon::TransformGame(Base_, symmetry), TListingRule::Rebuild, true);
}

kalvon::TBoardChange TSession::ClearBoard() {
    SetEditMode(false);
    kalvon::TBoardChange change = kalvon::ClearGame(Base_);
    // The empty board is drawn anew even when it was empty already.
    change.Whole = true;
    const bool changed = UpdateStatistic(TListingRule::Rebuild);
    emit PositionChanged(change);
    AnnounceStatistic(TListingRule::Rebuild, changed);
    return change;
}

void TSession::DropContinuation() {
    if (Base_.ForwardMoves.empty()) return;
    kalvon::DropContinuation(Base_);
    // Nothing to draw; the commands that replay follow.
    emit PositionChanged(kalvon::TBoardChange{});
}

kalvon::TBoardChange TSession::OpenGame(long party) {
    const kalvon::TPartyRecord* record =
        party >= 0 && size_t(party) < Base_.PartyList.size() ? &Base_.PartyList[size_t(party)] : nullptr;
    if (!record) return {};
    FollowGameRule(record->Moves);
    kalvon::TBoardChange change = kalvon::SetGame(Base_, record->Moves);
    Base_.CurrentParty = party;
    SetEditMode(true);
    const bool changed = UpdateStatistic(TListingRule::Keep);
    if (change.Moved) emit PositionChanged(change);
    emit GameOpened();
    AnnounceStatistic(TListingRule::Keep, changed);
    return change;
}

void TSession::SetEditMode(bool on) {
    const bool changed = Base_.EditMode != on;
    Base_.EditMode = on;
    if (changed) emit EditModeChanged(on);
}

// ---------------------------------------------------------------------------------------------
// The statistics

kalvon::TStatistic TSession::RunSearch(TListingRule rule) {
    if (rule == TListingRule::Rebuild) return kalvon::MakeStatistic(Base_, Criteria_, Index_);
    kalvon::TListing found;
    return kalvon::MakeStatistic(Base_, Base_.CurrentMoves, Criteria_, Index_, found);
}

void TSession::ShowStatistic(const kalvon::TStatistic& statistic) {
    MemoLines_ = kalvon::StatisticMemoLines(statistic);
    AlfMoves_ = kalvon::StatisticAlfMoves(statistic);
}

bool TSession::UpdateStatistic(TListingRule rule) {
    if (StatisticShown_) {
        ShowStatistic(RunSearch(rule));
        return true;
    }
    if (AlfMoves_.empty()) return false;
    AlfMoves_.clear();
    return true;
}

void TSession::AnnounceStatistic(TListingRule rule, bool changed) {
    if (StatisticShown_ && rule == TListingRule::Rebuild) emit ListingChanged();
    if (changed) emit StatisticChanged();
}

void TSession::FollowStatistic(TListingRule rule) {
    AnnounceStatistic(rule, UpdateStatistic(rule));
}

void TSession::SetStatisticShown(bool on) {
    if (on == StatisticShown_) return;
    StatisticShown_ = on;
    if (on) {
        FollowStatistic(TListingRule::Rebuild);
    } else {
        // The memo keeps its lines while hidden; they are replaced on the next showing.
        AlfMoves_.clear();
        emit StatisticChanged();
    }
}

kalvon::TStatistic TSession::Search() {
    kalvon::TStatistic statistic = RunSearch(TListingRule::Rebuild);
    emit ListingChanged();
    if (StatisticShown_) {
        ShowStatistic(statistic);
        emit StatisticChanged();
    }
    return statistic;
}

std::optional<std::string> TSession::RunStatistic() {
    const kalvon::TStatistic statistic = Search();
    if (StatisticShown_) return std::nullopt;
    return kalvon::StatisticMessageText(statistic);
}

std::optional<std::string> TSession::RunShiftStatistic(int s) {
    std::string total = ShiftStatistic(s);
    if (StatisticShown_) return std::nullopt;
    return total;
}

void TSession::AcceptQuery(const kalvon::TQueryCriteria& criteria) {
    Criteria_ = criteria;
    emit CriteriaChanged();
    // The Listing is the query's; the memo, while shown, says what the query found.
    Search();
}

void TSession::SetCriteria(const kalvon::TQueryCriteria& criteria) {
    Criteria_ = criteria;
    emit CriteriaChanged();
}

std::string TSession::ShiftStatistic(int s) {
    std::string total = kalvon::ShiftTotalText(kalvon::ShiftStatistic(Base_, s, Index_));
    emit ListingChanged();
    if (StatisticShown_) {
        MemoLines_ = {total};
        AlfMoves_.clear();
        emit StatisticChanged();
    }
    return total;
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
