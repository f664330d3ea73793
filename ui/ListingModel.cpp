#include "ui/ListingModel.h"

#include <algorithm>
#include <climits>

#include "base/GameTexts.h"
#include "ui/Session.h"
#include "ui/ShownText.h"

TListingModel::TListingModel(const TSession& session, QObject* parent)
    : QAbstractListModel(parent), Session_(session) {
    connect(&session, &TSession::ListingChanged, this, [this] {
        if (Following_) Fill();
    });
    connect(&session, &TSession::ListingReordered, this, &TListingModel::MoveLine);
    connect(&session, &TSession::PartiesChanged, this, &TListingModel::RefreshTexts);
}

void TListingModel::Follow(bool on) {
    Following_ = on;
    Fill();
}

void TListingModel::Fill() {
    beginResetModel();
    // A new vector: a smaller selection gives the memory of a larger one back.
    Checked_ = std::vector<char>(Following_ ? Session_.Base().Listing.size() : 0, 1);
    endResetModel();
}

void TListingModel::RefreshTexts() {
    if (!Checked_.empty()) emit dataChanged(index(0), index(rowCount() - 1), {Qt::DisplayRole});
}

void TListingModel::MoveLine(size_t from, size_t to) {
    const size_t count = size_t(rowCount());
    if (from == to || from >= count || to >= count) return;
    beginMoveRows({}, int(from), int(from), {}, int(to > from ? to + 1 : to));
    const auto at = [this](size_t i) { return Checked_.begin() + std::ptrdiff_t(i); };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else
        std::rotate(at(to), at(from), at(from + 1));
    endMoveRows();
}

void TListingModel::CheckAll(bool checked) {
    std::fill(Checked_.begin(), Checked_.end(), char(checked));
    if (!Checked_.empty()) emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
}

kalvon::TListing TListingModel::CheckedGames() const {
    const kalvon::TListing& listing = Session_.Base().Listing;
    kalvon::TListing games;
    for (size_t i = 0; i < Checked_.size() && i < listing.size(); ++i)
        if (Checked_[i]) games.push_back(listing[i]);
    return games;
}

int TListingModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(std::min<size_t>(Checked_.size(), INT_MAX));
}

QVariant TListingModel::data(const QModelIndex& index, int role) const {
    const size_t row = size_t(index.row());
    if (!index.isValid() || row >= Checked_.size()) return {};
    if (role == Qt::CheckStateRole) return Checked_[row] ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole) return {};
    // A line names the game at that position of PartyList now; a stale entry shows nothing.
    const kalvon::TGameBase& base = Session_.Base();
    if (row >= base.Listing.size()) return {};
    const long game = base.Listing[row];
    if (game < 0 || size_t(game) >= base.PartyList.size()) return {};
    return CodePageText(kalvon::ListingLine(base, game));
}

bool TListingModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const size_t row = size_t(index.row());
    if (!index.isValid() || row >= Checked_.size() || role != Qt::CheckStateRole) return false;
    Checked_[row] = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags TListingModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}
