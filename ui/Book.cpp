#include "ui/Book.h"

TFormBook::TFormBook() : QDialog(nullptr) {
    setObjectName(QStringLiteral("FormBook"));
    setWindowTitle(QStringLiteral("Letters"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(300, 240);
}
