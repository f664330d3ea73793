// The listing window "Listing Parties": the selected games, to reorder, thin out and delete.
#pragma once

#include <QWidget>

class TFormKonstr final : public QWidget {
public:
    TFormKonstr();

    // Fills the window with the games of the Listing.
    void ShowFormKonstr();
};
