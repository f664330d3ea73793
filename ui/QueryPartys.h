// The query dialog "Query": the criteria that restrict the search to a year, a player, an opponent, a group
// and unfinished games.
#pragma once

#include <QDialog>

class TQueryForm final : public QDialog {
public:
    TQueryForm();
};
