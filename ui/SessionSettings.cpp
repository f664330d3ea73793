// The session's settings: ini/Tools.ini of the working folder read at start-up and put in force,
// changed by the settings dialog and written by "Save Tools".
#include "base/TextPolicy.h"
#include "ui/DialogService.h"
#include "ui/Session.h"
#include "ui/ShownText.h"

namespace {

// The font of the move numbers the display settings describe.
QFont MoveFontOf(const kalvon::TDisplaySettings& settings) {
    QFont font;
    font.setFamily(QString::fromStdString(kalvon::TextPolicy().ToUtf8(settings.FontMove)));
    font.setPointSize(settings.FontSize);
    font.setBold(settings.Bold);
    font.setItalic(settings.Italic);
    return font;
}

}  // namespace

void TSession::ReadSettings(QWidget* asker) {
    const std::string folder = LocalPath(WorkPath(QLatin1String(kalvon::SettingsFolder))),
                      path = LocalPath(WorkPath(QLatin1String(kalvon::SettingsPath)));
    std::string error;
    if (!kalvon::EnsureSettingsFile(folder, path, error)) Dialogs_.Error(asker, Shown(error));
    std::optional<kalvon::TSettingsFile> file = kalvon::ReadSettingsFile(path, error);
    if (!file) {
        if (error.empty()) error = "Cannot read file " + std::string(kalvon::SettingsPath);
        Dialogs_.Error(asker, Shown(error) + QStringLiteral("\nThe default settings are used."));
        file = kalvon::TSettingsFile::Parse(kalvon::DefaultSettingsText());
    }
    Settings_.SettingsIni = std::move(*file);
    Settings_.ParameterList = Settings_.SettingsIni.Section(kalvon::ParametersSection);

    if (const std::optional<std::string> warning = kalvon::ApplySettingsCodePage(Settings_.ParameterList))
        Dialogs_.Warning(asker, Shown(*warning));
    // Every rewrite of this program keeps as many generations as the settings ask.
    kalvon::ApplyBackupGenerations(Settings_.ParameterList);
    // The display settings come in force at once; a number that cannot be read is said, and the
    // defaults stand for it and the numbers after it.
    kalvon::TDisplaySettings display;
    if (!ReadDisplaySettings(display)) Dialogs_.Warning(asker, Shown(SettingsReadProblem(display)));
    Settings_.MoveFont = MoveFontOf(display);
    Settings_.MoveDiameter = display.DiameterMoves;
    Settings_.MemoLength = display.LengthMemo;
    ReadRuleSettings();
    emit SettingsChanged();
}

bool TSession::ReadDisplaySettings(kalvon::TDisplaySettings& settings) {
    return kalvon::ReadDisplaySettings(Settings_.ParameterList, settings);
}

std::string TSession::SettingsReadProblem(const kalvon::TDisplaySettings& settings) const {
    return kalvon::SettingsReadProblem(Settings_.ParameterList, settings);
}

void TSession::ApplySettings(const QFont& moveFont, int moveDiameter) {
    if (moveFont == Settings_.MoveFont && moveDiameter == Settings_.MoveDiameter) return;
    Settings_.MoveFont = moveFont;
    Settings_.MoveDiameter = moveDiameter;
    emit SettingsChanged();
}

void TSession::SetMemoLength(int length) {
    if (length == Settings_.MemoLength) return;
    Settings_.MemoLength = length;
    emit SettingsChanged();
}

void TSession::StoreSettings(const kalvon::TDisplaySettings& settings) {
    kalvon::StoreDisplaySettings(settings, Settings_.ParameterList);
    SettingsUnsaved_ = true;
    emit SettingsChanged();
}

int TSession::BackupGenerations() const {
    return kalvon::ReadBackupGenerations(Settings_.ParameterList);
}

void TSession::StoreBackupGenerations(int generations) {
    if (generations == BackupGenerations()) return;
    kalvon::StoreBackupGenerations(generations, Settings_.ParameterList);
    kalvon::ApplyBackupGenerations(Settings_.ParameterList);
    SettingsUnsaved_ = true;
    emit SettingsChanged();
}

std::string TSession::SettingsCodePage() const {
    return kalvon::SettingsCodePage(Settings_.ParameterList).value_or(kalvon::DefaultCodePage);
}

void TSession::StoreCodePage(const std::string& codePage) {
    if (codePage == SettingsCodePage()) return;
    Settings_.ParameterList.Set(kalvon::CodePageKey, codePage);
    SettingsUnsaved_ = true;
    emit SettingsChanged();
}

bool TSession::SaveSettings(std::string& error) {
    kalvon::CopyDisplaySettings(Settings_.ParameterList, Settings_.SettingsIni);
    kalvon::CopyRuleSettings(Settings_.ParameterList, Settings_.SettingsIni);
    if (!kalvon::WriteSettingsFile(LocalPath(WorkPath(QLatin1String(kalvon::SettingsPath))),
                                   Settings_.SettingsIni, error))
        return false;
    SettingsUnsaved_ = false;
    emit SettingsChanged();
    return true;
}
