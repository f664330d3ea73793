#include "ui/LetterMarksDialog.h"

#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

#include "base/PointCodes.h"
#include "ui/DialogService.h"
#include "ui/diagram/LetterMarks.h"

namespace {

constexpr int Letters = 26;

QString LetterOf(int row) {
    return QString(QChar(u'A' + row));
}

}  // namespace

TLetterMarksDialog::TLetterMarksDialog() : QDialog(nullptr) {
    setObjectName(QStringLiteral("FormBook"));
    setWindowTitle(QStringLiteral("Letters"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(160, 244);

    StringGrid1 = new QTableWidget(Letters, 2, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(16);
    StringGrid1->verticalHeader()->setMinimumSectionSize(16);
    StringGrid1->setColumnWidth(0, 24);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setGeometry(4, 4, 152, 204);
    for (int row = 0; row < Letters; ++row) {
        auto* letter = new QTableWidgetItem(LetterOf(row));
        letter->setFlags(Qt::ItemIsEnabled);
        letter->setBackground(palette().button());
        StringGrid1->setItem(row, 0, letter);
        StringGrid1->setItem(row, 1, new QTableWidgetItem());
    }

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(4, 214, 74, 26);
    BitBtn2 =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(82, 214, 74, 26);

    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this] { StringGrid1DblClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, &TLetterMarksDialog::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TLetterMarksDialog::BitBtn2Click);
}

void TLetterMarksDialog::Edit(const std::string& letterMarks, const std::string& moves) {
    LetterMarks_ = letterMarks;
    Moves_ = moves;
    FormShow();
    open();
}

void TLetterMarksDialog::FormShow() {
    for (int row = 0; row < Letters; ++row) StringGrid1->item(row, 1)->setText(QString());
    for (size_t i = 0; i + 2 < LetterMarks_.size(); i += 3) {
        const int row = LetterMarks_[i] - 'A';
        if (row < 0 || row >= Letters) continue;
        StringGrid1->item(row, 1)->setText(
            QString::fromStdString(kalvon::PointCodeToText(std::string_view(LetterMarks_).substr(i + 1, 2))));
    }
    StringGrid1->setCurrentCell(0, 1);
}

void TLetterMarksDialog::StringGrid1DblClick() {
    const int row = StringGrid1->currentRow();
    if (row < 0) return;
    QTableWidgetItem* cell = StringGrid1->item(row, 1);
    const std::optional<QString> typed = Dialogs().InputText(
        this, QStringLiteral("Entering a point"),
        QStringLiteral("Enter point ABCDEFGHJKLMNOP1-15, for example j8 or J8"), cell->text());
    if (!typed) return;
    const std::optional<std::string> code = TypedPointCode(*typed);
    if (!code) {
        Dialogs().Information(this, QStringLiteral("Input error!"));
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
        const QString text = StringGrid1->item(row, 1)->text().trimmed();
        if (text.isEmpty()) continue;
        marks += char('A' + row) + kalvon::PointTextToCode(text.toStdString());
    }
    return marks;
}

void TLetterMarksDialog::BitBtn1Click() {
    LetterMarks_ = GridMarks();
    accept();
    emit MarksAccepted(LetterMarks_);
}

void TLetterMarksDialog::BitBtn2Click() {
    reject();
}
