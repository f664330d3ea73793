// "Check Games": the games of the Listing (the whole base when it is empty) replayed under their
// rules in a worker thread, with a progress dialog that cancels the check. The games with findings
// become the Listing and the report window lists the findings; when no game has one, the user is
// told so and the Listing stays. Nothing in the base is changed.
#pragma once

#include <QObject>
#include <atomic>
#include <memory>

#include "rules/GameCheck.h"

class QProgressDialog;
class QThread;
class QTimer;
class QWidget;
class TCheckGamesDialog;
class TCheckReportWindow;
class TSession;

class TCheckGamesCommand final : public QObject {
    Q_OBJECT
public:
    // The options dialog and the progress dialog stand over window.
    TCheckGamesCommand(TSession& session, QWidget* window);
    // A check still running is cancelled and waited for.
    ~TCheckGamesCommand() override;

    // Asks the options; OK starts the check. Nothing while a check runs.
    void Start();
    // Checks with the options given, as OK in the options dialog does.
    void Run(const kalvon::TCheckOptions& options);
    bool Running() const { return Worker_ != nullptr; }
    // The options dialog and the report window, once made.
    TCheckGamesDialog* Dialog() const { return Dialog_.get(); }
    TCheckReportWindow* ReportWindow() const { return Report_.get(); }

signals:
    // The check ended and its outcome is shown.
    void Finished();

private:
    void ShowProgress();
    void Finish();

    TSession& Session_;
    QWidget* Window_;
    std::unique_ptr<TCheckGamesDialog> Dialog_;
    std::unique_ptr<TCheckReportWindow> Report_;
    std::unique_ptr<QThread> Worker_;
    std::unique_ptr<QProgressDialog> Progress_;
    QTimer* ProgressTimer_;
    std::atomic<bool> Cancel_{false};
    std::atomic<size_t> Checked_{0};
    // The check asked and its answer; the worker reads the base, which the modal progress dialog
    // keeps from changing until the check ends.
    kalvon::TListing Games_;
    kalvon::TCheckOptions Options_;
    kalvon::TCheckReport Result_;
};
