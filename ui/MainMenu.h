// The main window's menu and tool bar: every item and button with its caption, shortcut, picture,
// object name and state at start. The main window connects them to its handlers.
#pragma once

#include <QList>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;

struct TMainMenu {
    QMenu* File1 = nullptr;
    QAction* NewFile1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* N2 = nullptr;
    QAction* Collection1 = nullptr;
    QAction* Truncated1 = nullptr;
    QAction* BaseItemsEnd = nullptr;  // the separator below the base-file items
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
};

// Builds the menu bar and the tool bar of the window.
TMainMenu CreateMainMenu(QMainWindow& window);
// The base-file items of the File menu, in menu order.
QList<QAction*> BaseItems(const TMainMenu& menu);
// Adds a base-file item for the path directly above the second separator; its data is the path.
QAction* AddBaseItem(const TMainMenu& menu, const QString& path);
