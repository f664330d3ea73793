// The lines of the listing window as a model over the Listing: a line's text is built when it is
// shown, so a selection of a million games costs one check byte per game.
#pragma once

#include <QAbstractListModel>
#include <vector>

#include "base/GameBase.h"

class TSession;

class TListingModel final : public QAbstractListModel {
public:
    explicit TListingModel(TSession& session);

    // A line for every entry of the Listing, all checked.
    void Fill();
    // The line texts again (games changed in place); the lines and their checks stay.
    void RefreshTexts();
    // Moves the line and its Listing entry from one index to another; the lines between close up.
    void MoveLine(int from, int to);
    void CheckAll(bool checked);
    // The games of the checked lines, in line order.
    kalvon::TListing CheckedGames() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    TSession& Session_;
    std::vector<char> Checked_;  // one per line
};
