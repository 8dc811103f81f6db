#include "playlist/playitem_editing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/field_reader.h"
#include "playlist/playlist_consistency.h"
#include "playlist/playlist_fixtures.h"
#include "playlist/playlist_rows.h"

namespace navelo {
namespace {

namespace fx = test::mpls;

TMPLS readModel(const fx::File& f) {
    FieldReader in("00001.mpls", fx::file(f));
    auto r = readPlayList(in);
    EXPECT_TRUE(r.ok() && !r->truncated);
    return r.ok() ? r->model : TMPLS{};
}

// Answers every question the same way and records which were asked.
struct Answers {
    std::vector<InTimeQuestion> asked;
    std::vector<bool> replies;  // by question; missing ones answer No
    YesNoAnswer fn() {
        return [this](InTimeQuestion q) {
            asked.push_back(q);
            const auto i = static_cast<std::size_t>(q);
            return i < replies.size() && replies[i];
        };
    }
};

TEST(PlayItemEditing, PlayItemCells) {
    struct Case {
        std::string what;
        int column;
        std::string text;
        bool changed;
        std::vector<std::string> row;  // the row drawn again afterwards
        std::string error;             // the message when refused with an error
    };
    // PlayItem 1 of the rich fixture: clip 00002, 00:00:20.000 to 00:00:40.000.
    const std::vector<std::string> unchanged{"001", "00002", "M2TS", "00:00:20.000", "00:00:40.000",
                                             "00:00:20.000", "3CB805FF", "40000000", "0"};
    auto with = [&](std::size_t cell, std::string text, std::string length = {}) {
        auto row = unchanged;
        row[cell] = std::move(text);
        if (!length.empty()) row[5] = std::move(length);
        return row;
    };
    const std::vector<Case> cases{
        {"a complete clip name", 1, "00042", true, with(1, "00042"), ""},
        {"an incomplete clip name", 1, "0004 ", false, unchanged, ""},
        {"a short clip name", 1, "0004", false, unchanged, ""},
        {"the type is not editable", 2, "ABCD", false, unchanged, ""},
        {"an OUT time", 4, "00:01:00.500", true, with(4, "00:01:00.500", "00:00:40.500"), ""},
        {"the last time of a day", 4, "23:59:59.999", true, with(4, "23:59:59.999", "23:59:39.999"), ""},
        {"OUT time: 24 hours is no time of day", 4, "24:00:00.000", false, unchanged, "'24:00:00.000' is not a valid time"},
        {"OUT time: 60 seconds", 4, "00:00:60.000", false, unchanged, "'00:00:60.000' is not a valid time"},
        {"an incomplete time", 4, "00:01:0 .000", false, unchanged, ""},
        {"the length is not editable", 5, "00:00:01.000", false, unchanged, ""},
        {"UO1 in lower case", 6, "ffff0000", true, with(6, "FFFF0000"), ""},
        {"UO1 incomplete", 6, "FFFF000", false, unchanged, ""},
        {"UO2 keeps bit 30 only", 7, "FFFFFFFF", false, unchanged, ""},
        {"UO2 cleared", 7, "BFFFFFFF", true, with(7, "00000000"), ""},
        {"An is not editable", 8, "4", false, unchanged, ""},
        {"no such column", 9, "x", false, unchanged, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TMPLS m = readModel(fx::richFile());
        const TMPLS before = m;
        Answers answers;
        auto r = editPlayItemCell(m, 1, c.column, c.text, answers.fn());
        if (!c.error.empty()) {
            ASSERT_FALSE(r.ok());
            EXPECT_EQ(r.error().message, c.error);
            EXPECT_EQ(m, before);
            continue;
        }
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r->changed, c.changed);
        EXPECT_EQ(m != before, c.changed);
        EXPECT_TRUE(answers.asked.empty());
        EXPECT_EQ(playItemRow(1, m.PlayList.PlayItems[1]), c.row);
        test::expectConsistent(m);
    }
    TMPLS m = readModel(fx::richFile());
    EXPECT_FALSE(editPlayItemCell(m, 3, 1, "00042", Answers{}.fn())->changed) << "no such row";
    EXPECT_EQ(playItemEditMask(3), "00:00:00.000");
    EXPECT_EQ(playItemEditMask(7), ">AAAAAAAA");
    EXPECT_EQ(subPlayItemEditMask(4), ">L");
    EXPECT_EQ(subPlayItemEditMask(8), "000");
}

// An IN-time change moves what the answers choose by the same (wrapping) amount.
TEST(PlayItemEditing, InTimeChangeMovesWhatTheAnswersChoose) {
    struct Case {
        std::string what;
        std::vector<bool> replies;
        std::uint32_t out;
        bool subPlayItemsMoved, marksMoved;
    };
    // PlayItem 1 runs from 00:00:20.000; it moves to 00:00:05.000, 675,000 ticks earlier.
    constexpr std::uint32_t back = 675000;
    const std::vector<Case> cases{
        {"Yes to all", {true, true, true}, 1800000 - back, true, true},
        {"No to the OUT time only", {false, true, true}, 1800000, true, true},
        {"No to all", {}, 1800000, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TMPLS m = readModel(fx::richFile());
        const TMPLS before = m;
        Answers answers{{}, c.replies};
        auto r = editPlayItemCell(m, 1, 3, "00:00:05.000", answers.fn());
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(answers.asked, (std::vector<InTimeQuestion>{InTimeQuestion::OutTime, InTimeQuestion::SubPlayItems,
                                                              InTimeQuestion::Marks}));
        EXPECT_EQ(m.PlayList.PlayItems[1].IN_time, 225000u);
        EXPECT_EQ(m.PlayList.PlayItems[1].OUT_time, c.out);
        EXPECT_EQ(r->subPlayItemsMoved, c.subPlayItemsMoved);
        EXPECT_EQ(r->marksMoved, c.marksMoved);
        for (std::size_t j = 0; j < m.PlayList.SubPaths.size(); ++j) {
            for (std::size_t k = 0; k < m.PlayList.SubPaths[j].SubPlayItems.size(); ++k) {
                const auto& now = m.PlayList.SubPaths[j].SubPlayItems[k];
                const auto& was = before.PlayList.SubPaths[j].SubPlayItems[k];
                EXPECT_EQ(now.IN_time, c.subPlayItemsMoved ? was.IN_time - back : was.IN_time);
                EXPECT_EQ(now.OUT_time, c.subPlayItemsMoved ? was.OUT_time - back : was.OUT_time);
            }
        }
        for (std::size_t i = 0; i < m.PlayListMark.marks.size(); ++i) {
            // Every mark, whichever PlayItem it refers to (mark 0 wraps below 0).
            const std::uint32_t was = before.PlayListMark.marks[i].mark_time_stamp;
            EXPECT_EQ(m.PlayListMark.marks[i].mark_time_stamp, c.marksMoved ? was - back : was);
        }
        test::expectConsistent(m);
    }

    // The same time again asks nothing; without SubPaths and marks only the OUT time is asked.
    TMPLS m = readModel(fx::richFile());
    Answers same;
    EXPECT_FALSE(editPlayItemCell(m, 1, 3, "00:00:20.000", same.fn())->changed);
    EXPECT_TRUE(same.asked.empty());
    fx::File plain;
    plain.marks.clear();
    TMPLS bare = readModel(plain);
    Answers one{{}, {true}};
    EXPECT_TRUE(editPlayItemCell(bare, 0, 3, "00:00:01.000", one.fn())->changed);
    EXPECT_EQ(one.asked, std::vector<InTimeQuestion>{InTimeQuestion::OutTime});
    EXPECT_EQ(bare.PlayList.PlayItems[0].IN_time, 45000u);
    EXPECT_EQ(bare.PlayList.PlayItems[0].OUT_time, 90000u);
    EXPECT_EQ(inTimeQuestionText(InTimeQuestion::SubPlayItems), "Do you want to update SubPlayItems' IN/OUT times?");
}

TEST(PlayItemEditing, SubPlayItemCells) {
    struct Case {
        std::string what;
        int column;
        std::string text;
        std::vector<std::string> row;  // SubPlayItem 1 of SubPath 1 drawn again
    };
    // SubPlayItem 1 of SubPath 1 of the rich fixture.
    const std::vector<std::string> before{"001", "00004", "M2TS", "1", "No", "0",
                                          "00:00:00.000", "00:00:01.000", "1", "00:00:20.000", "0"};
    auto with = [&](std::size_t cell, std::string text) {
        auto row = before;
        row[cell] = std::move(text);
        return row;
    };
    const std::vector<Case> cases{
        {"a clip name is taken as typed, cut to 5", 1, "123456", with(1, "12345")},
        {"a short clip name", 1, "12", with(1, "12")},
        {"the type is not editable", 2, "XXXX", before},
        {"connection 7 is stored as 1", 3, "7", before},
        {"connection 5", 3, "5", with(3, "5")},
        {"connection 6", 3, "6", with(3, "6")},
        {"connection with a blank", 3, " ", before},
        {"STC in 8 bits", 5, "300", with(5, "44")},
        {"STC with a blank", 5, "3 0", before},
        {"IN time is halved from 90 kHz", 6, "00:00:01.000", with(6, "00:00:01.000")},
        {"OUT time taken leniently", 7, "01:xx:02.500", with(7, "01:00:02.500")},
        {"sync PlayItem 999 is 0", 8, "999", with(8, "0")},
        {"sync PlayItem 1000 is 1", 8, "1000", with(8, "1")},
        {"sync PTS", 9, "00:10:00.000", with(9, "00:10:00.000")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TMPLS m = readModel(fx::richFile());
        const TMPLS was = m;
        const auto r = editSubPlayItemCell(m, 1, 1, c.column, c.text);
        EXPECT_EQ(r.changed, c.row != before);
        EXPECT_FALSE(r.clipEntriesChanged);
        EXPECT_EQ(subPlayItemRow(1, m.PlayList.SubPaths[1].SubPlayItems[1]), c.row);
        test::expectConsistent(m);
    }
    TMPLS m = readModel(fx::richFile());
    EXPECT_EQ(editSubPlayItemCell(m, 1, 1, 6, "00:00:01.000").changed, true);
    EXPECT_EQ(m.PlayList.SubPaths[1].SubPlayItems[1].IN_time, 45000u);
    EXPECT_FALSE(editSubPlayItemCell(m, 2, 0, 1, "00001").changed) << "no such SubPath";
    EXPECT_FALSE(editSubPlayItemCell(m, 1, 2, 1, "00001").changed) << "no such SubPlayItem";
}

// The clip entry block exists in the file exactly when "multi" is Yes: the
// entries and every byte count follow the flag.
TEST(PlayItemEditing, MultiColumnAddsAndDropsTheClipEntries) {
    struct Case {
        std::string what;
        std::size_t subPath;
        std::string text;
        std::int64_t bytes;  // change of the PlayList length
        std::size_t entries;
    };
    const std::vector<Case> cases{
        {"Yes on a single clip: one entry, the own clip", 1, "Y", 2, 1},
        {"lower case y", 1, "y", 2, 1},
        {"No on three entries drops them", 0, "N", -22, 0},
        {"any other letter is No", 0, "X", -22, 0},
        {"Yes again changes nothing", 0, "Y", 0, 3},
        {"a blank changes nothing", 0, " ", 0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TMPLS m = readModel(fx::richFile());
        const TMPLS before = m;
        const auto r = editSubPlayItemCell(m, c.subPath, 0, 4, c.text);
        EXPECT_EQ(r.clipEntriesChanged, c.bytes != 0);
        const TSubPlayItem& s = m.PlayList.SubPaths[c.subPath].SubPlayItems[0];
        EXPECT_EQ(s.clips.size(), c.entries);
        EXPECT_EQ(showsClipEntryGrid(s), c.entries != 0);
        EXPECT_EQ(std::int64_t{m.PlayList.length} - before.PlayList.length, c.bytes);
        EXPECT_EQ(std::int64_t{m.PlayListMark_start_address} - before.PlayListMark_start_address, c.bytes);
        EXPECT_EQ(std::int64_t{m.ExtensionData_start_address} - before.ExtensionData_start_address, c.bytes);
        test::expectConsistent(m);
    }
}

// Entry 0 of the angle and clip entry lists is the record's own clip, which
// the file holds only once: it follows the name and STC edits.
TEST(PlayItemEditing, OwnClipEntryFollowsTheRecord) {
    TMPLS m = readModel(fx::richFile());
    ASSERT_TRUE(editPlayItemCell(m, 0, 1, "00077", Answers{}.fn()).ok());
    EXPECT_EQ(m.PlayList.PlayItems[0].multi_clip.angles[0].Clip_Information_file_name, "00077");
    editSubPlayItemCell(m, 0, 0, 1, "00088");
    editSubPlayItemCell(m, 0, 0, 5, "9");
    EXPECT_EQ(m.PlayList.SubPaths[0].SubPlayItems[0].clips[0], (TClipRef{"00088", "M2TS", 9}));
    test::expectConsistent(m);

    // The clips the double clicks jump to, found in the clip list by their exact name.
    EXPECT_EQ(playItemClipName(m, 0), "00077");
    EXPECT_EQ(angleClipName(m, 0, 2), "00012");
    EXPECT_EQ(angleClipName(m, 1, 0), std::nullopt) << "a PlayItem without angles";
    EXPECT_EQ(subPlayItemClipName(m, 1, 1), "00004");
    EXPECT_EQ(clipEntryClipName(m, 0, 0, 1), "00021");
    EXPECT_EQ(clipEntryClipName(m, 0, 0, 3), std::nullopt);
    const std::vector<std::string> clips{"00001", "00012", "00012", "00021"};
    EXPECT_EQ(findClipItem(clips, "00012"), 1u);
    EXPECT_EQ(findClipItem(clips, "0001"), std::nullopt);
}

TEST(PlayItemEditing, TimeOfDay) {
    struct Case {
        std::string text;
        std::optional<std::uint32_t> ticks;
    };
    const std::vector<Case> cases{
        {"00:00:01.000", 45000},  {"01:02:03.004", 167535180}, {"23:59:59.999", 3887999955u},
        {"24:00:00.000", {}},     {"00:60:00.000", {}},         {"0:00:01.000", {}},
        {"00-00-01.000", {}},     {"00:00:01.0000", {}},        {"+0:00:01.000", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(timeOfDayTicks(c.text), c.ticks) << c.text;
}

TEST(SubPathEditing, InsertAndDelete) {
    TMPLS m = readModel(fx::richFile());
    const TMPLS before = m;

    // After the selected first SubPath: second, and 40 more bytes before the marks.
    ASSERT_EQ(insertSubPath(m, 0), 1u);
    ASSERT_EQ(m.PlayList.SubPaths.size(), 3u);
    EXPECT_EQ(m.PlayList.length, before.PlayList.length + 40);
    EXPECT_EQ(m.PlayListMark_start_address, before.PlayListMark_start_address + 40);
    EXPECT_EQ(m.ExtensionData_start_address, before.ExtensionData_start_address + 40);
    EXPECT_EQ(subPathRow(1, m.PlayList.SubPaths[1]), (std::vector<std::string>{"001", "IG menu", "No", "1"}));
    EXPECT_EQ(subPlayItemRow(0, m.PlayList.SubPaths[1].SubPlayItems[0]),
              (std::vector<std::string>{"000", "00001", "M2TS", "1", "No", "0", "00:00:00.000", "00:00:00.000", "0",
                                        "00:00:00.000", "0"}));
    EXPECT_EQ(m.PlayList.SubPaths[2], before.PlayList.SubPaths[1]);
    test::expectConsistent(m);

    // The second SubPath of the fixture has two SubPlayItems of length 28: 70 bytes.
    const auto d = deleteSubPath(m, 2);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->removedBytes, 70u);
    EXPECT_EQ(d->selectRow, 1u);
    EXPECT_EQ(m.PlayList.length, before.PlayList.length + 40 - 70);
    test::expectConsistent(m);
    EXPECT_EQ(deleteSubPath(m, 0)->selectRow, 0u);
    EXPECT_EQ(deleteSubPath(m, 1), std::nullopt) << "no such row";
    EXPECT_EQ(deleteSubPath(m, 0)->selectRow, std::nullopt) << "none left";
    EXPECT_EQ(deleteSubPath(m, 0), std::nullopt);
    EXPECT_EQ(m.PlayList.number_of_SubPaths, 0u);
    test::expectConsistent(m);

    // The first SubPath goes to position 0; without a selection a new one goes last.
    EXPECT_EQ(insertSubPath(m, 5), 0u);
    EXPECT_EQ(insertSubPath(m, std::nullopt), 1u);
    while (m.PlayList.SubPaths.size() < kMaxSubPaths) ASSERT_TRUE(insertSubPath(m, 0));
    EXPECT_EQ(insertSubPath(m, 0), std::nullopt) << "the 256th";
    test::expectConsistent(m);

    // Without a PlayItem the new SubPlayItem names no clip.
    TMPLS empty;
    ASSERT_EQ(insertSubPath(empty, std::nullopt), 0u);
    EXPECT_EQ(empty.PlayList.SubPaths[0].SubPlayItems[0].Clip_codec_identifier, "M2TS");
    test::expectConsistent(empty);
}

TEST(SubPathEditing, TypeAndRepeat) {
    TMPLS m = readModel(fx::richFile());
    // The repeat word 0x0100 is "Yes" in the grid but no item of the list.
    EXPECT_EQ(showSubPath(m, 0)->repeatIndex, -1);
    EXPECT_TRUE(setSubPathType(m, 0, 2));
    EXPECT_EQ(m.PlayList.SubPaths[0].repeat, 0x0100) << "type 2 repeats";
    EXPECT_TRUE(setSubPathRepeat(m, 0, 1));
    const auto v = showSubPath(m, 0);
    EXPECT_EQ(v->typeIndex, 2);
    EXPECT_EQ(v->repeatIndex, 1);
    EXPECT_TRUE(v->repeatEnabled);
    EXPECT_EQ(v->typeHint, "Primary audio presentation path of the Browsable slideshow");
    EXPECT_TRUE(setSubPathType(m, 0, 4));
    EXPECT_EQ(m.PlayList.SubPaths[0].repeat, 0) << "other types do not repeat";
    EXPECT_FALSE(showSubPath(m, 0)->repeatEnabled);
    EXPECT_FALSE(setSubPathType(m, 0, 8));
    EXPECT_FALSE(setSubPathRepeat(m, 0, 2));
    EXPECT_FALSE(setSubPathType(m, 2, 3));
    EXPECT_EQ(subPathRow(0, m.PlayList.SubPaths[0]), (std::vector<std::string>{"000", "Text sub", "No", "1"}));
    test::expectConsistent(m);
}

}  // namespace
}  // namespace navelo
