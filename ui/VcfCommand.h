// "Find VCF" and "Find Threat": the VCF search of the position on the board, in a worker thread
// with a progress dialog that cancels it. A VCF found becomes the continuation when the board has
// none and no game of the base is being edited; otherwise, and always for a threat, it is marked on
// the board until the position changes. The status line says the outcome.
#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <string>

#include "rules/Vcf.h"

class QProgressDialog;
class QThread;
class QTimer;
class QWidget;
class TBoardView;
class TSession;

class TVcfCommand final : public QObject {
    Q_OBJECT
public:
    // The progress dialog stands over window.
    TVcfCommand(TSession& session, TBoardView& board, QWidget* window);
    // A search still running is cancelled and waited for.
    ~TVcfCommand() override;

    // Searches the VCF of the side to move, or with threat of the side not to move, within the
    // length and node limits of the settings; nothing while a search runs.
    void Find(bool threat);
    bool Running() const { return Worker_ != nullptr; }

signals:
    // The search ended and its outcome is shown (or dropped: the position changed meanwhile).
    void Finished();

private:
    void ShowProgress();
    void Finish();

    TSession& Session_;
    TBoardView& Board_;
    QWidget* Window_;
    // The search keeps its table between searches; only the worker uses it while one runs.
    std::unique_ptr<kalvon::TVcfSearch> Search_;
    std::unique_ptr<QThread> Worker_;
    std::unique_ptr<QProgressDialog> Progress_;
    QTimer* ProgressTimer_;
    std::atomic<bool> Cancel_{false};
    std::atomic<uint64_t> Nodes_{0};
    // The search asked: its position (a copy: the worker never reads the session), and its answer.
    kalvon::TRuleBoard Position_;
    std::string Moves_;
    kalvon::TRule Rule_ = kalvon::TRule::Renju;
    kalvon::TSide Attacker_ = kalvon::TSide::Black;
    bool Threat_ = false;
    bool Placed_ = true;
    kalvon::TVcfLimits Limits_;
    kalvon::TVcfResult Result_;
};
