// One game panel of the navigator: seven borderless cells over a panel that takes the highlight
// colour while it is the active one.
#pragma once

#include <QFrame>

class QLabel;

class TPartyPanel final : public QFrame {
    Q_OBJECT
public:
    static constexpr int RowHeight = 33;

    // Panel number (top = 1) inside parent, at its place in the column.
    TPartyPanel(int number, QWidget* parent);

    int Number() const { return Number_; }
    void SetActive(bool active);
    bool Active() const { return Active_; }

    QLabel* edNum;
    QLabel* edBlack;
    QLabel* edWhite;
    QLabel* edKod;
    QLabel* edResult;
    QLabel* edCom;
    QLabel* edYear;

signals:
    void Clicked(int number);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    int Number_;
    bool Active_ = true;
};
