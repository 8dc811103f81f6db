#pragma once
// The writers' record buffer: a block is sized, its fields are placed at byte
// offsets (big-endian), and the block is appended to the output.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace navelo {

class RecordBuffer {
public:
    // Sets the block length; bytes already present keep their values, new bytes are zero.
    void setLength(std::size_t length) { buf_.resize(length, 0); }
    std::size_t length() const { return buf_.size(); }

    void writebyte(std::uint32_t value, std::size_t offset);
    void writeword(std::uint32_t value, std::size_t offset);
    void write3byte(std::uint32_t value, std::size_t offset);
    void writelong(std::uint32_t value, std::size_t offset);
    // width bytes: the first min(width, size) characters of text, zero-padded.
    void writestr(std::string_view text, std::size_t offset, std::size_t width);
    void writeBytes(std::span<const std::uint8_t> data, std::size_t offset);

    std::span<const std::uint8_t> block() const { return buf_; }

private:
    void check(std::size_t offset, std::size_t count) const;
    std::vector<std::uint8_t> buf_;
};

// The output of a writer: blocks appended in order, then handed to the save step.
class BlockOutput {
public:
    void append(const RecordBuffer& buffer) { append(buffer.block()); }
    void append(const RecordBuffer& buffer, std::size_t n) { append(buffer.block().first(n)); }
    void append(std::span<const std::uint8_t> bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
    std::size_t size() const { return out_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return out_; }
    std::vector<std::uint8_t> take() { return std::move(out_); }

private:
    std::vector<std::uint8_t> out_;
};

}  // namespace navelo
