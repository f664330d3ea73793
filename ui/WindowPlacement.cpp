#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// Puts the point middle of the window (in its own coordinates) on the screen's centre.
void PutOnScreenCentre(QWidget& window, QPoint middle) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - middle);
}

}  // namespace

void CentreOnScreen(QWidget& window, QSize size) {
    PutOnScreenCentre(window, QPoint(size.width() / 2, size.height() / 2));
}

void CentreOnScreen(QWidget& window) {
    PutOnScreenCentre(window, window.rect().center());
}
