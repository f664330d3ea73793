#include "ui/AboutDialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "kalvon/Version.h"
#include "ui/Icons.h"
#include "ui/WindowPlacement.h"

namespace {

QLabel* Label(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

}  // namespace

TAboutDialog::TAboutDialog() : QDialog(nullptr) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* programIcon = Label(panel, "ProgramIcon", QString());
    programIcon->setPixmap(ProgramIcon().pixmap(48, 48));
    auto* comments =
        Label(panel, "Comments", QStringLiteral("Comments:  Program for working with base of games renju"));
    comments->setWordWrap(true);

    auto* grid = new QGridLayout(panel);
    grid->addWidget(programIcon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(Label(panel, "ProductName", QStringLiteral("Product Name     Kalvon")), 0, 1);
    grid->addWidget(
        Label(panel, "Version", QStringLiteral("Version                              " KALVON_VERSION)), 1,
        1);
    grid->addWidget(Label(panel, "Copyright", QStringLiteral("Copyright \u00a9 the Kalvon developers")), 2,
                    1);
    grid->addWidget(
        Label(panel, "Licence", QStringLiteral("Licence: GNU General Public License, version 3 or later")), 3,
        1);
    grid->addWidget(comments, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    panel->setMinimumWidth(300);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutDialog::showEvent(QShowEvent* event) {
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}
