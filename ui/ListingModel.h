// The lines of the listing window as a model over the Listing: a line's text is built when it is
// shown, so a selection of a million games costs one check byte per game.
#pragma once

#include <QAbstractListModel>
#include <vector>

#include "base/GameBase.h"

class TSession;

class TListingModel final : public QAbstractListModel {
public:
    explicit TListingModel(const TSession& session, QObject* parent = nullptr);

    // While the lines follow the Listing (the window is shown) they are filled anew, all checked,
    // for every new selection, move with its entries and show the games' texts as they change;
    // otherwise there are none.
    void Follow(bool on);
    void CheckAll(bool checked);
    // The games of the checked lines, in line order.
    kalvon::TListing CheckedGames() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // A line for every entry of the Listing, all checked; none when not following.
    void Fill();
    // The line and its check move with the Listing entry from one index to another.
    void MoveLine(size_t from, size_t to);
    // The line texts again (games changed in place); the lines and their checks stay.
    void RefreshTexts();

    const TSession& Session_;
    bool Following_ = false;
    std::vector<char> Checked_;  // one per line
};
