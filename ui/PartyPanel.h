// One game panel of the navigator: seven borderless cells over a panel that takes the highlight
// colour while it is the active one, and where those cells lie for the font they are written in.
#pragma once

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QRect>
#include <QString>

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

// The places of a panel's cells, each made wide enough for the widest text of its kind in the cells'
// font and for its heading in the headings' font: the game number of up to seven digits, the widest
// result ("1:0", "0:1", "1/2", "+:-", "-:+"), a board code and a year of five characters, and a name
// of 24 letters (a longer or wider name is elided). The commentary takes the rest of the lower row.
struct TPanelLayout {
    TPanelLayout(const QFont& cellFont, const QFont& headingFont);

    // The blank left and right of a cell's text.
    static constexpr int CellPadding = 2;

    QRect Num, Black, Result, White, Kod, Year, Com;
    // The panel's width that shows every cell, and its height: the two rows of cells with their gaps.
    int Width = 0;
    int RowHeight = 0;
};

// A heading row over the panels: captions at the left edges of their cells ("Result" centred on its
// cell); text() is the captions separated by blanks.
class THeadingRow final : public QLabel {
    Q_OBJECT
public:
    struct TCaption {
        QString Text;
        QRect Cell;
        bool Centred = false;
    };
    THeadingRow(const QList<TCaption>& captions, QWidget* parent);
    // Where the caption's text lies in the row.
    QRect CaptionPlace(int caption) const;
    int CaptionCount() const { return int(Captions_.size()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<TCaption> Captions_;
};

class TPartyPanel final : public QFrame {
    Q_OBJECT
public:
    // Panel number (top = 1) inside parent, at its place in the column, its cells placed by layout
    // and written in cellFont.
    TPartyPanel(int number, QWidget* parent, const TPanelLayout& layout, const QFont& cellFont);

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
    void CreateCells(const QFont& cellFont);
    void LayOut(const TPanelLayout& layout);

    int Number_;
    bool Active_ = true;
};
