#include "base/CompactText.h"

#include <ostream>
#include <stdexcept>

namespace kalvon {

void TCompactText::Assign(std::string_view text) {
    // The new content is made whole before the old one goes, as the text may be a part of it.
    std::array<char, 16> made{};
    if (text.size() <= InlineCapacity) {
        std::copy_n(text.data(), text.size(), made.data());  // an empty text may have no data
        made[15] = char(InlineCapacity - text.size());
    } else {
        if (text.size() > 0x00FF'FFFF'FFFF'FFFFu) throw std::length_error("text too long");
        char* block = new char[text.size()];
        std::memcpy(block, text.data(), text.size());
        std::memcpy(made.data(), &block, sizeof block);
        uint64_t v = uint64_t(text.size());
        if constexpr (std::endian::native == std::endian::little)
            v |= uint64_t(HeapTag) << 56;
        else
            v = (v << 8) | HeapTag;
        std::memcpy(made.data() + 8, &v, 8);
    }
    Release();
    Bytes_ = made;
}

std::ostream& operator<<(std::ostream& out, const TCompactText& text) {
    return out << text.view();
}

}  // namespace kalvon
