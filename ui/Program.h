// The program: its session, its main window, and its other windows, each made when it is first
// wanted and living until the end; where the windows meet, and the start-up work.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "ui/MainWindow.h"
#include "ui/Session.h"

class IDialogService;
class TAboutDialog;
class TDiagramWindow;
class TGameEntryDialog;
class THelpWindow;
class TLetterMarksDialog;
class TListingWindow;
class TNavigatorWindow;
class TQueryDialog;
class TSettingsDialog;

class TProgram {
public:
    // Creates the session over workFolder and the main window, then starts: deletes the scratch
    // base, lists the base files of the working folder and the bases opened lately, and reads (or
    // first writes) ini/Tools.ini. Questions go to dialogs. The main window is not shown yet.
    TProgram(const QString& workFolder, IDialogService& dialogs);
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    TSession Session;
    TMainWindow& MainWindow() { return *MainWindow_; }

    // Shows the window, making it first when it is not made yet.
    void Show(TWindowKind window);
    // The window, made (hidden) when it is not made yet.
    TSettingsDialog& SettingsDialog();
    TQueryDialog& QueryDialog();
    TAboutDialog& AboutDialog();
    TNavigatorWindow& NavigatorWindow();
    TListingWindow& ListingWindow();
    TGameEntryDialog& GameEntryDialog();
    TDiagramWindow& DiagramWindow();
    TLetterMarksDialog& LetterMarksDialog();
    THelpWindow& HelpWindow();
    // Whether the window was made (shown once, or asked for above).
    bool IsMade(TWindowKind window) const;

private:
    void StartUp();
    // The navigator stands beside the main window on the right; on the left where the screen ends
    // first; and where it stands, floating, when neither side has room: never off the screen.
    void DockNavigator();

    std::unique_ptr<TMainWindow> MainWindow_;
    std::unique_ptr<TSettingsDialog> SettingsDialog_;
    std::unique_ptr<TQueryDialog> QueryDialog_;
    std::unique_ptr<TAboutDialog> AboutDialog_;
    std::unique_ptr<TNavigatorWindow> NavigatorWindow_;
    std::unique_ptr<TListingWindow> ListingWindow_;
    std::unique_ptr<TGameEntryDialog> GameEntryDialog_;
    std::unique_ptr<TDiagramWindow> DiagramWindow_;
    std::unique_ptr<TLetterMarksDialog> LetterMarksDialog_;
    std::unique_ptr<THelpWindow> HelpWindow_;
};
