// What a program remembers of a file it read, so that it can tell later whether another program has
// changed the file since.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct stat;

namespace kalvon {

struct TFileIdentity {
    bool Exists = false;
    uint64_t Device = 0, Inode = 0, Size = 0;
    int64_t ModifiedNanoseconds = 0;
    // The checksum of the bytes read, where all of them were read.
    bool HasChecksum = false;
    uint32_t Checksum = 0;
};

// The identity in what stat found (no checksum).
TFileIdentity IdentityOf(const struct stat& info);
// The file at path as it is now (no checksum); Exists false when there is none.
TFileIdentity CurrentIdentity(const std::string& path);
// A checksum of bytes read in pieces: start with 0, feed every piece in order.
uint32_t ChecksumOf(uint32_t checksum, std::string_view bytes);
// True when the file at path is the one known: the same file with the same size and time, or a file
// of the same bytes; false when it is gone, or changed, or cannot be read to tell.
bool UnchangedSince(const TFileIdentity& known, const std::string& path);

}  // namespace kalvon
