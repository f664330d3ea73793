// A text field of a game in 16 bytes: up to 15 characters are kept in the object itself, longer texts
// in a heap block of exactly their size. A base holds a million games, each with four such fields, so
// the 32 bytes of a std::string and the heap block of every short text would add up to hundreds of
// megabytes.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <compare>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

namespace kalvon {

class TCompactText {
public:
    static constexpr size_t InlineCapacity = 15;

    TCompactText() noexcept { SetEmpty(); }
    explicit TCompactText(std::string_view text) {
        SetEmpty();
        Assign(text);
    }
    TCompactText(const TCompactText& other) : TCompactText(other.view()) {}
    TCompactText(TCompactText&& other) noexcept : Bytes_(other.Bytes_) { other.SetEmpty(); }
    ~TCompactText() { Release(); }

    TCompactText& operator=(const TCompactText& other) {
        if (this != &other) Assign(other.view());
        return *this;
    }
    TCompactText& operator=(TCompactText&& other) noexcept {
        if (this != &other) {
            Release();
            Bytes_ = other.Bytes_;
            other.SetEmpty();
        }
        return *this;
    }
    // The text may be a part of this one.
    TCompactText& operator=(std::string_view text) {
        if (text.size() <= InlineCapacity && !OnHeap()) {
            std::array<char, 16> made{};
            std::copy_n(text.data(), text.size(), made.data());  // an empty text may have no data
            made[15] = char(InlineCapacity - text.size());
            Bytes_ = made;
        } else {
            Assign(text);
        }
        return *this;
    }

    bool OnHeap() const { return uint8_t(Bytes_[15]) == HeapTag; }
    size_t size() const { return OnHeap() ? HeapSize() : InlineCapacity - uint8_t(Bytes_[15]); }
    bool empty() const { return size() == 0; }
    const char* data() const { return OnHeap() ? HeapData() : Bytes_.data(); }
    char* data() { return OnHeap() ? HeapData() : Bytes_.data(); }
    std::string_view view() const { return {data(), size()}; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }

    char operator[](size_t i) const { return data()[i]; }
    char& operator[](size_t i) { return data()[i]; }
    char front() const { return data()[0]; }
    char back() const { return data()[size() - 1]; }
    const char* begin() const { return data(); }
    const char* end() const { return data() + size(); }
    std::string_view substr(size_t pos, size_t count = std::string_view::npos) const {
        return view().substr(pos, count);
    }
    size_t find(char c, size_t pos = 0) const { return view().find(c, pos); }
    size_t find(std::string_view text, size_t pos = 0) const { return view().find(text, pos); }
    int compare(size_t pos, size_t count, std::string_view text) const {
        return view().compare(pos, count, text);
    }
    void clear() { Assign({}); }

    friend bool operator==(const TCompactText& a, const TCompactText& b) { return a.view() == b.view(); }
    friend bool operator==(const TCompactText& a, std::string_view b) { return a.view() == b; }
    friend std::strong_ordering operator<=>(const TCompactText& a, const TCompactText& b) {
        return a.view() <=> b.view();
    }
    friend std::strong_ordering operator<=>(const TCompactText& a, std::string_view b) {
        return a.view() <=> b;
    }

private:
    static constexpr uint8_t HeapTag = 0xFF;

    // Inline: the characters from byte 0, and InlineCapacity minus the size in byte 15 (so that a
    // text of 15 characters ends in a zero byte). On the heap: the block's address in bytes 0-7 and
    // the size in bytes 8-14, with HeapTag in byte 15.
    void SetEmpty() noexcept {
        Bytes_ = {};
        Bytes_[15] = char(InlineCapacity);
    }
    char* HeapData() const {
        char* p;
        std::memcpy(&p, Bytes_.data(), sizeof p);
        return p;
    }
    size_t HeapSize() const {
        uint64_t v;
        std::memcpy(&v, Bytes_.data() + 8, 8);
        if constexpr (std::endian::native == std::endian::little)
            return size_t(v & 0x00FF'FFFF'FFFF'FFFFu);
        else
            return size_t(v >> 8);
    }
    void Release() noexcept {
        if (OnHeap()) delete[] HeapData();
    }
    void Assign(std::string_view text);

    static_assert(sizeof(char*) <= 8);
    alignas(8) std::array<char, 16> Bytes_;
};

static_assert(sizeof(TCompactText) == 16);

std::ostream& operator<<(std::ostream& out, const TCompactText& text);

}  // namespace kalvon
