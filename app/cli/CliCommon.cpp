#include "app/cli/CliCommon.h"

#include <iostream>

#include "base/BaseFile.h"
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

bool LoadBaseForCommand(TGameBase& base, const std::string& path) {
    TCliUi ui;
    return LoadBase(base, path, ui);
}

std::string ToTerminal(std::string_view bytes) { return TextPolicy().ToUtf8(bytes); }

std::optional<std::string> FromTerminal(std::string_view utf8) { return TextPolicy().FromUtf8(utf8); }

}  // namespace kalvon::cli
