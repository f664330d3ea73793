#include "ui/QueryPartys.h"

TQueryForm::TQueryForm() : QDialog(nullptr) {
    setObjectName(QStringLiteral("QueryForm"));
    setWindowTitle(QStringLiteral("Query"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(360, 260);
}
