#include "ui/Usech.h"

TUsechForm::TUsechForm() : QWidget(nullptr) {
    setObjectName(QStringLiteral("UsechForm"));
    setWindowTitle(QStringLiteral("Generation of truncated diagrams"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(640, 480);
}
