#include "playlist/playlist_rows.h"

#include <gtest/gtest.h>

#include "core/field_reader.h"
#include "playlist/playlist_file.h"
#include "playlist/playlist_fixtures.h"

namespace navelo {
namespace {

namespace fx = test::mpls;
using Rows = std::vector<std::vector<std::string>>;
using Header = std::vector<std::string>;

TMPLS richModel() {
    FieldReader in("00001.mpls", fx::file(fx::richFile()));
    auto r = readPlayList(in);
    EXPECT_TRUE(r.ok() && !r->truncated);
    return r.ok() ? r->model : TMPLS{};
}

TEST(PlayListRows, GridsShowEveryRecord) {
    const TMPLS m = richModel();
    const auto& items = m.PlayList.PlayItems;
    ASSERT_EQ(items.size(), 3u);
    const TSTN& stn = items[0].STN_table;
    struct Case {
        GridText grid;
        std::string name;
        Header header;
        Rows rows;
    };
    const Header clipHeader{"", "file", "type", "STC"};
    const Header entryHeader{"", "type", "mPID", "SPid", "sCid", "sPID", "attrib"};
    const std::vector<Case> cases{
        {playItemGrid(m), "sgPLitem", {"", "file", "type", "IN time", "OUT time", "length", "UO1", "UO2", "An"},
         {{"000", "00001", "M2TS", "00:00:00.000", "00:00:01.000", "00:00:01.000", "00000000", "00000000", "3"},
          {"001", "00002", "M2TS", "00:00:20.000", "00:00:40.000", "00:00:20.000", "3CB805FF", "40000000", "0"},
          {"002", "00003", "M2TS", "00:00:00.000", "00:00:01.000", "00:00:01.000", "00000000", "00000000", "1"}}},
        {angleGrid(items[0]), "sgPIangles", clipHeader,
         {{"1", "00001", "M2TS", "0"}, {"2", "00011", "M2TS", "1"}, {"3", "00012", "M2TS", "2"}}},
        {angleGrid(items[2]), "sgPIangles", clipHeader, {{"1", "00003", "M2TS", "0"}}},
        // Column order Vi Au PG IG sV sA PIP, against the file order of the counts.
        {stnGrid(stn), "sgSTN", {"Vi", "Au", "PG", "IG", "sV", "sA", "PIP"}, {{"1", "2", "2", "1", "1", "2", "1"}}},
        {streamEntryGrid(stn, StreamKind::PrimaryVideo), "sgStreamEntry", entryHeader,
         {{"001", "PlayItem", "1011", "", "", "", "AVC, 1080p, 23.976"}}},
        {streamEntryGrid(stn, StreamKind::PrimaryAudio), "sgStreamEntry", entryHeader,
         {{"001", "PlayItem", "1100", "", "", "", "DD, Multi-ch., 48 kHz, eng"},
          {"002", "SubPath", "", "01", "02", "1101", "Dolby Lossless, St.+M-ch., c:48, e:192 kHz, jpn"}}},
        {streamEntryGrid(stn, StreamKind::PG_textST), "sgStreamEntry", entryHeader,
         {{"001", "PlayItem", "1200", "", "", "", "eng"}, {"002", "SubPath", "", "0A", "0B", "1201", "fra"}}},
        {streamEntryGrid(stn, StreamKind::PiP_PG_textST), "sgStreamEntry", entryHeader,
         {{"001", "IM PIP", "1202", "000A", "", "", "deu"}}},
        {streamEntryGrid(stn, StreamKind::IG), "sgStreamEntry", entryHeader,
         {{"001", "SubPath", "", "00", "00", "1400", "eng"}}},
        {streamEntryGrid(stn, StreamKind::SecondaryAudio), "sgStreamEntry", entryHeader,
         {{"001", "IM PIP", "1A00", "01", "", "", "DD+, Stereo, 48 kHz, eng"},
          {"002", "SubPath", "", "12", "03", "1A01", "DTS-HD, Stereo, 48 kHz, spa"}}},
        {streamEntryGrid(stn, StreamKind::SecondaryVideo), "sgStreamEntry", entryHeader,
         {{"001", "IM PIP", "1B00", "01", "", "", "VC1, 480p, 23.976"}}},
        {streamEntryGrid(items[1].STN_table, StreamKind::IG), "sgStreamEntry", entryHeader, {}},
        {subPathGrid(m), "sgSubPath", {"", "type", "repeat", "item"},
         {{"000", "IG menu", "Yes", "1"}, {"001", "IM Sync", "No", "2"}}},
        {subPlayItemGrid(m.PlayList.SubPaths[0]), "sgSubPlayItem",
         {"", "file", "type", "conn", "multi", "STC", "IN time", "OUT time", "sync PI", "sync PTS", "An"},
         {{"000", "00002", "M2TS", "5", "Yes", "0", "00:00:00.000", "00:00:01.000", "0", "00:00:00.000", "3"}}},
        {subPlayItemGrid(m.PlayList.SubPaths[1]), "sgSubPlayItem",
         {"", "file", "type", "conn", "multi", "STC", "IN time", "OUT time", "sync PI", "sync PTS", "An"},
         {{"000", "00002", "M2TS", "1", "No", "0", "00:00:00.000", "00:00:01.000", "0", "00:00:00.000", "0"},
          {"001", "00004", "M2TS", "1", "No", "0", "00:00:00.000", "00:00:01.000", "1", "00:00:20.000", "0"}}},
        {clipEntryGrid(m.PlayList.SubPaths[0].SubPlayItems[0]), "sgAngles", clipHeader,
         {{"1", "00002", "M2TS", "0"}, {"2", "00021", "M2TS", "1"}, {"3", "00022", "M2TS", "2"}}},
        {playListMarkGrid(m), "sgPlayListMark", {"", "type", "PI", "mark time", "entry PID", "duration"},
         {{"000", "entry-mark", "000", "00:00:00.000", "FFFF", "0"},
          {"001", "link point", "001", "00:00:20.000", "1011", "45000"},
          {"002", "entry-mark", "001", "00:00:30.000", "FFFF", "0"},
          {"003", "entry-mark", "002", "00:00:00.000", "FFFF", "0"},
          {"004", "link point", "002", "00:00:00.001", "FFFF", "0"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.grid.name, c.name);
        EXPECT_EQ(c.grid.header, c.header);
        EXPECT_EQ(c.grid.rows, c.rows);
    }
    EXPECT_TRUE(showsAngleGrid(items[0]));
    EXPECT_FALSE(showsAngleGrid(items[1]));
    EXPECT_TRUE(showsClipEntryGrid(m.PlayList.SubPaths[0].SubPlayItems[0]));
    EXPECT_FALSE(showsClipEntryGrid(m.PlayList.SubPaths[1].SubPlayItems[0]));
}

TEST(PlayListRows, CellsForCodesBeyondTheTables) {
    TStreamItem item;
    item.entry.stream_type = 7;
    item.entry.ref_to_stream_PID_of_mainClip = 0x1011;
    item.attributes.stream_coding_type = 0x24;  // no name, no class
    EXPECT_EQ(streamEntryRow(9, StreamKind::PrimaryVideo, item), (std::vector<std::string>{"010", "", "", "", "", "", ", -, -"}));
    TSubPath sp;
    sp.SubPath_type = 9;
    sp.repeat = 2;
    EXPECT_EQ(subPathRow(0, sp), (std::vector<std::string>{"000", "", "Yes", "0"}));
    TMark mark;
    mark.mark_type = 3;
    mark.ref_to_PlayItem_id = 1234;
    EXPECT_EQ(playListMarkRow(1000, mark)[0], "1000");
    EXPECT_EQ(playListMarkRow(1000, mark)[1], "");
    EXPECT_EQ(playListMarkRow(1000, mark)[2], "1234");
    // OUT before IN wraps in 32 bits, as the length cell always has.
    TPlayItem p;
    p.IN_time = 45;
    EXPECT_EQ(playItemRow(0, p)[5], "26:30:43.716");
}

TEST(PlayListRows, AppInfoFields) {
    struct Case {
        std::uint8_t type;
        int current;
        std::string text;
    };
    const std::vector<Case> cases{
        {0, 0, "Sequential"}, {1, 0, "Sequential"}, {2, 0, "Random"}, {3, 0, "Shuffle"},
        {1, 2, "Shuffle"},  // types 0 and 1 leave the list as it was
        {0, 1, "Random"},   {4, 0, ""}, {255, 2, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(playbackTypeItemText(playbackTypeSelection(c.type, c.current)), c.text) << int(c.type) << " " << c.current;
    }
    const TMPLS m = richModel();
    EXPECT_EQ(playbackCountText(m), "7");
    EXPECT_EQ(uoMaskText(m.AppInfoPlayList.UO_mask_table.word1), "80000200");
    EXPECT_EQ(uoMaskText(m.AppInfoPlayList.UO_mask_table.word2), "40000001");
    EXPECT_EQ(extensionDataCaption(m), "1 entry, 28 bytes");
    EXPECT_EQ(extensionDataCaption(TMPLS{}), "no ExtensionData()");

    // Before any read: empty grids, zero counts.
    const TMPLS empty;
    EXPECT_TRUE(playItemGrid(empty).rows.empty());
    EXPECT_EQ(stnGrid(TSTN{}).rows, (Rows{{"0", "0", "0", "0", "0", "0", "0"}}));
}

TEST(PlayListRows, ReadProgressNamesWhereEachRecordStarts) {
    const fx::File f = fx::richFile();
    const auto bytes = fx::file(f);
    // The places counted from the fixture's own bytes: PlayItems, then SubPaths, then marks.
    std::vector<std::string> expected;
    std::size_t at = fx::kFirstPlayItemAt;
    for (const auto& p : f.items) {
        expected.push_back(std::to_string(at) + "/" + std::to_string(bytes.size()));
        at += fx::playItem(p).size();
    }
    for (const auto& sp : f.subPaths) {
        expected.push_back(std::to_string(at) + "/" + std::to_string(bytes.size()));
        at += fx::subPath(sp).size();
    }
    for (std::size_t i = 0; i < f.marks.size(); ++i) {
        expected.push_back(std::to_string(at + 6 + 14 * i) + "/" + std::to_string(bytes.size()));
    }
    EXPECT_EQ(playListReadProgress(richModel(), bytes.size()), expected);
    EXPECT_EQ(savePlayListHint("00001"), "Save 00001.mpls");
}

}  // namespace
}  // namespace navelo
