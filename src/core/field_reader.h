#pragma once
// Big-endian field reads over the bytes of one disc file.
//
// The whole file is taken into memory when it is opened (disc navigation files
// are small), so every read is bounds-checked against the real size. A read
// whose bytes lie partly or wholly past the end yields zero for the missing
// bytes, leaves the position at the end of the file and marks the reader as
// overrun; readstring yields blanks for the missing bytes.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/error.h"

namespace navelo {

class FieldReader {
public:
    FieldReader(std::string name, std::vector<std::uint8_t> bytes);

    // Opens a file for reading; the name in errors is the file's own name.
    static Expected<FieldReader> open(const std::filesystem::path& path);

    const std::string& name() const { return name_; }
    std::uint64_t position() const { return pos_; }
    std::uint64_t size() const { return bytes_.size(); }
    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::uint64_t remaining() const { return atEnd() ? 0 : bytes_.size() - pos_; }
    void seek(std::uint64_t position) { pos_ = position; }
    // True once any read wanted bytes beyond the end of the file.
    bool overrun() const { return overrun_; }

    std::uint8_t readbyte();
    std::uint16_t readword();
    std::uint32_t read3byte();
    std::uint32_t readlword();
    std::uint64_t read64();
    // Up to count bytes; cut at the first zero byte, blanks for missing bytes.
    std::string readstring(std::size_t count);
    // Up to count bytes, fewer when the file ends first (never sized by count alone).
    std::vector<std::uint8_t> readBytes(std::uint64_t count);
    // Everything from the position to the end of the file.
    std::vector<std::uint8_t> readRest();
    void skip(std::uint64_t count);

    std::span<const std::uint8_t> bytes() const { return bytes_; }

    // An Error located at the current position.
    Error errorHere(std::string message, std::string path = {}) const;

private:
    std::uint64_t readBE(int count);

    std::string name_;
    std::vector<std::uint8_t> bytes_;
    std::uint64_t pos_ = 0;
    bool overrun_ = false;
};

}  // namespace navelo
