#include "playlist/appinfo_editing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/field_reader.h"
#include "playlist/playlist_consistency.h"
#include "playlist/playlist_fixtures.h"

namespace navelo {
namespace {

namespace fx = test::mpls;

TMPLS readModel(const fx::File& f) {
    FieldReader in("00001.mpls", fx::file(f));
    auto r = readPlayList(in);
    EXPECT_TRUE(r.ok() && !r->truncated);
    return r.ok() ? r->model : TMPLS{};
}

// The group's controls as a user works them, one after the other, and the two
// words after each step.
TEST(AppInfoEditing, UserOperationMaskSteps) {
    fx::File f;
    f.uo2 = 0x40000001;  // a reserved bit of word 2, as some files have it
    TMPLS m = readModel(f);
    struct Step {
        std::string what;
        std::function<void(TMPLS&)> act;
        std::uint32_t word1, word2;
    };
    const std::vector<Step> steps{
        {"a reserved word-2 bit stays after reading", [](TMPLS&) {}, 0, 0x40000001},
        {"check UO31 on a zero word", [](TMPLS& x) { setPlayListUOBit(x, 31, true); }, 0x80000000, 0x40000001},
        {"check UO9", [](TMPLS& x) { setPlayListUOBit(x, 9, true); }, 0x80000200, 0x40000001},
        {"uncheck UO31", [](TMPLS& x) { setPlayListUOBit(x, 31, false); }, 0x00000200, 0x40000001},
        {"a bit that has no box", [](TMPLS& x) { EXPECT_FALSE(setPlayListUOBit(x, 32, true)); }, 0x00000200, 0x40000001},
        {"uncheck UO2_30 keeps the other word-2 bits", [](TMPLS& x) { setPlayListUOWord2Bit30(x, false); }, 0x00000200,
         0x00000001},
        {"type FFFFFFFF into the word-2 field", [](TMPLS& x) { setPlayListUOMask(x, 0x00000200, 0xFFFFFFFF); }, 0x00000200,
         0xFFFFFFFF},
        {"leave the word-2 field", [](TMPLS& x) { EXPECT_EQ(leavePlayListUOWord2(x), 0x40000000u); }, 0x00000200,
         0x40000000},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        s.act(m);
        EXPECT_EQ(m.AppInfoPlayList.UO_mask_table, (TUOMaskTable{s.word1, s.word2}));
    }
    const UOCheckBoxes boxes = uoCheckBoxes(m.AppInfoPlayList.UO_mask_table);
    for (int bit = 0; bit < 32; ++bit) EXPECT_EQ(boxes.word1[static_cast<std::size_t>(bit)], bit == 9) << bit;
    EXPECT_TRUE(boxes.word2Bit30);
    EXPECT_EQ(uoBitHint(26), "Skip back to previous point ");
    EXPECT_EQ(uoBitHint(8), "UO8:Angle number change");
    EXPECT_EQ(uoBitHint(32), "");
    EXPECT_EQ(uoWord2BitHint(), "UO230: PiP PG textST stream number change ");
    test::expectConsistent(m);
}

TEST(AppInfoEditing, PlaybackTypeCountAndFlags) {
    struct Case {
        int item;
        bool accepted;
        std::uint8_t stored;
    };
    for (const Case& c : std::vector<Case>{{-1, false, 1}, {0, true, 1}, {1, true, 2}, {2, true, 3}, {3, false, 1}}) {
        TMPLS m = readModel(fx::File{});
        EXPECT_EQ(setPlaybackType(m, c.item), c.accepted) << c.item;
        EXPECT_EQ(m.AppInfoPlayList.PlayList_playback_type, c.stored) << c.item;
    }

    TMPLS m = readModel(fx::File{});
    setPlaybackCount(m, 65535);
    setAppInfoFlag(m, AppInfoFlag::RandomAccess, true);
    setAppInfoFlag(m, AppInfoFlag::BypassMixer, true);
    setAppInfoFlag(m, AppInfoFlag::AudioMix, true);
    setAppInfoFlag(m, AppInfoFlag::AudioMix, false);
    EXPECT_TRUE(appInfoFlag(m, AppInfoFlag::RandomAccess));
    EXPECT_FALSE(appInfoFlag(m, AppInfoFlag::AudioMix));
    // The flags word is bit 15 random access, bit 14 audio mix, bit 13 bypass mixer.
    const auto bytes = test::expectConsistent(m);
    ASSERT_GE(bytes.size(), 58u);
    EXPECT_EQ(test::be16(bytes, 46), 65535u);
    EXPECT_EQ(test::be16(bytes, 56), 0xA000u);
}

}  // namespace
}  // namespace navelo
