#include "ui/Nav.h"

#include <QGuiApplication>
#include <QScreen>

TNavigatorForm::TNavigatorForm() : QWidget(nullptr) {
    setObjectName(QStringLiteral("NavigatorForm"));
    setWindowTitle(QStringLiteral("NavigatorBD"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(321, 317);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(321 / 2, 317 / 2));
}
