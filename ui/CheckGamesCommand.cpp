#include "ui/CheckGamesCommand.h"

#include <QProgressDialog>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <climits>

#include "ui/CheckGamesDialog.h"
#include "ui/CheckReportWindow.h"
#include "ui/DialogService.h"
#include "ui/Session.h"
#include "ui/ShownText.h"

namespace {

constexpr int ProgressIntervalMs = 100;

}  // namespace

TCheckGamesCommand::TCheckGamesCommand(TSession& session, QWidget* window)
    : QObject(window), Session_(session), Window_(window), ProgressTimer_(new QTimer(this)) {
    ProgressTimer_->setInterval(ProgressIntervalMs);
    connect(ProgressTimer_, &QTimer::timeout, this, &TCheckGamesCommand::ShowProgress);
}

TCheckGamesCommand::~TCheckGamesCommand() {
    if (!Worker_) return;
    Cancel_ = true;
    Worker_->wait();
}

void TCheckGamesCommand::Start() {
    if (Running()) return;
    if (Session_.Games().PartyList.empty()) {
        Dialogs().Information(Window_, QStringLiteral("The base is empty: there are no games to check."));
        return;
    }
    if (!Dialog_) {
        Dialog_ = std::make_unique<TCheckGamesDialog>(Window_);
        connect(Dialog_.get(), &QDialog::accepted, this,
                [this] { Run(Dialog_->Options(Session_.Settings().Rules.GomokuRule)); });
    }
    Dialog_->Prepare(Session_.Listing().size(), Session_.Games().PartyList.size(),
                     Session_.Settings().Rules.VcfLength);
    Dialog_->open();
}

void TCheckGamesCommand::Run(const kalvon::TCheckOptions& options) {
    if (Running()) return;
    Games_ = Session_.Listing();
    Options_ = options;
    Cancel_ = false;
    Checked_ = 0;
    const size_t total = Games_.empty() ? Session_.Games().PartyList.size() : Games_.size();
    // Shown at once and over every window: the worker reads the base, which nothing may change
    // until the check ends.
    Progress_ = std::make_unique<QProgressDialog>(Window_);
    Progress_->setObjectName(QStringLiteral("CheckProgress"));
    Progress_->setWindowTitle(QStringLiteral("Check Games"));
    Progress_->setWindowModality(Qt::ApplicationModal);
    Progress_->setCancelButtonText(QStringLiteral("Cancel"));
    Progress_->setRange(0, int(std::min<size_t>(total, size_t(INT_MAX))));
    Progress_->setMinimumDuration(0);
    Progress_->setAutoReset(false);
    Progress_->setAutoClose(false);
    connect(Progress_.get(), &QProgressDialog::canceled, this, [this] { Cancel_ = true; });
    Progress_->show();
    ShowProgress();
    Worker_.reset(QThread::create([this] {
        Result_ = kalvon::CheckGames(Session_.Base(), Games_, Options_, [this](size_t checked, size_t) {
            Checked_ = checked;
            return !Cancel_;
        });
    }));
    connect(Worker_.get(), &QThread::finished, this, &TCheckGamesCommand::Finish);
    Worker_->start();
    ProgressTimer_->start();
}

void TCheckGamesCommand::ShowProgress() {
    if (!Progress_) return;
    const size_t checked = Checked_, total = size_t(Progress_->maximum());
    Progress_->setLabelText(QStringLiteral("Checking games: %1 of %2").arg(checked).arg(total));
    // A modal dialog handles events while it takes the value, the end of the check among them: it
    // is deleted later, never under its own call.
    Progress_->setValue(int(std::min(checked, total)));
}

void TCheckGamesCommand::Finish() {
    Worker_->wait();
    Worker_.reset();
    ProgressTimer_->stop();
    // Deleted later: the dialog may be inside its own handling of an event.
    Progress_->hide();
    Progress_.release()->deleteLater();

    const QString summary = CodePageText(kalvon::CheckSummaryText(Result_));
    Session_.SetStatusMessage(summary);
    if (Result_.GamesWithFindings.empty()) {
        Dialogs().Information(
            Window_, QStringLiteral("No game has a finding; the Listing stays as it was.\n") + summary);
        emit Finished();
        return;
    }
    QStringList lines;
    for (const kalvon::TGameFinding& finding : Result_.Findings)
        lines.append(CodePageText(kalvon::FindingLine(Session_.Base(), finding)));
    Session_.SetListing(Result_.GamesWithFindings);
    if (!Report_) Report_ = std::make_unique<TCheckReportWindow>();
    Report_->ShowReport(lines, summary);
    emit Finished();
}
