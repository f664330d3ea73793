// The program's session: the one owner of its state, that is the base in memory with its Listing and
// search index, the query criteria, the next-move labels, the settings in force and the open base's
// path. Every window gets it in its constructor, reads the state through const access, changes it
// only through the commands below and learns of every change by the signal the command emits.
// A signal never starts a search: each command runs the search itself where it must.
#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "base/BaseFile.h"
#include "base/BaseLock.h"
#include "base/BoardMoves.h"
#include "base/FileIdentity.h"
#include "base/GameBase.h"
#include "base/PartyEntry.h"
#include "exchange/FolderCommands.h"
#include "exchange/GameImport.h"
#include "exchange/NotificationWriter.h"
#include "search/PositionIndex.h"
#include "search/Query.h"
#include "search/ResultCount.h"
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

    // ---- The state, to read ----
    const kalvon::TGameBase& Base() const { return Base_; }
    const kalvon::TQueryCriteria& Criteria() const { return Criteria_; }
    const kalvon::TPositionIndex& Index() const { return Index_; }
    const TSettingsState& Settings() const { return Settings_; }
    // The points that carry next-move labels, label A first.
    const std::string& AlfMoves() const { return AlfMoves_; }
    // The open base: the path that saving writes to.
    const QString& BasePath() const { return BasePath_; }
    // The line of the open base file whose NUL byte ended its text on loading, 0 when none did.
    size_t NulLine() const { return NulLine_; }
    // Whether the settings were changed by the settings dialog since they were last written.
    bool SettingsUnsaved() const { return SettingsUnsaved_; }
    // The engine's form of a path of the file system.
    static std::string LocalPath(const QString& path);

    // ---- The game on the board ----
    // Runs one of the engine's routines on the game on the board; announces PositionChanged when
    // the moves changed.
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
    // Announces EditModeChanged when the mode changes.
    void SetEditMode(bool on);
    // The labels the board shows now (the board draws them).
    void SetAlfMoves(std::string labels) { AlfMoves_ = std::move(labels); }

    // ---- The selection and the query: each announces ListingChanged (or ListingReordered) ----
    // The statistics of the position on the board under the criteria; the Listing becomes the games
    // found.
    kalvon::TStatistic Search();
    // The games of the position moved by distance s (1 or 2) across the board, in the whole base;
    // the Listing becomes the games found.
    kalvon::TResultCount ShiftStatistic(int s);
    // A selection of the user's (the listing window's OK).
    void SetListing(kalvon::TListing listing);
    // Moves one entry of the Listing to another index, the entries between closing up; announces
    // ListingReordered. False, with nothing changed, when either index is past the end or both are one.
    bool MoveListed(size_t from, size_t to);
    // The criteria of the next searches; announces CriteriaChanged.
    void SetCriteria(const kalvon::TQueryCriteria& criteria);

    // ---- The base ----
    // Makes path the open base, the file saving writes to; announces BasePathChanged.
    void SetBasePath(const QString& path);
    // Empties the base, the selection and the query; the position on the board stays. Announces
    // BaseChanged and ListingChanged.
    void ClearLists();
    // Reads the base file at path into the emptied base and makes path the open base (a missing file
    // becomes the open base all the same); false when it could not be read. Announces
    // BasePathChanged, BaseChanged and ListingChanged.
    bool LoadBase(const QString& path);
    // Stores the typed game with the moves on the board, over the game being edited (as a new game
    // when none is, or with asNewGame), and saves the base; the stored game is then the one being
    // edited. False when the save failed or was refused: nothing changed. When another program changed
    // the base file since it was read here, the user may reload it first (the edited game is then
    // found again by its year and board, or stored as a new game) or cancel. Announces PartiesChanged.
    bool SaveGame(const kalvon::TPartyEntry& entry, bool asNewGame = false);
    // Puts game in place of the game at that position of PartyList, in memory (the next save of the
    // base writes it); false, with nothing changed, when no game is there. Announces PartiesChanged.
    bool ReplaceGame(long position, kalvon::TPartyRecord game);
    // Deletes the listed games from the base and saves it; false, with every game kept, when the save
    // failed. Announces BaseChanged and ListingChanged (the Listing is then empty).
    bool DeleteListed();
    // "Add New Games": the notifications of add/ join the base file and the base in memory; announces
    // PartiesChanged when games were added.
    kalvon::TFolderRun AddNewGames();
    // "Update Games": the notifications of update/ rewrite the base file; the caller loads it again
    // when the run says so.
    kalvon::TFolderRun UpdateGames();
    // "Update from Mail ...": "Update Games" over the notifications of a mailbox (an mbox file, a
    // Maildir folder or a saved message); the caller loads the base again when the run says so.
    kalvon::TFolderRun UpdateFromMail(const QString& mailbox);
    // "Import Games ...": the games of other programs' files (.rif, .psq, .sgf) join the base file;
    // the caller loads the base again when the run says so. ui answers the import's questions.
    kalvon::TImportRun ImportGames(const QStringList& files, kalvon::IImportUi& ui);
    // DeleteListed and the two folder commands first make sure that the base file is the one this
    // session last read or wrote; when another program changed it, the user may reload it (and then
    // run the command again) or cancel, and the command does nothing else (a failed run).

    // "Save as ...": writes the open base to path and makes name the open base. While the open base's
    // file is the one this session last read or wrote, it is copied byte for byte; a file that another
    // program changed or removed is not copied, the base in memory is written instead. False, with
    // nothing changed, when the write failed (the message shown).
    bool SaveBaseAs(const QString& path, const QString& name);
    // Swaps the open base's file with its previous generation (<base>.bak) and reads it again; false,
    // with the reason shown, when the swap failed.
    bool RestorePreviousBase();
    // "Out pbm format": the listed games written out as notifications into Outpbm of the working
    // folder; what was written, for the closing message.
    kalvon::TWrittenNotifications WriteNotifications() const;
    // "Export SGF ...": the listed games as one SGF collection at path, or, with filePerGame, one file
    // a game into the folder path; the files written. False (the reason shown) when a write failed.
    bool ExportSgf(const QString& path, bool filePerGame, std::vector<std::string>& written) const;
    // Asks before a save over the open base would drop the lines after a NUL byte that ended its
    // text when it was loaded, or rewrite its damaged lines as they were read; true when the save
    // may go ahead (nothing of the kind, or the user said Yes).
    bool MaySaveOverBase();
    // Claims the working folder's scratch base for this program, and deletes its file unless another
    // program claims it too (that file is left as it is, not loaded); false (said to the user) when a
    // file that is not claimed stays.
    bool DeleteScratchBase();

    // ---- The settings: each announces SettingsChanged ----
    // Reads ini/Tools.ini, writing the default file first when it is missing, and puts its code page
    // in force. Problems are reported through the dialog service.
    void ReadSettings();
    // The display settings of the parameter list (an absent memo width is written into the list as
    // the 165 it is read as); false at the first number that cannot be read, the settings not reached
    // keeping what they held. Changes nothing in force: no signal.
    bool ReadDisplaySettings(kalvon::TDisplaySettings& settings);
    // Why ReadDisplaySettings returned false, and the values used instead.
    std::string SettingsReadProblem(const kalvon::TDisplaySettings& settings) const;
    // The face and size of the move numbers and the move diameter the board and the diagrams draw with.
    void ApplySettings(const QFont& moveFont, int moveDiameter);
    // The width of the statistics memo.
    void SetMemoLength(int length);
    // The display settings go into the parameter list, to be written by SaveSettings.
    void StoreSettings(const kalvon::TDisplaySettings& settings);
    // The code page of the settings file (its name, or the default when it names none).
    std::string SettingsCodePage() const;
    // The code page goes into the parameter list, to be written by SaveSettings; it is put in force at
    // the next load of a base.
    void StoreCodePage(const std::string& codePage);
    // Writes the display settings into ini/Tools.ini; false with the reason in error.
    bool SaveSettings(std::string& error);

    // ---- The browsing windows ----
    // The browsing windows close (a new base, or a new scratch base); announces BrowsersClosed.
    void CloseBrowsers() { emit BrowsersClosed(); }

signals:
    void EditModeChanged(bool on);
    void PositionChanged();
    // A game of the base was put on the board whole (the board is drawn anew, without labels).
    void GameOpened();
    // Games of PartyList changed in place or were added: shown texts of games are out of date.
    void PartiesChanged();
    // The Listing is a new selection.
    void ListingChanged();
    // The entry at index from of the Listing moved to index to; the entries between closed up.
    void ListingReordered(size_t from, size_t to);
    void CriteriaChanged();
    void BrowsersClosed();
    // Games of the base were replaced or removed (loaded, cleared, deleted): positions in PartyList
    // name other games now.
    void BaseChanged();
    void BasePathChanged(const QString& path);
    // The settings in force, the parameter list or whether they are saved changed.
    void SettingsChanged();

private:
    kalvon::TBoardChange Announce(const kalvon::TBoardChange& change);
    // Asks before a save rewrites the damaged lines the load of the open base found; true when
    // there are none or the user said Yes.
    bool MaySaveOverDamagedLines();

    // What a command that writes over the open base found its file to be.
    enum class TBaseOnDisk {
        Seen,      // the file this session last read or wrote: the lock is held, the write may go on
        Reloaded,  // another program changed it, and the base was read again on the user's word
        Refused,   // the user cancelled, or the lock or the reload failed (message shown)
    };
    // Takes the open base's writers' lock and tells whether its file is the one this session last read
    // or wrote. When it is not, says so, asks offer and gives the buttons reloadButton and "Cancel"
    // (the default); the lock is not held while the question waits, and is held again over the reload
    // and whatever the caller does next.
    TBaseOnDisk LockSeenBase(kalvon::TBaseWriteLock& lock, const QString& reloadButton, const QString& offer);
    // LockSeenBase for the commands that do nothing but reload when the file changed.
    bool LockSeenBaseOrReload(kalvon::TBaseWriteLock& lock);
    // Locks the open base for SaveGame's store over position (NoParty: a new game); after a reload on
    // the user's word, position becomes that of the first game of the edited game's year and board, or
    // NoParty when there is none. False when the store must not go on.
    bool LockBaseForStore(kalvon::TBaseWriteLock& lock, long& position);
    // Empties the base and reads the open base's file again; false (said) when it will not be read.
    bool ReloadBase();
    // The open base's file as it is now is the one this session has in memory (after its own write).
    void RememberBaseFile();

    kalvon::IBaseUi& Ui_;
    kalvon::TGameBase Base_;
    kalvon::TQueryCriteria Criteria_;
    kalvon::TPositionIndex Index_;
    TSettingsState Settings_;
    std::string AlfMoves_;
    QString BasePath_;
    // The open base's file as this session last read or wrote it; nothing after ClearLists.
    kalvon::TFileIdentity BaseFile_;
    // This program's claim on the working folder's scratch base, held while it runs.
    kalvon::TBaseOpenClaim ScratchClaim_;
    size_t NulLine_ = 0;
    // What the load of the open base found besides its games.
    kalvon::TLoadReport LoadReport_;
    bool SettingsUnsaved_ = false;
};
