#include "playlist/time_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace navelo {
namespace {

TEST(TimeText, Time2Str) {
    const std::vector<std::pair<std::uint32_t, std::string_view>> cases{
        {0, "00:00:00.000"},
        {44, "00:00:00.000"},  // truncated, not rounded
        {45, "00:00:00.001"},
        {45000, "00:00:01.000"},
        {2700000, "00:01:00.000"},
        {162000000, "01:00:00.000"},
        {167535180, "01:02:03.004"},
        {1620000000 - 45, "09:59:59.999"},
        {4294967295u, "26:30:43.717"},  // hours are not reduced
    };
    for (const auto& [ticks, text] : cases) EXPECT_EQ(time2str(ticks), text) << ticks;
}

struct ParseCase {
    std::string_view text;
    std::uint32_t ticks45k;
    std::uint32_t ticks90k;
};

TEST(TimeText, Str2TimeAndStr2Pts) {
    const std::vector<ParseCase> cases{
        {"01:02:03.004", 167535180u, 335070360u},
        {"00:00:00.000", 0, 0},
        {"00:00:01.000", 45000, 90000},
        {"00:00:00.001", 45, 90},
        {"26:30:43.717", 4294967265u, 4294967234u},
        // Pieces sit at fixed places; the separators are never looked at.
        {"01x02y03z004", 167535180u, 335070360u},
        {"01:02:03.0049", 167535180u, 335070360u},
        // Lenient pieces: leading blank or sign, trailing non-digits end the number.
        {" 1:02:03.004", 167535180u, 335070360u},
        {"+1:02:03.004", 167535180u, 335070360u},
        {"1:2:3.4", 162180000u, 324360000u},  // pieces "1:", ":3", "4", ""
        {"aa:bb:cc.ddd", 0, 0},
        // Results wrap around in 32 bits.
        {"99:99:99.999", 3424898067u, 2554828838u},
        // Negative pieces count as their two's-complement value.
        {"-1:00:00.000", 4132967296u, 3970967296u},
        {"00:00:00.-01", 4294967251u, 4294967206u},
        {"-9:-9:-9.-99", 2812257841u, 1329548386u},
        // Missing characters are empty pieces worth 0.
        {"", 0, 0},
        {"0", 0, 0},
        {"01", 162000000u, 324000000u},
        {"01:0", 162000000u, 324000000u},
        {"01:02:03", 167535000u, 335070000u},
        {"01:02:03.", 167535000u, 335070000u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(str2time(c.text), c.ticks45k) << "'" << c.text << "'";
        EXPECT_EQ(str2pts(c.text), c.ticks90k) << "'" << c.text << "'";
    }
}

TEST(TimeText, RoundTripDropsSubMillisecondTicks) {
    for (std::uint32_t ticks : {0u, 44u, 45u, 46u, 1234567u, 167535180u, 4294967295u}) {
        EXPECT_EQ(str2time(time2str(ticks)), ticks - ticks % 45) << ticks;
        EXPECT_EQ(str2pts(time2str(ticks)), (ticks - ticks % 45) * 2) << ticks;
    }
}

}  // namespace
}  // namespace navelo
