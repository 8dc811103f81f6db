#include "playlist/code_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace navelo {
namespace {

TEST(CodeTables, TableSizes) {
    EXPECT_EQ(codingTypeNames().size(), 256u);
    EXPECT_EQ(videoFormatNames().size(), 16u);
    EXPECT_EQ(frameRateNames().size(), 16u);
    EXPECT_EQ(frameRateTimings().size(), 16u);
    EXPECT_EQ(frameRateTimingNames().size(), 16u);
    EXPECT_EQ(audioPresentationNames().size(), 16u);
    EXPECT_EQ(soundChannelNames().size(), 16u);
    EXPECT_EQ(samplingFrequencyNames().size(), 16u);
    EXPECT_EQ(streamEntryTypeNames().size(), 4u);
    EXPECT_EQ(subPathTypeNames().size(), 8u);
    EXPECT_EQ(markTypeNames().size(), 3u);
    EXPECT_EQ(applicationTypeNames().size(), 8u);
    EXPECT_EQ(languageCodes().size(), 431u);
}

struct CodingCase {
    std::uint32_t code;
    std::string_view name;
    CodingClass cls;
};

TEST(CodeTables, CodingTypes) {
    const std::vector<CodingCase> named{
        {0x02, "MPEG-2", CodingClass::Video},     {0x1B, "AVC", CodingClass::Video},
        {0xEA, "VC1", CodingClass::Video},        {0x80, "LPCM", CodingClass::Audio},
        {0x81, "DD", CodingClass::Audio},         {0x82, "DTS", CodingClass::Audio},
        {0x83, "Dolby Lossless", CodingClass::Audio}, {0x84, "DD+", CodingClass::Audio},
        {0x85, "DTS-HD ex. XLL", CodingClass::Audio}, {0x86, "DTS-HD XLL", CodingClass::Audio},
        {0xA1, "DD+", CodingClass::Audio},        {0xA2, "DTS-HD", CodingClass::Audio},
        {0x90, "PG", CodingClass::Graphics},      {0x91, "IG", CodingClass::Graphics},
        {0x92, "Text", CodingClass::TextSubtitle},
    };
    for (std::uint32_t code = 0; code < 256; ++code) {
        const auto it = std::find_if(named.begin(), named.end(), [&](const CodingCase& c) { return c.code == code; });
        const std::string_view name = it == named.end() ? "" : it->name;
        const CodingClass cls = it == named.end() ? CodingClass::None : it->cls;
        EXPECT_EQ(codingTypeName(code), name) << "code " << code;
        EXPECT_EQ(codingTypeClass(code), cls) << "code " << code;
        EXPECT_EQ(codingTypeNames()[code], name) << "code " << code;
    }
    EXPECT_EQ(codingTypeName(256), "");
    EXPECT_EQ(codingTypeClass(0x1000), CodingClass::None);
}

struct NameCase {
    const char* table;
    std::string_view (*lookup)(std::uint32_t);
    std::uint32_t code;
    std::string_view name;
};

TEST(CodeTables, NamesByCode) {
    const std::vector<NameCase> cases{
        {"video format", videoFormatName, 0, "-"},
        {"video format", videoFormatName, 4, "1080i"},
        {"video format", videoFormatName, 7, "576p"},
        {"video format", videoFormatName, 8, "res."},
        {"video format", videoFormatName, 15, "res."},
        {"frame rate", frameRateName, 1, "23.976"},
        {"frame rate", frameRateName, 4, "29.97"},
        {"frame rate", frameRateName, 5, "-"},
        {"frame rate", frameRateName, 7, "59.94"},
        {"frame rate", frameRateName, 15, "res."},
        {"timing name", frameRateTimingName, 0, "reserved"},
        {"timing name", frameRateTimingName, 5, "reserved"},
        {"timing name", frameRateTimingName, 6, "50"},
        {"timing name", frameRateTimingName, 8, "reserved"},
        {"presentation", audioPresentationName, 1, "Mono"},
        {"presentation", audioPresentationName, 2, "-"},
        {"presentation", audioPresentationName, 6, "Multi-ch."},
        {"presentation", audioPresentationName, 11, "-"},
        {"presentation", audioPresentationName, 12, "St.+M-ch."},
        {"presentation", audioPresentationName, 13, "res."},
        {"sound channel", soundChannelName, 1, "Mono"},
        {"sound channel", soundChannelName, 3, "Stereo"},
        {"sound channel", soundChannelName, 6, "-"},
        {"sound channel", soundChannelName, 15, "-"},
        {"sampling", samplingFrequencyName, 1, "48 kHz"},
        {"sampling", samplingFrequencyName, 4, "96 kHz"},
        {"sampling", samplingFrequencyName, 5, "192 kHz"},
        {"sampling", samplingFrequencyName, 12, "c:48/96, e:192 kHz"},
        {"sampling", samplingFrequencyName, 13, "-"},
        {"sampling", samplingFrequencyName, 14, "c:48, e:192 kHz"},
        {"sampling", samplingFrequencyName, 15, "res."},
        {"entry type", streamEntryTypeName, 0, ""},
        {"entry type", streamEntryTypeName, 3, "IM PIP"},
        {"SubPath type", subPathTypeName, 1, "-"},
        {"SubPath type", subPathTypeName, 2, "p. Audio"},
        {"SubPath type", subPathTypeName, 7, "IM Sync"},
        {"mark type", markTypeName, 0, ""},
        {"mark type", markTypeName, 1, "entry-mark"},
        {"mark type", markTypeName, 2, "link point"},
        {"application", applicationTypeName, 0, "res."},
        {"application", applicationTypeName, 5, "Sub TS for a Interactive Graphics menu"},
        {"application", applicationTypeName, 7, "Sub TS for a one or more elementary streams path"},
        // Codes beyond a table show nothing.
        {"video format", videoFormatName, 16, ""},
        {"sampling", samplingFrequencyName, 0xFFFFFFFF, ""},
        {"entry type", streamEntryTypeName, 4, ""},
        {"SubPath type", subPathTypeName, 8, ""},
        {"mark type", markTypeName, 3, ""},
        {"application", applicationTypeName, 8, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.lookup(c.code), c.name) << c.table << " code " << c.code;
}

TEST(CodeTables, FrameRateTimingPairs) {
    const std::vector<FrameRateTiming> expected{
        {0, 0}, {1001, 24000}, {1000, 24000}, {1000, 25000}, {1001, 30000}, {0, 0}, {1000, 50000}, {1001, 60000},
    };
    for (std::uint32_t code = 0; code < 16; ++code) {
        const FrameRateTiming want = code < expected.size() ? expected[code] : FrameRateTiming{};
        EXPECT_EQ(frameRateTiming(code), want) << "code " << code;
        EXPECT_EQ(frameRateTiming(code).hasRate(), want.denominator != 0) << "code " << code;
    }
    EXPECT_EQ(frameRateTiming(16), FrameRateTiming{});
}

TEST(CodeTables, FrameRateCodeFiveHasNoRate) {
    EXPECT_EQ(frameRateName(5), "-");
    EXPECT_EQ(frameRateTimingName(5), "reserved");
    EXPECT_FALSE(frameRateTiming(5).hasRate());
    EXPECT_EQ(frameRateTiming(5).numerator, 0);
}

TEST(CodeTables, LanguageListShape) {
    const auto codes = languageCodes();
    ASSERT_EQ(codes.size(), 431u);
    for (auto code : codes) {
        ASSERT_EQ(code.size(), 3u) << code;
        for (char ch : code) EXPECT_TRUE(ch >= 'a' && ch <= 'z') << code;
    }
    EXPECT_EQ(codes[0], "eng");
    EXPECT_EQ(codes[109], "eng");
    EXPECT_EQ(codes[430], "zun");
    // After the head the run is alphabetical except that "nzi" precedes "nya".
    for (std::size_t i = 2; i < codes.size(); ++i) {
        if (codes[i - 1] == "nzi") continue;
        EXPECT_LT(codes[i - 1], codes[i]) << "at " << i;
    }
    EXPECT_EQ(codes[286], "nzi");
    EXPECT_EQ(codes[290], "nyo");
}

TEST(CodeTables, Getlangind) {
    const std::vector<std::pair<std::string_view, int>> cases{
        {"eng", 0}, {"aar", 1}, {"nzi", 286}, {"nya", 287}, {"nyo", 290}, {"oci", 291}, {"zun", 430},
        {"deu", 94}, {"fra", 124}, {"jpn", 181},
        // Only exact, case-sensitive, whole-text matches count.
        {"ENG", -1}, {"Eng", -1}, {"xxx", -1}, {"ger", -1}, {"", -1}, {"en", -1}, {"engl", -1}, {"eng ", -1},
    };
    for (const auto& [code, index] : cases) EXPECT_EQ(getlangind(code), index) << "'" << code << "'";
    // Every entry but the repeated "eng" finds itself.
    const auto codes = languageCodes();
    for (std::size_t i = 1; i < codes.size(); ++i) {
        if (i == 109) continue;
        EXPECT_EQ(getlangind(codes[i]), static_cast<int>(i));
    }
}

using Items = std::vector<std::string_view>;

Items items(std::span<const std::string_view> s) { return Items(s.begin(), s.end()); }

TEST(CodeTables, ListItems) {
    EXPECT_EQ(items(videoCodingItems()), (Items{"MPEG-2", "AVC", "VC1"}));
    EXPECT_EQ(items(audioCodingItems()), (Items{"LPCM", "DD", "DTS", "Dolby Lossless", "DD+", "DTS-HD ex. XLL",
                                                "DTS-HD XLL", "DD+", "DTS-HD"}));
    EXPECT_EQ(items(videoFormatItems()), (Items{"-", "480i", "576i", "480p", "1080i", "720p", "1080p", "576p"}));
    EXPECT_EQ(items(frameRateItems()), (Items{"-", "23.976", "24", "25", "29.97", "-", "50", "59.94"}));
    EXPECT_EQ(audioPresentationItems().size(), 13u);
    EXPECT_EQ(audioPresentationItems().back(), "St.+M-ch.");
    EXPECT_EQ(samplingFrequencyItems().size(), 15u);
    EXPECT_EQ(samplingFrequencyItems().back(), "c:48, e:192 kHz");
    EXPECT_EQ(items(streamEntryTypeItems()), (Items{"---", "PlayItem", "SubPath", "IM PIP"}));
    EXPECT_EQ(items(subPathTypeItems()),
              (Items{"-", "-", "p. Audio", "IG menu", "Text sub", "OoM Sync", "OoM Async", "IM Sync"}));
    EXPECT_EQ(items(subPathRepeatItems()), (Items{"No", "Yes"}));
    EXPECT_EQ(items(markTypeItems()), (Items{"entry-mark", "link point"}));
    EXPECT_EQ(applicationTypeItems().size(), 8u);
    EXPECT_EQ(applicationTypeItems()[1], "Main TS for a Movie");
}

TEST(CodeTables, VideoCodingMapping) {
    const std::vector<std::pair<int, std::uint8_t>> pairs{{0, 0x02}, {1, 0x1B}, {2, 0xEA}};
    for (const auto& [index, code] : pairs) {
        EXPECT_EQ(videoCodingFromItem(index), code) << index;
        EXPECT_EQ(videoCodingItem(code), index) << int{code};
    }
    for (int index : {-1, 3, 100}) EXPECT_EQ(videoCodingFromItem(index), std::nullopt) << index;
    for (std::uint32_t code : {0x00u, 0x01u, 0x80u, 0x1Cu, 0xEBu, 0x102u}) EXPECT_EQ(videoCodingItem(code), -1) << code;
}

TEST(CodeTables, AudioCodingMapping) {
    const std::vector<std::pair<int, std::uint8_t>> pairs{
        {0, 0x80}, {1, 0x81}, {2, 0x82}, {3, 0x83}, {4, 0x84}, {5, 0x85}, {6, 0x86}, {7, 0xA1}, {8, 0xA2},
    };
    for (const auto& [index, code] : pairs) {
        EXPECT_EQ(audioCodingFromItem(index), code) << index;
        EXPECT_EQ(audioCodingItem(code), index) << int{code};
        EXPECT_EQ(audioCodingItems()[static_cast<std::size_t>(index)], codingTypeName(code)) << index;
    }
    for (int index : {-1, 9}) EXPECT_EQ(audioCodingFromItem(index), std::nullopt) << index;
    // The reverse offset depends on the coding type alone: 0x9A..0xA0 also hit items.
    const std::vector<std::pair<std::uint32_t, int>> reverse{
        {0x00, -1}, {0x02, -1}, {0x7F, -1}, {0x87, -1}, {0x90, -1}, {0x99, -1},
        {0x9A, 0},  {0xA0, 6},  {0xA3, -1}, {0xEA, -1}, {0xFF, -1}, {0xFFFFFFFF, -1},
    };
    for (const auto& [code, index] : reverse) EXPECT_EQ(audioCodingItem(code), index) << code;
}

TEST(CodeTables, MarkTypeMapping) {
    EXPECT_EQ(markTypeFromItem(0), 1);
    EXPECT_EQ(markTypeFromItem(1), 2);
    EXPECT_EQ(markTypeFromItem(2), std::nullopt);
    EXPECT_EQ(markTypeFromItem(-1), std::nullopt);
    EXPECT_EQ(markTypeItem(1), 0);
    EXPECT_EQ(markTypeItem(2), 1);
    EXPECT_EQ(markTypeItem(0), -1);
    EXPECT_EQ(markTypeItem(3), -1);
}

struct HintCase {
    const char* list;
    std::optional<std::string_view> (*hint)(int);
    int index;
    std::optional<std::string_view> text;
};

TEST(CodeTables, Hints) {
    const std::vector<HintCase> cases{
        {"video", setvidhint, 0, "MPEG-2 video stream for Primary / Secondary video"},
        {"video", setvidhint, 2, "SMPTE VC-1 video stream for Primary / Secondary video"},
        {"video", setvidhint, -1, std::nullopt},
        {"video", setvidhint, 3, std::nullopt},
        {"audio", setaudhint, 0, "HDMV LPCM audio stream for Primary audio"},
        {"audio", setaudhint, 1, "Dolby Digital (AC-3) audio stream for Primary audio"},
        {"audio", setaudhint, 7, "Dolby Digital Plus audio stream for Secondary audio"},
        {"audio", setaudhint, 8, "DTS-HD audio stream for Secondary audio stream"},
        {"audio", setaudhint, 9, std::nullopt},
        {"presentation", setautyhint, 0, std::nullopt},
        {"presentation", setautyhint, 1, "single mono channel"},
        {"presentation", setautyhint, 2, std::nullopt},
        {"presentation", setautyhint, 3, "stereo (2-channel)"},
        {"presentation", setautyhint, 6, "multi-channel"},
        {"presentation", setautyhint, 11, std::nullopt},
        {"presentation", setautyhint, 12, "stereo (2-channel) and multi-channel for the DTS-HD/Dolby Lossless"},
        {"presentation", setautyhint, 13, std::nullopt},
        {"presentation", setautyhint, -1, std::nullopt},
        {"entry", setenthint, 0, ""},
        {"entry", setenthint, 1, "Identify an elementary stream of the Clip used by the PlayItem."},
        {"entry", setenthint, 2,
         "Identify an elementary stream of the Clip used by a SubPath with SubPath_type set to 2,3,4,5 or 6 "
         "associated with the PlayItem."},
        {"entry", setenthint, 3,
         "Identify an elementary stream of the Clip used by a SubPath with SubPath_type set to 7 (IM Sync) "
         "associated with the PlayItem."},
        {"entry", setenthint, 4, std::nullopt},
        {"entry", setenthint, -1, std::nullopt},
        {"SubPath", setSPThint, 0, "reserved"},
        {"SubPath", setSPThint, 1, "reserved"},
        {"SubPath", setSPThint, 3, "Interactive Graphics presentation menu"},
        {"SubPath", setSPThint, 7, "In-mux and Synchronous type of Picture-in-Picture presentation path"},
        {"SubPath", setSPThint, 8, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(c.hint(c.index), c.text) << c.list << " index " << c.index;
}

}  // namespace
}  // namespace navelo
