#include "ui/BoardArea.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "ui/BoardPainter.h"

TBoardArea::TBoardArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PaintBox1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    Canvas_ = QImage(1, 1, QImage::Format_RGB32);
    Canvas_.fill(BoardColour);
}

void TBoardArea::paintEvent(QPaintEvent* event) {
    // Moves and labels ask for their own squares only; copying just those keeps a click cheap.
    QPainter painter(this);
    for (const QRect& rect : event->region()) painter.drawImage(rect, Canvas_, rect);
    if (OnPaintOver) OnPaintOver(painter);
}

void TBoardArea::resizeEvent(QResizeEvent*) {
    if (Canvas_.size() == size() || width() <= 0 || height() <= 0) return;
    Canvas_ = QImage(size(), QImage::Format_RGB32);
    Canvas_.fill(BoardColour);
    if (OnCanvasResized) OnCanvasResized();
}

void TBoardArea::mousePressEvent(QMouseEvent* event) {
    PressSeen_ = true;
    if (event->button() == Qt::LeftButton) {
        // A press that follows a double-click with no release in between starts a new gesture.
        SwallowRelease_ = false;
        LeftPressed_ = true;
    }
    if (OnMouseDown) OnMouseDown(event->button(), event->position().toPoint());
}

void TBoardArea::mouseReleaseEvent(QMouseEvent* event) {
    PressSeen_ = false;
    if (event->button() != Qt::LeftButton) return;
    const bool click = LeftPressed_ && !SwallowRelease_ && rect().contains(event->position().toPoint());
    LeftPressed_ = false;
    SwallowRelease_ = false;
    if (click && OnClick) OnClick();
}

void TBoardArea::mouseDoubleClickEvent(QMouseEvent* event) {
    // Some platforms deliver the second press only as the double-click; it is a press all the same.
    if (!PressSeen_ && OnMouseDown) OnMouseDown(event->button(), event->position().toPoint());
    PressSeen_ = true;
    if (event->button() != Qt::LeftButton) return;
    // The second press of a double-click is no click of its own.
    SwallowRelease_ = true;
    LeftPressed_ = false;
    if (OnDblClick) OnDblClick();
}
