// The query dialog "Query": the criteria that restrict the search to a year, a player, an opponent, a group
// and unfinished games.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "base/GameBase.h"
#include "search/Query.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class TSession;

class TQueryDialog final : public QDialog {
    Q_OBJECT
public:
    // A modeless dialog over the session's base that sets the session's criteria.
    explicit TQueryDialog(TSession& session);

    // What every showing does: the group, year and player lists are taken from the base, and the
    // criteria boxes start unchecked; "Not Finished" and the colour keep their last state.
    void FormShow();
    // "OK": leaves the edit mode and turns the boxes into the criteria. A name or group that is not
    // found is reported, its criterion is cleared and the dialog stays open; otherwise the dialog
    // closes and the session searches under the criteria.
    void AcceptCriteria();
    // Cancel: hides the dialog, nothing changes.
    void Cancel();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void CreateControls();
    void LayOut();
    void Connect();
    // The enabled state of every control, from the check marks.
    void UpdateEnabled();
    void FillGroups();
    // The bytes of a typed or chosen text in the code page, trimmed; nullopt when the code page
    // cannot spell it.
    static std::optional<std::string> Bytes(const QString& text);

    TSession& Session_;
    const kalvon::TGameBase& Base_;

    QCheckBox* cbFinish;
    QCheckBox* wholeBaseBox;
    QCheckBox* byGroupBox;
    QComboBox* cbGroup;
    QCheckBox* byYearBox;
    QComboBox* cbTurn;
    QCheckBox* byPlayerBox;
    QComboBox* cbPlayer;
    QGroupBox* rgColor;
    QButtonGroup* rgColorButtons;
    QCheckBox* byOpponentBox;
    QComboBox* cbOpp;
    QPushButton* okButton;
    QPushButton* cancelButton;
};
