#include "core/text.h"

#include <fmt/format.h>

namespace navelo {

std::string zeroPad(std::uint64_t value, int width) { return fmt::format("{:0{}}", value, width); }

std::string hexUpper(std::uint64_t value, int digits) { return fmt::format("{:0{}X}", value, digits); }

std::uint32_t readHexLenient(std::string_view text) {
    std::uint32_t v = 0;
    for (char c : text) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else continue;
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    return v;
}

std::int64_t readDecimalLenient(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t v = 0;
    // Digits beyond 18 would overflow; such numbers saturate.
    for (int n = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++n) {
        if (n < 18) v = v * 10 + (text[i] - '0');
    }
    return negative ? -v : v;
}

std::string withoutExtension(std::string_view name) {
    const auto dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string utf8ToLatin1(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < text.size()) {
            const unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            out += cp < 0x100 ? static_cast<char>(cp) : '?';
            i += 2;
        } else {
            out += '?';
            ++i;
            while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
        }
    }
    return out;
}

}  // namespace navelo

namespace navelo {

bool isKnownVersion(std::string_view version) { return version == "0100" || version == "0200" || version == "0300"; }

}  // namespace navelo
