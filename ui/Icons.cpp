#include "ui/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {

const QColor Ink(40, 60, 90);
const QColor Board(179, 255, 179);

QPixmap Blank(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void Triangle(QPainter& p, qreal tipX, qreal baseX) {
    p.drawPolygon(QPolygonF({QPointF(baseX, 3), QPointF(tipX, 8), QPointF(baseX, 13)}));
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot((to - from).x(), (to - from).y()));
    const QPointF n(-d.y(), d.x());
    p.drawPolygon(QPolygonF({to, to - 3.5 * d + 2.5 * n, to - 3.5 * d - 2.5 * n}));
}

void TurnArrow(QPainter& p, bool clockwise) {
    QPainterPath arc;
    arc.arcMoveTo(QRectF(3, 3, 10, 10), 90);
    arc.arcTo(QRectF(3, 3, 10, 10), 90, clockwise ? -270 : 270);
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setBrush(Ink);
    // The arc ends at the left (clockwise) or the right (anticlockwise) side, travelling upwards.
    const QPointF end = arc.currentPosition();
    p.drawPolygon(QPolygonF({end + QPointF(-3, 1.5), end + QPointF(3, 1.5), end + QPointF(0, -3)}));
}

QPixmap Draw(TToolPicture picture) {
    QPixmap pixmap = Blank(16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Ink, 1.4));
    p.setBrush(Ink);
    switch (picture) {
        case TToolPicture::InStart:
            p.drawRect(QRectF(2, 3, 1.5, 10));
            Triangle(p, 4, 9);
            Triangle(p, 9, 14);
            break;
        case TToolPicture::MoveBack:
            Triangle(p, 4, 12);
            break;
        case TToolPicture::MoveUp:
            Triangle(p, 12, 4);
            break;
        case TToolPicture::InEnd:
            Triangle(p, 7, 2);
            Triangle(p, 12, 7);
            p.drawRect(QRectF(12.5, 3, 1.5, 10));
            break;
        case TToolPicture::EditMode:
            p.setPen(QPen(QColor(150, 40, 0), 1));
            p.setBrush(QColor(255, 200, 0));
            p.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(15, 14.5), QPointF(1, 14.5)}));
            p.setPen(QPen(Qt::black, 1.8));
            p.drawLine(QPointF(8, 6), QPointF(8, 10));
            p.drawPoint(QPointF(8, 12.5));
            break;
        case TToolPicture::ReflectUpDown:
            p.drawLine(QPointF(1, 8), QPointF(15, 8));
            Arrow(p, QPointF(8, 6), QPointF(8, 1.5));
            Arrow(p, QPointF(8, 10), QPointF(8, 14.5));
            break;
        case TToolPicture::ReflectLeftRight:
            p.drawLine(QPointF(8, 1), QPointF(8, 15));
            Arrow(p, QPointF(6, 8), QPointF(1.5, 8));
            Arrow(p, QPointF(10, 8), QPointF(14.5, 8));
            break;
        case TToolPicture::TurnClockwise:
            TurnArrow(p, true);
            break;
        case TToolPicture::TurnAnticlockwise:
            TurnArrow(p, false);
            break;
        case TToolPicture::ClearBoard:
            p.setBrush(Board);
            p.drawRect(QRectF(2, 2, 12, 12));
            p.setPen(QPen(QColor(200, 0, 0), 2));
            p.drawLine(QPointF(4, 4), QPointF(12, 12));
            p.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case TToolPicture::Numeration:
            p.setBrush(Qt::black);
            p.drawEllipse(QRectF(1, 1, 14, 14));
            p.setPen(Qt::white);
            p.setFont(QFont(QStringLiteral("Sans"), 7, QFont::Bold));
            p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("12"));
            break;
        case TToolPicture::Statistic:
            p.drawRect(QRectF(2, 9, 3, 5));
            p.drawRect(QRectF(6.5, 5, 3, 9));
            p.drawRect(QRectF(11, 2, 3, 12));
            break;
        case TToolPicture::Query:
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(2, 2, 8, 8));
            p.setPen(QPen(Ink, 2.5));
            p.drawLine(QPointF(9, 9), QPointF(14, 14));
            break;
        case TToolPicture::Navigator:
        case TToolPicture::Listing:
            p.setBrush(Qt::NoBrush);
            for (int i = 0; i < 3; ++i) p.drawRect(QRectF(2, 2 + i * 4.5, 12, 3));
            if (picture == TToolPicture::Navigator) {
                p.setBrush(QColor(207, 189, 156));
                p.drawRect(QRectF(2, 6.5, 12, 3));
            }
            break;
        case TToolPicture::Adjustment:
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(4, 4, 8, 8));
            for (int i = 0; i < 8; ++i) {
                p.save();
                p.translate(8, 8);
                p.rotate(i * 45);
                p.drawLine(QPointF(0, 4), QPointF(0, 7));
                p.restore();
            }
            break;
    }
    return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap = Blank(size);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal cell = size / 4.0;
        p.setPen(Qt::NoPen);
        p.setBrush(Board);
        p.drawRoundedRect(QRectF(0, 0, size, size), size / 8.0, size / 8.0);
        p.setPen(QPen(Qt::black, std::max(1.0, size / 32.0)));
        for (int i = 1; i <= 3; ++i) {
            p.drawLine(QPointF(i * cell, cell / 2), QPointF(i * cell, size - cell / 2));
            p.drawLine(QPointF(cell / 2, i * cell), QPointF(size - cell / 2, i * cell));
        }
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(2 * cell, 2 * cell), cell * 0.48, cell * 0.48);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(3 * cell, cell), cell * 0.48, cell * 0.48);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon ToolPicture(TToolPicture picture) {
    return QIcon(Draw(picture));
}
