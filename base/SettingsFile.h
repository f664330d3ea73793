// The settings file ini/Tools.ini: its reading and writing rules, the default content, and the six
// display settings of section "Parameters" with their ranges.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvon {

inline constexpr const char* SettingsFolder = "ini";
inline constexpr const char* SettingsPath = "ini/Tools.ini";
inline constexpr const char* ParametersSection = "Parameters";

inline constexpr const char* FontMoveKey = "Font Move";
inline constexpr const char* FontSizeKey = "Font Size";
inline constexpr const char* FontBoldKey = "Font Style.Bold";
inline constexpr const char* FontItalicKey = "Font Style.Italic";
inline constexpr const char* DiameterKey = "Diameter Moves";
inline constexpr const char* MemoLengthKey = "Length Memo";
// Optional: the ICU name of the code page of bases, notifications and this file.
inline constexpr const char* CodePageKey = "Code Page";
// Optional: how many earlier files of a base its rewrites keep (base/BaseGenerations.h).
inline constexpr const char* BackupGenerationsKey = "Backup Generations";

// Shown when a number of the settings cannot be read; the lines are separated by CR LF.
inline constexpr const char* SettingsWarning = "Warning! File Tools.ini errors!\r\nValues will by default!";

struct TIniEntry {
    std::string Key;
    std::string Value;
};

// The key=value lines of one section in file order. Keys are matched without regard to letter case;
// when a key occurs twice the first line counts.
class TParameterList {
public:
    TParameterList() = default;
    explicit TParameterList(std::vector<TIniEntry> entries) : Entries_(std::move(entries)) {}

    const std::vector<TIniEntry>& Entries() const { return Entries_; }
    // The value of the key's line, or nullopt when the list has no line for the key.
    std::optional<std::string> Find(std::string_view key) const;
    // The value of the key, empty when the key is absent.
    std::string Value(std::string_view key) const { return Find(key).value_or(std::string()); }
    // Replaces the key's line in place (with this key spelling) or appends one; an empty value
    // removes the line instead.
    void Set(std::string_view key, std::string_view value);

private:
    std::vector<TIniEntry> Entries_;
};

// A whole settings file: its sections in file order, each with its key=value lines.
class TSettingsFile {
public:
    struct TSection {
        std::string Name;
        std::vector<TIniEntry> Lines;  // including keys with empty values
    };

    // Reads settings text. Every line is trimmed; blank lines and lines beginning with ";" are
    // skipped; "[name]" opens a section (a repeated name continues the first one); "key = value"
    // becomes key "key" and value "value". Lines outside a section and lines without "=" carry no
    // setting and are dropped. Never fails, whatever the bytes.
    static TSettingsFile Parse(std::string_view text);

    // Each section as "[name]", its key=value lines and one empty line, every line ended by CR LF.
    std::string Format() const;

    // The key=value lines of a section (name matched without regard to case); empty when absent.
    TParameterList Section(std::string_view section) const;
    // The value of a key, or nullopt when the section or the key is absent.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // Writes the value under this key spelling, in place or appended, creating the section when
    // needed. An empty value is kept as "key=".
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes the key's lines from the section; nothing happens when there are none.
    void RemoveValue(std::string_view section, std::string_view key);

    const std::vector<TSection>& Sections() const { return Sections_; }

private:
    TSection* FindSection(std::string_view name);
    const TSection* FindSection(std::string_view name) const;
    std::vector<TSection> Sections_;
};

// The settings file written when none exists: seven lines, each ended by CR LF.
std::string DefaultSettingsText();

struct TSettingRange {
    int Min, Max, Step;
};
inline constexpr TSettingRange FontSizeRange{6, 16, 1};
inline constexpr TSettingRange DiameterRange{20, 50, 2};
inline constexpr TSettingRange MemoLengthRange{165, 400, 5};
inline constexpr TSettingRange BackupGenerationsRange{1, 99, 1};

// The value brought into the range: below the minimum becomes the minimum, above the maximum the
// maximum.
int ClampSetting(int value, TSettingRange range);

// A decimal integer with an optional sign, or nullopt for anything else (blanks, letters, an empty
// text, a number that does not fit an int).
std::optional<int> ParseSettingInteger(std::string_view text);

// The six display settings as the settings dialog holds them.
struct TDisplaySettings {
    std::string FontMove = "MS Sans Serif";
    int FontSize = 8;
    bool Bold = false;
    bool Italic = false;
    int DiameterMoves = 30;
    int LengthMemo = 165;
};

// Reads the six settings from the list in the order face, size, bold, italic, diameter, memo, and
// stops at the first number that is not an integer; returns false then (the caller shows
// SettingsWarning) and the settings not reached keep what they held. Numbers out of range are
// brought into range; bold and italic are on exactly for "true" in any letter case; an absent face
// reads as empty. An absent or empty "Length Memo" is no error: "165" is stored for it in the list.
bool ReadDisplaySettings(TParameterList& list, TDisplaySettings& settings);

// What the user reads when ReadDisplaySettings returns false: the key whose value is not a whole
// number, that value (its first 20 bytes), and the values used instead for it and the numbers after
// it (those of settings, which kept what they held).
std::string SettingsReadProblem(const TParameterList& list, const TDisplaySettings& settings);

// Stores the six settings in the list as the dialog's OK does ("true"/"false", decimal numbers);
// an empty face removes the "Font Move" line.
void StoreDisplaySettings(const TDisplaySettings& settings, TParameterList& list);

// Writes the values the list holds for the six keys into section "Parameters" of the file, in the
// order of the keys above and under their spelling; an absent key is written with an empty value.
// The code page is written too when the list holds one, and "Backup Generations" when the list holds
// it (otherwise it is taken out of the file), so that a file of default settings keeps its seven
// lines.
void CopyDisplaySettings(const TParameterList& list, TSettingsFile& file);

// The number of generations the list asks for, brought into BackupGenerationsRange; the default
// (DefaultBackupGenerations) when the key is absent, blank or not a whole number.
int ReadBackupGenerations(const TParameterList& list);
// Stores the number in the list, brought into range; the default takes the key's line out.
void StoreBackupGenerations(int generations, TParameterList& list);
// Puts the number of generations the list asks for in force for this process's rewrites.
void ApplyBackupGenerations(const TParameterList& list);

// The code page the list asks for, trimmed, or nullopt when "Code Page" is absent or blank.
std::optional<std::string> SettingsCodePage(const TParameterList& list);
// Puts the code page the list asks for in force, or windows-1251 when it asks for none. A code page
// that is unknown or does not keep ASCII as ASCII leaves windows-1251 in force and returns the
// warning to show, which names the code page, the reason and the code page in force instead.
std::optional<std::string> ApplySettingsCodePage(const TParameterList& list);

// Creates the folder of the settings file and writes DefaultSettingsText() into the file when they
// are missing. Returns false with the system's reason in error when either cannot be made.
bool EnsureSettingsFile(const std::string& folder, const std::string& path, std::string& error);

// Reads and parses a settings file; nullopt with the system's reason in error when it cannot be read.
std::optional<TSettingsFile> ReadSettingsFile(const std::string& path, std::string& error);

// Replaces the file with file.Format() through a temporary file. Returns false with the system's
// reason in error, and the old file intact, when it cannot be written.
bool WriteSettingsFile(const std::string& path, const TSettingsFile& file, std::string& error);

}  // namespace kalvon
