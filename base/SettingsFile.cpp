#include "base/SettingsFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstring>

#include "base/BaseGenerations.h"
#include "base/SafeFile.h"
#include "base/TextFields.h"
#include "base/TextPolicy.h"

namespace kalvon {

namespace {

// Keys and section names are ASCII in practice; other bytes must match exactly.
bool SameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

std::vector<TIniEntry>::iterator FindEntry(std::vector<TIniEntry>& entries, std::string_view key) {
    for (auto it = entries.begin(); it != entries.end(); ++it)
        if (SameKey(it->Key, key)) return it;
    return entries.end();
}

std::vector<TIniEntry>::const_iterator FindEntry(const std::vector<TIniEntry>& entries,
                                                 std::string_view key) {
    for (auto it = entries.begin(); it != entries.end(); ++it)
        if (SameKey(it->Key, key)) return it;
    return entries.end();
}

bool IsTrue(std::string_view text) {
    return AsciiUpper(text) == "TRUE";
}

}  // namespace

std::optional<std::string> TParameterList::Find(std::string_view key) const {
    auto it = FindEntry(Entries_, key);
    if (it == Entries_.end()) return std::nullopt;
    return it->Value;
}

void TParameterList::Set(std::string_view key, std::string_view value) {
    auto it = FindEntry(Entries_, key);
    if (value.empty()) {
        if (it != Entries_.end()) Entries_.erase(it);
        return;
    }
    if (it == Entries_.end())
        Entries_.push_back({std::string(key), std::string(value)});
    else
        *it = {std::string(key), std::string(value)};
}

TSettingsFile TSettingsFile::Parse(std::string_view text) {
    TSettingsFile file;
    TSection* current = nullptr;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(start, end - start));
        // CR LF ends one line, not two.
        start = end + ((end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);

        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            const std::string_view name = Trim(line.substr(1, line.size() - 2));
            current = file.FindSection(name);
            if (!current) {
                file.Sections_.push_back({std::string(name), {}});
                current = &file.Sections_.back();
            }
            continue;
        }
        const size_t equals = line.find('=');
        if (!current || equals == std::string_view::npos) continue;
        current->Lines.push_back(
            {std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1)))});
    }
    return file;
}

std::string TSettingsFile::Format() const {
    std::string text;
    for (const TSection& section : Sections_) {
        text += "[" + section.Name + "]\r\n";
        for (const TIniEntry& entry : section.Lines) text += entry.Key + "=" + entry.Value + "\r\n";
        text += "\r\n";
    }
    return text;
}

TSettingsFile::TSection* TSettingsFile::FindSection(std::string_view name) {
    for (TSection& section : Sections_)
        if (SameKey(section.Name, name)) return &section;
    return nullptr;
}

const TSettingsFile::TSection* TSettingsFile::FindSection(std::string_view name) const {
    for (const TSection& section : Sections_)
        if (SameKey(section.Name, name)) return &section;
    return nullptr;
}

TParameterList TSettingsFile::Section(std::string_view section) const {
    const TSection* found = FindSection(section);
    return found ? TParameterList(found->Lines) : TParameterList();
}

std::optional<std::string> TSettingsFile::Find(std::string_view section, std::string_view key) const {
    const TSection* found = FindSection(section);
    if (!found) return std::nullopt;
    auto it = FindEntry(found->Lines, key);
    if (it == found->Lines.end()) return std::nullopt;
    return it->Value;
}

void TSettingsFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    TSection* found = FindSection(section);
    if (!found) {
        Sections_.push_back({std::string(section), {}});
        found = &Sections_.back();
    }
    auto it = FindEntry(found->Lines, key);
    if (it == found->Lines.end())
        found->Lines.push_back({std::string(key), std::string(value)});
    else
        *it = {std::string(key), std::string(value)};
}

void TSettingsFile::RemoveValue(std::string_view section, std::string_view key) {
    TSection* found = FindSection(section);
    if (!found) return;
    std::erase_if(found->Lines, [&](const TIniEntry& entry) { return SameKey(entry.Key, key); });
}

std::string DefaultSettingsText() {
    return "[Parameters]\r\n"
           "Font Move=MS Sans Serif\r\n"
           "Font Size=8\r\n"
           "Font Style.Bold=false\r\n"
           "Font Style.Italic=false\r\n"
           "Diameter Moves=30\r\n"
           "Length Memo=165\r\n";
}

int ClampSetting(int value, TSettingRange range) {
    if (value < range.Min) return range.Min;
    if (value > range.Max) return range.Max;
    return value;
}

std::optional<int> ParseSettingInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool ReadDisplaySettings(TParameterList& list, TDisplaySettings& settings) {
    settings.FontMove = list.Value(FontMoveKey);

    const std::optional<int> size = ParseSettingInteger(list.Value(FontSizeKey));
    if (!size) return false;
    settings.FontSize = ClampSetting(*size, FontSizeRange);

    settings.Bold = IsTrue(list.Value(FontBoldKey));
    settings.Italic = IsTrue(list.Value(FontItalicKey));

    const std::optional<int> diameter = ParseSettingInteger(list.Value(DiameterKey));
    if (!diameter) return false;
    settings.DiameterMoves = ClampSetting(*diameter, DiameterRange);

    // Older settings files have no memo width; it is not an error.
    if (list.Value(MemoLengthKey).empty()) list.Set(MemoLengthKey, "165");
    const std::optional<int> memo = ParseSettingInteger(list.Value(MemoLengthKey));
    if (!memo) return false;
    settings.LengthMemo = ClampSetting(*memo, MemoLengthRange);
    return true;
}

std::string SettingsReadProblem(const TParameterList& list, const TDisplaySettings& settings) {
    const std::pair<const char*, int> numbers[] = {{FontSizeKey, settings.FontSize},
                                                   {DiameterKey, settings.DiameterMoves},
                                                   {MemoLengthKey, settings.LengthMemo}};
    std::string used;
    std::string problem;
    for (const auto& [key, value] : numbers) {
        const std::string text = list.Value(key);
        if (problem.empty() && !ParseSettingInteger(text)) {
            const bool cut = text.size() > 20;
            problem = std::string("File ") + SettingsPath + ": \"" + key + "\" " +
                      (text.empty() ? std::string("has no value.")
                                    : "is \"" + text.substr(0, 20) + (cut ? "..." : "") +
                                          "\", which is not a whole number.");
        }
        if (!problem.empty())
            used += (used.empty() ? "" : ", ") + std::string(key) + " " + std::to_string(value);
    }
    if (problem.empty()) return {};
    return problem + " Used instead: " + used + ".";
}

void StoreDisplaySettings(const TDisplaySettings& settings, TParameterList& list) {
    list.Set(FontMoveKey, settings.FontMove);
    list.Set(FontSizeKey, std::to_string(settings.FontSize));
    list.Set(FontBoldKey, settings.Bold ? "true" : "false");
    list.Set(FontItalicKey, settings.Italic ? "true" : "false");
    list.Set(DiameterKey, std::to_string(settings.DiameterMoves));
    list.Set(MemoLengthKey, std::to_string(settings.LengthMemo));
}

void CopyDisplaySettings(const TParameterList& list, TSettingsFile& file) {
    for (const char* key : {FontMoveKey, FontSizeKey, FontBoldKey, FontItalicKey, DiameterKey, MemoLengthKey})
        file.SetValue(ParametersSection, key, list.Value(key));
    if (const std::string codePage = list.Value(CodePageKey); !codePage.empty())
        file.SetValue(ParametersSection, CodePageKey, codePage);
    if (const std::string generations = list.Value(BackupGenerationsKey); !generations.empty())
        file.SetValue(ParametersSection, BackupGenerationsKey, generations);
    else
        file.RemoveValue(ParametersSection, BackupGenerationsKey);
}

int ReadBackupGenerations(const TParameterList& list) {
    const std::string value = list.Value(BackupGenerationsKey);
    const std::optional<int> generations = ParseSettingInteger(Trim(value));
    return generations ? ClampSetting(*generations, BackupGenerationsRange) : DefaultBackupGenerations;
}

void StoreBackupGenerations(int generations, TParameterList& list) {
    generations = ClampSetting(generations, BackupGenerationsRange);
    list.Set(BackupGenerationsKey,
             generations == DefaultBackupGenerations ? "" : std::to_string(generations));
}

void ApplyBackupGenerations(const TParameterList& list) {
    SetBackupGenerations(ReadBackupGenerations(list));
}

std::optional<std::string> SettingsCodePage(const TParameterList& list) {
    // Value returns a copy: it must outlive the trimmed view of it.
    const std::string raw = list.Value(CodePageKey);
    const std::string_view value = Trim(raw);
    if (value.empty()) return std::nullopt;
    return std::string(value);
}

bool EnsureSettingsFile(const std::string& folder, const std::string& path, std::string& error) {
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) {
        if (mkdir(folder.c_str(), 0777) != 0) {
            error = "Cannot create folder " + folder + ": " + std::strerror(errno);
            return false;
        }
    } else if (!S_ISDIR(info.st_mode)) {
        error = "Cannot create folder " + folder + ": " + std::strerror(ENOTDIR);
        return false;
    }
    if (stat(path.c_str(), &info) == 0) return true;
    return WriteFileReplacing(path, DefaultSettingsText(), error);
}

std::optional<TSettingsFile> ReadSettingsFile(const std::string& path, std::string& error) {
    std::optional<std::string> content = ReadWholeFile(path, error);
    if (!content) return std::nullopt;
    return TSettingsFile::Parse(*content);
}

bool WriteSettingsFile(const std::string& path, const TSettingsFile& file, std::string& error) {
    return WriteFileReplacing(path, file.Format(), error);
}

std::optional<std::string> ApplySettingsCodePage(const TParameterList& list) {
    const std::string codePage = SettingsCodePage(list).value_or(DefaultCodePage);
    try {
        SetTextPolicy(codePage);
        return std::nullopt;
    } catch (const std::exception& refused) {
        SetTextPolicy(DefaultCodePage);
        return std::string(refused.what()) + " (\"Code Page\" in " + SettingsPath +
               "); names are read and written in " + DefaultCodePage + ".";
    }
}

}  // namespace kalvon
