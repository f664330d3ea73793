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

QLabel* Label(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

TAboutDialog::TAboutDialog() : QDialog(nullptr) {
    CreateControls();
    LayOut();
    Connect();
}

void TAboutDialog::CreateControls() {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, false);

    panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    programIcon = Label(panel, QStringLiteral("ProgramIcon"), QString());
    programIcon->setPixmap(ProgramIcon().pixmap(48, 48));
    // Each line: its caption (named after its value, with "Caption") and its value.
    const struct {
        const char* Name;
        const char* Caption;
        QString Value;
    } lines[] = {
        {"ProductName", "Product Name", QStringLiteral("Kalvon")},
        {"Version", "Version", QStringLiteral(KALVON_VERSION)},
        {"Copyright", "Copyright", QStringLiteral("\u00a9 the Kalvon developers")},
        {"Licence", "Licence", QStringLiteral("GNU General Public License, version 3 or later")},
        {"Comments", "Comments", QStringLiteral("Program for working with base of games renju")},
    };
    for (const auto& line : lines) {
        const QString name = QLatin1String(line.Name);
        captions.append(Label(panel, name + QStringLiteral("Caption"), QLatin1String(line.Caption)));
        values.append(Label(panel, name, line.Value));
    }
    values.last()->setWordWrap(true);
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("OKButton"));
    okButton->setDefault(true);
}

void TAboutDialog::LayOut() {
    // The icon, then the captions in one column and their values in the next, all lines aligned.
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(12);
    grid->addWidget(programIcon, 0, 0, int(captions.size()), 1, Qt::AlignTop);
    for (int line = 0; line < int(captions.size()); ++line) {
        grid->addWidget(captions[line], line, 1, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(values[line], line, 2, Qt::AlignLeft | Qt::AlignTop);
    }
    grid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(okButton, 0, Qt::AlignHCenter);
    panel->setMinimumWidth(300);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutDialog::Connect() {
    connect(okButton, &QPushButton::clicked, this, &QDialog::hide);
}

void TAboutDialog::showEvent(QShowEvent* event) {
    CentreOnScreen(*this);
    QDialog::showEvent(event);
}
