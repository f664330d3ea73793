// The program's session: the one base in memory with its search index, the query criteria, the
// next-move labels, the settings in force and the open base's path. Every window gets it in its
// constructor, changes the shared state only through it, and learns of changes by its signals.
// A signal never starts a search: each command runs the search itself where it must.
#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "base/BoardMoves.h"
#include "base/GameBase.h"
#include "base/PartyEntry.h"
#include "search/PositionIndex.h"
#include "search/Query.h"
#include "search/Statistic.h"
#include "ui/SettingsState.h"

namespace kalvon {
class IBaseUi;
}

inline constexpr const char* ScratchBase = "New.bdt";

class TSession final : public QObject {
    Q_OBJECT
public:
    // The engine's messages and the loading progress go to ui, which outlives the session.
    explicit TSession(kalvon::IBaseUi& ui);

    const kalvon::TGameBase& Base() const { return Base_; }
    // The base for engine routines that change it (loading, saving, deleting): they keep the search
    // index current themselves.
    kalvon::TGameBase& Base() { return Base_; }
    kalvon::TQueryCriteria& Criteria() { return Criteria_; }
    kalvon::TPositionIndex& Index() { return Index_; }
    TSettingsState& Settings() { return Settings_; }
    kalvon::IBaseUi& EngineUi() { return Ui_; }

    // The open base: the path that saving writes to.
    const QString& BasePath() const { return BasePath_; }
    void SetBasePath(const QString& path) { BasePath_ = path; }
    // The engine's form of a path of the file system.
    static std::string LocalPath(const QString& path);

    // The points that carry next-move labels, label A first; the search fills it.
    const std::string& AlfMoves() const { return AlfMoves_; }
    void SetAlfMoves(std::string labels) { AlfMoves_ = std::move(labels); }

    // Runs one of the engine's routines on the game on the board and announces a new position.
    kalvon::TBoardChange ChangePosition(kalvon::TBoardChange (*change)(kalvon::TGameBase&));
    kalvon::TBoardChange ChangePosition(kalvon::TBoardChange (*change)(kalvon::TGameBase&, std::string_view),
                                        std::string_view point);
    kalvon::TBoardChange ChangePosition(kalvon::TBoardChange (*change)(kalvon::TGameBase&, kalvon::TSymmetry),
                                        kalvon::TSymmetry symmetry);
    // Drops the moves that wait to be replayed.
    void DropContinuation();
    // An empty board: no moves, no continuation, no labels, edit mode off.
    kalvon::TBoardChange NewGame();
    // Puts the whole game at that position of PartyList on the board and opens it for editing;
    // announces GameOpened. A position past the end changes nothing.
    kalvon::TBoardChange OpenGame(long party);
    void SetEditMode(bool on);

    // The statistics of the position on the board under the criteria; rewrites the Listing, which the
    // browsing windows then follow (ListingChanged without opening them).
    kalvon::TStatistic Search();
    // Stores the typed game with the moves on the board, as a new game or over the game being edited,
    // and saves the base; the stored game is then the one being edited. False when the save failed:
    // nothing changed.
    bool SaveGame(const kalvon::TPartyEntry& entry);
    // Deletes the listed games from the base and saves it; false, with every game kept, when the save
    // failed.
    bool DeleteListed();
    // Empties the base, the selection and the query; the position on the board stays.
    void ClearLists();
    // Reads the base file at path into the emptied base; false when it could not be read.
    bool LoadBase(const QString& path);
    // Asks before a save over the open base would drop the lines after a NUL byte that ended its
    // text when it was loaded; true when the save may go ahead (no such byte, or the user said Yes).
    bool MaySaveOverBase();
    // The line of the open base file whose NUL byte ended its text on loading, 0 when none did.
    size_t NulLine() const { return NulLine_; }
    // The browsing windows follow the Listing: redrawn when shown, opened when asked and not empty.
    void RefreshBrowsers(bool openNavigator, bool openListing) {
        emit ListingChanged(openNavigator, openListing);
    }
    // The browsing windows close (a new base, or a new scratch base).
    void CloseBrowsers() { emit BrowsersClosed(); }

signals:
    void EditModeChanged(bool on);
    void PositionChanged();
    // A game of the base was put on the board whole (the board is drawn anew, without labels).
    void GameOpened();
    // Games of PartyList changed in place or were added: shown texts of games are out of date.
    void PartiesChanged();
    void ListingChanged(bool openNavigator, bool openListing);
    void BrowsersClosed();
    // The games of the base were replaced (loaded, cleared).
    void BaseChanged();

private:
    kalvon::TBoardChange Announce(const kalvon::TBoardChange& change);

    kalvon::IBaseUi& Ui_;
    kalvon::TGameBase Base_;
    kalvon::TQueryCriteria Criteria_;
    kalvon::TPositionIndex Index_;
    TSettingsState Settings_;
    std::string AlfMoves_;
    QString BasePath_;
    size_t NulLine_ = 0;
};
