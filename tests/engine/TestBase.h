// Helpers shared by the engine tests: a recording UI and a temporary folder.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/BaseUi.h"

namespace kalvon::test {

class TRecordingUi final : public IBaseUi {
public:
    std::vector<std::string> Messages;
    std::vector<int> Positions;
    int Shown = 0, Hidden = 0;
    std::vector<std::pair<size_t, size_t>> FolderSteps;
    void ShowMessage(const std::string& text) override { Messages.push_back(text); }
    void FolderProgress(size_t read, size_t toRead) override { FolderSteps.emplace_back(read, toRead); }
    void ProgressShow() override { ++Shown; }
    void ProgressSetPosition(int percent) override { Positions.push_back(percent); }
    void ProgressHide() override { ++Hidden; }
};

// A fresh folder under the system's temporary folder, removed at the end of the test.
class TTempFolder {
public:
    TTempFolder() {
        Path_ = std::filesystem::temp_directory_path() /
                ("kalvon-test-" + std::to_string(::getpid()) + "-" + std::to_string(Counter()++));
        std::filesystem::create_directories(Path_);
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(Path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(Path_, ignored);
    }
    std::string File(const std::string& name) const { return (Path_ / name).string(); }
    const std::filesystem::path& Path() const { return Path_; }

private:
    static int& Counter() {
        static int counter = 0;
        return counter;
    }
    std::filesystem::path Path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace kalvon::test
