#include "ui/Program.h"

#include "ui/Book.h"
#include "ui/DataEn.h"
#include "ui/KCollection.h"
#include "ui/Main.h"
#include "ui/Nav.h"
#include "ui/ProcessLoading.h"
#include "ui/QueryPartys.h"
#include "ui/Tools.h"
#include "ui/Usech.h"
#include "ui/help.h"

TProgram::TProgram() {
    MainForm = std::make_unique<TMainForm>(Base);
    FormT = std::make_unique<TFormT>(MainForm->Settings());
    NavigatorForm = std::make_unique<TNavigatorForm>();
    QueryForm = std::make_unique<TQueryForm>(Base, MainForm->QueryCriteria);
    AboutBox = std::make_unique<TAboutBox>();
    UsechForm = std::make_unique<TUsechForm>();
    SaveForm = std::make_unique<TSaveForm>();
    FormKonstr = std::make_unique<TFormKonstr>();
    FormBook = std::make_unique<TFormBook>();
    FormLoad = std::make_unique<TFormLoad>();
    MainForm->AttachForms({FormT.get(), NavigatorForm.get(), QueryForm.get(), AboutBox.get(), UsechForm.get(),
                           SaveForm.get(), FormKonstr.get(), FormBook.get(), FormLoad.get()});
}

// The other windows go first: the main window refers to them.
TProgram::~TProgram() {
    FormLoad.reset();
    FormBook.reset();
    FormKonstr.reset();
    SaveForm.reset();
    UsechForm.reset();
    AboutBox.reset();
    QueryForm.reset();
    NavigatorForm.reset();
    FormT.reset();
    MainForm.reset();
}
