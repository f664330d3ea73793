#include "app/cli/CliCommon.h"

#include <unicode/ustring.h>

#include <filesystem>
#include <iostream>

#include "base/BaseFile.h"
#include "base/BaseRecognition.h"
#include "base/SettingsFile.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"

namespace kalvon::cli {

void TCliUi::ShowMessage(const std::string& text) {
    std::cerr << ToTerminal(text) << '\n';
}

void TCliUi::ShowEmptyResult(const std::string& path, size_t lineNumber) {
    std::cerr << "File " << ToTerminal(path) << ", line " << lineNumber
              << ": the result is empty; the game is read as not finished.\n";
}

bool IsUtf8(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8(nullptr, 0, nullptr, text.data(), int32_t(text.size()), &status);
    return status == U_BUFFER_OVERFLOW_ERROR || U_SUCCESS(status) || text.empty();
}

std::string QuoteArgument(std::string_view text) {
    constexpr size_t Shown = 60;
    size_t end = 0, characters = 0;
    // Counts characters, not bytes, so a cut never splits one; bytes that are not UTF-8 count alone.
    while (end < text.size() && characters < Shown) {
        size_t length = 1;
        const uint8_t lead = uint8_t(text[end]);
        if (lead >= 0xC0) length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (end + length > text.size()) length = 1;
        for (size_t k = 1; k < length; ++k)
            if ((uint8_t(text[end + k]) & 0xC0) != 0x80) length = 1;
        end += length;
        ++characters;
    }
    return Concat({"\"", text.substr(0, end), end < text.size() ? "...\"" : "\""});
}

int BadArguments(const std::string& message) {
    std::cerr << "kalvon-cli: " << message << '\n';
    return ExitBadArguments;
}

int Failure(const std::string& message) {
    std::cerr << message << '\n';
    return ExitFailure;
}

void UseWorkingFolderSettings() {
    std::error_code ignored;
    if (!std::filesystem::exists(SettingsPath, ignored)) return;
    std::string error;
    const std::optional<TSettingsFile> file = ReadSettingsFile(SettingsPath, error);
    if (!file) {
        std::cerr << "kalvon-cli: " << error << " Names are read and written in " << DefaultCodePage << ".\n";
        return;
    }
    const TParameterList parameters = file->Section(ParametersSection);
    if (const std::optional<std::string> warning = ApplySettingsCodePage(parameters))
        std::cerr << "kalvon-cli: " << *warning << '\n';
    ApplyBackupGenerations(parameters);
}

bool LoadBaseForCommand(TGameBase& base, const std::string& path, TLoadReport& report) {
    TCliUi ui;
    if (const std::optional<std::string> refusal = NotABaseFile(path)) {
        ui.ShowMessage(*refusal);
        return false;
    }
    return LoadBase(base, path, ui, report);
}

bool LoadBaseForCommand(TGameBase& base, const std::string& path) {
    TLoadReport report;
    return LoadBaseForCommand(base, path, report);
}

std::string ShowTerminalControls(std::string_view utf8) {
    constexpr std::string_view Hex = "0123456789abcdef";
    std::string shown;
    shown.reserve(utf8.size());
    auto show = [&](std::string_view prefix, unsigned char code) {
        shown += prefix;
        shown += Hex[code >> 4];
        shown += Hex[code & 15];
    };
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        // U+0080..U+009F are C2 80..C2 9F in UTF-8; a terminal obeys them as it obeys ESC (0x9B is CSI).
        if (byte == 0xC2 && next >= 0x80 && next < 0xA0) {
            show("\\u00", next);
            ++i;
        } else if (byte < 32 || byte == 127) {
            show("\\x", byte);
        } else {
            shown += utf8[i];
        }
    }
    return shown;
}

std::string ToTerminal(std::string_view bytes) {
    // Only line ends pass: a control character in a name or a path is shown, never obeyed.
    std::string text = TextPolicy().ToUtf8(bytes), shown;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        const size_t cut = end > start && text[end - 1] == '\r' ? end - 1 : end;
        shown += ShowTerminalControls(std::string_view(text).substr(start, cut - start));
        shown += '\n';
    }
    return shown + ShowTerminalControls(std::string_view(text).substr(start));
}

std::optional<std::string> FromTerminal(std::string_view utf8) {
    return TextPolicy().FromUtf8(utf8);
}

}  // namespace kalvon::cli
