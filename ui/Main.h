// The main window: the board with its stones, the menu and the tool bar, the base-file commands,
// the settings in force and moving on the board.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <memory>
#include <string>
#include <string_view>

#include "base/GConst.h"
#include "search/PositionIndex.h"
#include "search/Query.h"
#include "ui/BoardPainter.h"
#include "ui/Tools.h"

class QAction;
class QMenu;
class QToolBar;
class QToolButton;
class TAboutBox;
class TClientArea;
class TFormBook;
class TFormKonstr;
class TFormLoad;
class TNavigatorForm;
class TPaintBox;
class TStatisticMemo;
class TQueryForm;
class TSaveForm;
class TUsechForm;

// The windows created after the main window; the main window shows, hides and docks them.
struct TOtherForms {
    TFormT* FormT = nullptr;
    TNavigatorForm* NavigatorForm = nullptr;
    TQueryForm* QueryForm = nullptr;
    TAboutBox* AboutBox = nullptr;
    TUsechForm* UsechForm = nullptr;
    TSaveForm* SaveForm = nullptr;
    TFormKonstr* FormKonstr = nullptr;
    TFormBook* FormBook = nullptr;
    TFormLoad* FormLoad = nullptr;
};

inline constexpr const char* ScratchBase = "New.bdt";

class TMainForm final : public QMainWindow {
    Q_OBJECT
public:
    // Creates the window over the program's one base: deletes the scratch base, lists the base
    // files of the working folder, starts a new game and reads (or first writes) ini/Tools.ini.
    explicit TMainForm(kalvon::TGameBase& base);
    ~TMainForm() override;

    void AttachForms(const TOtherForms& forms);

    // The current base file: the path that saving writes to, shown as the title.
    const QString& CurrentBase() const { return CurrentBase_; }
    TToolsState& Settings() { return Settings_; }
    // The base-file items of the File menu, in menu order.
    QList<QAction*> BaseItems() const;

    // Opens a base named on the command line exactly as its File menu item would; a file that has
    // no item yet gets one.
    void OpenBaseArgument(const QString& path);

    // File menu and start-up.
    void ClearLists();
    void NewItems(const QString& path);
    void LoadBaseFile(const QString& path, bool reloading);
    void NewFile1Click();
    // Returns whether the base was copied.
    bool SaveAs1Click();
    void Help1Click();
    void About1Click();
    void Exit1Click();
    void Adjustment1Click();
    void SaveTools1Click();
    void FormActivate();
    void DockNavigator();

    // Drawing the board.
    void PaintBox1Paint();
    void DrawMove(const QString& number, std::string_view point);
    void MoveBackup(std::string_view point);
    void ClearPaint();
    void MoveEnabled();
    void NumClick();
    void NextMovesAlf(int index, std::string_view point);
    void DeleteMovesAlf();
    bool IsPointEmpty(std::string_view point) const;

    // Moving on the board.
    void FormKeyPress(QChar key);
    void Memo1KeyPress(QChar key);
    void N13Click();
    void N14Click();
    void N15Click();
    void N16Click();
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void ToolButton4Click();
    void ToolButton6Click();
    void PaintBox1MouseDown(Qt::MouseButton button, QPoint point);
    void PaintBox1Click();
    void PaintBox1DblClick();
    void NewGame();
    void N2Click();

    // The statistics of the position: the search, the memo, the letter labels and the query.
    // Searches the position on the board; unless quiet, shows the statistics in the memo with the
    // labels (while "Statistic Show" is checked) or in a message box.
    void MakeStatistic(bool quiet);
    // Brings the navigator and the listing window up to date with the Listing: redrawn when shown,
    // opened when asked to and the Listing holds games.
    void RefreshBrowsers(bool openNavigator, bool openListing);
    void StatisticShowClick();
    void N8Click();
    void N11Click();
    void OneShiftClick();
    void TwoShiftClick();

    // Reflecting and turning the board.
    void VertClick();
    void HorizClick();
    void ClockwiseClick();
    void AgainstClick();
    void ToolButton8Click();
    void ToolButton9Click();
    void ToolButton10Click();
    void ToolButton11Click();

    // The points that carry next-move labels, label A first; the search fills it.
    std::string AlfMoves;
    // The one set of query criteria, consulted by every search; the query dialog fills it.
    kalvon::TQueryCriteria QueryCriteria;
    // The search data kept beside the base (for tools that time the search on it).
    kalvon::TPositionIndex& SearchIndex() { return Index_; }

    TPaintBox* PaintBox1 = nullptr;
    TStatisticMemo* Memo1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButton1 = nullptr;
    QToolButton* ToolButton2 = nullptr;
    QToolButton* ToolButton3 = nullptr;
    QToolButton* ToolButton4 = nullptr;
    QToolButton* ToolButton6 = nullptr;
    QToolButton* ToolButton8 = nullptr;
    QToolButton* ToolButton9 = nullptr;
    QToolButton* ToolButton10 = nullptr;
    QToolButton* ToolButton11 = nullptr;

    QMenu* File1 = nullptr;
    QAction* NewFile1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* N2 = nullptr;
    QAction* Collection1 = nullptr;
    QAction* Truncated1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Adjustment1 = nullptr;
    QAction* SaveTools1 = nullptr;
    QAction* N8 = nullptr;
    QAction* OneShift1 = nullptr;
    QAction* TwoShift1 = nullptr;
    QAction* Execute1 = nullptr;
    QAction* StatisticShow = nullptr;
    QAction* AddNewGames1 = nullptr;
    QAction* UpdateGames1 = nullptr;
    QAction* OutPbmFormat1 = nullptr;
    QAction* SaveGame1 = nullptr;
    QAction* DeleteGamesInListing1 = nullptr;
    QAction* ListingGames1 = nullptr;
    QAction* NavigatorShow1 = nullptr;
    QAction* Num = nullptr;
    QAction* Vert = nullptr;
    QAction* Clockwise = nullptr;
    QAction* Against = nullptr;
    QAction* Horiz = nullptr;
    QAction* N13 = nullptr;
    QAction* N14 = nullptr;
    QAction* N15 = nullptr;
    QAction* N16 = nullptr;
    QAction* Help1 = nullptr;
    QAction* About1 = nullptr;

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
    class TWindowUi;

    void CreateMenu();
    void CreateToolBar();
    void ReadSettings();
    // Asks for the square of one point to be copied to the screen.
    void UpdatePoint(TBoardPoint point);
    void SetTitle(const QString& text);
    void SetCurrentBase(const QString& path);
    void SetOuterSize(int width, int height);
    // Where a change of the position reaches the search.
    void PositionChanged();
    // Where a loaded base reaches the search and the browsing windows.
    void BaseChanged();
    // Runs the shifted statistics of distance s and shows the total.
    void ShowShiftStatistic(int s);
    // Rewrites the moves of the board and the continuation by symmetry t, then searches and repaints.
    void TransformBoard(int t);
    // Replaces the memo's lines, showing the first.
    void SetMemoLines(const QString& text);

    kalvon::TGameBase& Base_;
    // The search data kept beside the games; it rebuilds itself when PartyList has changed.
    kalvon::TPositionIndex Index_;
    TToolsState Settings_;
    TOtherForms Forms_;
    std::unique_ptr<TWindowUi> BaseUi_;
    TClientArea* Client_ = nullptr;
    QAction* BaseItemsEnd_ = nullptr;
    QString CurrentBase_;
    QPoint PressPoint_;
    bool TakeBackBatch_ = false;
    bool Shown_ = false;
};
