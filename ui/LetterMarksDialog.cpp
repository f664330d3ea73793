#include "ui/LetterMarksDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/PointCodes.h"
#include "diagram/LetterMarks.h"
#include "ui/DialogService.h"

namespace {

constexpr int Letters = 26;
// The window of the grid and the buttons, and the blank around and between its parts.
constexpr int GridWindowWidth = 160;
constexpr int GridWindowHeight = 244;
constexpr int Margin = 4;
constexpr int Spacing = 6;

QString LetterOf(int row) {
    return QString(QChar(u'A' + row));
}

}  // namespace

TLetterMarksDialog::TLetterMarksDialog() : QDialog(nullptr) {
    CreateControls();
    LayOut();
    Connect();
}

void TLetterMarksDialog::CreateControls() {
    setObjectName(QStringLiteral("FormBook"));
    setWindowTitle(QStringLiteral("Letters"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowModality(Qt::ApplicationModal);

    hintLabel =
        new QLabel(QStringLiteral("Double-click a row or press Enter, then type a point such as H8."), this);
    hintLabel->setObjectName(QStringLiteral("Hint"));

    marksGrid = new QTableWidget(Letters, 2, this);
    marksGrid->setObjectName(QStringLiteral("StringGrid1"));
    marksGrid->horizontalHeader()->hide();
    marksGrid->verticalHeader()->hide();
    marksGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    marksGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    marksGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int row = 0; row < Letters; ++row) {
        auto* letter = new QTableWidgetItem(LetterOf(row));
        letter->setFlags(Qt::ItemIsEnabled);
        letter->setBackground(palette().button());
        marksGrid->setItem(row, 0, letter);
        marksGrid->setItem(row, 1, new QTableWidgetItem());
    }

    okButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("BitBtn1"));
    cancelButton =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("BitBtn2"));
}

void TLetterMarksDialog::LayOut() {
    marksGrid->verticalHeader()->setDefaultSectionSize(16);
    marksGrid->verticalHeader()->setMinimumSectionSize(16);
    marksGrid->setColumnWidth(0, 24);
    marksGrid->horizontalHeader()->setStretchLastSection(true);

    // The hint in one line over the grid, and the grid over the two buttons, which share the width.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    for (QPushButton* button : {okButton, cancelButton}) {
        button->setFixedHeight(26);
        buttons->addWidget(button, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->setSpacing(Spacing);
    layout->addWidget(hintLabel);
    layout->addWidget(marksGrid);
    layout->addLayout(buttons);
    // The grid keeps its size; the hint widens the window where it needs to.
    const QSize hint = hintLabel->sizeHint();
    setFixedSize(std::max(GridWindowWidth, hint.width() + 2 * Margin),
                 GridWindowHeight + hint.height() + Spacing);
}

void TLetterMarksDialog::Connect() {
    connect(marksGrid, &QTableWidget::cellDoubleClicked, this, [this] { EnterPoint(); });
    // Enter on a row asks for its point, as a double-click does, rather than closing the window.
    marksGrid->installEventFilter(this);
    connect(okButton, &QPushButton::clicked, this, &TLetterMarksDialog::AcceptMarks);
    connect(cancelButton, &QPushButton::clicked, this, &TLetterMarksDialog::Cancel);
}

bool TLetterMarksDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == marksGrid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            EnterPoint();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TLetterMarksDialog::Edit(const std::string& letterMarks, const std::string& moves) {
    LetterMarks_ = letterMarks;
    Moves_ = moves;
    FormShow();
    open();
}

void TLetterMarksDialog::FormShow() {
    for (int row = 0; row < Letters; ++row) marksGrid->item(row, 1)->setText(QString());
    for (size_t i = 0; i + 2 < LetterMarks_.size(); i += 3) {
        const int row = LetterMarks_[i] - 'A';
        if (row < 0 || row >= Letters) continue;
        marksGrid->item(row, 1)->setText(
            QString::fromStdString(kalvon::PointCodeToText(std::string_view(LetterMarks_).substr(i + 1, 2))));
    }
    marksGrid->setCurrentCell(0, 1);
}

void TLetterMarksDialog::EnterPoint() {
    const int row = marksGrid->currentRow();
    if (row < 0) return;
    QTableWidgetItem* cell = marksGrid->item(row, 1);
    const std::optional<QString> typed = Dialogs().InputText(
        this, QStringLiteral("Entering a point"),
        QStringLiteral("Enter point ABCDEFGHJKLMNOP1-15, for example j8 or J8"), cell->text());
    if (!typed) return;
    // An empty entry removes the mark.
    if (typed->trimmed().isEmpty()) {
        cell->setText(QString());
        return;
    }
    const std::optional<std::string> code = TypedPointCode(*typed);
    if (!code) {
        Dialogs().Warning(this, QStringLiteral("\"%1\" is not a point: type a letter A-H or J-P and a number "
                                               "1-15, for example J8. An empty entry removes the mark.")
                                    .arg(typed->trimmed()));
        return;
    }
    const QString text = typed->trimmed().toUpper();
    if (const int move = MoveOnPoint(Moves_, *code);
        move > 0 &&
        !Dialogs().Confirm(this, QStringLiteral("Point %1 is occupied %2th move! To put a mark in "
                                                "this point?")
                                     .arg(text)
                                     .arg(move)))
        return;
    cell->setText(text);
}

std::string TLetterMarksDialog::GridMarks() const {
    std::string marks;
    for (int row = 0; row < Letters; ++row) {
        const QString text = marksGrid->item(row, 1)->text().trimmed();
        if (text.isEmpty()) continue;
        marks += char('A' + row) + kalvon::PointTextToCode(text.toStdString());
    }
    return marks;
}

void TLetterMarksDialog::AcceptMarks() {
    LetterMarks_ = GridMarks();
    accept();
    emit MarksAccepted(LetterMarks_);
}

void TLetterMarksDialog::Cancel() {
    reject();
}
