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

    m.File1 = window.menuBar()->addMenu(QStringLiteral("File"));
    m.File1->setObjectName(QStringLiteral("File1"));
    m.NewFile1 = item(m.File1, "NewFile1", QStringLiteral("New file"), Qt::Key_F2);
    m.SaveAs1 = item(m.File1, "SaveAs1", QStringLiteral("Save as ..."));
    m.N2 = item(m.File1, "N2", QStringLiteral("Clear Board"), Qt::Key_F5);
    QMenu* graphics = m.File1->addMenu(QStringLiteral("Graphics"));
    graphics->setObjectName(QStringLiteral("Graphics1"));
    m.Collection1 = item(graphics, "Collection1", QStringLiteral("Collection"));
    m.Collection1->setEnabled(false);
    m.Truncated1 = item(graphics, "Truncated1", QStringLiteral("Truncated"));
    m.File1->addSeparator();
    m.BaseItemsEnd = m.File1->addSeparator();
    m.Exit1 = item(m.File1, "Exit1", QStringLiteral("Exit"), QKeySequence(Qt::CTRL | Qt::Key_F4));
    picture(m.NewFile1, look->standardIcon(QStyle::SP_FileIcon));
    picture(m.SaveAs1, look->standardIcon(QStyle::SP_DialogSaveButton));
    picture(m.N2, ToolPicture(TToolPicture::ClearBoard));
    picture(m.Exit1, look->standardIcon(QStyle::SP_DialogCloseButton));

    QMenu* tools = window.menuBar()->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("Tools1"));
    m.Adjustment1 = item(tools, "Adjustment1", QStringLiteral("Adjustment"), Qt::Key_F9);
    m.SaveTools1 = item(tools, "SaveTools1", QStringLiteral("Save Tools"));
    m.SaveTools1->setEnabled(false);
    picture(m.Adjustment1, ToolPicture(TToolPicture::Adjustment));
    picture(m.SaveTools1, look->standardIcon(QStyle::SP_DialogSaveButton));

    QMenu* query = window.menuBar()->addMenu(QStringLiteral("Query"));
    query->setObjectName(QStringLiteral("Query1"));
    m.N8 = item(query, "N8", QStringLiteral("Statistic"), QKeySequence(Qt::CTRL | Qt::Key_S));
    QMenu* shift = query->addMenu(QStringLiteral("Statistik with shift"));
    shift->setObjectName(QStringLiteral("StatistikWithShift1"));
    m.OneShift1 = item(shift, "OneShift1", QStringLiteral("One Shift"));
    m.TwoShift1 = item(shift, "TwoShift1", QStringLiteral("Two Shift"));
    m.Execute1 = item(query, "Execute1", QStringLiteral("Execute"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    m.StatisticShow = item(query, "StatisticShow", QStringLiteral("Statistic Show"), Qt::Key_F8);
    m.StatisticShow->setCheckable(true);
    picture(m.N8, ToolPicture(TToolPicture::Statistic));
    picture(m.Execute1, ToolPicture(TToolPicture::Query));

    QMenu* work = window.menuBar()->addMenu(QStringLiteral("Work with Base"));
    work->setObjectName(QStringLiteral("WorkWithBase1"));
    m.AddNewGames1 = item(work, "AddNewGames1", QStringLiteral("Add New Games"));
    m.UpdateGames1 = item(work, "UpdateGames1", QStringLiteral("Update Games"));
    m.OutPbmFormat1 = item(work, "OutPbmFormat1", QStringLiteral("Out pbm format"));
    m.SaveGame1 = item(work, "SaveGame1", QStringLiteral("Save Game"), QKeySequence(Qt::CTRL | Qt::Key_P));
    m.DeleteGamesInListing1 = item(work, "DeleteGamesInListing1", QStringLiteral("Delete Games in Listing"));
    m.ListingGames1 =
        item(work, "ListingGames1", QStringLiteral("Listing Games"), QKeySequence(Qt::CTRL | Qt::Key_L));
    m.NavigatorShow1 =
        item(work, "NavigatorShow1", QStringLiteral("Navigator Show"), QKeySequence(Qt::CTRL | Qt::Key_N));
    picture(m.AddNewGames1, look->standardIcon(QStyle::SP_FileDialogNewFolder));
    picture(m.UpdateGames1, look->standardIcon(QStyle::SP_BrowserReload));
    picture(m.SaveGame1, look->standardIcon(QStyle::SP_DialogSaveButton));
    picture(m.DeleteGamesInListing1, look->standardIcon(QStyle::SP_TrashIcon));
    picture(m.ListingGames1, ToolPicture(TToolPicture::Listing));
    picture(m.NavigatorShow1, ToolPicture(TToolPicture::Navigator));

    QMenu* moves = window.menuBar()->addMenu(QStringLiteral("Moves"));
    moves->setObjectName(QStringLiteral("Moves1"));
    m.Num = item(moves, "Num", QStringLiteral("Numeration"));
    m.Num->setCheckable(true);
    m.Num->setChecked(true);
    m.Vert = item(moves, "Vert", QStringLiteral("Reflect Up/Down"));
    m.Clockwise = item(moves, "Clockwise", QStringLiteral("Turn +90 degrees"));
    m.Against = item(moves, "Against", QStringLiteral("Turn -90 degrees"));
    m.Horiz = item(moves, "Horiz", QStringLiteral("Reflect Left/Right"));
    m.N13 = item(moves, "N13", QStringLiteral("Move back"));
    m.N14 = item(moves, "N14", QStringLiteral("Move up"));
    m.N15 = item(moves, "N15", QStringLiteral("In Start"));
    m.N16 = item(moves, "N16", QStringLiteral("In End"));
    picture(m.Vert, ToolPicture(TToolPicture::ReflectUpDown));
    picture(m.Clockwise, ToolPicture(TToolPicture::TurnClockwise));
    picture(m.Against, ToolPicture(TToolPicture::TurnAnticlockwise));
    picture(m.Horiz, ToolPicture(TToolPicture::ReflectLeftRight));
    picture(m.N13, ToolPicture(TToolPicture::MoveBack));
    picture(m.N14, ToolPicture(TToolPicture::MoveUp));
    picture(m.N15, ToolPicture(TToolPicture::InStart));
    picture(m.N16, ToolPicture(TToolPicture::InEnd));
    for (QAction* navigation : {m.N13, m.N14, m.N15, m.N16}) navigation->setEnabled(false);

    QMenu* help = window.menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help2"));
    m.Help1 = item(help, "Help1", QStringLiteral("Help"), Qt::Key_F1);
    help->addSeparator();
    m.About1 = item(help, "About1", QStringLiteral("About ..."));
    picture(m.Help1, look->standardIcon(QStyle::SP_DialogHelpButton));
    picture(m.About1, look->standardIcon(QStyle::SP_MessageBoxInformation));
}

void CreateToolBar(QMainWindow& window, TMainMenu& m) {
    m.ToolBar1 = window.addToolBar(QStringLiteral("ToolBar1"));
    m.ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    m.ToolBar1->setMovable(false);
    m.ToolBar1->setFloatable(false);
    m.ToolBar1->toggleViewAction()->setVisible(false);
    m.ToolBar1->setFixedHeight(30);
    m.ToolBar1->setIconSize(QSize(16, 16));
    window.setContextMenuPolicy(Qt::NoContextMenu);

    auto button = [&m](const char* name, TToolPicture picture, const QString& hint) {
        auto* toolButton = new QToolButton(m.ToolBar1);
        toolButton->setObjectName(QLatin1String(name));
        toolButton->setIcon(ToolPicture(picture));
        toolButton->setToolTip(hint);
        toolButton->setAutoRaise(true);
        toolButton->setFocusPolicy(Qt::NoFocus);
        m.ToolBar1->addWidget(toolButton);
        return toolButton;
    };
    m.ToolButton1 = button("ToolButton1", TToolPicture::InStart, QStringLiteral("In Start"));
    m.ToolButton2 = button("ToolButton2", TToolPicture::MoveBack, QStringLiteral("Move back"));
    m.ToolButton3 = button("ToolButton3", TToolPicture::MoveUp, QStringLiteral("Move up"));
    m.ToolButton4 = button("ToolButton4", TToolPicture::InEnd, QStringLiteral("In End"));
    m.ToolBar1->addSeparator();
    m.ToolButton6 = button("ToolButton6", TToolPicture::EditMode,
                           QStringLiteral("Attention! Was included a mode of editing a party!"));
    m.ToolBar1->addSeparator();
    m.ToolButton8 = button("ToolButton8", TToolPicture::ReflectUpDown, QStringLiteral("Reflect Up/Down"));
    m.ToolButton9 = button("ToolButton9", TToolPicture::TurnClockwise, QStringLiteral("Turn +90 degrees"));
    m.ToolButton10 =
        button("ToolButton10", TToolPicture::TurnAnticlockwise, QStringLiteral("Turn -90 degrees"));
    m.ToolButton11 =
        button("ToolButton11", TToolPicture::ReflectLeftRight, QStringLiteral("Reflect Left/Right"));
    for (QToolButton* navigation : {m.ToolButton1, m.ToolButton2, m.ToolButton3, m.ToolButton4})
        navigation->setEnabled(false);
}

}  // namespace

TMainMenu CreateMainMenu(QMainWindow& window) {
    TMainMenu menu;
    CreateMenu(window, menu);
    CreateToolBar(window, menu);
    // Each tool button but the edit-mode indicator repeats its menu command.
    const std::pair<QToolButton*, QAction*> repeats[] = {
        {menu.ToolButton1, menu.N15},      {menu.ToolButton2, menu.N13},   {menu.ToolButton3, menu.N14},
        {menu.ToolButton4, menu.N16},      {menu.ToolButton8, menu.Vert},  {menu.ToolButton9, menu.Clockwise},
        {menu.ToolButton10, menu.Against}, {menu.ToolButton11, menu.Horiz}};
    for (const auto& [button, action] : repeats)
        QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
    return menu;
}

QList<QAction*> BaseItems(const TMainMenu& menu) {
    QList<QAction*> items;
    bool inside = false;
    for (QAction* action : menu.File1->actions()) {
        if (action == menu.BaseItemsEnd) break;
        if (inside) items.append(action);
        if (action->isSeparator()) inside = true;
    }
    return items;
}

QAction* AddBaseItem(const TMainMenu& menu, const QString& path) {
    QString text = path;
    // An "&" would otherwise mark the next letter as the item's key.
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    auto* action = new QAction(text, menu.File1);
    action->setData(path);
    action->setObjectName(QStringLiteral("BaseItem%1").arg(BaseItems(menu).size() + 1));
    menu.File1->insertAction(menu.BaseItemsEnd, action);
    return action;
}
