#include "playlist/stn_editing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/field_reader.h"
#include "playlist/code_tables.h"
#include "playlist/playlist_consistency.h"
#include "playlist/playlist_fixtures.h"

namespace navelo {
namespace {

namespace fx = test::mpls;
using K = StreamKind;

TMPLS readModel(const fx::File& f) {
    FieldReader in("00001.mpls", fx::file(f));
    auto r = readPlayList(in);
    EXPECT_TRUE(r.ok() && !r->truncated);
    return r.ok() ? r->model : TMPLS{};
}

// The rich fixture's first PlayItem has items of every kind: 1 video, 2 audio,
// 2 PG, 1 IG, 1 secondary video, 2 secondary audio, 1 PiP PG.
TMPLS rich() { return readModel(fx::richFile()); }

std::vector<std::string> counts(const TMPLS& m, std::size_t item = 0) {
    return stnGrid(m.PlayList.PlayItems[item].STN_table).rows.at(0);
}

// Every enclosing length and address grew by `bytes`.
void expectMoved(const TMPLS& before, const TMPLS& after, std::int64_t bytes, std::size_t item = 0) {
    const auto& b = before.PlayList.PlayItems[item];
    const auto& a = after.PlayList.PlayItems[item];
    EXPECT_EQ(std::int64_t{a.STN_table.length} - b.STN_table.length, bytes);
    EXPECT_EQ(std::int64_t{a.length} - b.length, bytes);
    EXPECT_EQ(std::int64_t{after.PlayList.length} - before.PlayList.length, bytes);
    EXPECT_EQ(std::int64_t{after.PlayListMark_start_address} - before.PlayListMark_start_address, bytes);
    EXPECT_EQ(std::int64_t{after.ExtensionData_start_address} - before.ExtensionData_start_address, bytes);
}

TEST(StnEditing, InsertEveryKind) {
    struct Case {
        StreamKind kind;
        std::optional<std::size_t> selected;
        std::optional<std::size_t> row;  // where the new item lands; nullopt: refused
        std::int64_t bytes;
        std::vector<std::string> counts;  // sgSTN afterwards
        std::vector<std::string> newRow;  // its sgStreamEntry row
    };
    const std::vector<Case> cases{
        {K::PrimaryVideo, 0, std::nullopt, 0, {"1", "2", "2", "1", "1", "2", "1"}, {}},
        {K::PrimaryAudio, 0, 1, 16, {"1", "3", "2", "1", "1", "2", "1"},
         {"002", "PlayItem", "1100", "", "", "", "DD, Multi-ch., 48 kHz, eng"}},
        {K::PG_textST, 1, 2, 16, {"1", "2", "3", "1", "1", "2", "1"}, {"003", "PlayItem", "1200", "", "", "", "eng"}},
        {K::PiP_PG_textST, 0, 1, 16, {"1", "2", "2", "1", "1", "2", "2"}, {"002", "PlayItem", "1200", "", "", "", "eng"}},
        {K::IG, std::nullopt, 1, 16, {"1", "2", "2", "2", "1", "2", "1"}, {"002", "SubPath", "", "00", "00", "1400", "eng"}},
        {K::SecondaryVideo, 7, 1, 20, {"1", "2", "2", "1", "2", "2", "1"},
         {"002", "IM PIP", "1B00", "00", "", "", "AVC, 480p, 23.976"}},
        {K::SecondaryAudio, 0, 1, 18, {"1", "2", "2", "1", "1", "3", "1"},
         {"002", "PlayItem", "1A00", "", "", "", "DD+, Stereo, 48 kHz, eng"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(streamKindHeader(c.kind)));
        TMPLS m = rich();
        const TMPLS before = m;
        const auto row = insertStream(m, 0, c.kind, c.selected);
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(counts(m), c.counts);
        expectMoved(before, m, c.bytes);
        if (row) {
            EXPECT_EQ(streamEntryGrid(m.PlayList.PlayItems[0].STN_table, c.kind).rows.at(*row), c.newRow);
        }
        test::expectConsistent(m);
    }

    // A new PG item goes before the PiP items, which stay at the end of the shared list.
    TMPLS m = rich();
    ASSERT_EQ(insertStream(m, 0, K::PG_textST, 0), 1u);
    const auto& pg = m.PlayList.PlayItems[0].STN_table.PG_textST;
    ASSERT_EQ(pg.size(), 4u);
    EXPECT_EQ(pg[3].attributes.language_code, "deu");
    EXPECT_EQ(insertStream(m, 3, K::PG_textST, 0), std::nullopt) << "no such PlayItem";
}

TEST(StnEditing, InsertLimits) {
    struct Case {
        StreamKind kind;
        std::size_t accepted;  // inserts accepted into a PlayItem with only a video stream
    };
    const std::vector<Case> cases{{K::PrimaryAudio, 32}, {K::IG, 32},          {K::PG_textST, 255},
                                  {K::SecondaryAudio, 32}, {K::SecondaryVideo, 32}, {K::PiP_PG_textST, 255},
                                  {K::PrimaryVideo, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(streamKindHeader(c.kind)));
        TMPLS m = readModel(fx::File{});
        std::size_t accepted = 0;
        while (insertStream(m, 0, c.kind, 0)) ++accepted;
        EXPECT_EQ(accepted, c.accepted);
        EXPECT_FALSE(stnButtons(m.PlayList.PlayItems[0].STN_table, c.kind).insert);
        test::expectConsistent(m);
    }
    // PG and PiP PG share 255 places.
    TMPLS m = readModel(fx::File{});
    for (int i = 0; i < 200; ++i) ASSERT_TRUE(insertStream(m, 0, K::PG_textST, std::nullopt));
    std::size_t pip = 0;
    while (insertStream(m, 0, K::PiP_PG_textST, std::nullopt)) ++pip;
    EXPECT_EQ(pip, 55u);
    // A PlayItem without video takes one video stream.
    EXPECT_TRUE(deleteStream(m, {0, K::PrimaryVideo, 0}));
    EXPECT_EQ(insertStream(m, 0, K::PrimaryVideo, std::nullopt), 0u);
    test::expectConsistent(m);
}

TEST(StnEditing, DeleteEveryKind) {
    struct Case {
        StreamRef ref;
        std::optional<std::uint32_t> bytes;  // nullopt: refused
        std::optional<std::size_t> selectRow;
        std::vector<std::string> counts;
    };
    const std::vector<Case> cases{
        {{0, K::PrimaryVideo, 0}, 16, std::nullopt, {"0", "2", "2", "1", "1", "2", "1"}},
        {{0, K::PrimaryAudio, 1}, 16, 0, {"1", "1", "2", "1", "1", "2", "1"}},
        {{0, K::PG_textST, 0}, 16, 0, {"1", "2", "1", "1", "1", "2", "1"}},
        {{0, K::PiP_PG_textST, 0}, 16, std::nullopt, {"1", "2", "2", "1", "1", "2", "0"}},
        {{0, K::IG, 0}, 16, std::nullopt, {"1", "2", "2", "0", "1", "2", "1"}},
        // Three primary audio references and a pad byte.
        {{0, K::SecondaryAudio, 0}, 22, 0, {"1", "2", "2", "1", "1", "1", "1"}},
        {{0, K::SecondaryAudio, 1}, 20, 0, {"1", "2", "2", "1", "1", "1", "1"}},
        // One secondary audio reference with its pad byte, two PiP references.
        {{0, K::SecondaryVideo, 0}, 24, std::nullopt, {"1", "2", "2", "1", "0", "2", "1"}},
        {{0, K::IG, 1}, std::nullopt, std::nullopt, {"1", "2", "2", "1", "1", "2", "1"}},
        {{3, K::IG, 0}, std::nullopt, std::nullopt, {"1", "2", "2", "1", "1", "2", "1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(streamKindHeader(c.ref.kind)) + " " + std::to_string(c.ref.row));
        TMPLS m = rich();
        const TMPLS before = m;
        const auto d = deleteStream(m, c.ref);
        ASSERT_EQ(d.has_value(), c.bytes.has_value());
        if (d) {
            EXPECT_EQ(d->removedBytes, *c.bytes);
            EXPECT_EQ(d->selectRow, c.selectRow);
            expectMoved(before, m, -std::int64_t{*c.bytes});
        } else {
            EXPECT_EQ(m, before);
        }
        EXPECT_EQ(counts(m), c.counts);
        test::expectConsistent(m);
    }

    // Deleting PG item 1 of [PG 1, PG 2, PiP 1] leaves [PG 2, PiP 1]; the last primary audio stays.
    TMPLS m = rich();
    ASSERT_TRUE(deleteStream(m, {0, K::PG_textST, 0}));
    const auto& pg = m.PlayList.PlayItems[0].STN_table.PG_textST;
    ASSERT_EQ(pg.size(), 2u);
    EXPECT_EQ(pg[0].attributes.language_code, "fra");
    EXPECT_EQ(pg[1].attributes.language_code, "deu");
    EXPECT_TRUE(deleteStream(m, {0, K::PrimaryAudio, 0}));
    EXPECT_FALSE(stnButtons(m.PlayList.PlayItems[0].STN_table, K::PrimaryAudio).remove);
    EXPECT_FALSE(deleteStream(m, {0, K::PrimaryAudio, 0}));
}

TEST(StnEditing, ShowItem) {
    const TMPLS m = rich();
    const auto pv = showStream(m, {0, K::PrimaryVideo, 0});
    EXPECT_TRUE(pv.shown && pv.mainPidShown && pv.videoShown);
    EXPECT_FALSE(pv.subPathShown || pv.audioShown || pv.languageShown);
    EXPECT_EQ(pv.entryTypeIndex, 1);
    EXPECT_EQ(pv.mainPid, 0x1011);
    EXPECT_EQ(pv.videoCodingIndex, 1);
    EXPECT_EQ(pv.videoFormatIndex, 6);
    EXPECT_EQ(pv.frameRateIndex, 1);

    const auto au = showStream(m, {0, K::PrimaryAudio, 1});
    EXPECT_TRUE(au.subPathShown && au.subClipShown && au.subPidShown && au.audioShown && au.languageShown);
    EXPECT_FALSE(au.mainPidShown || au.videoShown);
    EXPECT_EQ(au.subPath, 1);
    EXPECT_EQ(au.subClip, 2);
    EXPECT_EQ(au.subPid, 0x1101);
    EXPECT_EQ(au.audioCodingIndex, 3);
    EXPECT_EQ(au.presentationIndex, 12);
    EXPECT_EQ(au.frequencyIndex, 14);
    EXPECT_EQ(au.languageIndex, getlangind("jpn"));

    const auto pip = showStream(m, {0, K::PiP_PG_textST, 0});
    EXPECT_TRUE(pip.mainPidShown && pip.subPathShown && pip.languageShown);
    EXPECT_FALSE(pip.videoShown || pip.audioShown);
    EXPECT_EQ(pip.languageIndex, getlangind("deu"));
    EXPECT_FALSE(showStream(m, {0, K::IG, 1}).shown);
    EXPECT_FALSE(showStream(m, {1, K::PrimaryAudio, 0}).shown) << "a kind without items";
}

// Field edits, each followed by the item's row; an edit that does not apply
// to the item changes nothing.
TEST(StnEditing, FieldEdits) {
    struct Case {
        std::string what;
        StreamRef ref;
        std::function<bool(TMPLS&, const StreamRef&)> edit;
        bool applied;
        std::vector<std::string> row;
    };
    const std::vector<Case> cases{
        {"audio coding item 7 is 0xA1", {0, K::PrimaryAudio, 0}, [](TMPLS& m, const StreamRef& r) { return setAudioCoding(m, r, 7); },
         true, {"001", "PlayItem", "1100", "", "", "", "DD+, Multi-ch., 48 kHz, eng"}},
        {"presentation", {0, K::PrimaryAudio, 0}, [](TMPLS& m, const StreamRef& r) { return setAudioPresentation(m, r, 3); },
         true, {"001", "PlayItem", "1100", "", "", "", "DD, Stereo, 48 kHz, eng"}},
        {"sampling frequency", {0, K::SecondaryAudio, 1}, [](TMPLS& m, const StreamRef& r) { return setSamplingFrequency(m, r, 5); },
         true, {"002", "SubPath", "", "12", "03", "1A01", "DTS-HD, Stereo, 192 kHz, spa"}},
        {"language", {0, K::IG, 0}, [](TMPLS& m, const StreamRef& r) { return setStreamLanguage(m, r, getlangind("fra")); },
         true, {"001", "SubPath", "", "00", "00", "1400", "fra"}},
        {"no language for video", {0, K::PrimaryVideo, 0}, [](TMPLS& m, const StreamRef& r) { return setStreamLanguage(m, r, 0); },
         false, {"001", "PlayItem", "1011", "", "", "", "AVC, 1080p, 23.976"}},
        {"video coding and format", {0, K::SecondaryVideo, 0},
         [](TMPLS& m, const StreamRef& r) { return setVideoCoding(m, r, 0) && setVideoFormat(m, r, 7) && setFrameRate(m, r, 3); },
         true, {"001", "IM PIP", "1B00", "01", "", "", "MPEG-2, 576p, 25"}},
        {"no video edit on audio", {0, K::PrimaryAudio, 0}, [](TMPLS& m, const StreamRef& r) { return setVideoFormat(m, r, 1); },
         false, {"001", "PlayItem", "1100", "", "", "", "DD, Multi-ch., 48 kHz, eng"}},
        // Type 2 to 3 keeps the SubPath id and drops what type 3 does not carry.
        {"entry type 3", {0, K::PG_textST, 1}, [](TMPLS& m, const StreamRef& r) { return setStreamEntryType(m, r, 3); },
         true, {"002", "IM PIP", "0000", "000A", "", "", "fra"}},
        {"main PID of a type 2 entry", {0, K::PG_textST, 1}, [](TMPLS& m, const StreamRef& r) { return setStreamMainPid(m, r, 0x1234); },
         false, {"002", "SubPath", "", "0A", "0B", "1201", "fra"}},
        {"PIDs and ids in 16 and 8 bits", {0, K::PG_textST, 1},
         [](TMPLS& m, const StreamRef& r) {
             return setStreamSubPid(m, r, 0x12345) && setStreamSubPathId(m, r, 0x1FF) && setStreamSubClipId(m, r, -1);
         },
         true, {"002", "SubPath", "", "FF", "FF", "2345", "fra"}},
        {"entry type 0 clears every reference", {0, K::PrimaryAudio, 1}, [](TMPLS& m, const StreamRef& r) { return setStreamEntryType(m, r, 0); },
         true, {"002", "", "", "", "", "", "Dolby Lossless, St.+M-ch., c:48, e:192 kHz, jpn"}},
        {"no entry type 4", {0, K::IG, 0}, [](TMPLS& m, const StreamRef& r) { return setStreamEntryType(m, r, 4); },
         false, {"001", "SubPath", "", "00", "00", "1400", "eng"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TMPLS m = rich();
        const TMPLS before = m;
        EXPECT_EQ(c.edit(m, c.ref), c.applied);
        if (!c.applied) {
            EXPECT_EQ(m, before);
        }
        const auto grid = streamEntryGrid(m.PlayList.PlayItems[0].STN_table, c.ref.kind);
        EXPECT_EQ(grid.rows.at(c.ref.row), c.row);
        EXPECT_EQ(m.PlayList.length, before.PlayList.length);
        test::expectConsistent(m);
    }

    // The 8th audio coding item is shown again as the 8th; a code that is not in the language list shows none.
    TMPLS m = rich();
    ASSERT_TRUE(setAudioCoding(m, {0, K::SecondaryAudio, 0}, 7));
    EXPECT_EQ(m.PlayList.PlayItems[0].STN_table.secondary_audio[0].item.attributes.stream_coding_type, 0xA1);
    EXPECT_EQ(showStream(m, {0, K::SecondaryAudio, 0}).audioCodingIndex, 7);
    fx::File odd;
    odd.items[0].table = {{1, 1, 0, 0, 0, 0, 0},
                          fx::cat({fx::entryPlayItem(0x1011), {5, 0x24, 0x81, 0x11, 0x22, 0x33}, fx::entryPlayItem(0x1100),
                                   fx::audioAttr(0x81, 3, 1, "qqq")})};
    TMPLS o = readModel(odd);
    EXPECT_EQ(showStream(o, {0, K::PrimaryAudio, 0}).languageIndex, -1);
    // A video coding type without a layout (HEVC) takes no format until it gets a known coding type.
    const StreamRef hevc{0, K::PrimaryVideo, 0};
    EXPECT_EQ(showStream(o, hevc).videoCodingIndex, std::nullopt);
    EXPECT_FALSE(setVideoFormat(o, hevc, 6));
    EXPECT_TRUE(setVideoCoding(o, hevc, 1) && setVideoFormat(o, hevc, 6));
    EXPECT_EQ(streamEntryGrid(o.PlayList.PlayItems[0].STN_table, K::PrimaryVideo).rows.at(0).at(6), "AVC, 1080p, -");
    test::expectConsistent(o);
}

}  // namespace
}  // namespace navelo
