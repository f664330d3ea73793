// The main window: the board, the statistics memo, the menu and the tool bar, the base-file
// commands, and the handlers that move on the board and show the statistics.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <memory>
#include <optional>

#include "base/BoardMoves.h"
#include "ui/MainMenu.h"

class TAboutDialog;
class QLabel;
class TBoardView;
class TClientArea;
class TDiagramWindow;
class TGameEntryDialog;
class THelpWindow;
class TListingWindow;
class TNavigatorWindow;
class TQueryDialog;
class TSession;
class TSettingsDialog;
class TStatisticMemo;

// The windows that the main window's commands show.
struct TOtherWindows {
    TSettingsDialog* SettingsDialog = nullptr;
    TQueryDialog* QueryDialog = nullptr;
    TAboutDialog* AboutDialog = nullptr;
    TNavigatorWindow* NavigatorWindow = nullptr;  // docked beside the main window while shown
    TListingWindow* ListingWindow = nullptr;
    TGameEntryDialog* GameEntryDialog = nullptr;
    TDiagramWindow* DiagramWindow = nullptr;
};

class TMainWindow final : public QMainWindow {
    Q_OBJECT
public:
    // Creates the window over the session, with no base items yet; the program object runs the
    // start-up.
    explicit TMainWindow(TSession& session);
    ~TMainWindow() override;

    void AttachWindows(const TOtherWindows& windows);

    // The base-file items of the File menu, in menu order.
    QList<QAction*> BaseItems() const;
    // Opens a base named on the command line exactly as its File menu item would; a file that has
    // no item yet gets one.
    void OpenBaseArgument(const QString& path);

    // File menu and start-up.
    void ClearLists();
    void NewItems(const QString& path);
    void LoadBaseFile(const QString& path, bool reloading);
    // "Open Base ...": a base of any folder, chosen in the file dialog.
    void OpenBase();
    void NewFile();
    // Returns whether the base was copied.
    bool SaveAs();
    // "Restore Previous Base": the open base's file and its .bak change places, on the user's word.
    void RestorePreviousBase();
    // The working folder's help/readme.*, else the user guide in the help window.
    void ShowHelp();
    void ShowAbout();
    // The help window once Help has shown the user guide, else null.
    THelpWindow* HelpWindow() const { return Help_.get(); }
    void Exit();
    void ShowSettings();
    void SaveSettings();
    void FormActivate();
    void DockNavigator();

    // Moving on the board.
    void FormKeyPress(QChar key);
    void MemoKeyPress(QChar key);
    void MoveBack();
    void MoveForward();
    void MoveToStart();
    void MoveToEnd();
    void LeaveEditMode();
    void BoardMouseDown(Qt::MouseButton button, QPoint point);
    void BoardClick();
    void BoardDoubleClick();
    void NewGame();
    void ClearBoard();
    void MoveEnabled();
    void NumerationToggled();

    // The statistics of the position: searches it and shows the statistics in the memo with the
    // labels while "Statistic Show" is checked, else (unless quiet) in a message box.
    void MakeStatistic(bool quiet);
    void StatisticShowToggled();
    void ShowStatistic();
    void ShowQuery();
    void OneShiftStatistic();
    void TwoShiftStatistic();

    // The browsing windows and the entry dialog.
    void ShowNavigator();
    void ShowListing();
    void DeleteListedGames();
    void ShowGameEntry();

    // Notifications in and out: "Add New Games", "Update Games", "Out pbm format".
    void AddNewGames();
    void UpdateGames();
    void WriteNotifications();
    // Mail, other programs' games and SGF: "Update from Mail ...", "Choose Mailbox ...",
    // "Import Games ...", "Export SGF ...".
    void UpdateFromMail();
    void ChooseMailbox();
    void ImportGames();
    void ExportSgf();

    // Reflecting and turning the board.
    void ReflectUpDown();
    void ReflectLeftRight();
    void TurnClockwise();
    void TurnAnticlockwise();

signals:
    // The window was closed: the program ends.
    void Closed();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ConnectMenu();
    void ConnectBrowsers();
    void ConnectExchange();
    void ConnectImport();
    std::optional<QString> AskMailbox();
    // Says why a folder command may not rewrite the open base, if it may not.
    bool FolderCommandRefused();
    void SetTitle(const QString& text);
    void SetOuterSize(int width, int height);
    // Asks to save the scratch base when it holds games; false when the user cancels.
    bool ScratchBaseSaved();
    // Draws a change of the game on the board and brings the navigation commands in line.
    void ShowChange(const kalvon::TBoardChange& change);
    // Where a change of the position reaches the search.
    void PositionChanged();
    // Runs the shifted statistics of distance s and shows the total.
    void ShowShiftStatistic(int s);
    void TransformBoard(kalvon::TSymmetry symmetry);
    bool StatisticShown() const;
    // Enables "Restore Previous Base" while the open base has a previous generation.
    void RestoreEnabled();
    // Adds to the File menu the bases that came into the working folder since it was last listed.
    void ListNewBases();
    // The hint on the board of an empty working folder: how to get a base.
    void UpdateEmptyFolderHint();
    // Runs the statistics when they are shown and PartyList changed since it was at generation (a
    // command that reloaded the base instead of its own work).
    void SearchIfBaseChanged(uint64_t generation);
    // After a command that may have rewritten the base file: its reload, or the search above.
    void FollowBaseFile(bool reloadDue, uint64_t generation);

    TSession& Session_;
    TMainMenu Menu_;
    TOtherWindows Windows_;
    TClientArea* Client_ = nullptr;
    TBoardView* Board_ = nullptr;
    QLabel* EmptyFolderHint_ = nullptr;
    TStatisticMemo* Memo_ = nullptr;
    QPoint PressPoint_;
    bool Shown_ = false;
    bool Closing_ = false;
    std::unique_ptr<THelpWindow> Help_;
};
