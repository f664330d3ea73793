#include "ui/PartyPanel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "ui/SettingsState.h"

namespace {

TPanelCell* Cell(QWidget* panel, const char* name, QRect place, QColor colour) {
    auto* cell = new TPanelCell(panel);
    cell->setObjectName(QLatin1String(name));
    cell->setGeometry(place);
    cell->setAutoFillBackground(true);
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    cell->setPalette(palette);
    cell->setFont(DefaultFont());
    // A text too long for the cell ends in an ellipsis, never reaching into the next cell.
    cell->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return cell;
}

}  // namespace

QString TPanelCell::Shown() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void TPanelCell::paintEvent(QPaintEvent*) {
    const QString shown = Shown();
    setToolTip(shown == text() ? QString() : text());
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), int(alignment()), shown);
}

TPartyPanel::TPartyPanel(int number, QWidget* parent) : QFrame(parent), Number_(number) {
    setObjectName(QStringLiteral("Pan%1").arg(number));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    setGeometry(1, (number - 1) * RowHeight + 1, parent->width() - 2, RowHeight);
    edNum = Cell(this, "edNum", {8, 2, 33, 13}, QColor(255, 255, 128));
    edBlack = Cell(this, "edBlack", {63, 2, 97, 13}, QColor(221, 221, 221));
    edWhite = Cell(this, "edWhite", {177, 2, 97, 13}, QColor(221, 221, 221));
    edKod = Cell(this, "edKod", {8, 18, 49, 13}, QColor(179, 255, 179));
    edResult = Cell(this, "edResult", {160, 2, 17, 13}, QColor(0, 255, 0));
    edCom = Cell(this, "edCom", {112, 18, 97, 13}, QColor(182, 185, 243));
    edYear = Cell(this, "edYear", {60, 18, 49, 13}, QColor(179, 255, 179));
    SetActive(false);
}

void TPartyPanel::SetActive(bool active) {
    if (active == Active_) return;
    Active_ = active;
    QPalette colours = palette();
    colours.setColor(QPalette::Window,
                     active ? QColor(207, 189, 156) : parentWidget()->palette().color(QPalette::Button));
    setPalette(colours);
}

void TPartyPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit Clicked(Number_);
    QFrame::mousePressEvent(event);
}
