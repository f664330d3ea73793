#include "app/cli/CliCommon.h"

#include <iostream>

#include <filesystem>

#include "base/BaseFile.h"
#include "base/SettingsFile.h"
#include "base/TextPolicy.h"

namespace kalvon::cli {

void TCliUi::ShowMessage(const std::string& text) { std::cerr << ToTerminal(text) << '\n'; }

int BadArguments(const std::string& message) {
    std::cerr << "kalvon-cli: " << message << '\n';
    return ExitBadArguments;
}

int Failure(const std::string& message) {
    std::cerr << message << '\n';
    return ExitFailure;
}

void UseSettingsCodePage() {
    std::error_code ignored;
    if (!std::filesystem::exists(SettingsPath, ignored)) return;
    std::string error;
    const std::optional<TSettingsFile> file = ReadSettingsFile(SettingsPath, error);
    if (!file) return;
    const std::optional<std::string> codePage = SettingsCodePage(file->Section(ParametersSection));
    if (!codePage) return;
    try {
        SetTextPolicy(*codePage);
    } catch (const std::exception&) {
        std::cerr << "kalvon-cli: the code page \"" << *codePage << "\" named by \"Code Page\" in " << SettingsPath
                  << " is unknown; names are read and written in " << DefaultCodePage << ".\n";
    }
}

bool LoadBaseForCommand(TGameBase& base, const std::string& path) {
    TCliUi ui;
    return LoadBase(base, path, ui);
}

std::string ToTerminal(std::string_view bytes) { return TextPolicy().ToUtf8(bytes); }

std::optional<std::string> FromTerminal(std::string_view utf8) { return TextPolicy().FromUtf8(utf8); }

}  // namespace kalvon::cli
