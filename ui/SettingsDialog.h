// The settings dialog "Adjustment" and the settings in force.
#pragma once

#include <QFont>
#include <QWidget>

#include "base/SettingsFile.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

// The settings file as read at start-up and the display settings in force. The main window owns it;
// the board drawing and the window sizing read it.
struct TToolsState {
    kalvon::TSettingsFile SettingsIni;
    kalvon::TParameterList ParameterList;
    QFont MoveFont{QStringLiteral("MS Sans Serif"), 8};
    int MoveDiameter = 30;
    // The memo width in force: the value of the dialog's memo field, whichever button closed it.
    int MemoLength = 165;
};

// Reads ini/Tools.ini into the state, writing the default file first when it is missing, and puts
// its code page in force. Problems are reported through the dialog service.
void ReadToolsIni(TToolsState& state);
// Writes the display settings in force into ini/Tools.ini; false with the reason in error.
bool SaveToolsIni(TToolsState& state, std::string& error);

class TSettingsDialog final : public QWidget {
    Q_OBJECT
public:
    explicit TSettingsDialog(TToolsState& state);

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

    TToolsState& State_;
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
