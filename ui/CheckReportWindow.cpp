#include "ui/CheckReportWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "ui/WindowPlacement.h"

TCheckReportWindow::TCheckReportWindow() : QWidget(nullptr) {
    setObjectName(QStringLiteral("CheckReportForm"));
    setWindowTitle(QStringLiteral("Check Games"));
    setAttribute(Qt::WA_QuitOnClose, false);
    reportText = new QPlainTextEdit(this);
    reportText->setObjectName(QStringLiteral("CheckReportText"));
    reportText->setReadOnly(true);
    reportText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    reportText->setLineWrapMode(QPlainTextEdit::NoWrap);
    reportText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The fields are separated by tabs: the year and board field is ten characters wide.
    reportText->setTabStopDistance(QFontMetricsF(reportText->font()).horizontalAdvance(QLatin1Char('0')) *
                                   12);
    copyButton = new QPushButton(QStringLiteral("Copy"), this);
    copyButton->setObjectName(QStringLiteral("CopyButton"));
    closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(reportText);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copyButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    resize(720, 420);

    connect(copyButton, &QPushButton::clicked, this, &TCheckReportWindow::CopyReport);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::hide);
}

void TCheckReportWindow::ShowReport(const QStringList& findings, const QString& summary) {
    QString text = findings.join(QLatin1Char('\n'));
    if (!text.isEmpty()) text += QLatin1String("\n\n");
    reportText->setPlainText(text + summary);
    if (!isVisible()) CentreOnScreen(*this, size());
    show();
    raise();
    activateWindow();
}

QString TCheckReportWindow::Text() const {
    return reportText->toPlainText();
}

void TCheckReportWindow::CopyReport() const {
    QApplication::clipboard()->setText(Text());
}
