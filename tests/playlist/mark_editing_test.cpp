#include "playlist/mark_editing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/field_reader.h"
#include "playlist/chapter_files.h"
#include "playlist/playlist_consistency.h"
#include "playlist/playlist_fixtures.h"
#include "playlist/playlist_rows.h"

namespace navelo {
namespace {

namespace fx = test::mpls;

TMPLS readModel(const test::mpls::Bytes& bytes) {
    FieldReader in("00001.mpls", bytes);
    auto r = readPlayList(in);
    EXPECT_TRUE(r.ok() && !r->truncated);
    return r.ok() ? r->model : TMPLS{};
}

TMPLS withMarks(std::size_t n) {
    fx::File f = fx::richFile();
    f.marks.clear();
    for (std::size_t i = 0; i < n; ++i) f.marks.push_back({1, 0, static_cast<std::uint32_t>(45000 * i)});
    return readModel(fx::file(f));
}

TEST(MarkEditing, InsertAndDelete) {
    // The first mark: an entry-mark at time 0 of PlayItem 0, entry PID FFFF.
    TMPLS m = withMarks(0);
    const TMPLS empty = m;
    EXPECT_EQ(insertMark(m, 4), 0u);
    EXPECT_EQ(playListMarkRow(0, m.PlayListMark.marks[0]),
              (std::vector<std::string>{"000", "entry-mark", "000", "00:00:00.000", "FFFF", "0"}));
    EXPECT_EQ(m.PlayListMark.length, 16u);
    EXPECT_EQ(m.ExtensionData_start_address, empty.ExtensionData_start_address + 14);
    test::expectConsistent(m);

    struct Case {
        std::string what;
        std::size_t first, last;
        std::optional<std::size_t> selectRow;
        std::size_t left;
    };
    const std::vector<Case> deletions{
        {"rows 2 to 4 of five", 1, 3, 0, 2},
        {"the range upwards", 3, 1, 0, 2},
        {"the first row", 0, 0, 0, 4},
        {"a range past the end is cut", 3, 10, 2, 3},
        {"all", 0, 4, std::nullopt, 0},
    };
    for (const auto& c : deletions) {
        SCOPED_TRACE(c.what);
        TMPLS five = withMarks(5);
        const TMPLS before = five;
        const auto d = deleteMarks(five, c.first, c.last);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->count, 5 - c.left);
        EXPECT_EQ(d->selectRow, c.selectRow);
        EXPECT_EQ(five.PlayListMark.length, 2 + 14 * c.left);
        EXPECT_EQ(before.ExtensionData_start_address - five.ExtensionData_start_address, 14 * (5 - c.left));
        EXPECT_EQ(five.PlayListMark_start_address, before.PlayListMark_start_address);
        test::expectConsistent(five);
    }
    TMPLS five = withMarks(5);
    EXPECT_EQ(deleteMarks(five, 5, 7), std::nullopt);

    // After the last selected mark; at the end without a selection.
    EXPECT_EQ(insertMark(five, 1), 2u);
    EXPECT_EQ(five.PlayListMark.marks[3].mark_time_stamp, 90000u) << "the marks after it moved down";
    EXPECT_EQ(insertMark(five, std::nullopt), 6u);
    while (five.PlayListMark.marks.size() < kMaxMarks) ASSERT_TRUE(insertMark(five, 0));
    EXPECT_EQ(insertMark(five, 0), std::nullopt) << "the 1000th mark";
    test::expectConsistent(five);
}

// A PlayList read without a PlayListMark block cannot be written; the first
// mark gives it one.
TEST(MarkEditing, FirstMarkOfAPlayListWithoutMarkBlock) {
    fx::File f;
    f.marks.clear();
    f.extension = fx::extensionBlock({9, 9});
    auto bytes = fx::file(f);
    const std::size_t marksAt = test::be32(bytes, 12);
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(marksAt), bytes.begin() + static_cast<std::ptrdiff_t>(marksAt + 6));
    for (std::size_t i = 12; i < 16; ++i) bytes[i] = 0;             // no PlayListMark block
    bytes[16 + 3] = static_cast<std::uint8_t>(bytes[16 + 3] - 6);   // the ExtensionData right after the PlayList
    const TMPLS read = readModel(bytes);
    ASSERT_EQ(read.PlayListMark_start_address, 0u);
    EXPECT_FALSE(writePlayList(read).ok());
    TMPLS m = read;
    EXPECT_EQ(insertMark(m, std::nullopt), 0u);
    EXPECT_EQ(m.PlayListMark_start_address, marksAt);
    test::expectConsistent(m);

    // So does a chapter import.
    TMPLS imported = read;
    NullLogSink quiet;
    Log log(quiet);
    const std::string chapters = "0\n22500\n";
    ASSERT_TRUE(importChapters(imported, std::vector<std::uint8_t>(chapters.begin(), chapters.end()), ChapterFormat::PTS,
                               "c.txt", log).ok());
    EXPECT_EQ(imported.PlayListMark.marks.size(), 2u);
    test::expectConsistent(imported);
}

TEST(MarkEditing, EditorFields) {
    struct Case {
        MarkTimeFields typed;
        MarkTimeFields shown;  // after clamping
        std::string cell;      // "mark time"
    };
    const std::vector<Case> cases{
        {{0, 75, 0, 0}, {0, 59, 0, 0}, "00:59:00.000"},
        {{0, 0, 1, 1500}, {0, 0, 1, 1500}, "00:00:02.500"},
        {{-1, -5, -7, -9}, {0, 0, 0, 0}, "00:00:00.000"},
        {{30, 0, 99, 999}, {25, 0, 59, 999}, "25:00:59.999"},
        {{0, 0, 0, 100000000}, {0, 0, 0, 100000000}, "01:15:56.282"},  // 4.5e9 ticks wrap in 32 bits
    };
    for (const auto& c : cases) {
        TMPLS m = withMarks(2);
        EXPECT_EQ(setMarkTime(m, 1, c.typed), c.shown);
        EXPECT_EQ(playListMarkRow(1, m.PlayListMark.marks[1])[3], c.cell);
    }

    TMPLS m = withMarks(2);
    EXPECT_EQ(setMarkTime(m, 2, {}), std::nullopt);
    EXPECT_TRUE(setMarkType(m, 1, 1));
    EXPECT_FALSE(setMarkType(m, 1, 2));
    EXPECT_TRUE(setMarkPlayItem(m, 1, 70000));  // kept as entered, in 16 bits
    ASSERT_TRUE(setMarkTime(m, 1, {26, 3, 4, 5}));
    const auto v = showMark(m, 1);
    ASSERT_TRUE(v);
    EXPECT_EQ(*v, (MarkEditorView{1, 4464, {25, 3, 4, 5}}));
    EXPECT_EQ(playListMarkRow(1, m.PlayListMark.marks[1]),
              (std::vector<std::string>{"001", "link point", "4464", "25:03:04.005", "FFFF", "0"}));
    EXPECT_EQ(showMark(m, 2), std::nullopt);
    test::expectConsistent(m);
}

}  // namespace
}  // namespace navelo
