// The progress window "Process Loading" shown while a base file is read.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

class TLoadProgress final : public QWidget {
public:
    TLoadProgress();

    // Shows the window centred on the screen with the bar at 1.
    void Start();
    // Moves the bar and lets it repaint while the load keeps the program busy.
    void SetPosition(int percent);
    void Finish();

    QProgressBar* progressBar;

private:
    // The window has nothing to connect: the loading moves its bar.
    void CreateControls();
    void LayOut();

    QLabel* label;
};
