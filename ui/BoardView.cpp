#include "ui/BoardView.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <array>

#include "base/Symmetry.h"
#include "ui/BoardArea.h"
#include "ui/Session.h"
#include "ui/ShownText.h"

TBoardView::TBoardView(TSession& session, QWidget* parent)
    : QObject(parent), Session_(session), Area_(new TBoardArea(parent)) {
    setObjectName(QStringLiteral("BoardView"));
    Area_->setObjectName(QStringLiteral("PaintBox1"));
    Area_->setFocusPolicy(Qt::StrongFocus);
    Area_->OnCanvasResized = [this] { DrawWholeBoard(); };
    connect(&Session_, &TSession::PositionChanged, this, &TBoardView::Show);
    connect(&Session_, &TSession::StatisticChanged, this, &TBoardView::FollowLabels);
    // The board is drawn anew in the settings in force.
    connect(&Session_, &TSession::SettingsChanged, this, &TBoardView::DrawWholeBoard);
    // The rules' marks follow the position, the rule and whether forbidden points are shown; they
    // are drawn over the picture, never into it.
    connect(&Session_, &TSession::PositionChanged, this, &TBoardView::FollowRules);
    for (auto changed : {&TSession::RuleChanged, &TSession::SettingsChanged})
        connect(&Session_, changed, this, &TBoardView::FollowRules);
    Area_->OnPaintOver = [this](QPainter& painter) {
        PaintRuleMarks(painter, Marks_, Session_.Settings().MoveDiameter);
    };
    Area_->installEventFilter(this);
}

void TBoardView::SetNumbered(bool on) {
    if (on == Numbered_) return;
    Numbered_ = on;
    if (!Session_.Board().CurrentMoves.empty()) DrawWholeBoard();
}

template <class Draw>
void TBoardView::Paint(Draw&& draw) {
    const TSettingsState& settings = Session_.Settings();
    TBoardPainter painter(Area_->Canvas(), settings.MoveDiameter, settings.MoveFont);
    draw(painter);
}

void TBoardView::UpdatePoint(TBoardPoint point) {
    Area_->update(TBoardGeometry(Session_.Settings().MoveDiameter).Square(point.Column, point.Row));
}

bool TBoardView::IsPointEmpty(std::string_view point) const {
    const std::optional<TBoardPoint> at = PointOfCode(point);
    return at && Session_.Board().BoardGrid[size_t(at->Column)][size_t(at->Row)] == 0;
}

TBoardPoint TBoardView::HitPoint(QPoint pixel) const {
    return ::HitPoint(pixel, Session_.Settings().MoveDiameter);
}

void TBoardView::ClearPaint() {
    Paint([](TBoardPainter& painter) { painter.ClearPaint(); });
    Area_->update();
}

void TBoardView::DrawWholeBoard() {
    Paint([](TBoardPainter& painter) {
        painter.ClearPaint();
        painter.DrawBoard();
    });
    // Stones up to the first point the board cannot show: a repeated point or a code that is no point.
    const std::string& moves = Session_.Board().CurrentMoves;
    const size_t shown = kalvon::ShownMoveCount(moves);
    for (size_t i = 1; i <= shown; ++i)
        DrawMove(QString::number(i), std::string_view(moves).substr(2 * i - 2, 2));
    Labels_ = Session_.AlfMoves();
    for (size_t j = 1; j <= Labels_.size() / 2; ++j)
        NextMovesAlf(int(j), std::string_view(Labels_).substr(2 * j - 2, 2));
    Area_->update();
}

void TBoardView::DrawMove(const QString& number, std::string_view point) {
    const std::optional<TBoardPoint> at = PointOfCode(point);
    if (!at) return;
    Paint([&](TBoardPainter& painter) { painter.DrawStone(number, *at, Numbered_); });
    UpdatePoint(*at);
}

void TBoardView::MoveBackup(std::string_view point) {
    const std::optional<TBoardPoint> at = PointOfCode(point);
    if (!at) return;
    Paint([&](TBoardPainter& painter) { painter.ErasePoint(*at); });
    UpdatePoint(*at);
}

void TBoardView::NextMovesAlf(int index, std::string_view point) {
    const std::optional<TBoardPoint> at = PointOfCode(point);
    const QChar label = LabelText(index);
    if (!at || label.isNull()) return;
    Paint([&](TBoardPainter& painter) { painter.DrawLabel(label, *at); });
    UpdatePoint(*at);
}

void TBoardView::FollowLabels() {
    const std::string& labels = Session_.AlfMoves();
    const std::string old = Labels_;
    Paint([&](TBoardPainter& painter) {
        // The new label of every point, so that an old label that a new one hides needs no erasing.
        std::array<QChar, kalvon::PointValueCount> next{};
        for (size_t k = 1; k <= labels.size() / 2; ++k)
            next[kalvon::PointValue(std::string_view(labels).substr(2 * k - 2))] = LabelText(int(k));
        for (size_t j = 1; j <= old.size() / 2; ++j) {
            const std::string_view point = std::string_view(old).substr(2 * j - 2, 2);
            if (!IsPointEmpty(point)) continue;
            const QChar over = next[kalvon::PointValue(point)], under = LabelText(int(j));
            if (!over.isNull() && !under.isNull() && painter.LabelCovers(over, under)) continue;
            painter.ErasePoint(*PointOfCode(point));
            UpdatePoint(*PointOfCode(point));
        }
        for (size_t k = 1; k <= labels.size() / 2; ++k) {
            const QChar label = LabelText(int(k));
            const std::optional<TBoardPoint> at = PointOfCode(std::string_view(labels).substr(2 * k - 2, 2));
            if (!at || label.isNull()) continue;
            painter.DrawLabel(label, *at);
            UpdatePoint(*at);
        }
    });
    Labels_ = labels;
}

void TBoardView::Show(const kalvon::TBoardChange& change) {
    if (change.Whole) {
        DrawWholeBoard();
        return;
    }
    for (const std::string& point : change.Erased) MoveBackup(point);
    if (!change.Drawn.empty())
        DrawMove(QString::number(Session_.Board().CurrentMoves.size() / 2), change.Drawn);
}

void TBoardView::UpdateMarks(TRuleMarks next) {
    const int diameter = Session_.Settings().MoveDiameter;
    const QRegion changed = MarksRegion(Marks_, diameter) + MarksRegion(next, diameter);
    Marks_ = std::move(next);
    Area_->update(changed);
}

void TBoardView::FollowRules() {
    const std::string& moves = Session_.Board().CurrentMoves;
    TRuleMarks next = RuleMarksOf(moves, Session_.Rule(), Session_.Settings().Rules.ShowForbidden);
    if (moves == VcfPosition_) {
        next.Vcf = Marks_.Vcf;
        next.VcfAttacker = Marks_.VcfAttacker;
    } else {
        VcfPosition_.clear();
    }
    UpdateMarks(std::move(next));
}

void TBoardView::ShowVcf(std::vector<int> moves, kalvon::TSide attacker) {
    TRuleMarks next = Marks_;
    next.Vcf = std::move(moves);
    next.VcfAttacker = attacker;
    VcfPosition_ = next.Vcf.empty() ? std::string() : Session_.Board().CurrentMoves;
    UpdateMarks(std::move(next));
}

bool TBoardView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Area_ || event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const TBoardPoint point = HitPoint(help->pos());
    const QString tip = ForbiddenTip(Marks_, point);
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, Area_,
                           TBoardGeometry(Session_.Settings().MoveDiameter).Square(point.Column, point.Row));
    }
    return true;
}
