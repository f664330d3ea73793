// The earlier files of a base that its rewrites keep beside it: generation 1 is "<base>.bak", the
// older ones "<base>.bak2", "<base>.bak3", ... up to the number the settings ask for, and apart from
// them "<base>.before-removal", the file as it was before the last command that removed or replaced
// games.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace kalvon {

// How many generations a rewrite keeps when the settings say nothing, and how many they may ask for.
inline constexpr int DefaultBackupGenerations = 5;
inline constexpr int MaxBackupGenerations = 99;

// The number of generations every rewrite of this process keeps, brought into 1..MaxBackupGenerations.
void SetBackupGenerations(int generations);
int BackupGenerations();

// The file of generation n (1 for "<file>.bak", n for "<file>.bak<n>") of the file at target, which
// is the file itself and not a link to it.
std::string GenerationPath(const std::string& target, int generation);
// "<file>.before-removal" of the file at target.
std::string BeforeRemovalPath(const std::string& target);

// The generations a rewrite of one file keeps, in two steps around the rename that replaces the
// file, so that a kill at any moment leaves every earlier generation in place: Keep gives the old
// file its new names under temporary ones (the old generations stay as they were), and Commit, once
// the new file stands, moves the older generations down and the kept file into generation 1. A
// rotation that a kill cut short is finished by the next Keep (or by ListBaseGenerations).
// The caller holds the base's writer lock throughout.
class TGenerationKeeper {
public:
    TGenerationKeeper() = default;
    ~TGenerationKeeper() { Abandon(); }
    TGenerationKeeper(const TGenerationKeeper&) = delete;
    TGenerationKeeper& operator=(const TGenerationKeeper&) = delete;

    // Gives the file at target (an ordinary file with the given mode) its coming names: generation 1
    // and, with beforeRemoval, the before-removal file. False with the reason in why, and nothing
    // kept, when it cannot (a full disk where the file system has no hard links).
    bool Keep(const std::string& target, unsigned mode, bool beforeRemoval, std::string& why);
    // After the new file was renamed over target: the generations move down, the oldest beyond the
    // number kept go, and the kept file becomes generation 1 (and the before-removal file).
    void Commit();
    // When the new file was not put in place: the kept names go again, the generations stay as they
    // were.
    void Abandon();

private:
    std::string Target_;
    bool Kept_ = false, BeforeRemoval_ = false;
};

// Clears the working folder's scratch base at path at start-up without losing a game: a file that
// holds games moves into its generations (it becomes generation 1, the others move down), an empty
// one is deleted. Returns the number of games it held (0 also when there was none), or nullopt with
// the reason in error, and the file where it was, when it can be neither moved nor deleted.
std::optional<size_t> SetAsideScratchBase(const std::string& path, std::string& error);

// Finishes a rotation of the file's generations that a kill cut short (see TGenerationKeeper).
void FinishInterruptedRotation(const std::string& target);

// One earlier file of a base, for the list the user restores from.
struct TBaseGeneration {
    int Generation = 0;  // 1, 2, ...; 0 for the before-removal file
    std::string Path;
    size_t Games = 0;
    std::time_t Modified = 0;
};

// The generations of the base at path, 1 first, then its before-removal file, each with its games and
// date; those that cannot be read are left out. An interrupted rotation is finished first when the
// base's lock can be had.
std::vector<TBaseGeneration> ListBaseGenerations(const std::string& path);

// Which earlier file a restore brings back.
struct TRestoreChoice {
    int Generation = 1;          // used when BeforeRemoval is false
    bool BeforeRemoval = false;  // the before-removal file
};

// Makes the chosen earlier file the base again, under the base's writer lock: the file it replaces
// becomes generation 1 (and the before-removal file), the others move down. False, with the base and
// every earlier file as they were and the reason in error, when there is no such file or it cannot
// be done.
bool RestoreBaseGeneration(const std::string& path, const TRestoreChoice& choice, std::string& error);

}  // namespace kalvon
