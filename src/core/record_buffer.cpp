#include "core/record_buffer.h"

#include <algorithm>
#include <stdexcept>

namespace navelo {

void RecordBuffer::check(std::size_t offset, std::size_t count) const {
    // Every writer sizes its block first; a field outside it is a programming error.
    if (offset > buf_.size() || count > buf_.size() - offset) {
        throw std::logic_error("record buffer: field outside the block");
    }
}

void RecordBuffer::writebyte(std::uint32_t value, std::size_t offset) {
    check(offset, 1);
    buf_[offset] = static_cast<std::uint8_t>(value);
}

void RecordBuffer::writeword(std::uint32_t value, std::size_t offset) {
    check(offset, 2);
    buf_[offset] = static_cast<std::uint8_t>(value >> 8);
    buf_[offset + 1] = static_cast<std::uint8_t>(value);
}

void RecordBuffer::write3byte(std::uint32_t value, std::size_t offset) {
    check(offset, 3);
    buf_[offset] = static_cast<std::uint8_t>(value >> 16);
    buf_[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    buf_[offset + 2] = static_cast<std::uint8_t>(value);
}

void RecordBuffer::writelong(std::uint32_t value, std::size_t offset) {
    check(offset, 4);
    buf_[offset] = static_cast<std::uint8_t>(value >> 24);
    buf_[offset + 1] = static_cast<std::uint8_t>(value >> 16);
    buf_[offset + 2] = static_cast<std::uint8_t>(value >> 8);
    buf_[offset + 3] = static_cast<std::uint8_t>(value);
}

void RecordBuffer::writestr(std::string_view text, std::size_t offset, std::size_t width) {
    check(offset, width);
    std::fill_n(buf_.begin() + static_cast<std::ptrdiff_t>(offset), width, std::uint8_t{0});
    const std::size_t n = std::min(width, text.size());
    for (std::size_t i = 0; i < n; ++i) buf_[offset + i] = static_cast<std::uint8_t>(text[i]);
}

void RecordBuffer::writeBytes(std::span<const std::uint8_t> data, std::size_t offset) {
    check(offset, data.size());
    std::copy(data.begin(), data.end(), buf_.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace navelo
