#pragma once
// Builds test fixtures byte by byte, independent of the production writers.
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace navelo::test {

class ByteBuilder {
public:
    ByteBuilder& u8(std::uint32_t v);
    ByteBuilder& u16(std::uint32_t v);
    ByteBuilder& u24(std::uint32_t v);
    ByteBuilder& u32(std::uint32_t v);
    // Exactly the characters given, no terminator.
    ByteBuilder& text(std::string_view s);
    // s zero-padded (or cut) to width bytes.
    ByteBuilder& fixed(std::string_view s, std::size_t width);
    ByteBuilder& zeros(std::size_t n);
    ByteBuilder& raw(std::initializer_list<std::uint8_t> bytes);
    ByteBuilder& raw(const std::vector<std::uint8_t>& bytes);
    // Overwrites a 32-bit big-endian value at an offset already written.
    ByteBuilder& patch32(std::size_t offset, std::uint32_t v);
    ByteBuilder& patch16(std::size_t offset, std::uint32_t v);

    std::size_t size() const { return b_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return b_; }
    operator std::vector<std::uint8_t>() const { return b_; }

private:
    std::vector<std::uint8_t> b_;
};

}  // namespace navelo::test
