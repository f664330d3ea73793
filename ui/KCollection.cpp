#include "ui/KCollection.h"

TFormKonstr::TFormKonstr(TSession& session) : QWidget(nullptr), Session_(session) {
    setObjectName(QStringLiteral("FormKonstr"));
    setWindowTitle(QStringLiteral("Listing Parties"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(520, 420);
}

void TFormKonstr::ShowFormKonstr() {
    // The lines of the games come with the listing window's own work; until then there are none.
}
