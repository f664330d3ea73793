// The statistics memo right of the board. A read-only list of lines with both scroll bars,
// whose filling costs next to nothing, so that it can follow every move on a large base; lines can
// be selected with the mouse or the keyboard and copied.
#pragma once

#include <QAbstractScrollArea>
#include <QStringList>
#include <string>
#include <vector>

class TSession;

class TStatisticMemo final : public QAbstractScrollArea {
public:
    // The memo shows the session's statistics while they are shown, and hides otherwise.
    TStatisticMemo(const TSession& session, QWidget* parent);

    // Replaces the lines (separated by line feeds) and shows the first one, with nothing selected.
    void setPlainText(const QString& text);
    // The same for lines in the bytes of the code page; they are turned into characters when shown.
    void SetLines(std::vector<std::string> lines);
    void clear() { setPlainText(QString()); }
    // The lines joined by line feeds.
    QString toPlainText() const { return Lines().join(QLatin1Char('\n')); }
    const QStringList& Lines() const;
    // The line shown at the top, 0 for the first.
    int FirstVisibleLine() const;
    // The selected lines joined by line feeds, or "" when none is selected.
    QString SelectedText() const;
    void SelectAll();
    // Puts the selected lines, or all lines when none is selected, on the clipboard.
    void Copy() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void FollowSession();
    void LinesChanged();
    int LineCount() const { return int(Bytes_.empty() ? Lines_.size() : Bytes_.size()); }
    int LineHeight() const;
    int LineAt(int y) const;
    // The scroll ranges follow the lines. They are set when the lines are first shown or scrolled,
    // not on every change: measuring the lines on each move would cost more than the search.
    void LayOut();
    bool HasSelection() const { return Anchor_ >= 0; }

    const TSession& Session_;
    // The lines as given in bytes, until they are first needed as characters.
    std::vector<std::string> Bytes_;
    mutable QStringList Lines_;
    int Anchor_ = -1;  // the selected lines run from Anchor_ to Current_, either way round
    int Current_ = -1;
    int WidestLine_ = 0;
    bool LaidOut_ = false;
};
