// The games of the selection as the diagram window's list: a line's text is made when it is shown,
// so that a selection of a million games costs four bytes a game rather than a string and an item.
#pragma once

#include <QAbstractListModel>

#include "base/GameBase.h"

class TSession;

class TDiagramGamesModel final : public QAbstractListModel {
public:
    TDiagramGamesModel(const TSession& session, QObject* parent);

    // The games of the Listing that name a game of PartyList, anew.
    void Fill();
    // The same games at their new positions (newPosition[old]); those gone leave the list.
    void Renumber(const std::vector<uint32_t>& newPosition);
    // The first row of the game at that position of PartyList, or -1.
    int RowOf(long party) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    // A line shows "board.black - white"; Qt::UserRole gives the game's position in PartyList.
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const TSession& Session_;
    kalvon::TListing Games_;
};
