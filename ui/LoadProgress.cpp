#include "ui/LoadProgress.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "ui/WindowPlacement.h"

TLoadProgress::TLoadProgress() : QWidget(nullptr) {
    CreateControls();
    LayOut();
}

void TLoadProgress::CreateControls() {
    setObjectName(QStringLiteral("FormLoad"));
    setWindowTitle(QStringLiteral("Process Loading"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowOpacity(200.0 / 255.0);

    label = new QLabel(QStringLiteral("FileBase is Loading"), this);
    label->setObjectName(QStringLiteral("Label1"));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    QPalette maroon = label->palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    label->setPalette(maroon);
    label->setAlignment(Qt::AlignCenter);

    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar->setRange(0, 100);
}

void TLoadProgress::LayOut() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(progressBar);
    setFixedSize(320, 90);
}

void TLoadProgress::Start() {
    progressBar->setValue(1);
    CentreOnScreen(*this);
    show();
    raise();
    // The load runs inside the handler of the user's action; only this window is to be drawn meanwhile.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TLoadProgress::SetPosition(int percent) {
    progressBar->setValue(percent);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TLoadProgress::Finish() {
    hide();
}
