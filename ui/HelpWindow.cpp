#include "ui/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTextDocument>
#include <QUrl>

THelpWindow::THelpWindow() : QTextBrowser(nullptr) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Kalvon Help"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setOpenExternalLinks(true);
    resize(800, 640);
}

void THelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

void THelpWindow::ShowGuide(const QString& path) {
    setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
    show();
    raise();
    activateWindow();
}

QString UserGuidePath() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QStringList candidates = {
        programFolder.filePath(QStringLiteral("../share/doc/kalvon/user-guide.md")),
        QStringLiteral(KALVON_SOURCE_GUIDE),
    };
    for (const QString& candidate : candidates) {
        const QFileInfo file(candidate);
        if (file.isFile()) return file.canonicalFilePath();
    }
    return {};
}
