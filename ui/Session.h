// The program's session: the one owner of its state, that is the base in memory with its selection
// and the game on the board, the search index, the query criteria, the statistics shown, the settings
// in force, the open base's path and the working folder. Every window gets it in its constructor,
// reads the state through const access, changes it only through the commands below and learns of
// every change by the signals the commands emit.
//
// The session keeps the statistics true itself: every command that changes the position on the board
// or the base brings the memo lines and the next-move labels up to date with one search (while the
// statistics are shown) and announces StatisticChanged. After every rewrite of the open base the games
// in memory stand in the file's order, and the selection, the game on the board and the game being
// edited follow their games to their new numbers.
#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "base/BaseFile.h"
#include "base/BaseGenerations.h"
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
#include "ui/EngineUi.h"
#include "ui/SettingsState.h"

class IDialogService;
class QWidget;

inline constexpr const char* ScratchBase = "New.bdt";

class TSession final : public QObject {
    Q_OBJECT
public:
    // workFolder holds add/, update/, Outpbm/, ini/Tools.ini and the scratch base; questions and
    // messages go to dialogs, which outlives the session.
    TSession(const QString& workFolder, IDialogService& dialogs);
    ~TSession() override;

    // ---- The state, to read ----
    // The base, its selection and the game on the board together, for the engine's routines.
    const kalvon::TGameBase& Base() const { return Base_; }
    const kalvon::TBaseGames& Games() const { return Base_; }
    const kalvon::TListing& Listing() const { return Base_.Listing; }
    const kalvon::TBoardGame& Board() const { return Base_; }
    const kalvon::TQueryCriteria& Criteria() const { return Criteria_; }
    const kalvon::TPositionIndex& Index() const { return Index_; }
    const TSettingsState& Settings() const { return Settings_; }
    // Whether the statistics are shown in the memo, with the next moves labelled on the board.
    bool StatisticShown() const { return StatisticShown_; }
    // The memo's lines (bytes of the code page) and the points that carry labels, label A first; no
    // labels while the statistics are not shown.
    const std::vector<std::string>& MemoLines() const { return MemoLines_; }
    const std::string& AlfMoves() const { return AlfMoves_; }
    // "Query: NORD as black, 2003, not finished", or "Whole base".
    QString QueryText() const;
    // The last command's short message, for the status line.
    const QString& StatusMessage() const { return StatusMessage_; }
    // The open base: the path saving writes to, a name of the working folder or a full path.
    const QString& BasePath() const { return BasePath_; }
    // Why the open base cannot be written (a read-only file or folder, no lock possible), or nullopt
    // when it can; told once when it is opened, and the commands that write are disabled meanwhile.
    const std::optional<std::string>& WriteRefusal() const { return WriteRefusal_; }
    // The line of the open base file whose NUL byte ended its text on loading, 0 when none did.
    size_t NulLine() const { return NulLine_; }
    // Whether the settings were changed by the settings dialog since they were last written.
    bool SettingsUnsaved() const { return SettingsUnsaved_; }
    const QString& WorkFolder() const { return WorkFolder_; }
    // The loading progress window, once a load has shown it; null before.
    TLoadProgress* LoadProgressWindow() const { return EngineUi_.LoadProgress(); }
    // A path of the working folder (a name relative to it), or the path itself when absolute.
    QString WorkPath(const QString& name) const;
    // How a file is named in the title and the File menu: by its name in the working folder, by its
    // full path elsewhere.
    QString BaseName(const QString& path) const;
    // An engine's text as the user reads it.
    QString Shown(const std::string& text) const { return EngineUi_.Shown(text); }
    // The engine's form of a path of the file system.
    static std::string LocalPath(const QString& path);

    // ---- The game on the board: each announces PositionChanged when the moves changed, then the
    // statistics follow. Moves played or taken back, the transformations and "Clear Board" rebuild the
    // Listing while the statistics are shown; the jumps to the start and the end keep it. ----
    kalvon::TBoardChange PlayMove(std::string_view point);
    // Plays the next move labelled label (1 = "A"): "+" and the letters of the board. Nothing when no
    // such label stands on an empty point.
    kalvon::TBoardChange PlayLabel(int label);
    kalvon::TBoardChange TakeBackMove();
    kalvon::TBoardChange ReplayMove();
    kalvon::TBoardChange TakeBackTo(std::string_view point);
    kalvon::TBoardChange GoToStart();
    kalvon::TBoardChange GoToEnd();
    kalvon::TBoardChange Transform(kalvon::TSymmetry symmetry);
    // An empty board: no moves, no continuation, edit mode off ("Clear Board", a new base).
    kalvon::TBoardChange ClearBoard();
    // Drops the moves that wait to be replayed.
    void DropContinuation();
    // Puts the whole game at that position of PartyList on the board and opens it for editing;
    // announces GameOpened. The memo follows the new position; the Listing stays, so that browsing
    // keeps its list. A position past the end changes nothing.
    kalvon::TBoardChange OpenGame(long party);
    // Announces EditModeChanged when the mode changes.
    void SetEditMode(bool on);

    // ---- The statistics and the selection ----
    // Shows or hides the statistics; shown, they are searched at once and the Listing rebuilt.
    void SetStatisticShown(bool on);
    // Searches the position; the Listing becomes the games found, and the memo shows the statistics
    // while they are shown.
    kalvon::TStatistic Search();
    // "Statistic": Search; while the memo does not show the statistics, the text of the message box
    // that shows them instead.
    std::optional<std::string> RunStatistic();
    // "Query" OK: the criteria of the next searches, and the Listing (and the memo) under them.
    void AcceptQuery(const kalvon::TQueryCriteria& criteria);
    // The criteria of the next searches, without a search (a query the dialog could not take whole).
    void SetCriteria(const kalvon::TQueryCriteria& criteria);
    // The games of the position moved by distance s (1 or 2) across the board, in the whole base;
    // the Listing becomes the games found, the memo shows the total. The total's text.
    std::string ShiftStatistic(int s);
    // "One Shift", "Two Shift": ShiftStatistic; while the memo does not show the total, the text of
    // the message box that shows it instead.
    std::optional<std::string> RunShiftStatistic(int s);
    // A selection of the user's (the listing window's OK).
    void SetListing(kalvon::TListing listing);
    // Moves one entry of the Listing to another index, the entries between closing up; announces
    // ListingReordered. False, with nothing changed, when either index is past the end or both are one.
    bool MoveListed(size_t from, size_t to);

    // ---- The base. Commands that may ask take the window that asked, as the questions' parent ----
    // Makes path the open base, the file saving writes to; announces BasePathChanged.
    void SetBasePath(const QString& path);
    // Empties the base, the selection and the query; the position on the board stays.
    void ClearLists();
    // Opens the base file at path: a file that will not be read (too large, not an ordinary file, not a
    // base) is refused with its reason and the open base stays; otherwise the base is emptied and the
    // file read (a missing file becomes the open base all the same). False when refused or unread.
    bool OpenBase(const QString& path, QWidget* asker);
    // "New file": the scratch base of the working folder, empty, becomes the open base.
    void NewScratchBase(QWidget* asker);
    // Stores the typed game with the moves on the board, over the game being edited (as a new game
    // when none is, or with asNewGame), and saves the base; the stored game is then the one being
    // edited. False when the save failed or was refused: nothing changed. When another program changed
    // the base file since it was read here, the user may reload it first (the edited game is then
    // found again by its year and board, or stored as a new game) or cancel. With replaceKeyHolder the
    // game goes over the other game that holds its year and board instead (the user chose "Replace").
    bool SaveGame(const kalvon::TPartyEntry& entry, bool asNewGame, QWidget* asker,
                  bool replaceKeyHolder = false);
    // Puts game in place of the game at that position of PartyList, in memory (the next save of the
    // base writes it); false, with nothing changed, when no game is there. Announces PartiesChanged.
    bool ReplaceGame(long position, kalvon::TPartyRecord game);
    // Deletes the listed games from the base and saves it; false, with every game kept, when the save
    // failed. The Listing is then empty.
    bool DeleteListed(QWidget* asker);
    // "Add New Games", "Update Games", "Update from Mail ..." (an mbox file, a Maildir folder or a saved
    // message) and "Import Games ..." (ui answers the import's questions): the games join the base file,
    // and the base in memory follows it. Before any of them, the base file must be the one this session
    // last read or wrote; when another program changed it, the user may reload it (and then run the
    // command again) or cancel, and the command does nothing else (a failed run).
    kalvon::TFolderRun AddNewGames(QWidget* asker);
    kalvon::TFolderRun UpdateGames(QWidget* asker);
    kalvon::TFolderRun UpdateFromMail(const QString& mailbox, QWidget* asker);
    kalvon::TImportRun ImportGames(const QStringList& files, const kalvon::TImportOptions& options,
                                   kalvon::IImportUi& ui, QWidget* asker);
    // "Save as ...": writes the open base to path and makes it the open base. While the open base's
    // file is the one this session last read or wrote, it is copied byte for byte; a file that another
    // program changed or removed is not copied, the base in memory is written instead. False, with
    // nothing changed, when the write failed (the message shown).
    bool SaveBaseAs(const QString& path, QWidget* asker);
    // Makes the chosen earlier file of the open base the base again (the file it replaces becomes
    // generation 1, the others move down) and reads it again; false, with the reason shown and every
    // file as it was, when it failed.
    bool RestoreGeneration(const kalvon::TRestoreChoice& choice, QWidget* asker);
    // "Out pbm format": the listed games written out as notifications into Outpbm of the working
    // folder; what was written, for the closing message.
    kalvon::TWrittenNotifications WriteNotifications(QWidget* asker);
    // "Export SGF ...": the listed games as one SGF collection at path, or, with filePerGame, one file
    // a game into the folder path; the files written. False (the reason shown) when a write failed.
    bool ExportSgf(const QString& path, bool filePerGame, std::vector<std::string>& written, QWidget* asker);
    // Claims the working folder's scratch base for this program and clears its file unless another
    // program claims it too (that file is left as it is, not loaded): a file with games moves into
    // the scratch base's generations, so "Restore Previous Base" brings them back, an empty one is
    // deleted. The number of games set aside (0 also for a file left alone); nullopt (said to the
    // user) when the file could not be cleared.
    std::optional<size_t> SetAsideScratchBase(QWidget* asker);
    // The games in the working folder's scratch base file, open or not (0 when there is none).
    size_t ScratchBaseGames() const;
    // Says the command's outcome on the status line.
    void SetStatusMessage(const QString& message);

    // ---- The settings: each announces SettingsChanged ----
    // Reads ini/Tools.ini, writing the default file first when it is missing, and puts its code page
    // and its display settings in force; problems are said to asker.
    void ReadSettings(QWidget* asker);
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
    // The generations every rewrite keeps ("Backup Generations"), and the dialog's change of them,
    // in force at once.
    int BackupGenerations() const;
    void StoreBackupGenerations(int generations);
    // Writes the display settings into ini/Tools.ini; false with the reason in error.
    bool SaveSettings(std::string& error);

    // ---- The rules ----
    // The rule in force: the one last chosen in the Moves menu, or that of the game opened last.
    kalvon::TRule Rule() const { return Rule_; }
    // The Moves menu's choice: the rule in force from now on, stored in the parameter list as the
    // rule (and a gomoku rule as the rule of games that do not start at the centre). Announces
    // RuleChanged, and SettingsChanged when the stored settings changed.
    void ChooseRule(kalvon::TRule rule);
    // The rules' part of the "Adjustment" dialog: whether black's forbidden points are marked and
    // the length limit of a VCF search, in force and stored in the parameter list; announces
    // SettingsChanged when they changed.
    void StoreRuleSettings(bool showForbidden, int vcfLength);
    // Makes the moves (point codes, the next one first) the continuation that the right arrow
    // replays; announces PositionChanged.
    void SetContinuation(std::string moves);

    // ---- The browsing windows ----
    // The browsing windows close (a new base, or a new scratch base); announces BrowsersClosed.
    void CloseBrowsers() { emit BrowsersClosed(); }

signals:
    void EditModeChanged(bool on);
    // The moves on the board, or the moves waiting to be replayed, changed as change says (the board
    // draws it; the move commands follow).
    void PositionChanged(const kalvon::TBoardChange& change);
    // A game of the base was put on the board whole (the board is drawn anew).
    void GameOpened();
    // The memo lines or the labels changed, or whether they are shown.
    void StatisticChanged();
    // Games of PartyList changed in place or were added: shown texts of games are out of date.
    void PartiesChanged();
    // The games stand at new positions (a rewrite of the base file sorted them): newPosition[old] is
    // where the game of position old stands now, kalvon::NoGame where it is gone or not followed. The
    // Listing was renumbered already (in its order, with its repeats).
    void GamesRenumbered(const std::vector<uint32_t>& newPosition);
    // The Listing is a new selection.
    void ListingChanged();
    // The entry at index from of the Listing moved to index to; the entries between closed up.
    void ListingReordered(size_t from, size_t to);
    void CriteriaChanged();
    void BrowsersClosed();
    // The open base's file is being read (reloading: again, after a command rewrote it).
    void BaseLoading(bool reloading);
    // Games of the base were replaced or removed (loaded, cleared, deleted): positions in PartyList
    // name other games now.
    void BaseChanged();
    void BasePathChanged(const QString& path);
    // The settings in force, the parameter list or whether they are saved changed.
    void SettingsChanged();
    void StatusMessageChanged(const QString& message);
    // The rule in force changed.
    void RuleChanged();

private:
    // The rule in force; announces RuleChanged when it changes.
    void SetRule(kalvon::TRule rule);
    // The rule of a game of the base put on the board: renju when it starts at the centre, else
    // the gomoku rule last chosen.
    void FollowGameRule(std::string_view moves);
    // The rules' settings of the parameter list in force.
    void ReadRuleSettings();

    // What a change does to the Listing while the statistics are shown.
    enum class TListingRule { Rebuild, Keep };
    // Announces a change of the position and lets the statistics follow it.
    kalvon::TBoardChange FollowPosition(const kalvon::TBoardChange& change, TListingRule rule,
                                        bool searchAlways = false);
    // Brings the memo and the labels up to date with one search while the statistics are shown (the
    // Listing rebuilt or kept by rule), and announces what changed.
    void FollowStatistic(TListingRule rule);
    // The search of FollowStatistic without its announcements; true when the memo or the labels changed.
    bool UpdateStatistic(TListingRule rule);
    // The announcements of FollowStatistic: ListingChanged for a Listing rebuilt, StatisticChanged.
    void AnnounceStatistic(TListingRule rule, bool changed);
    // The statistic of the position into the Listing (rebuild) or into a list of its own.
    kalvon::TStatistic RunSearch(TListingRule rule);
    // The memo lines and labels of a statistic.
    void ShowStatistic(const kalvon::TStatistic& statistic);

    // Reads the base file at path into the emptied base (again, when reloading) and makes path the
    // open base; the messages of the load are said to asker unless quiet. False when it could not be
    // read.
    bool LoadBase(const QString& path, QWidget* asker, bool reloading, bool quiet);
    // After a command changed PartyList in memory since (generation, size): the games the program
    // points at follow them, and the statistics the base.
    void FollowGamesSince(uint64_t generation, size_t size, TListingRule rule);
    // After the open base's file was rewritten: the base is read again (quietly after this program's
    // own commands), and the games the program points at are found again in it.
    void FollowRewrittenFile(QWidget* asker, bool quiet);
    void FollowNewPositions(const std::vector<uint32_t>& newPosition, TListingRule rule);
    // Asks before a save over the open base would drop the lines after a NUL byte that ended its
    // text when it was loaded, or rewrite its damaged lines as they were read; true when the save
    // may go ahead (nothing of the kind, or the user said Yes).
    bool MaySaveOverBase(QWidget* asker);
    bool MaySaveOverDamagedLines(QWidget* asker);

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
    TBaseOnDisk LockSeenBase(kalvon::TBaseWriteLock& lock, const QString& reloadButton, const QString& offer,
                             QWidget* asker);
    // LockSeenBase for the commands that do nothing but reload when the file changed.
    bool LockSeenBaseOrReload(kalvon::TBaseWriteLock& lock, QWidget* asker);
    // Locks the open base for SaveGame's store over position (NoParty: a new game); after a reload on
    // the user's word, position becomes that of the first game of the edited game's year and board, or
    // NoParty when there is none. False when the store must not go on.
    bool LockBaseForStore(kalvon::TBaseWriteLock& lock, long& position, QWidget* asker);
    // Empties the base and reads the open base's file again; false (said) when it will not be read.
    bool ReloadBase(QWidget* asker);
    // The open base's file as it is now is the one this session has in memory (after its own write).
    void RememberBaseFile();
    std::string OpenBaseFile() const { return LocalPath(WorkPath(BasePath_)); }
    std::string WorkFolderPath() const { return LocalPath(WorkFolder_); }
    // A folder command that did not run, or ran, with its base followed.
    kalvon::TFolderRun FollowFolderRun(const kalvon::TFolderRun& run, QWidget* asker);

    const QString WorkFolder_;
    IDialogService& Dialogs_;
    TEngineUi EngineUi_;
    kalvon::TGameBase Base_;
    kalvon::TQueryCriteria Criteria_;
    kalvon::TPositionIndex Index_;
    TSettingsState Settings_;
    bool StatisticShown_ = false;
    std::vector<std::string> MemoLines_;
    std::string AlfMoves_;
    QString StatusMessage_;
    QString BasePath_;
    std::optional<std::string> WriteRefusal_;
    // The open base's file as this session last read or wrote it; nothing after ClearLists.
    kalvon::TFileIdentity BaseFile_;
    // This program's claim on the working folder's scratch base, held while it runs.
    kalvon::TBaseOpenClaim ScratchClaim_;
    size_t NulLine_ = 0;
    // What the load of the open base found besides its games.
    kalvon::TLoadReport LoadReport_;
    bool SettingsUnsaved_ = false;
    kalvon::TRule Rule_ = kalvon::TRule::Renju;
};
