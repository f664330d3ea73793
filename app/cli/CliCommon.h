// What every command of kalvon-cli shares: messages, exit codes and the terminal's encoding.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/BaseFile.h"
#include "base/BaseUi.h"
#include "base/GameBase.h"

namespace kalvon::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitBadArguments = 2;

using TArguments = std::vector<std::string>;

// Messages of the engine go to standard error, in the terminal's encoding.
class TCliUi final : public IBaseUi {
public:
    void ShowMessage(const std::string& text) override;
    void ShowEmptyResult(const std::string& path, size_t lineNumber) override;
};

// An argument as error lines quote it: in double quotes, cut to its first 60 characters ("...").
std::string QuoteArgument(std::string_view text);
// Whether the text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

// Prints "kalvon-cli: " + message on standard error and returns ExitBadArguments.
int BadArguments(const std::string& message);
// Prints the message on standard error and returns ExitFailure.
int Failure(const std::string& message);

// Takes the code page ("Code Page") and the generations a rewrite keeps ("Backup Generations") from
// the working folder's settings file, as the program does; an unknown code page is reported on
// standard error and the default kept. No settings file: the defaults.
void UseWorkingFolderSettings();

// Loads a base for a command; false (the message already printed) when it cannot be read or is no
// Kalvon base (NotABaseFile).
bool LoadBaseForCommand(TGameBase& base, const std::string& path, TLoadReport& report);
bool LoadBaseForCommand(TGameBase& base, const std::string& path);

// An object for the rest of the process, never destroyed: the tool ends right after its command, and
// a base of a million games given back to the allocator game by game takes longer than the end of the
// process takes to drop all of its memory at once. One of each type: a command asks once.
template <class T>
T& UntilExit() {
    static T* const object = new T();
    return *object;
}

// UTF-8 with every control character shown instead of sent to the terminal: C0 and DEL as \x1b, the
// C1 controls U+0080..U+009F as \u009b.
std::string ShowTerminalControls(std::string_view utf8);
// Code-page bytes -> UTF-8 for printing, control characters shown (ShowTerminalControls).
std::string ToTerminal(std::string_view bytes);
// UTF-8 from the command line -> code-page bytes; nullopt when the code page cannot hold a character.
std::optional<std::string> FromTerminal(std::string_view utf8);

}  // namespace kalvon::cli
