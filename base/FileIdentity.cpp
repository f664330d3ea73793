#include "base/FileIdentity.h"

#include <sys/stat.h>
#include <zlib.h>

#include "base/SafeFile.h"

namespace kalvon {

TFileIdentity IdentityOf(const struct stat& info) {
    TFileIdentity identity;
    identity.Exists = true;
    identity.Device = uint64_t(info.st_dev);
    identity.Inode = uint64_t(info.st_ino);
    identity.Size = uint64_t(info.st_size);
    identity.ModifiedNanoseconds =
        int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + int64_t(info.st_mtim.tv_nsec);
    return identity;
}

TFileIdentity CurrentIdentity(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? IdentityOf(info) : TFileIdentity{};
}

uint32_t ChecksumOf(uint32_t checksum, std::string_view bytes) {
    // zlib's CRC-32 takes at most 4 GB a call.
    while (!bytes.empty()) {
        const auto part = uInt(std::min<size_t>(bytes.size(), size_t(1) << 30));
        checksum = uint32_t(crc32(checksum, reinterpret_cast<const Bytef*>(bytes.data()), part));
        bytes.remove_prefix(part);
    }
    return checksum;
}

bool UnchangedSince(const TFileIdentity& known, const std::string& path) {
    const TFileIdentity now = CurrentIdentity(path);
    if (!known.Exists || !now.Exists) return known.Exists == now.Exists;
    if (now.Device == known.Device && now.Inode == known.Inode && now.Size == known.Size &&
        now.ModifiedNanoseconds == known.ModifiedNanoseconds)
        return true;
    // Another file or another time: the same bytes all the same (a copy put back, a touch)?
    if (!known.HasChecksum || now.Size != known.Size) return false;
    TFileReader file;
    std::string error, piece;
    if (!file.Open(path, error)) return false;
    uint32_t checksum = 0;
    for (;;) {
        piece.clear();
        const std::optional<size_t> n = file.Read(piece, size_t(4) << 20, error);
        if (!n) return false;
        if (*n == 0) break;
        checksum = ChecksumOf(checksum, piece);
    }
    return checksum == known.Checksum;
}

}  // namespace kalvon
