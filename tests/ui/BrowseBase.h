// A base of numbered games for the browsing windows and the entry dialog, and the program started on
// it: game i (0-based) is "B<i>" against "W<i>", year 2000 + i % 3, board 100 + i; game 1 has 30 moves.
#pragma once

#include <QLabel>
#include <QScrollBar>

#include "tests/ui/UiTestSupport.h"
#include "ui/ListingWindow.h"
#include "ui/NavigatorWindow.h"
#include "ui/PartyPanel.h"
#include "ui/Session.h"

namespace browse {

// The first n moves of a game that fills the two bottom rows of the board.
inline std::string Moves(int n) {
    std::string moves;
    for (int k = 0; k < n; ++k) {
        moves += "123456789ABCDEF"[k % 15];
        moves += "12"[k / 15];
    }
    return moves;
}

inline QByteArray Content(int games) {
    QByteArray content;
    for (int i = 0; i < games; ++i)
        content += QStringLiteral("%1,%2=[B%3,W%3,+,%4,?,-]\r\n")
                       .arg(2000 + i % 3)
                       .arg(100 + i, 5)
                       .arg(i)
                       .arg(QString::fromStdString(Moves(i == 1 ? 30 : 4 + 2 * (i % 5))))
                       .toLatin1();
    return content;
}

// The program started on a base of that many games, loaded from the File menu.
inline TMainWindow& Start(TProgramRun& run, int games) {
    run.Write(QStringLiteral("games.bdt"), Content(games));
    TMainWindow& main = run.Start();
    main.BaseItems().first()->trigger();
    return main;
}

// Sets the selection, which the browsing windows follow, and opens the navigator (and the listing
// window) when the selection holds games.
inline void List(TProgramRun& run, kalvon::TListing listing, bool openNavigator = true,
                 bool openListing = false) {
    run.Program->Session.SetListing(std::move(listing));
    if (openNavigator && !run.Program->Session.Listing().empty()) run.Program->Show(TWindowKind::Navigator);
    if (openListing && run.Program->ListingWindow().HasLines()) run.Program->ListingWindow().show();
}

inline TPartyPanel* Panel(TNavigatorWindow& navigator, int n) {
    return navigator.findChild<TPartyPanel*>(QStringLiteral("Pan%1").arg(n));
}
inline QScrollBar* ScrollBar(TNavigatorWindow& navigator) {
    return navigator.findChild<QScrollBar*>(QStringLiteral("sbPartys"));
}
// The texts of a panel's cells: number, black, result, white, board, year.
inline QStringList Cells(TPartyPanel* panel) {
    QStringList texts;
    for (QLabel* cell :
         {panel->edNum, panel->edBlack, panel->edResult, panel->edWhite, panel->edKod, panel->edYear})
        texts.append(cell->text().trimmed());
    return texts;
}

}  // namespace browse
