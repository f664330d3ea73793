#include "ui/KCollection.h"

TFormKonstr::TFormKonstr() : QWidget(nullptr) {
    setObjectName(QStringLiteral("FormKonstr"));
    setWindowTitle(QStringLiteral("Listing Parties"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(520, 420);
}

void TFormKonstr::ShowFormKonstr() {
    // The lines of the games come with the listing window's own work; until then it stays empty.
}
