#include "playlist/time_text.h"

#include "core/text.h"

namespace navelo {

namespace {

struct TimePieces {
    std::uint32_t hours, minutes, seconds, millis;
};

// A piece of a text that is too short is empty (and so reads as 0).
std::string_view piece(std::string_view text, std::size_t pos, std::size_t len) {
    return pos < text.size() ? text.substr(pos, len) : std::string_view{};
}

// Negative pieces are kept as their 32-bit two's-complement value so that
// all further arithmetic wraps in unsigned 32 bits.
std::uint32_t readPiece(std::string_view text, std::size_t pos, std::size_t len) {
    return static_cast<std::uint32_t>(readDecimalLenient(piece(text, pos, len)));
}

TimePieces cut(std::string_view text) {
    return {readPiece(text, 0, 2), readPiece(text, 3, 2), readPiece(text, 6, 2), readPiece(text, 9, 3)};
}

}  // namespace

std::string time2str(std::uint32_t ticks45k) {
    const std::uint32_t total = ticks45k / 45;
    const std::uint32_t ms = total % 1000;
    const std::uint32_t seconds = total / 1000;
    const std::uint32_t minutes = seconds / 60;
    const std::uint32_t hours = minutes / 60;
    return zeroPad(hours, 2) + ":" + zeroPad(minutes % 60, 2) + ":" + zeroPad(seconds % 60, 2) + "." + zeroPad(ms, 3);
}

std::uint32_t str2time(std::string_view text) {
    const auto t = cut(text);
    return t.hours * 162000000u + t.minutes * 2700000u + t.seconds * 45000u + t.millis * 45u;
}

std::uint32_t str2pts(std::string_view text) {
    const auto t = cut(text);
    return t.hours * 324000000u + t.minutes * 5400000u + t.seconds * 90000u + t.millis * 90u;
}

}  // namespace navelo
