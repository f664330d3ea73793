#include "ui/DataEn.h"

TSaveForm::TSaveForm() : QDialog(nullptr) {
    setObjectName(QStringLiteral("SaveForm"));
    setWindowTitle(QStringLiteral("SaveForm"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(420, 300);
}
