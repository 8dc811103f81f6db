#pragma once
// Time texts "HH:MM:SS.mmm" of the PlayList views and the tick counts behind
// them: 45 kHz for PlayList and mark times, 90 kHz for stream time stamps.
#include <cstdint>
#include <string>
#include <string_view>

namespace navelo {

// 45 kHz ticks to "HH:MM:SS.mmm", milliseconds truncated; hours are not
// reduced (the largest count gives "26:30:43.717").
std::string time2str(std::uint32_t ticks45k);

// The text is cut at fixed places: characters 1-2 hours, 4-5 minutes, 7-8
// seconds, 10-12 milliseconds; each piece is read leniently (missing or
// non-numeric pieces count 0) and the sum wraps around in 32 bits.
std::uint32_t str2time(std::string_view text);  // 45 kHz ticks
std::uint32_t str2pts(std::string_view text);   // 90 kHz ticks

}  // namespace navelo
