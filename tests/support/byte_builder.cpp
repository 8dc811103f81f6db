#include "support/byte_builder.h"

namespace navelo::test {

ByteBuilder& ByteBuilder::u8(std::uint32_t v) {
    b_.push_back(static_cast<std::uint8_t>(v));
    return *this;
}
ByteBuilder& ByteBuilder::u16(std::uint32_t v) { return u8(v >> 8).u8(v); }
ByteBuilder& ByteBuilder::u24(std::uint32_t v) { return u8(v >> 16).u8(v >> 8).u8(v); }
ByteBuilder& ByteBuilder::u32(std::uint32_t v) { return u8(v >> 24).u8(v >> 16).u8(v >> 8).u8(v); }
ByteBuilder& ByteBuilder::text(std::string_view s) {
    for (char c : s) u8(static_cast<unsigned char>(c));
    return *this;
}
ByteBuilder& ByteBuilder::fixed(std::string_view s, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) u8(i < s.size() ? static_cast<unsigned char>(s[i]) : 0);
    return *this;
}
ByteBuilder& ByteBuilder::zeros(std::size_t n) {
    b_.insert(b_.end(), n, 0);
    return *this;
}
ByteBuilder& ByteBuilder::raw(std::initializer_list<std::uint8_t> bytes) {
    b_.insert(b_.end(), bytes);
    return *this;
}
ByteBuilder& ByteBuilder::raw(const std::vector<std::uint8_t>& bytes) {
    b_.insert(b_.end(), bytes.begin(), bytes.end());
    return *this;
}
ByteBuilder& ByteBuilder::patch32(std::size_t o, std::uint32_t v) {
    b_.at(o) = static_cast<std::uint8_t>(v >> 24);
    b_.at(o + 1) = static_cast<std::uint8_t>(v >> 16);
    b_.at(o + 2) = static_cast<std::uint8_t>(v >> 8);
    b_.at(o + 3) = static_cast<std::uint8_t>(v);
    return *this;
}
ByteBuilder& ByteBuilder::patch16(std::size_t o, std::uint32_t v) {
    b_.at(o) = static_cast<std::uint8_t>(v >> 8);
    b_.at(o + 1) = static_cast<std::uint8_t>(v);
    return *this;
}

}  // namespace navelo::test
