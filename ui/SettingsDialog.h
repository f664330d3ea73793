// The settings dialog "Adjustment": the display settings of the session, put in force and stored in
// its parameter list through the session's commands.
#pragma once

#include <QWidget>
#include <optional>

#include "base/SettingsFile.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TRuleSettingsBox;
class TSession;

class TSettingsDialog final : public QWidget {
    Q_OBJECT
public:
    explicit TSettingsDialog(TSession& session);

    // What every showing does: fills the fields from ParameterList (with the warning when a number
    // cannot be read) and applies them. Start-up calls it once without showing the window.
    void FormShow();
    // Puts the face, size, style and diameter fields into the settings in force.
    void ApplySettings();

signals:
    // OK was pressed: the settings are applied and stored in ParameterList.
    void Accepted();
    // Cancel was pressed: the face, size and diameter fields are back to the settings in force.
    void Cancelled();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void LayOut();
    void Connect();
    // The available area of the screen the dialog is on; empty without a screen.
    QRect ScreenRoom() const;
    // Shows the note and the offer of the largest diameter that fits while the chosen one does not.
    void TellFit();
    void AcceptSettings();
    void Cancel();
    kalvon::TDisplaySettings Fields() const;
    void SetFields(const kalvon::TDisplaySettings& settings);

    TSession& Session_;
    bool Centred_ = false;
    std::optional<int> FittingDiameter_;  // the diameter the fit button offers
    QComboBox* cbFontMove;
    QSpinBox* seSizeMove;
    QCheckBox* boldBox;
    QCheckBox* italicBox;
    QSpinBox* seRound;
    QSpinBox* seLengthMemo;
    QSpinBox* seGenerations;
    QComboBox* cbCodePage;
    TRuleSettingsBox* ruleSettings;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QLabel* fitNote;
    QPushButton* fitButton;
};
