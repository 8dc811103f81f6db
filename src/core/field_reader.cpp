#include "core/field_reader.h"

#include <algorithm>

#include "core/file_io.h"

namespace navelo {

FieldReader::FieldReader(std::string name, std::vector<std::uint8_t> bytes)
    : name_(std::move(name)), bytes_(std::move(bytes)) {}

Expected<FieldReader> FieldReader::open(const std::filesystem::path& path) {
    auto bytes = readWholeFile(path);
    if (!bytes) return bytes.error();
    return FieldReader(path.filename().string(), std::move(*bytes));
}

std::uint64_t FieldReader::readBE(int count) {
    std::uint64_t v = 0;
    for (int i = 0; i < count; ++i) {
        std::uint8_t b = 0;
        if (pos_ < bytes_.size()) {
            b = bytes_[pos_++];
        } else {
            overrun_ = true;
        }
        v = (v << 8) | b;
    }
    return v;
}

std::uint8_t FieldReader::readbyte() { return static_cast<std::uint8_t>(readBE(1)); }
std::uint16_t FieldReader::readword() { return static_cast<std::uint16_t>(readBE(2)); }
std::uint32_t FieldReader::read3byte() { return static_cast<std::uint32_t>(readBE(3)); }
std::uint32_t FieldReader::readlword() { return static_cast<std::uint32_t>(readBE(4)); }
std::uint64_t FieldReader::read64() { return readBE(8); }

std::string FieldReader::readstring(std::size_t count) {
    std::string text(count, ' ');
    for (std::size_t i = 0; i < count; ++i) {
        if (pos_ < bytes_.size()) {
            text[i] = static_cast<char>(bytes_[pos_++]);
        } else {
            overrun_ = true;
        }
    }
    auto zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
}

std::vector<std::uint8_t> FieldReader::readBytes(std::uint64_t count) {
    const std::uint64_t n = std::min(count, remaining());
    if (n < count) overrun_ = true;
    std::vector<std::uint8_t> out;
    if (n > 0) {
        out.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
    }
    pos_ = std::max<std::uint64_t>(pos_, std::min<std::uint64_t>(pos_ + count, bytes_.size()));
    return out;
}

std::vector<std::uint8_t> FieldReader::readRest() { return readBytes(remaining()); }

void FieldReader::skip(std::uint64_t count) {
    if (count > remaining()) {
        overrun_ = true;
        pos_ = std::max<std::uint64_t>(pos_, bytes_.size());
    } else {
        pos_ += count;
    }
}

Error FieldReader::errorHere(std::string message, std::string path) const {
    return Error{name_, pos_, std::move(path), std::move(message)};
}

}  // namespace navelo
