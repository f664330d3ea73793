// The program: its session and its ten windows, created at start-up in a fixed order and living
// until the end, the wiring between the windows, and the start-up work.
#pragma once

#include <memory>

#include "ui/EngineUi.h"
#include "ui/Session.h"

class TMainWindow;
class TSettingsDialog;
class TNavigatorWindow;
class TQueryDialog;
class TAboutDialog;
class TDiagramWindow;
class TGameEntryDialog;
class TListingWindow;
class TLetterMarksDialog;
class TLoadProgress;

class TProgram {
public:
    // Creates the windows in start-up order, the main window first, then starts: deletes the scratch
    // base, lists the base files of the working folder, starts a new game and reads (or first
    // writes) ini/Tools.ini. All windows stay hidden until shown.
    TProgram();
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    TEngineUi EngineUi;
    TSession Session{EngineUi};
    std::unique_ptr<TMainWindow> MainWindow;
    std::unique_ptr<TSettingsDialog> SettingsDialog;
    std::unique_ptr<TNavigatorWindow> NavigatorWindow;
    std::unique_ptr<TQueryDialog> QueryDialog;
    std::unique_ptr<TAboutDialog> AboutDialog;
    std::unique_ptr<TDiagramWindow> DiagramWindow;
    std::unique_ptr<TGameEntryDialog> GameEntryDialog;
    std::unique_ptr<TListingWindow> ListingWindow;
    std::unique_ptr<TLetterMarksDialog> LetterMarksDialog;
    std::unique_ptr<TLoadProgress> LoadProgress;

private:
    void StartUp();
};
