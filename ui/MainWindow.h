// The main window: the board, the statistics memo, the status line, the menu and the tool bar. It
// turns the user's clicks, keys and menu commands into the session's commands and shows what the
// session announces; the other windows are the program's, asked for by WindowWanted.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>

#include "base/BoardMoves.h"
#include "exchange/FolderCommands.h"
#include "ui/MainMenu.h"

class QLabel;
class TWelcomePanel;
class TBoardView;
class TClientArea;
class TSession;
class TStatisticMemo;
class TCheckGamesCommand;
class TVcfCommand;

// The windows the main window's commands show; the program makes each when first wanted.
enum class TWindowKind { Settings, Query, About, Navigator, Listing, GameEntry, Diagram, Help };

class TMainWindow final : public QMainWindow {
    Q_OBJECT
public:
    // Creates the window over the session, with no base items yet; the program runs the start-up.
    explicit TMainWindow(TSession& session);
    ~TMainWindow() override;

    // The base-file items of the File menu, in menu order.
    QList<QAction*> BaseItems() const;
    // Adds a File menu item that opens the base at path (a name of the working folder or a full path).
    void AddBaseItem(const QString& path);
    // Opens a base named on the command line exactly as its File menu item would; a file that has
    // no item yet gets one.
    void OpenBaseArgument(const QString& path);
    // Sizes the window for the board and the memo in force (the formulas give the outer size).
    void FitToSettings();

signals:
    // A command wants one of the program's other windows shown.
    void WindowWanted(TWindowKind window);
    // The window moved or changed its size: the navigator docks beside it again.
    void Moved();
    // The window was closed: the program ends.
    void Closed();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    // File menu.
    void OpenBase();
    void NewFile();
    void SaveAs();
    void RestorePreviousBase();
    void ClearBoard();
    void ShowDiagrams();
    void Exit();
    // Tools menu.
    void ShowSettings();
    void SaveSettings();
    // Query menu.
    void ShowStatistic();
    void OneShiftStatistic();
    void TwoShiftStatistic();
    void ShowQuery();
    void StatisticShowToggled();
    // Work with Base menu.
    void AddNewGames();
    void UpdateGames();
    void WriteNotifications();
    void UpdateFromMail();
    void ChooseMailbox();
    void ImportGames();
    void ExportSgf();
    void ShowGameEntry();
    void DeleteListedGames();
    void ShowListing();
    void ShowNavigator();
    // Moves menu.
    void NumerationToggled();
    void ReflectUpDown();
    void TurnClockwise();
    void TurnAnticlockwise();
    void ReflectLeftRight();
    void MoveBack();
    void MoveForward();
    void MoveToStart();
    void MoveToEnd();
    void LeaveEditMode();
    void ChooseRenju();
    void ChooseFreestyle();
    void ChooseStandard();
    void FindVcf();
    void FindThreat();
    void CheckGames();
    // Help menu.
    void ShowHelp();
    void ShowAbout();

private:
    void CreateControls();
    void LayOut();
    void ConnectSession();
    // Builds the menu bar and the tool bar from the menu's table.
    void CreateMenu();
    // The rule items, one checked, follow the rule in force; the rules' commands are made.
    void ConnectRules();
    void ShowRule();

    // A typed character: "-" takes back, "+" replays or plays label A, a letter plays its label.
    void TypedKey(QChar key);
    void BoardMouseDown(Qt::MouseButton button, QPoint point);
    void BoardClick();
    void BoardDoubleClick();
    // The navigation commands are enabled as the moves on the board allow.
    void MoveEnabled();
    void ShowStatisticChange();
    // Runs the shifted statistics of distance s and shows the total.
    void ShowShiftStatistic(int s);
    // The navigator opens after a search that listed games.
    void OpenNavigatorWhenListed();
    void UpdateStatusLine();
    // The title names the open base, with "[read-only]" when it cannot be written, and the writing
    // commands follow.
    void ShowBasePath(const QString& path);
    void SetTitle(const QString& text);
    void SetOuterSize(int width, int height);
    // "Save as ...": true when the base was written.
    bool SaveBaseAs();
    // Asks to save the scratch base when it holds games; false when the user cancels.
    bool ScratchBaseSaved();
    // "Save as ..." of the scratch base's file while another base is open: a copy under the chosen
    // name, listed in the File menu.
    bool SaveScratchFileAs();
    // The name "Save as ..." asks for, with ".bdt" appended and a replacement confirmed; nullopt when
    // cancelled.
    std::optional<QString> ChosenBaseName();
    // Says why a folder command may not rewrite the open base, if it may not.
    bool FolderCommandRefused();
    std::optional<QString> AskMailbox();
    // The closing message of a folder run that was done, on the status line and in a box.
    void FolderRunDone(const char* command, const kalvon::TFolderRun& run);
    // Enables "Restore Previous Base" while the open base has a previous generation.
    void RestoreEnabled();
    // Adds to the File menu the bases that came into the working folder since it was last listed.
    void ListNewBases();
    // The hint on the board of an empty working folder: how to get a base.
    void UpdateEmptyFolderHint();
    // The welcome's sample: "sample (generated games).bdt" written in the working folder (unless it is
    // there) and opened.
    void CreateSampleBase();

    TSession& Session_;
    TMainMenu Menu_;
    TClientArea* Client_ = nullptr;
    TBoardView* Board_ = nullptr;
    TWelcomePanel* Welcome_ = nullptr;
    TStatisticMemo* Memo_ = nullptr;
    QLabel* QueryField_ = nullptr;
    QLabel* RuleField_ = nullptr;
    QLabel* MessageField_ = nullptr;
    TVcfCommand* Vcf_ = nullptr;
    TCheckGamesCommand* CheckGames_ = nullptr;
    QPoint PressPoint_;
    bool Shown_ = false;
};
