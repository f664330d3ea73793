#include "ui/WelcomePanel.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TWelcomePanel::TWelcomePanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Welcome"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    auto* text = new QLabel(
        QStringLiteral("Welcome to Kalvon. This folder holds no base of games yet. Open one, import games "
                       "of RenjuNet, Gomocup or SGF files, or try the program on a sample base of generated "
                       "games (their statistics mean nothing). Work with Base > Add New Games reads your "
                       "notifications into New.bdt."),
        this);
    text->setObjectName(QStringLiteral("EmptyFolderHint"));
    text->setWordWrap(true);
    auto* open = new QPushButton(QStringLiteral("&Open a base ..."), this);
    open->setObjectName(QStringLiteral("WelcomeOpen"));
    auto* import = new QPushButton(QStringLiteral("&Import games ..."), this);
    import->setObjectName(QStringLiteral("WelcomeImport"));
    auto* sample = new QPushButton(QStringLiteral("Create a &sample base"), this);
    sample->setObjectName(QStringLiteral("WelcomeSample"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    for (QPushButton* button : {open, import, sample}) layout->addWidget(button);

    connect(open, &QPushButton::clicked, this, &TWelcomePanel::OpenBaseWanted);
    connect(import, &QPushButton::clicked, this, &TWelcomePanel::ImportWanted);
    connect(sample, &QPushButton::clicked, this, &TWelcomePanel::SampleWanted);
}
