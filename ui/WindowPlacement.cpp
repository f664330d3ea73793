#include "ui/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "base/SettingsFile.h"
#include "ui/BoardPainter.h"

namespace {

// The menu bar and the tool bar above the board, with the window's frame, and the status line below
// it: the main window's own sizes.
constexpr int MenuAndToolBarHeight = 80;
constexpr int StatusLineHeight = 22;

// The available area of the screen the window is on, or of the primary screen; empty without one.
QRect AvailableArea(const QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Puts the point middle of the window (in its own coordinates) on the screen's centre.
void PutOnScreenCentre(QWidget& window, QPoint middle, QSize size) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect room = screen->availableGeometry();
    window.move(PlaceWithin(room, QRect(room.center() - middle, size)));
}

// The outer rectangle of the window: its frame once the window system has framed it.
QRect OuterRectangle(const QWidget& window) {
    return window.isVisible() ? window.frameGeometry() : QRect(window.pos(), window.size());
}

class TScreenKeeper final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched);
            if (window->isVisible()) KeepOnScreen(*window);
        }
        return false;
    }
};

}  // namespace

QSize MainWindowOuterSize(int diameter, int memoLength) {
    const int board = TBoardGeometry(diameter).Width();
    return {memoLength + board + 2, board + MenuAndToolBarHeight + StatusLineHeight};
}

std::optional<int> LargestFittingDiameter(QRect room, int memoLength) {
    const kalvon::TSettingRange range = kalvon::DiameterRange;
    for (int diameter = range.Max; diameter >= range.Min; diameter -= range.Step) {
        const QSize outer = MainWindowOuterSize(diameter, memoLength);
        if (outer.width() <= room.width() && outer.height() <= room.height()) return diameter;
    }
    return std::nullopt;
}

QPoint PlaceWithin(QRect room, QRect window) {
    const auto within = [](int at, int length, int start, int roomLength) {
        // Right or below first, so that a window larger than the room keeps the room's start.
        return std::max(start, std::min(at, start + roomLength - length));
    };
    return {within(window.left(), window.width(), room.left(), room.width()),
            within(window.top(), window.height(), room.top(), room.height())};
}

void CentreOnScreen(QWidget& window, QSize size) {
    PutOnScreenCentre(window, QPoint(size.width() / 2, size.height() / 2), size);
}

void CentreOnScreen(QWidget& window) {
    PutOnScreenCentre(window, window.rect().center(), window.size());
}

void KeepOnScreen(QWidget& window) {
    const QRect room = AvailableArea(window);
    if (room.isEmpty()) return;
    const QRect outer = OuterRectangle(window);
    const QPoint inside = PlaceWithin(room, outer);
    if (inside != outer.topLeft()) window.move(inside);
}

void KeepOnScreenWhenResized(QWidget& window) {
    window.installEventFilter(new TScreenKeeper(&window));
}
