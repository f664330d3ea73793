// One game panel of the navigator: seven borderless cells over a panel that takes the highlight
// colour while it is the active one.
#pragma once

#include <QFrame>
#include <QLabel>

// A cell of a panel: its text() is the whole text; it shows as much as fits, elided at the right,
// and then the whole text as its tool tip.
class TPanelCell final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    // What the cell shows of its text in its width.
    QString Shown() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class TPartyPanel final : public QFrame {
    Q_OBJECT
public:
    static constexpr int RowHeight = 33;

    // Panel number (top = 1) inside parent, at its place in the column.
    TPartyPanel(int number, QWidget* parent);

    int Number() const { return Number_; }
    void SetActive(bool active);
    bool Active() const { return Active_; }

    TPanelCell* edNum;
    TPanelCell* edBlack;
    TPanelCell* edWhite;
    TPanelCell* edKod;
    TPanelCell* edResult;
    TPanelCell* edCom;
    TPanelCell* edYear;

signals:
    void Clicked(int number);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    int Number_;
    bool Active_ = true;
};
