// The settings dialog "Adjustment", and the reading and writing of the settings file.
#pragma once

#include <QWidget>
#include <string>

#include "ui/SettingsState.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

// Reads ini/Tools.ini into the state, writing the default file first when it is missing, and puts
// its code page in force. Problems are reported through the dialog service.
void ReadToolsIni(TSettingsState& state);
// Writes the display settings in force into ini/Tools.ini; false with the reason in error.
bool SaveToolsIni(TSettingsState& state, std::string& error);

class TSettingsDialog final : public QWidget {
    Q_OBJECT
public:
    explicit TSettingsDialog(TSettingsState& state);

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
    void AcceptSettings();
    void Cancel();
    kalvon::TDisplaySettings Fields() const;
    void SetFields(const kalvon::TDisplaySettings& settings);

    TSettingsState& State_;
    bool Centred_ = false;
    QComboBox* cbFontMove;
    QSpinBox* seSizeMove;
    QCheckBox* boldBox;
    QCheckBox* italicBox;
    QSpinBox* seRound;
    QSpinBox* seLengthMemo;
    QPushButton* okButton;
    QPushButton* cancelButton;
};
