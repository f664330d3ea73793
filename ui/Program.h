// The program: its session and its ten windows, created at start-up in a fixed order and living
// until the end, and the wiring between them.
#pragma once

#include <memory>

#include "ui/EngineUi.h"
#include "ui/Session.h"

class TMainForm;
class TFormT;
class TNavigatorForm;
class TQueryForm;
class TAboutBox;
class TUsechForm;
class TSaveForm;
class TFormKonstr;
class TFormBook;
class TFormLoad;

class TProgram {
public:
    // Creates the windows in start-up order, the main window first; all stay hidden until shown.
    TProgram();
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    TEngineUi EngineUi;
    TSession Session{EngineUi};
    std::unique_ptr<TMainForm> MainForm;
    std::unique_ptr<TFormT> FormT;
    std::unique_ptr<TNavigatorForm> NavigatorForm;
    std::unique_ptr<TQueryForm> QueryForm;
    std::unique_ptr<TAboutBox> AboutBox;
    std::unique_ptr<TUsechForm> UsechForm;
    std::unique_ptr<TSaveForm> SaveForm;
    std::unique_ptr<TFormKonstr> FormKonstr;
    std::unique_ptr<TFormBook> FormBook;
    std::unique_ptr<TFormLoad> FormLoad;
};
