// Locks that keep writers of one base from losing each other's games.
#pragma once

#include <string>

namespace kalvon {

// How long a writer waits for another writer of the same base before it gives up.
inline constexpr int BaseLockWaitMilliseconds = 5000;

// One writer of a base at a time: an exclusive lock on "<base>.lock" beside the base file, a file
// that is never renamed or deleted, so that a writer that waited locks the same file as the next one.
// A command holds it from its reading of the base to the rename of the new file. A lock this process
// already holds on the same base is taken again at once (a save inside a folder command).
class TBaseWriteLock {
public:
    TBaseWriteLock() = default;
    ~TBaseWriteLock() { Unlock(); }
    TBaseWriteLock(const TBaseWriteLock&) = delete;
    TBaseWriteLock& operator=(const TBaseWriteLock&) = delete;

    // Takes the lock, waiting up to waitMilliseconds for another writer, or for a lock file that
    // cannot be opened for locking (another user's, a link, a folder) to be put right; false with a
    // message in error that names the base, the lock file and the first reason when it cannot be had,
    // at once when no lock file can be made in the folder. The lock file is never reached through a
    // link; a new one takes the base file's group and read/write bits.
    bool Lock(const std::string& basePath, std::string& error,
              int waitMilliseconds = BaseLockWaitMilliseconds);
    void Unlock();
    bool Held() const { return !LockPath_.empty(); }

private:
    std::string LockPath_;
};

// A running program's claim on a base it keeps in memory (its working folder's scratch base): a
// shared lock on "<base>.open", apart from the writers' lock, so that its own saves and other
// programs' writes go on while another program learns that the base is in use.
class TBaseOpenClaim {
public:
    TBaseOpenClaim() = default;
    ~TBaseOpenClaim() { Release(); }
    TBaseOpenClaim(const TBaseOpenClaim&) = delete;
    TBaseOpenClaim& operator=(const TBaseOpenClaim&) = delete;

    // Claims the base. Returns true when no other process claims it (the caller may then remove or
    // replace the file), false when another one does; the claim is held in both cases unless the lock
    // file cannot be made at all.
    bool Claim(const std::string& basePath);
    void Release();

private:
    int Fd_ = -1;
};

// The file a base's lock of the given suffix lives in: beside the file the base path leads to.
std::string BaseLockPath(const std::string& basePath, const std::string& suffix);

}  // namespace kalvon
