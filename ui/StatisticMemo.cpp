#include "ui/StatisticMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "base/TextPolicy.h"
#include "ui/Session.h"

namespace {

constexpr int Margin = 3;  // pixels between the frame and the text

}  // namespace

TStatisticMemo::TStatisticMemo(const TSession& session, QWidget* parent)
    : QAbstractScrollArea(parent), Session_(session) {
    setObjectName(QStringLiteral("Memo1"));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::IBeamCursor);
    hide();
    connect(&session, &TSession::StatisticChanged, this, &TStatisticMemo::FollowSession);
}

void TStatisticMemo::FollowSession() {
    // Hidden, the memo keeps its lines; they are replaced on the next showing.
    setVisible(Session_.StatisticShown());
    if (Session_.StatisticShown()) SetLines(Session_.MemoLines());
}

int TStatisticMemo::LineHeight() const {
    return std::max(1, fontMetrics().lineSpacing());
}

int TStatisticMemo::FirstVisibleLine() const {
    return verticalScrollBar()->value();
}

int TStatisticMemo::LineAt(int y) const {
    return FirstVisibleLine() + std::max(0, y - Margin) / LineHeight();
}

void TStatisticMemo::setPlainText(const QString& text) {
    Bytes_.clear();
    Lines_ = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    LinesChanged();
}

void TStatisticMemo::SetLines(std::vector<std::string> lines) {
    Bytes_ = std::move(lines);
    Lines_.clear();
    LinesChanged();
}

const QStringList& TStatisticMemo::Lines() const {
    if (!Bytes_.empty() && Lines_.isEmpty()) {
        Lines_.reserve(qsizetype(Bytes_.size()));
        for (const std::string& line : Bytes_) {
            const bool ascii = std::all_of(line.begin(), line.end(), [](char c) { return (c & 0x80) == 0; });
            Lines_.append(ascii ? QString::fromLatin1(line.data(), qsizetype(line.size()))
                                : QString::fromStdString(kalvon::TextPolicy().ToUtf8(line)));
        }
    }
    return Lines_;
}

void TStatisticMemo::LinesChanged() {
    Anchor_ = Current_ = -1;
    LaidOut_ = false;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void TStatisticMemo::LayOut() {
    if (LaidOut_) return;
    LaidOut_ = true;
    const QFontMetrics metrics = fontMetrics();
    WidestLine_ = 0;
    for (const QString& line : Lines()) WidestLine_ = std::max(WidestLine_, metrics.horizontalAdvance(line));
    const int visible = std::max(1, (viewport()->height() - Margin) / LineHeight());
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, LineCount() - visible));
    vertical->setPageStep(visible);
    vertical->setSingleStep(1);
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = std::max(1, viewport()->width() - 2 * Margin);
    horizontal->setRange(0, std::max(0, WidestLine_ - width));
    horizontal->setPageStep(width);
    horizontal->setSingleStep(std::max(1, metrics.averageCharWidth()));
}

void TStatisticMemo::paintEvent(QPaintEvent*) {
    LayOut();
    QPainter painter(viewport());
    const QPalette colours = palette();
    painter.fillRect(viewport()->rect(), colours.color(QPalette::Base));
    const int height = LineHeight();
    const int ascent = fontMetrics().ascent();
    const int left = Margin - horizontalScrollBar()->value();
    const int first = FirstVisibleLine();
    const int low = std::min(Anchor_, Current_), high = std::max(Anchor_, Current_);
    for (int i = first, y = Margin; i < LineCount() && y < viewport()->height(); ++i, y += height) {
        const bool selected = HasSelection() && i >= low && i <= high;
        if (selected)
            painter.fillRect(QRect(0, y, viewport()->width(), height), colours.color(QPalette::Highlight));
        painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
        painter.drawText(left, y + ascent, Lines().at(i));
    }
}

void TStatisticMemo::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    LaidOut_ = false;
    viewport()->update();
}

void TStatisticMemo::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        LaidOut_ = false;
        viewport()->update();
    }
}

void TStatisticMemo::scrollContentsBy(int, int) {
    viewport()->update();
}

void TStatisticMemo::mousePressEvent(QMouseEvent* event) {
    LayOut();
    if (event->button() != Qt::LeftButton) return;
    const int line = LineAt(int(event->position().y()));
    if (line >= LineCount()) {
        Anchor_ = Current_ = -1;
    } else if (event->modifiers() & Qt::ShiftModifier && HasSelection()) {
        Current_ = line;
    } else {
        Anchor_ = Current_ = line;
    }
    viewport()->update();
}

void TStatisticMemo::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !HasSelection() || LineCount() == 0) return;
    Current_ = std::clamp(LineAt(int(event->position().y())), 0, LineCount() - 1);
    viewport()->update();
}

QString TStatisticMemo::SelectedText() const {
    if (!HasSelection()) return QString();
    const int low = std::min(Anchor_, Current_), high = std::max(Anchor_, Current_);
    return Lines().mid(low, high - low + 1).join(QLatin1Char('\n'));
}

void TStatisticMemo::SelectAll() {
    if (LineCount() == 0) return;
    Anchor_ = 0;
    Current_ = LineCount() - 1;
    viewport()->update();
}

void TStatisticMemo::Copy() const {
    if (QClipboard* clipboard = QApplication::clipboard())
        clipboard->setText(HasSelection() ? SelectedText() : toPlainText());
}

void TStatisticMemo::keyPressEvent(QKeyEvent* event) {
    LayOut();
    if (event->matches(QKeySequence::Copy)) {
        Copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
    } else {
        // Arrows, page keys, Home and End scroll as in any text view.
        QScrollBar* vertical = verticalScrollBar();
        switch (event->key()) {
            case Qt::Key_Home:
                vertical->setValue(0);
                horizontalScrollBar()->setValue(0);
                break;
            case Qt::Key_End:
                vertical->setValue(vertical->maximum());
                break;
            default:
                QAbstractScrollArea::keyPressEvent(event);
                return;
        }
    }
    event->accept();
}

void TStatisticMemo::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("Copy"));
    copy->setEnabled(LineCount() != 0);
    QAction* all = menu.addAction(QStringLiteral("Select All"));
    all->setEnabled(LineCount() != 0);
    const QAction* chosen = menu.exec(event->globalPos());
    if (chosen == copy) Copy();
    if (chosen == all) SelectAll();
}
