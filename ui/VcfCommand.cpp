#include "ui/VcfCommand.h"

#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include "ui/BoardView.h"
#include "ui/Session.h"

namespace {

// A search shorter than this shows no dialog: most positions are decided in microseconds.
constexpr int ProgressDelayMs = 250;

}  // namespace

TVcfCommand::TVcfCommand(TSession& session, TBoardView& board, QWidget* window)
    : QObject(window), Session_(session), Board_(board), Window_(window), ProgressTimer_(new QTimer(this)) {
    ProgressTimer_->setInterval(ProgressDelayMs);
    connect(ProgressTimer_, &QTimer::timeout, this, &TVcfCommand::ShowProgress);
    // An answer for a position or a rule no longer in force is worth nothing: the search stops.
    connect(&Session_, &TSession::PositionChanged, this, [this](const kalvon::TBoardChange& change) {
        if (change.Moved) Cancel_ = true;
    });
    connect(&Session_, &TSession::RuleChanged, this, [this] { Cancel_ = true; });
}

TVcfCommand::~TVcfCommand() {
    if (!Worker_) return;
    Cancel_ = true;
    Worker_->wait();
}

void TVcfCommand::Find(bool threat) {
    if (Running()) return;
    Moves_ = Session_.Board().CurrentMoves;
    Position_.Clear();
    // The stones the board shows; a move after a repeated point is not among them.
    Placed_ = kalvon::PlaceMoves(Position_, Moves_);
    const kalvon::TSide toMove = kalvon::SideToMove(size_t(Position_.Stones()));
    Threat_ = threat;
    Attacker_ = threat ? kalvon::Opponent(toMove) : toMove;
    Rule_ = Session_.Rule();
    const kalvon::TRuleSettings& settings = Session_.Settings().Rules;
    Limits_ = kalvon::TVcfLimits();
    Limits_.Length = settings.VcfLength;
    Limits_.NodeLimit = settings.VcfNodes;
    Limits_.Cancel = &Cancel_;
    Limits_.Progress = [this](uint64_t nodes) {
        Nodes_ = nodes;
        return true;
    };
    Cancel_ = false;
    Nodes_ = 0;
    // The marks of an earlier search go.
    Board_.ShowVcf({}, Attacker_);
    Worker_.reset(QThread::create([this] {
        // Made on first use in the worker: its table takes a moment to clear.
        if (!Search_) Search_ = std::make_unique<kalvon::TVcfSearch>();
        Result_ = Search_->Find(Position_, Rule_, Attacker_, Limits_);
    }));
    connect(Worker_.get(), &QThread::finished, this, &TVcfCommand::Finish);
    Worker_->start();
    ProgressTimer_->start();
}

void TVcfCommand::ShowProgress() {
    if (!Progress_) {
        Progress_ = std::make_unique<QProgressDialog>(Window_);
        Progress_->setObjectName(QStringLiteral("VcfProgress"));
        Progress_->setWindowTitle(Threat_ ? QStringLiteral("Find Threat") : QStringLiteral("Find VCF"));
        // The position stays as it is until the search ends or is cancelled.
        Progress_->setWindowModality(Qt::WindowModal);
        Progress_->setCancelButtonText(QStringLiteral("Cancel"));
        // How long a search takes is not known: the bar moves to and fro.
        Progress_->setRange(0, 0);
        Progress_->setMinimumDuration(0);
        connect(Progress_.get(), &QProgressDialog::canceled, this, [this] { Cancel_ = true; });
        Progress_->show();
    }
    Progress_->setLabelText(QStringLiteral("VCF for %1 within %2 moves: %3 positions searched")
                                .arg(QLatin1String(kalvon::SideWord(Attacker_).data()))
                                .arg(Limits_.Length)
                                .arg(Nodes_.load()));
}

void TVcfCommand::Finish() {
    Worker_->wait();
    Worker_.reset();
    ProgressTimer_->stop();
    if (Progress_) {
        // Deleted later: the dialog may be inside its own handling of an event.
        Progress_->hide();
        Progress_.release()->deleteLater();
    }
    if (Session_.Board().CurrentMoves != Moves_ || Session_.Rule() != Rule_) {
        emit Finished();
        return;
    }
    Session_.SetStatusMessage(QString::fromStdString(kalvon::VcfStatusText(Result_, Limits_.Length)));
    if (Result_.Outcome == kalvon::TVcfOutcome::Found) {
        const kalvon::TBoardGame& board = Session_.Board();
        // Nothing of a game is replaced: a continuation waiting, or a game being edited, keeps it.
        if (!Threat_ && Placed_ && board.ForwardMoves.empty() && !board.EditMode) {
            std::string codes;
            for (int point : Result_.Moves) codes += kalvon::CodeOfPointNumber(point);
            Session_.SetContinuation(std::move(codes));
        } else {
            Board_.ShowVcf(Result_.Moves, Attacker_);
        }
    }
    emit Finished();
}
