// The game entry dialog "SaveForm": players, year, board code, result and alternative of the game on
// the board, stored as a new game or over the game being edited.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "base/PartyEntry.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TSession;

class TGameEntryDialog final : public QDialog {
    Q_OBJECT
public:
    explicit TGameEntryDialog(TSession& session);

    // Fills the dialog: the player lists, and in edit mode the texts of the game being edited.
    void FormShow();
    // "OK": checks the fields, stores the game and saves the base; hides the dialog when it is saved.
    void StoreGame();
    // Cancel: hides the dialog, nothing changes.
    void Cancel();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The typed game in the code page, or nullopt after saying which field cannot be stored or is
    // empty.
    std::optional<kalvon::TPartyEntry> TypedEntry();
    // True for a year of four digits, or when the user wants another stored all the same.
    bool YearAccepted(const std::string& year);
    // The constructor's steps: the controls, their places, their connections.
    void CreateControls();
    void LayOut();
    void Connect();
    // Whether the typed game goes in as a new game rather than over the game being edited, after
    // asking when the board would drop its last moves or no longer follows it; nullopt when the user
    // cancelled.
    std::optional<bool> AsNewGame();
    // Whether the game goes over another game that holds its year and board (Replace), beside it
    // (Save as another game: false, as without such a game), or not at all (Cancel: nullopt).
    std::optional<bool> ReplaceKeyHolder(const kalvon::TPartyEntry& entry, bool asNewGame);

    TSession& Session_;
    QComboBox* cbBlack;
    QComboBox* cbWhite;
    QLineEdit* edYear;
    QLineEdit* edKod;
    QComboBox* cbResult;
    QCheckBox* cbReverse;
    QLineEdit* edAlt;
    QPushButton* okButton;
    QPushButton* cancelButton;
};
