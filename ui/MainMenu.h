// The main window's menu and tool bar as built: the actions the window keeps in hand (their enabled
// and checked states follow the session), the tool bar, and the File menu's items of base files.
// The window's table (MainWindowMenu.cpp) says what each item is.
#pragma once

#include <QList>
#include <QString>

class QAction;
class QMenu;
class QToolBar;

struct TMainMenu {
    QMenu* fileMenu = nullptr;
    QAction* openBaseAction = nullptr;
    QAction* newFileAction = nullptr;
    QAction* saveAsAction = nullptr;
    QAction* restorePreviousBaseAction = nullptr;
    QAction* clearBoardAction = nullptr;
    QAction* collectionAction = nullptr;
    QAction* truncatedAction = nullptr;
    QAction* baseItemsEnd = nullptr;  // the separator below the base-file items
    QAction* exitAction = nullptr;
    QAction* adjustmentAction = nullptr;
    QAction* saveToolsAction = nullptr;
    QAction* statisticAction = nullptr;
    QAction* oneShiftAction = nullptr;
    QAction* twoShiftAction = nullptr;
    QAction* executeQueryAction = nullptr;
    QAction* statisticShowAction = nullptr;
    QAction* addNewGamesAction = nullptr;
    QAction* updateGamesAction = nullptr;
    QAction* outPbmFormatAction = nullptr;
    QAction* updateFromMailAction = nullptr;
    QAction* chooseMailboxAction = nullptr;
    QAction* importGamesAction = nullptr;
    QAction* exportSgfAction = nullptr;
    QAction* saveGameAction = nullptr;
    QAction* deleteGamesInListingAction = nullptr;
    QAction* listingGamesAction = nullptr;
    QAction* navigatorShowAction = nullptr;
    QAction* numerationAction = nullptr;
    QAction* reflectUpDownAction = nullptr;
    QAction* turnClockwiseAction = nullptr;
    QAction* turnAnticlockwiseAction = nullptr;
    QAction* reflectLeftRightAction = nullptr;
    QAction* moveBackAction = nullptr;
    QAction* moveForwardAction = nullptr;
    QAction* moveToStartAction = nullptr;
    QAction* moveToEndAction = nullptr;
    QAction* ruleRenjuAction = nullptr;
    QAction* ruleFreestyleAction = nullptr;
    QAction* ruleStandardAction = nullptr;
    QAction* findVcfAction = nullptr;
    QAction* findThreatAction = nullptr;
    QAction* checkGamesAction = nullptr;
    QAction* helpAction = nullptr;
    QAction* aboutAction = nullptr;
    // The tool bar's edit-mode indicator, which has no menu item: enabled while a game of the base
    // is being edited, it leaves the edit mode.
    QAction* editModeAction = nullptr;

    QToolBar* toolBar = nullptr;
};

// The base-file items of the File menu, in menu order.
QList<QAction*> BaseItems(const TMainMenu& menu);
// Adds a base-file item for the path directly above the second separator; its data is the path.
QAction* AddBaseItem(const TMainMenu& menu, const QString& path);
