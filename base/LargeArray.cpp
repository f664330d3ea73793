#include "base/LargeArray.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <algorithm>
#include <cstdint>

namespace kalvon {

namespace {

size_t RoundUp(size_t bytes, size_t to) {
    return (bytes + to - 1) / to * to;
}

}  // namespace

#if defined(__linux__)

// A large block is a mapping of its own, cut to start and end on huge-page boundaries so that the
// kernel can back all of it with huge pages once asked to (a request it may ignore).
void* AllocateLarge(size_t bytes, size_t alignment) {
    if (bytes < LargeBlockBytes)
        return ::operator new(std::max<size_t>(bytes, 1), std::align_val_t(alignment));
    const size_t size = RoundUp(bytes, LargeBlockBytes);
    const size_t mapped = size + LargeBlockBytes;
    void* mapping = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) throw std::bad_alloc();
    // The mapping is cut at both ends to the aligned block inside it.
    char* const start = static_cast<char*>(mapping);
    const size_t lead =
        RoundUp(reinterpret_cast<uintptr_t>(start), LargeBlockBytes) - reinterpret_cast<uintptr_t>(start);
    char* const block = start + lead;
    if (lead > 0) munmap(start, lead);
    if (mapped > lead + size) munmap(block + size, mapped - lead - size);
#ifdef MADV_HUGEPAGE
    madvise(block, size, MADV_HUGEPAGE);
#endif
    return block;
}

void FreeLarge(void* block, size_t bytes, size_t alignment) noexcept {
    if (block == nullptr) return;
    if (bytes < LargeBlockBytes) return ::operator delete(block, std::align_val_t(alignment));
    munmap(block, RoundUp(bytes, LargeBlockBytes));
}

#else

void* AllocateLarge(size_t bytes, size_t alignment) {
    return ::operator new(std::max<size_t>(bytes, 1), std::align_val_t(alignment));
}

void FreeLarge(void* block, size_t, size_t alignment) noexcept {
    ::operator delete(block, std::align_val_t(alignment));
}

#endif

}  // namespace kalvon
