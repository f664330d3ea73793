#include "ui/DiagramGamesModel.h"

#include <algorithm>
#include <climits>

#include "base/GameTexts.h"
#include "base/TextFields.h"
#include "ui/Session.h"
#include "ui/ShownText.h"

TDiagramGamesModel::TDiagramGamesModel(const TSession& session, QObject* parent)
    : QAbstractListModel(parent), Session_(session) {}

void TDiagramGamesModel::Fill() {
    const kalvon::TGameBase& base = Session_.Base();
    beginResetModel();
    kalvon::TListing games;  // a new vector: a smaller selection gives the memory of a larger one back
    games.reserve(base.Listing.size());
    for (const int32_t party : base.Listing)
        if (party >= 0 && size_t(party) < base.PartyList.size()) games.push_back(party);
    Games_ = std::move(games);
    endResetModel();
}

void TDiagramGamesModel::Renumber(const std::vector<uint32_t>& newPosition) {
    beginResetModel();
    kalvon::TListing games;
    for (const int32_t party : Games_)
        if (size_t(party) < newPosition.size() && newPosition[size_t(party)] != kalvon::NoGame)
            games.push_back(int32_t(newPosition[size_t(party)]));
    Games_ = std::move(games);
    endResetModel();
}

int TDiagramGamesModel::RowOf(long party) const {
    const auto found = std::find(Games_.begin(), Games_.end(), int32_t(party));
    return found == Games_.end() ? -1 : int(found - Games_.begin());
}

int TDiagramGamesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(std::min<size_t>(Games_.size(), INT_MAX));
}

QVariant TDiagramGamesModel::data(const QModelIndex& index, int role) const {
    const size_t row = size_t(index.row());
    if (!index.isValid() || row >= Games_.size()) return {};
    const long party = Games_[row];
    if (role == Qt::UserRole) return QVariant::fromValue(qlonglong(party));
    if (role != Qt::DisplayRole) return {};
    // The line names the game at that position of PartyList now; the window fills anew when it changes.
    const kalvon::TGameBase& base = Session_.Base();
    if (size_t(party) >= base.PartyList.size()) return {};
    const kalvon::TPartyRecord& game = base.PartyList[size_t(party)];
    return CodePageText(kalvon::Concat({game.Board, ".", kalvon::PlayerName(base, game.BlackId), " - ",
                                        kalvon::PlayerName(base, game.WhiteId)}));
}
