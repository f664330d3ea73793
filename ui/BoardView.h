// The board of the main window: the board area with its picture of the board, the stones of the game on
// the board and the next-move labels. It draws what the session holds and follows the session's
// signals; it changes nothing.
#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <string_view>

#include "base/BoardMoves.h"
#include "ui/BoardPainter.h"
#include "ui/RuleMarks.h"

class TBoardArea;
class TSession;

class TBoardView final : public QObject {
public:
    // Creates the board area inside parent.
    TBoardView(TSession& session, QWidget* parent);

    TBoardArea* Area() const { return Area_; }
    // Whether stones carry their numbers ("Numeration"); the board is drawn anew when it changes.
    void SetNumbered(bool on);

    // The full repaint: board, stones, labels.
    void DrawWholeBoard();
    void ClearPaint();
    // One stone, numbered as given, on the point; a code that is no point draws nothing.
    void DrawMove(const QString& number, std::string_view point);
    // Paints the point back to an empty intersection.
    void MoveBackup(std::string_view point);
    // The label of the index-th next move (1 = "A") on the point.
    void NextMovesAlf(int index, std::string_view point);
    // Turns the labels on the board into the session's, drawing only the points that change.
    void FollowLabels();
    // Draws what a change of the game on the board asks for.
    void Show(const kalvon::TBoardChange& change);
    // The point a press at that pixel picks.
    TBoardPoint HitPoint(QPoint pixel) const;

    // The rules' marks drawn over the board: black's forbidden points, the winning rows, a VCF.
    const TRuleMarks& Marks() const { return Marks_; }
    // Marks the moves of a VCF of the attacker's, found for the position on the board, by numbers
    // until the position changes.
    void ShowVcf(std::vector<int> moves, kalvon::TSide attacker);

protected:
    // The kind of a forbidden point as the tooltip of its point.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Works the marks out for the position and the rule in force, and redraws where they change.
    void FollowRules();
    void UpdateMarks(TRuleMarks next);

    // Runs draw with a painter on the board's picture in the diameter and font in force.
    template <class Draw>
    void Paint(Draw&& draw);
    void UpdatePoint(TBoardPoint point);
    bool IsPointEmpty(std::string_view point) const;

    TSession& Session_;
    TBoardArea* Area_;
    bool Numbered_ = true;
    // The labels on the board's picture, label A first.
    std::string Labels_;
    TRuleMarks Marks_;
    // The position the VCF marks were found for.
    std::string VcfPosition_;
};
