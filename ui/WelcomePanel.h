// What a working folder without a base shows over the board: a short welcome with the three ways to
// a first base.
#pragma once

#include <QFrame>

class TWelcomePanel final : public QFrame {
    Q_OBJECT
public:
    explicit TWelcomePanel(QWidget* parent);

signals:
    void OpenBaseWanted();
    void ImportWanted();
    void SampleWanted();
};
