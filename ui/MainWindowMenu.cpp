// The main window's menu and tool bar, built from one table: each item's object name, caption,
// shortcut, picture and handler.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <stdexcept>
#include <variant>
#include <vector>

#include "ui/BoardArea.h"
#include "ui/BoardView.h"
#include "ui/Icons.h"
#include "ui/MainWindow.h"

namespace {

// A picture of the style's, one drawn by the program, or none.
using TPicture = std::variant<std::monostate, QStyle::StandardPixmap, TToolPicture>;

enum TItemFlag : unsigned {
    NoFlags = 0,
    Checkable = 1,
    Checked = 2,
    Disabled = 4,
    // The key acts only while the board has the focus, so that text fields and the memo keep theirs.
    BoardKey = 8,
};

struct TMenuLine {
    enum class TKind { Menu, Submenu, EndSubmenu, Item, Separator, BaseItems };
    TKind Kind;
    const char* Name = nullptr;  // the object name
    const char* Text = nullptr;
    QKeySequence Shortcut = {};
    TPicture Picture = {};
    void (TMainWindow::*Handler)() = nullptr;
    QAction* TMainMenu::*Field = nullptr;
    unsigned Flags = NoFlags;
};

}  // namespace

void TMainWindow::CreateMenu() {
    using TLine = TMenuLine;
    using K = TLine::TKind;
    using T = TToolPicture;
    using S = QStyle;
    using W = TMainWindow;
    using M = TMainMenu;
    const QKeySequence none;
    const std::vector<TLine> table = {
        {K::Menu, "File1", "File"},
        {K::Item, "OpenBase1", "Open Base ...", Qt::CTRL | Qt::Key_O, S::SP_DialogOpenButton, &W::OpenBase,
         &M::openBaseAction},
        {K::Item, "NewFile1", "New file", Qt::Key_F2, S::SP_FileIcon, &W::NewFile, &M::newFileAction},
        {K::Item, "SaveAs1", "Save as ...", none, S::SP_DialogSaveButton, &W::SaveAs, &M::saveAsAction},
        // Enabled while the open base has a previous generation.
        {K::Item,
         "RestorePreviousBase1",
         "Restore Previous Base",
         none,
         {},
         &W::RestorePreviousBase,
         &M::restorePreviousBaseAction,
         Disabled},
        {K::Item, "N2", "Clear Board", Qt::Key_F5, T::ClearBoard, &W::ClearBoard, &M::clearBoardAction},
        {K::Submenu, "Graphics1", "Graphics"},
        {K::Item, "Collection1", "Collection", none, {}, nullptr, &M::collectionAction, Disabled},
        {K::Item, "Truncated1", "Truncated", none, {}, &W::ShowDiagrams, &M::truncatedAction},
        {K::EndSubmenu},
        {K::BaseItems},
        {K::Item, "Exit1", "Exit", Qt::CTRL | Qt::Key_F4, S::SP_DialogCloseButton, &W::Exit, &M::exitAction},

        {K::Menu, "Tools1", "Tools"},
        {K::Item, "Adjustment1", "Adjustment", Qt::Key_F9, T::Adjustment, &W::ShowSettings,
         &M::adjustmentAction},
        {K::Item, "SaveTools1", "Save Tools", none, S::SP_DialogSaveButton, &W::SaveSettings,
         &M::saveToolsAction, Disabled},

        {K::Menu, "Query1", "Query"},
        {K::Item, "N8", "Statistic", Qt::CTRL | Qt::Key_S, T::Statistic, &W::ShowStatistic,
         &M::statisticAction},
        {K::Submenu, "StatistikWithShift1", "Statistik with shift"},
        {K::Item, "OneShift1", "One Shift", none, {}, &W::OneShiftStatistic, &M::oneShiftAction},
        {K::Item, "TwoShift1", "Two Shift", none, {}, &W::TwoShiftStatistic, &M::twoShiftAction},
        {K::EndSubmenu},
        {K::Item, "Execute1", "Execute", Qt::CTRL | Qt::Key_Q, T::Query, &W::ShowQuery,
         &M::executeQueryAction},
        {K::Item,
         "StatisticShow",
         "Statistic Show",
         Qt::Key_F8,
         {},
         &W::StatisticShowToggled,
         &M::statisticShowAction,
         Checkable},

        {K::Menu, "WorkWithBase1", "Work with Base"},
        {K::Item, "AddNewGames1", "Add New Games", none, S::SP_FileDialogNewFolder, &W::AddNewGames,
         &M::addNewGamesAction},
        {K::Item, "UpdateGames1", "Update Games", none, S::SP_BrowserReload, &W::UpdateGames,
         &M::updateGamesAction},
        {K::Item,
         "OutPbmFormat1",
         "Out pbm format",
         none,
         {},
         &W::WriteNotifications,
         &M::outPbmFormatAction},
        {K::Item,
         "UpdateFromMail1",
         "Update from Mail ...",
         none,
         {},
         &W::UpdateFromMail,
         &M::updateFromMailAction},
        {K::Item,
         "ChooseMailbox1",
         "Choose Mailbox ...",
         none,
         {},
         &W::ChooseMailbox,
         &M::chooseMailboxAction},
        {K::Item, "ImportGames1", "Import Games ...", none, {}, &W::ImportGames, &M::importGamesAction},
        {K::Item, "ExportSgf1", "Export SGF ...", none, {}, &W::ExportSgf, &M::exportSgfAction},
        {K::Item, "SaveGame1", "Save Game", Qt::CTRL | Qt::Key_P, S::SP_DialogSaveButton, &W::ShowGameEntry,
         &M::saveGameAction},
        {K::Item, "DeleteGamesInListing1", "Delete Games in Listing", none, S::SP_TrashIcon,
         &W::DeleteListedGames, &M::deleteGamesInListingAction},
        {K::Item, "ListingGames1", "Listing Games", Qt::CTRL | Qt::Key_L, T::Listing, &W::ShowListing,
         &M::listingGamesAction},
        {K::Item, "NavigatorShow1", "Navigator Show", Qt::CTRL | Qt::Key_N, T::Navigator, &W::ShowNavigator,
         &M::navigatorShowAction},
        {K::Separator},
        {K::Item, "CheckGames1", "Check Games ...", none, {}, &W::CheckGames, &M::checkGamesAction},

        {K::Menu, "Moves1", "Moves"},
        {K::Item,
         "Num",
         "Numeration",
         none,
         {},
         &W::NumerationToggled,
         &M::numerationAction,
         Checkable | Checked},
        {K::Item, "Vert", "Reflect Up/Down", none, T::ReflectUpDown, &W::ReflectUpDown,
         &M::reflectUpDownAction},
        {K::Item, "Clockwise", "Turn +90 degrees", none, T::TurnClockwise, &W::TurnClockwise,
         &M::turnClockwiseAction},
        {K::Item, "Against", "Turn -90 degrees", none, T::TurnAnticlockwise, &W::TurnAnticlockwise,
         &M::turnAnticlockwiseAction},
        {K::Item, "Horiz", "Reflect Left/Right", none, T::ReflectLeftRight, &W::ReflectLeftRight,
         &M::reflectLeftRightAction},
        {K::Item, "N13", "Move back", Qt::Key_Left, T::MoveBack, &W::MoveBack, &M::moveBackAction,
         BoardKey | Disabled},
        {K::Item, "N14", "Move up", Qt::Key_Right, T::MoveUp, &W::MoveForward, &M::moveForwardAction,
         BoardKey | Disabled},
        {K::Item, "N15", "In Start", Qt::Key_Home, T::InStart, &W::MoveToStart, &M::moveToStartAction,
         BoardKey | Disabled},
        {K::Item, "N16", "In End", Qt::Key_End, T::InEnd, &W::MoveToEnd, &M::moveToEndAction,
         BoardKey | Disabled},
        {K::Separator},
        // One rule is in force: the three items are made exclusive by ConnectRules.
        {K::Submenu, "Rule1", "Rule"},
        {K::Item, "RuleRenju", "Renju", none, {}, &W::ChooseRenju, &M::ruleRenjuAction, Checkable | Checked},
        {K::Item,
         "RuleFreestyle",
         "Gomoku five or more",
         none,
         {},
         &W::ChooseFreestyle,
         &M::ruleFreestyleAction,
         Checkable},
        {K::Item,
         "RuleStandard",
         "Gomoku exactly five",
         none,
         {},
         &W::ChooseStandard,
         &M::ruleStandardAction,
         Checkable},
        {K::EndSubmenu},
        {K::Item, "FindVcf1", "Find VCF", Qt::CTRL | Qt::Key_F9, {}, &W::FindVcf, &M::findVcfAction},
        {K::Item,
         "FindThreat1",
         "Find Threat",
         Qt::CTRL | Qt::SHIFT | Qt::Key_F9,
         {},
         &W::FindThreat,
         &M::findThreatAction},

        {K::Menu, "Help2", "Help"},
        {K::Item, "Help1", "Help", Qt::Key_F1, S::SP_DialogHelpButton, &W::ShowHelp, &M::helpAction},
        {K::Separator},
        {K::Item, "About1", "About ...", none, S::SP_MessageBoxInformation, &W::ShowAbout, &M::aboutAction},
    };

    QMenu* menu = nullptr;
    QMenu* topMenu = nullptr;
    for (const TLine& line : table) {
        // Every line but a menu's own goes into the menu opened before it.
        if (line.Kind != K::Menu && (menu == nullptr || topMenu == nullptr))
            throw std::logic_error("the menu table must start with a menu");
        switch (line.Kind) {
            case K::Menu:
                menu = topMenu = menuBar()->addMenu(QLatin1String(line.Text));
                menu->setObjectName(QLatin1String(line.Name));
                if (QLatin1String(line.Name) == QLatin1String("File1")) Menu_.fileMenu = menu;
                break;
            case K::Submenu:
                menu = topMenu->addMenu(QLatin1String(line.Text));
                menu->setObjectName(QLatin1String(line.Name));
                break;
            case K::EndSubmenu:
                menu = topMenu;
                break;
            case K::Separator:
                menu->addSeparator();
                break;
            case K::BaseItems:
                // The base files are listed between these two separators.
                menu->addSeparator();
                Menu_.baseItemsEnd = menu->addSeparator();
                break;
            case K::Item: {
                QAction* action = menu->addAction(QLatin1String(line.Text));
                action->setObjectName(QLatin1String(line.Name));
                action->setShortcut(line.Shortcut);
                if (const auto* standard = std::get_if<QStyle::StandardPixmap>(&line.Picture))
                    action->setIcon(style()->standardIcon(*standard));
                if (const auto* drawn = std::get_if<TToolPicture>(&line.Picture))
                    action->setIcon(ToolPicture(*drawn));
                action->setCheckable((line.Flags & Checkable) != 0);
                action->setChecked((line.Flags & Checked) != 0);
                action->setEnabled((line.Flags & Disabled) == 0);
                if (line.Flags & BoardKey) {
                    action->setShortcutContext(Qt::WidgetShortcut);
                    Board_->Area()->addAction(action);
                }
                if (line.Handler) connect(action, &QAction::triggered, this, line.Handler);
                if (line.Field) Menu_.*line.Field = action;
                break;
            }
        }
    }

    Menu_.toolBar = addToolBar(QStringLiteral("ToolBar1"));
    QToolBar* bar = Menu_.toolBar;
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setVisible(false);
    bar->setFixedHeight(30);
    bar->setIconSize(QSize(16, 16));
    setContextMenuPolicy(Qt::NoContextMenu);
    Menu_.editModeAction =
        new QAction(ToolPicture(TToolPicture::EditMode),
                    QStringLiteral("Attention! Was included a mode of editing a party!"), this);
    Menu_.editModeAction->setObjectName(QStringLiteral("EditMode1"));
    Menu_.editModeAction->setEnabled(false);
    connect(Menu_.editModeAction, &QAction::triggered, this, &TMainWindow::LeaveEditMode);
    // A button for each action, its hint the action's caption, under its own object name; null for a
    // separator.
    const std::pair<const char*, QAction*> buttons[] = {
        {"ToolButton1", Menu_.moveToStartAction},
        {"ToolButton2", Menu_.moveBackAction},
        {"ToolButton3", Menu_.moveForwardAction},
        {"ToolButton4", Menu_.moveToEndAction},
        {nullptr, nullptr},
        {"ToolButton6", Menu_.editModeAction},
        {nullptr, nullptr},
        {"ToolButton8", Menu_.reflectUpDownAction},
        {"ToolButton9", Menu_.turnClockwiseAction},
        {"ToolButton10", Menu_.turnAnticlockwiseAction},
        {"ToolButton11", Menu_.reflectLeftRightAction},
    };
    for (const auto& [name, action] : buttons) {
        if (!action) {
            bar->addSeparator();
            continue;
        }
        bar->addAction(action);
        QWidget* shown = bar->widgetForAction(action);
        shown->setObjectName(QLatin1String(name));
        shown->setFocusPolicy(Qt::NoFocus);
        if (auto* toolButton = qobject_cast<QToolButton*>(shown)) toolButton->setAutoRaise(true);
    }
}
