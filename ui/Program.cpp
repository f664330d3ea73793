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
    MainForm = std::make_unique<TMainForm>(Session);
    FormT = std::make_unique<TFormT>(Session.Settings());
    NavigatorForm = std::make_unique<TNavigatorForm>(Session);
    QueryForm = std::make_unique<TQueryForm>(Session);
    AboutBox = std::make_unique<TAboutBox>();
    UsechForm = std::make_unique<TUsechForm>(Session);
    SaveForm = std::make_unique<TSaveForm>(Session);
    FormKonstr = std::make_unique<TFormKonstr>(Session);
    FormBook = std::make_unique<TFormBook>();
    FormLoad = std::make_unique<TFormLoad>();
    EngineUi.SetProgressWindow(FormLoad.get());
    UsechForm->AttachLetters(*FormBook);
    // The diagram follows the cell size and font in force.
    QObject::connect(FormT.get(), &TFormT::Accepted, UsechForm.get(), &TUsechForm::PaintBox1Paint);
    MainForm->AttachForms({FormT.get(), QueryForm.get(), AboutBox.get(), NavigatorForm.get(),
                           FormKonstr.get(), SaveForm.get(), UsechForm.get()});

    QObject::connect(NavigatorForm.get(), &TNavigatorForm::Shown, MainForm.get(), &TMainForm::DockNavigator);
    QObject::connect(&Session, &TSession::ListingChanged, NavigatorForm.get(),
                     [this](bool openNavigator, bool openListing) {
                         RefreshBrowsers(Session, *NavigatorForm, *FormKonstr, openNavigator, openListing);
                     });
    // A reordered Listing moves the navigator's games; changed games show their new texts.
    QObject::connect(FormKonstr.get(), &TFormKonstr::ListingReordered, NavigatorForm.get(),
                     &TNavigatorForm::RefillPanels);
    QObject::connect(&Session, &TSession::PartiesChanged, NavigatorForm.get(), &TNavigatorForm::RefillPanels);
    QObject::connect(&Session, &TSession::PartiesChanged, FormKonstr.get(), &TFormKonstr::RefillLines);
    QObject::connect(&Session, &TSession::BrowsersClosed, NavigatorForm.get(), [this] {
        FormKonstr->hide();
        NavigatorForm->hide();
    });
}

// The other windows go first: the main window refers to them.
TProgram::~TProgram() {
    EngineUi.SetProgressWindow(nullptr);
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
