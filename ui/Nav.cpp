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

void TNavigatorForm::DrawPanels(int, int) {
    // The game panels come with the navigator's own work; until then the window stays empty.
}
