#include "ui/KCollection.h"

TFormKonstr::TFormKonstr() : QWidget(nullptr) {
    setObjectName(QStringLiteral("FormKonstr"));
    setWindowTitle(QStringLiteral("Listing Parties"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(520, 420);
}
