#include "ui/MainMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "ui/Icons.h"

namespace {

void CreateMenu(QMainWindow& window, TMainMenu& m) {
    auto item = [](QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut = {}) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        return action;
    };
    auto picture = [](QAction* action, const QIcon& icon) { action->setIcon(icon); };
    QStyle* look = window.style();

    m.fileMenu = window.menuBar()->addMenu(QStringLiteral("File"));
    m.fileMenu->setObjectName(QStringLiteral("File1"));
    m.openBaseAction =
        item(m.fileMenu, "OpenBase1", QStringLiteral("Open Base ..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    m.newFileAction = item(m.fileMenu, "NewFile1", QStringLiteral("New file"), Qt::Key_F2);
    m.saveAsAction = item(m.fileMenu, "SaveAs1", QStringLiteral("Save as ..."));
    // Enabled while the open base has a previous generation.
    m.restorePreviousBaseAction =
        item(m.fileMenu, "RestorePreviousBase1", QStringLiteral("Restore Previous Base"));
    m.restorePreviousBaseAction->setEnabled(false);
    m.clearBoardAction = item(m.fileMenu, "N2", QStringLiteral("Clear Board"), Qt::Key_F5);
    QMenu* graphics = m.fileMenu->addMenu(QStringLiteral("Graphics"));
    graphics->setObjectName(QStringLiteral("Graphics1"));
    m.collectionAction = item(graphics, "Collection1", QStringLiteral("Collection"));
    m.collectionAction->setEnabled(false);
    m.truncatedAction = item(graphics, "Truncated1", QStringLiteral("Truncated"));
    m.fileMenu->addSeparator();
    m.baseItemsEnd = m.fileMenu->addSeparator();
    m.exitAction = item(m.fileMenu, "Exit1", QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_F4));
    picture(m.openBaseAction, look->standardIcon(QStyle::SP_DialogOpenButton));
    picture(m.newFileAction, look->standardIcon(QStyle::SP_FileIcon));
    picture(m.saveAsAction, look->standardIcon(QStyle::SP_DialogSaveButton));
    picture(m.clearBoardAction, ToolPicture(TToolPicture::ClearBoard));
    picture(m.exitAction, look->standardIcon(QStyle::SP_DialogCloseButton));

    QMenu* tools = window.menuBar()->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("Tools1"));
    m.adjustmentAction = item(tools, "Adjustment1", QStringLiteral("Adjustment"), Qt::Key_F9);
    m.saveToolsAction = item(tools, "SaveTools1", QStringLiteral("Save Tools"));
    m.saveToolsAction->setEnabled(false);
    picture(m.adjustmentAction, ToolPicture(TToolPicture::Adjustment));
    picture(m.saveToolsAction, look->standardIcon(QStyle::SP_DialogSaveButton));

    QMenu* query = window.menuBar()->addMenu(QStringLiteral("Query"));
    query->setObjectName(QStringLiteral("Query1"));
    m.statisticAction = item(query, "N8", QStringLiteral("Statistic"), QKeySequence(Qt::CTRL | Qt::Key_S));
    QMenu* shift = query->addMenu(QStringLiteral("Statistik with shift"));
    shift->setObjectName(QStringLiteral("StatistikWithShift1"));
    m.oneShiftAction = item(shift, "OneShift1", QStringLiteral("One Shift"));
    m.twoShiftAction = item(shift, "TwoShift1", QStringLiteral("Two Shift"));
    m.executeQueryAction =
        item(query, "Execute1", QStringLiteral("Execute"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    m.statisticShowAction = item(query, "StatisticShow", QStringLiteral("Statistic Show"), Qt::Key_F8);
    m.statisticShowAction->setCheckable(true);
    picture(m.statisticAction, ToolPicture(TToolPicture::Statistic));
    picture(m.executeQueryAction, ToolPicture(TToolPicture::Query));

    QMenu* work = window.menuBar()->addMenu(QStringLiteral("Work with Base"));
    work->setObjectName(QStringLiteral("WorkWithBase1"));
    m.addNewGamesAction = item(work, "AddNewGames1", QStringLiteral("Add New Games"));
    m.updateGamesAction = item(work, "UpdateGames1", QStringLiteral("Update Games"));
    m.outPbmFormatAction = item(work, "OutPbmFormat1", QStringLiteral("Out pbm format"));
    m.updateFromMailAction = item(work, "UpdateFromMail1", QStringLiteral("Update from Mail ..."));
    m.chooseMailboxAction = item(work, "ChooseMailbox1", QStringLiteral("Choose Mailbox ..."));
    m.importGamesAction = item(work, "ImportGames1", QStringLiteral("Import Games ..."));
    m.exportSgfAction = item(work, "ExportSgf1", QStringLiteral("Export SGF ..."));
    m.saveGameAction =
        item(work, "SaveGame1", QStringLiteral("Save Game"), QKeySequence(Qt::CTRL | Qt::Key_P));
    m.deleteGamesInListingAction =
        item(work, "DeleteGamesInListing1", QStringLiteral("Delete Games in Listing"));
    m.listingGamesAction =
        item(work, "ListingGames1", QStringLiteral("Listing Games"), QKeySequence(Qt::CTRL | Qt::Key_L));
    m.navigatorShowAction =
        item(work, "NavigatorShow1", QStringLiteral("Navigator Show"), QKeySequence(Qt::CTRL | Qt::Key_N));
    picture(m.addNewGamesAction, look->standardIcon(QStyle::SP_FileDialogNewFolder));
    picture(m.updateGamesAction, look->standardIcon(QStyle::SP_BrowserReload));
    picture(m.saveGameAction, look->standardIcon(QStyle::SP_DialogSaveButton));
    picture(m.deleteGamesInListingAction, look->standardIcon(QStyle::SP_TrashIcon));
    picture(m.listingGamesAction, ToolPicture(TToolPicture::Listing));
    picture(m.navigatorShowAction, ToolPicture(TToolPicture::Navigator));

    QMenu* moves = window.menuBar()->addMenu(QStringLiteral("Moves"));
    moves->setObjectName(QStringLiteral("Moves1"));
    m.numerationAction = item(moves, "Num", QStringLiteral("Numeration"));
    m.numerationAction->setCheckable(true);
    m.numerationAction->setChecked(true);
    m.reflectUpDownAction = item(moves, "Vert", QStringLiteral("Reflect Up/Down"));
    m.turnClockwiseAction = item(moves, "Clockwise", QStringLiteral("Turn +90 degrees"));
    m.turnAnticlockwiseAction = item(moves, "Against", QStringLiteral("Turn -90 degrees"));
    m.reflectLeftRightAction = item(moves, "Horiz", QStringLiteral("Reflect Left/Right"));
    m.moveBackAction = item(moves, "N13", QStringLiteral("Move back"));
    m.moveForwardAction = item(moves, "N14", QStringLiteral("Move up"));
    m.moveToStartAction = item(moves, "N15", QStringLiteral("In Start"));
    m.moveToEndAction = item(moves, "N16", QStringLiteral("In End"));
    picture(m.reflectUpDownAction, ToolPicture(TToolPicture::ReflectUpDown));
    picture(m.turnClockwiseAction, ToolPicture(TToolPicture::TurnClockwise));
    picture(m.turnAnticlockwiseAction, ToolPicture(TToolPicture::TurnAnticlockwise));
    picture(m.reflectLeftRightAction, ToolPicture(TToolPicture::ReflectLeftRight));
    picture(m.moveBackAction, ToolPicture(TToolPicture::MoveBack));
    picture(m.moveForwardAction, ToolPicture(TToolPicture::MoveUp));
    picture(m.moveToStartAction, ToolPicture(TToolPicture::InStart));
    picture(m.moveToEndAction, ToolPicture(TToolPicture::InEnd));
    // The arrows, Home and End step through the game while the board has the focus (the window
    // adds these actions to the board), so that text fields and the memo keep their own keys.
    m.moveBackAction->setShortcut(Qt::Key_Left);
    m.moveForwardAction->setShortcut(Qt::Key_Right);
    m.moveToStartAction->setShortcut(Qt::Key_Home);
    m.moveToEndAction->setShortcut(Qt::Key_End);
    for (QAction* navigation :
         {m.moveBackAction, m.moveForwardAction, m.moveToStartAction, m.moveToEndAction}) {
        navigation->setShortcutContext(Qt::WidgetShortcut);
        navigation->setEnabled(false);
    }

    QMenu* help = window.menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help2"));
    m.helpAction = item(help, "Help1", QStringLiteral("Help"), Qt::Key_F1);
    help->addSeparator();
    m.aboutAction = item(help, "About1", QStringLiteral("About ..."));
    picture(m.helpAction, look->standardIcon(QStyle::SP_DialogHelpButton));
    picture(m.aboutAction, look->standardIcon(QStyle::SP_MessageBoxInformation));
}

void CreateToolBar(QMainWindow& window, TMainMenu& m) {
    m.toolBar = window.addToolBar(QStringLiteral("ToolBar1"));
    m.toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m.toolBar->setMovable(false);
    m.toolBar->setFloatable(false);
    m.toolBar->toggleViewAction()->setVisible(false);
    m.toolBar->setFixedHeight(30);
    m.toolBar->setIconSize(QSize(16, 16));
    window.setContextMenuPolicy(Qt::NoContextMenu);

    // A button for each action, its hint the action's caption, under its own object name.
    auto button = [&m](const char* name, QAction* action) {
        m.toolBar->addAction(action);
        QWidget* shown = m.toolBar->widgetForAction(action);
        shown->setObjectName(QLatin1String(name));
        shown->setFocusPolicy(Qt::NoFocus);
        if (auto* toolButton = qobject_cast<QToolButton*>(shown)) toolButton->setAutoRaise(true);
    };
    button("ToolButton1", m.moveToStartAction);
    button("ToolButton2", m.moveBackAction);
    button("ToolButton3", m.moveForwardAction);
    button("ToolButton4", m.moveToEndAction);
    m.toolBar->addSeparator();
    m.editModeAction =
        new QAction(ToolPicture(TToolPicture::EditMode),
                    QStringLiteral("Attention! Was included a mode of editing a party!"), &window);
    m.editModeAction->setObjectName(QStringLiteral("EditMode1"));
    m.editModeAction->setEnabled(false);
    button("ToolButton6", m.editModeAction);
    m.toolBar->addSeparator();
    button("ToolButton8", m.reflectUpDownAction);
    button("ToolButton9", m.turnClockwiseAction);
    button("ToolButton10", m.turnAnticlockwiseAction);
    button("ToolButton11", m.reflectLeftRightAction);
}

}  // namespace

TMainMenu CreateMainMenu(QMainWindow& window) {
    TMainMenu menu;
    CreateMenu(window, menu);
    CreateToolBar(window, menu);
    return menu;
}

QList<QAction*> BaseItems(const TMainMenu& menu) {
    QList<QAction*> items;
    bool inside = false;
    for (QAction* action : menu.fileMenu->actions()) {
        if (action == menu.baseItemsEnd) break;
        if (inside) items.append(action);
        if (action->isSeparator()) inside = true;
    }
    return items;
}

QAction* AddBaseItem(const TMainMenu& menu, const QString& path) {
    QString text = path;
    // An "&" would otherwise mark the next letter as the item's key.
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    auto* action = new QAction(text, menu.fileMenu);
    action->setData(path);
    action->setObjectName(QStringLiteral("BaseItem%1").arg(BaseItems(menu).size() + 1));
    menu.fileMenu->insertAction(menu.baseItemsEnd, action);
    return action;
}
