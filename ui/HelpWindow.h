// The help window: the user guide (Markdown with its pictures) in a browser of its own.
#pragma once

#include <QString>
#include <QTextBrowser>

class THelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    THelpWindow();
    // Shows the guide's file, raised over the other windows.
    void ShowGuide(const QString& path);

protected:
    // Escape closes the window as its close button does.
    void keyPressEvent(QKeyEvent* event) override;
};

// The installed guide (share/doc/kalvon/user-guide.md beside the program's bin/), else the source
// tree's docs/user-guide.md for a program run from its build; empty when neither exists.
QString UserGuidePath();
