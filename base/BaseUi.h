// What the engine needs from whoever shows things to the user: the window, the tool or a test.
#pragma once

#include <cstddef>
#include <string>

namespace kalvon {

class IBaseUi {
public:
    virtual ~IBaseUi() = default;
    // An information message that the user acknowledges.
    virtual void ShowMessage(const std::string& text) = 0;
    // A failed file operation, with the file and the system's reason.
    virtual void ShowError(const std::string& text) { ShowMessage(text); }
    // A line of a base file whose result field is empty (the game is added with "?"); the program and
    // the tool say so in the same sentence, with the file and the line.
    virtual void ShowEmptyResult(const std::string& /*path*/, size_t lineNumber) {
        ShowMessage(std::to_string(lineNumber));
    }
    // The loading progress: shown at the start of a load, moved at most 100 times, hidden at the end.
    virtual void ProgressShow() {}
    virtual void ProgressSetPosition(int /*percent*/) {}
    virtual void ProgressHide() {}
    // The progress of a run over a folder of notifications: called before the first file and after
    // each one. The program shows its own dialog once a run takes longer than about half a second.
    virtual void FolderProgress(size_t /*filesRead*/, size_t /*filesToRead*/) {}
};

// Shows nothing: for callers that only want the data.
class TSilentUi final : public IBaseUi {
public:
    void ShowMessage(const std::string&) override {}
};

}  // namespace kalvon
