// Memory for the arrays that hold one entry per game: the games themselves and the search index of a
// base of a million games. Such an array is tens of megabytes; faulting it in a 4 KiB page at a time
// costs a large part of opening the base where page faults are dear (in a virtual machine above all),
// so large blocks are asked for on huge pages where the system gives them on request. The entries
// are left uninitialised where their type allows it: the code that sizes the array fills it at once,
// and zeroing it first would touch every page twice.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace kalvon {

// Blocks of at least LargeBlockBytes come from their own mapping on huge pages (and go back to the
// system when freed); smaller ones from the ordinary heap. Throws std::bad_alloc when memory runs out.
inline constexpr size_t LargeBlockBytes = size_t(2) << 20;
void* AllocateLarge(size_t bytes, size_t alignment);
void FreeLarge(void* block, size_t bytes, size_t alignment) noexcept;

template <class T>
class TLargeAllocator {
public:
    using value_type = T;

    TLargeAllocator() noexcept = default;
    template <class U>
    TLargeAllocator(const TLargeAllocator<U>&) noexcept {}

    T* allocate(size_t n) {
        if (n > size_t(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(AllocateLarge(n * sizeof(T), alignof(T)));
    }
    void deallocate(T* block, size_t n) noexcept { FreeLarge(block, n * sizeof(T), alignof(T)); }

    // A resize default-initialises: a trivial entry is left as it is, others are built as usual.
    template <class U>
    void construct(U* at) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(at)) U;
    }
    template <class U, class... Args>
    void construct(U* at, Args&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }

    friend bool operator==(const TLargeAllocator&, const TLargeAllocator&) noexcept { return true; }
};

// An array with one entry per game.
template <class T>
using TLargeVector = std::vector<T, TLargeAllocator<T>>;

}  // namespace kalvon
