#include "ui/ListingWindow.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/Icons.h"
#include "ui/ListingModel.h"
#include "ui/Session.h"
#include "ui/WindowPlacement.h"

namespace {

// Lines 14 pixels high, whatever the font asks for.
class TLineDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 14};
    }
};

// The board's navigation pictures turned upright: towards the start is up, towards the end down.
QIcon Upright(TToolPicture picture) {
    const QPixmap flat = ToolPicture(picture).pixmap(16, 16);
    return QIcon(flat.transformed(QTransform().rotate(90)));
}

}  // namespace

TListingWindow::TListingWindow(TSession& session)
    : QWidget(nullptr), Session_(session), Model_(new TListingModel(session, this)) {
    CreateControls();
    LayOut();
    Connect();
}

void TListingWindow::CreateControls() {
    setObjectName(QStringLiteral("FormKonstr"));
    setWindowTitle(QStringLiteral("Listing Parties"));
    setAttribute(Qt::WA_QuitOnClose, false);

    clbPartys = new QListView(this);
    clbPartys->setObjectName(QStringLiteral("clbPartys"));
    clbPartys->setModel(Model_);
    clbPartys->setItemDelegate(new TLineDelegate(clbPartys));
    // One height for every line: the view never measures a million of them.
    clbPartys->setUniformItemSizes(true);
    // The lines are laid out in batches after the first paint: a large selection shows at once.
    clbPartys->setLayoutMode(QListView::Batched);
    clbPartys->setBatchSize(20000);
    clbPartys->setSelectionMode(QAbstractItemView::SingleSelection);
    clbPartys->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto button = [this](const char* name, const QString& hint, const QIcon& picture) {
        auto* speed = new QToolButton(this);
        speed->setObjectName(QLatin1String(name));
        speed->setToolTip(hint);
        speed->setAutoRaise(true);
        speed->setIcon(picture);
        speed->setFocusPolicy(Qt::NoFocus);
        return speed;
    };
    checkAllButton = button("SpeedButton1", QStringLiteral("Check All"),
                            style()->standardIcon(QStyle::SP_DialogApplyButton));
    firstLineButton =
        button("SpeedButton2", QStringLiteral("To Raise on first line"), Upright(TToolPicture::InStart));
    upButton = button("SpeedButton3", QStringLiteral("To Raise party up"), Upright(TToolPicture::MoveBack));
    downButton = button("SpeedButton4", QStringLiteral("To Lower party down"), Upright(TToolPicture::MoveUp));
    lastLineButton =
        button("SpeedButton5", QStringLiteral("To Lower on last line"), Upright(TToolPicture::InEnd));
    cancelAllButton = button("SpeedButton6", QStringLiteral("Cancel All"),
                             style()->standardIcon(QStyle::SP_DialogCancelButton));

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("BitBtn1"));
    okButton->setToolTip(QStringLiteral("Сохранить выборку"));
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("BitBtn2"));
    cancelButton->setToolTip(QStringLiteral("Отмена"));
    closeShortcut = new QShortcut(Qt::Key_Escape, this);
}

void TListingWindow::LayOut() {
    auto* buttons = new QVBoxLayout;
    for (QToolButton* speed :
         {checkAllButton, firstLineButton, upButton, downButton, lastLineButton, cancelAllButton})
        buttons->addWidget(speed);
    buttons->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addWidget(clbPartys, 0, 0);
    layout->addLayout(buttons, 0, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(okButton);
    bottom->addWidget(cancelButton);
    bottom->addStretch();
    layout->addLayout(bottom, 1, 0, 1, 2);
    resize(420, 420);
}

void TListingWindow::Connect() {
    clbPartys->installEventFilter(this);
    clbPartys->viewport()->installEventFilter(this);
    // A click on a line's check box only checks or unchecks it: the box changes before the click ends.
    connect(Model_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.contains(Qt::CheckStateRole)) CheckClicked_ = true;
            });
    connect(clbPartys, &QListView::clicked, this, [this] {
        if (!CheckClicked_) OpenGame();
    });
    // Every new selection starts at its first line.
    connect(Model_, &QAbstractItemModel::modelReset, this, [this] {
        if (Model_->rowCount() > 0) clbPartys->setCurrentIndex(Model_->index(0));
    });
    connect(&Session_, &TSession::BrowsersClosed, this, &QWidget::hide);

    connect(checkAllButton, &QToolButton::clicked, this, [this] { Model_->CheckAll(true); });
    connect(firstLineButton, &QToolButton::clicked, this, &TListingWindow::RaiseOnFirst);
    connect(upButton, &QToolButton::clicked, this, &TListingWindow::RaiseUp);
    connect(downButton, &QToolButton::clicked, this, &TListingWindow::LowerDown);
    connect(lastLineButton, &QToolButton::clicked, this, &TListingWindow::LowerOnLast);
    connect(cancelAllButton, &QToolButton::clicked, this, [this] { Model_->CheckAll(false); });
    connect(okButton, &QPushButton::clicked, this, &TListingWindow::KeepCheckedGames);
    connect(cancelButton, &QPushButton::clicked, this, &TListingWindow::Cancel);
    // Escape closes the window as Cancel does.
    connect(closeShortcut, &QShortcut::activated, this, &TListingWindow::Cancel);
}

TListingWindow::~TListingWindow() = default;

bool TListingWindow::HasLines() const {
    return !Session_.Base().Listing.empty();
}

void TListingWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    CentreOnScreen(*this, size());
    Model_->Follow(true);
}

void TListingWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A hidden window gives the memory of its lines back.
    Model_->Follow(false);
}

int TListingWindow::SelectedLine() const {
    const QModelIndex current = clbPartys->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TListingWindow::OpenGame() {
    const int line = SelectedLine();
    const kalvon::TListing& listing = Session_.Base().Listing;
    if (line < 0 || size_t(line) >= listing.size()) return;
    Session_.OpenGame(listing[size_t(line)]);
}

void TListingWindow::MoveSelected(int to) {
    const int from = SelectedLine();
    if (from < 0 || to < 0 || to >= Model_->rowCount() || to == from) return;
    if (!Session_.MoveListed(size_t(from), size_t(to))) return;
    // The moved line stays in view.
    clbPartys->setCurrentIndex(Model_->index(to));
    ShowLine(to, 0);
}

void TListingWindow::ShowLine(int line, int attempt) {
    const QModelIndex index = Model_->index(line);
    clbPartys->scrollTo(index);
    // A long list is laid out in batches; a line its layout has not reached yet has no place to
    // scroll to, so the scroll is tried again once the next batches are done (for a few seconds).
    if (clbPartys->visualRect(index).isValid() || attempt >= 500) return;
    QTimer::singleShot(10, this, [this, line, attempt] {
        if (line < Model_->rowCount()) ShowLine(line, attempt + 1);
    });
}

void TListingWindow::RaiseUp() {
    MoveSelected(SelectedLine() - 1);
}

void TListingWindow::LowerDown() {
    if (SelectedLine() >= 0) MoveSelected(SelectedLine() + 1);
}

void TListingWindow::RaiseOnFirst() {
    if (SelectedLine() >= 0) MoveSelected(0);
}

void TListingWindow::LowerOnLast() {
    if (SelectedLine() >= 0) MoveSelected(Model_->rowCount() - 1);
}

void TListingWindow::KeepCheckedGames() {
    kalvon::TListing kept = Model_->CheckedGames();
    hide();
    // The navigator shows the new selection at once.
    Session_.SetListing(std::move(kept));
}

void TListingWindow::Cancel() {
    hide();
}

bool TListingWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == clbPartys->viewport() && event->type() == QEvent::MouseButtonPress) CheckClicked_ = false;
    if (watched == clbPartys && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenGame();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
