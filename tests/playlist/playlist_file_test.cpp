#include "playlist/playlist_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/field_reader.h"
#include "playlist/playlist_fixtures.h"
#include "playlist/playlist_rows.h"

namespace navelo {
namespace {

using test::ByteBuilder;
using test::mpls::Bytes;
namespace fx = test::mpls;

Expected<PlayListRead> readBytes(const Bytes& bytes, const std::string& name = "00001.mpls") {
    FieldReader in(name, bytes);
    return readPlayList(in);
}

// Reads a file that must read cleanly.
TMPLS readClean(const Bytes& bytes) {
    auto r = readBytes(bytes);
    EXPECT_TRUE(r.ok()) << (r.ok() ? "" : r.error().describe());
    if (!r.ok()) return {};
    EXPECT_FALSE(r->truncated) << r->truncated->describe();
    return r->model;
}

Bytes writeClean(const TMPLS& model) {
    auto w = writePlayList(model);
    EXPECT_TRUE(w.ok()) << (w.ok() ? "" : w.error().describe());
    return w.ok() ? *w : Bytes{};
}

// Every grid of the tab, so that a model that reads also renders.
void renderAll(const TMPLS& m) {
    (void)playItemGrid(m);
    for (const auto& p : m.PlayList.PlayItems) {
        (void)angleGrid(p);
        (void)stnGrid(p.STN_table);
        for (StreamKind k : kStreamKinds) (void)streamEntryGrid(p.STN_table, k);
    }
    (void)subPathGrid(m);
    for (const auto& sp : m.PlayList.SubPaths) {
        (void)subPlayItemGrid(sp);
        for (const auto& s : sp.SubPlayItems) (void)clipEntryGrid(s);
    }
    (void)playListMarkGrid(m);
}

Bytes minimal() { return fx::file(fx::File{}); }

TEST(PlayListFile, UnchangedFilesAreWrittenBackByteForByte) {
    fx::File padded;
    padded.trailing = Bytes(16, 0);
    fx::File uhd;
    uhd.version = "0300";
    // HEVC video and an AAC-like audio code have no attribute layout in the
    // tables: their bytes are kept as they are.
    uhd.items[0].table = {{1, 1, 0, 0, 0, 0, 0},
                          fx::cat({fx::entryPlayItem(0x1011), {5, 0x24, 0x81, 0x01, 0x00, 0x00},
                                   fx::entryPlayItem(0x1100), {5, 0x0F, 0x31, 'u', 'n', 'd'}})};
    uhd.extension = fx::extensionBlock(Bytes(40, 0xEE));
    fx::File oddEntries;
    oddEntries.version = "0100";
    oddEntries.items[0].table = {{1, 0, 1, 0, 0, 0, 0},
                                 fx::cat({{9, 0, 1, 2, 3, 4, 5, 6, 7, 8}, fx::videoAttr(0x02, 4, 4),
                                          {7, 1, 0x12, 0x00, 0, 0, 0, 0, 0, 0}, {5, 0x92, 0x01, 'k', 'o', 'r'}})};
    fx::File emptyExtension;
    emptyExtension.extension = {0, 0, 0, 0};
    emptyExtension.trailing = {0, 0, 0, 0};

    const std::vector<std::pair<std::string, Bytes>> cases{
        {"minimal", minimal()},
        {"every record kind", fx::file(fx::richFile())},
        {"zero padding after the marks", fx::file(padded)},
        {"coding types without a layout, version 0300", fx::file(uhd)},
        {"stream type 0, another entry length, a text subtitle", fx::file(oddEntries)},
        {"an empty ExtensionData block and bytes after it", fx::file(emptyExtension)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const TMPLS m = readClean(bytes);
        renderAll(m);
        EXPECT_EQ(writeClean(m), bytes);
    }
}

TEST(PlayListFile, ReadsEveryRecord) {
    const TMPLS m = readClean(fx::file(fx::richFile()));
    EXPECT_EQ(m.AppInfoPlayList.PlayList_playback_type, 3);
    EXPECT_EQ(m.AppInfoPlayList.playback_count, 7);
    EXPECT_EQ(m.AppInfoPlayList.UO_mask_table, (TUOMaskTable{0x80000200, 0x40000001}));
    EXPECT_EQ(m.AppInfoPlayList.PlayList_random_access_flag, 1);
    EXPECT_EQ(m.AppInfoPlayList.audio_mix_app_flag, 0);
    EXPECT_EQ(m.AppInfoPlayList.lossless_may_bypass_mixer_flag, 1);
    ASSERT_EQ(m.PlayList.PlayItems.size(), 3u);

    const TPlayItem& a = m.PlayList.PlayItems[0];
    EXPECT_EQ(a.connection_condition, 1);
    EXPECT_EQ(a.multi_clip.is_different_audios, 1);
    EXPECT_EQ(a.multi_clip.is_seamless_angle_change, 1);
    ASSERT_EQ(a.multi_clip.angles.size(), 3u);
    EXPECT_EQ(a.multi_clip.angles[0], (TClipRef{"00001", "M2TS", 0}));  // the PlayItem's own clip
    EXPECT_EQ(a.multi_clip.angles[2], (TClipRef{"00012", "M2TS", 2}));
    // Two PG and one PiP PG item share one list.
    const TSTN& stn = a.STN_table;
    EXPECT_EQ(stn.PG_textST.size(), 3u);
    EXPECT_EQ(stn.PG_textST[2].attributes.language_code, "deu");
    EXPECT_EQ(stn.length, stnContentLength(stn));
    // Three references are followed by a pad byte, two by none: the items after them read in step.
    ASSERT_EQ(stn.secondary_audio.size(), 2u);
    EXPECT_EQ(stn.secondary_audio[0].primary_audio_stream_id_refs, (std::vector<std::uint8_t>{0, 1, 2}));
    EXPECT_EQ(stn.secondary_audio[1].item.entry.ref_to_stream_PID_of_subClip, 0x1A01);
    EXPECT_EQ(stn.secondary_audio[1].item.attributes.language_code, "spa");
    ASSERT_EQ(stn.secondary_video.size(), 1u);
    EXPECT_EQ(stn.secondary_video[0].secondary_audio_stream_id_refs, (std::vector<std::uint8_t>{0}));
    EXPECT_EQ(stn.secondary_video[0].PiP_PG_textST_stream_id_refs, (std::vector<std::uint8_t>{0, 1}));
    EXPECT_EQ(a.length, playItemContentLength(a));

    const TPlayItem& plain = m.PlayList.PlayItems[1];
    EXPECT_EQ(plain.PlayItem_random_access_flag, 1);  // 0x80
    EXPECT_TRUE(plain.multi_clip.angles.empty());
    const TPlayItem& single = m.PlayList.PlayItems[2];
    EXPECT_EQ(single.PlayItem_random_access_flag, 0);
    EXPECT_EQ(single.connection_condition, 5);
    EXPECT_EQ(single.multi_clip.angles, (std::vector<TClipRef>{{"00003", "M2TS", 0}}));

    ASSERT_EQ(m.PlayList.SubPaths.size(), 2u);
    const TSubPath& menu = m.PlayList.SubPaths[0];
    EXPECT_EQ(menu.repeat, 0x0100);
    const TSubPlayItem& s = menu.SubPlayItems.at(0);
    EXPECT_EQ(s.SubPath_connection_condition, 5);
    EXPECT_EQ(s.reserved, 0x5A);
    ASSERT_EQ(s.clips.size(), 3u);
    EXPECT_EQ(s.clips[0].Clip_Information_file_name, "00002");
    EXPECT_EQ(s.clips[2], (TClipRef{"00022", "M2TS", 2}));
    EXPECT_EQ(m.PlayList.SubPaths[1].SubPlayItems.at(1).sync_start_PTS_of_PlayItem, 900000u);
    EXPECT_EQ(m.PlayList.length, playListContentLength(m.PlayList));
    EXPECT_EQ(m.PlayListMark.marks.size(), 5u);
    EXPECT_EQ(m.ExtensionData.number_of_ext_data_entries, 1);
    EXPECT_TRUE(m.trailing.empty());
    EXPECT_EQ(playListFoundMessage(m), "[b]3[/b] PlayItem(s), [b]2[/b] SubPath(s) and [b]5[/b] PlayListMark(s) found.");

    // Default records are empty ones whose lengths agree with that content.
    EXPECT_EQ(TPlayItem{}.length, playItemContentLength(TPlayItem{}));
    EXPECT_EQ(TSubPath{}.length, subPathContentLength(TSubPath{}));
    EXPECT_EQ(TSubPlayItem{}.length, subPlayItemContentLength(TSubPlayItem{}));
    const TMPLS fresh;
    EXPECT_EQ(fresh.PlayListMark_start_address, fresh.PlayList_start_address + 4 + playListContentLength(fresh.PlayList));

    const TMPLS none = readClean(minimal());
    EXPECT_EQ(none.ExtensionData_start_address, 0u);
    EXPECT_TRUE(none.ExtensionData.empty());
}

TEST(PlayListFile, HeaderChecks) {
    struct Case {
        std::string magic, version;
        bool accepted;
    };
    const std::vector<Case> cases{
        {"MPLS", "0100", true}, {"MPLS", "0200", true}, {"MPLS", "0300", true},
        {"MPLX", "0200", false}, {"MPLS", "0400", false}, {"mpls", "0200", false},
    };
    for (const auto& c : cases) {
        fx::File f;
        f.magic = c.magic;
        f.version = c.version;
        auto r = readBytes(fx::file(f), "00007.mpls");
        EXPECT_EQ(r.ok(), c.accepted) << c.magic << c.version;
        if (!r.ok()) {
            EXPECT_EQ(r.error().message, "Invalid format: 00007.mpls");
        }
    }
    EXPECT_EQ(readBytes({'M', 'P'}, "x.mpls").error().message, "Invalid format: x.mpls");
}

// The writer's documented differences: these bytes come back as zero (or
// the blocks back to back); everything else is as read.
TEST(PlayListFile, WriterZeroesWhatItDoesNotHold) {
    const Bytes base = minimal();
    constexpr std::size_t pi = fx::kFirstPlayItemAt;
    constexpr std::size_t stnAt = pi + 34;
    constexpr std::size_t entryAt = stnAt + 16;
    struct Case {
        std::string what;
        Bytes input;
        Bytes expected;
    };
    auto patched = [&](std::size_t at, std::initializer_list<std::uint8_t> bytes) {
        Bytes b = base;
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
        return b;
    };
    std::vector<Case> cases{
        {"reserved header bytes", patched(25, {0xAA}), base},
        {"flag bits 12-0 of AppInfoPlayList", patched(56, {0xFF, 0xFF}), patched(56, {0xE0, 0x00})},
        {"other bits of the multi-angle/connection word", patched(pi + 11, {0xFF, 0xE1}), base},
        {"bits 6-0 of the random access byte", patched(pi + 30, {0xFF}), patched(pi + 30, {0x80})},
        {"a random access byte of 0x7F holds no flag", patched(pi + 30, {0x7F}), base},
        {"five reserved STN bytes", patched(stnAt + 11, {1, 2, 3, 4, 5}), base},
        {"reserved bytes of a stream entry", patched(entryAt + 4, {0x55, 0x66}), base},
        {"reserved bytes of video attributes", patched(entryAt + 13, {0x77}), base},
        {"another stored entry length stays", patched(entryAt, {7}), patched(entryAt, {7})},
    };

    // AppInfoPlayList bytes after the flags word.
    Bytes longAppInfo = base;
    longAppInfo.insert(longAppInfo.begin() + 58, {0xAB, 0xCD});
    ByteBuilder fix;
    fix.raw(longAppInfo).patch32(40, 16).patch32(8, 60).patch32(12, static_cast<std::uint32_t>(base[15] + 2));
    Bytes longExpected = fix.bytes();
    longExpected[58] = longExpected[59] = 0;
    cases.push_back({"AppInfoPlayList bytes after its fields", fix.bytes(), longExpected});

    // Bits 31-9 of the SubPlayItem connection word; the reserved byte after a secondary reference count.
    fx::File sub;
    sub.subPaths = {fx::SubPath{}};
    sub.subPaths[0].items[0].connection = 0xFFFFFE02;
    fx::File subExpected = sub;
    subExpected.subPaths[0].items[0].connection = 2;
    cases.push_back({"high bits of the SubPlayItem connection word", fx::file(sub), fx::file(subExpected)});
    fx::File sec;
    sec.items[0].table = {{1, 0, 0, 0, 1, 0, 0},
                          fx::cat({fx::entryPlayItem(0x1011), fx::videoAttr(0x1B, 6, 1), fx::entryImPip(1, 0x1A00),
                                   fx::audioAttr(0xA1, 3, 1, "eng"), {1, 0xEE, 0, 0}})};
    fx::File secExpected = sec;
    secExpected.items[0].table.items.end()[-3] = 0;
    cases.push_back({"reserved byte after a reference count", fx::file(sec), fx::file(secExpected)});

    // A gap between the PlayList and the PlayListMark block closes; the address stays as read.
    Bytes gap = base;
    const std::uint32_t marksAt = (std::uint32_t{base[12]} << 24) | (base[13] << 16) | (base[14] << 8) | base[15];
    gap.insert(gap.begin() + marksAt, {0x11, 0x22});
    ByteBuilder gapFix;
    gapFix.raw(gap).patch32(12, marksAt + 2);
    cases.push_back({"a gap before the marks", gapFix.bytes(), ByteBuilder().raw(base).patch32(12, marksAt + 2).bytes()});

    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(writeClean(readClean(c.input)), c.expected);
    }
}

// Where stored lengths disagree with the content the writer either lays out
// what it can place in full or refuses; it never cuts a block short.
TEST(PlayListFile, WriterOnInconsistentLengths) {
    const Bytes base = minimal();
    const TMPLS m = readClean(base);
    struct Refusal {
        std::string what;
        TMPLS model;
        std::string message;
    };
    std::vector<Refusal> refusals;
    auto add = [&](std::string what, auto change, std::string message) {
        TMPLS copy = m;
        change(copy);
        refusals.push_back({std::move(what), std::move(copy), std::move(message)});
    };
    add("PlayList length short", [](TMPLS& x) { x.PlayList.length -= 2; },
        "PlayList not written: the PlayList length 70 is smaller than its content (72 bytes)");
    add("PlayListMark length short", [](TMPLS& x) { x.PlayListMark.length = 15; },
        "PlayList not written: the PlayListMark length 15 is smaller than its content (16 bytes)");
    add("AppInfoPlayList length short", [](TMPLS& x) { x.AppInfoPlayList.length = 10; },
        "PlayList not written: the AppInfoPlayList length 10 is smaller than its content (14 bytes)");
    add("count and list disagree", [](TMPLS& x) { x.PlayList.number_of_PlayItems = 2; },
        "PlayList not written: number_of_PlayItems 2 does not match the 1 PlayItems held");
    add("STN count and list disagree", [](TMPLS& x) { x.PlayList.PlayItems[0].STN_table.number_of_IG_stream_entries = 1; },
        "PlayList not written: number_of_IG_stream_entries 1 does not match the 0 stream items held");
    add("absurd length", [](TMPLS& x) { x.PlayList.length = 0xFFFFFFF0; },
        "PlayList not written: its lengths make a file of " + std::to_string(40 + 18 + 0xFFFFFFF0ull + 16 + 8) +
            " bytes, more than a PlayList file may have");
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.what);
        auto w = writePlayList(r.model);
        ASSERT_FALSE(w.ok());
        EXPECT_EQ(w.error().message, r.message);
    }

    // A file without a PlayListMark block reads without marks and is not written.
    Bytes noMarks = ByteBuilder().raw(base).patch32(12, 0).bytes();
    noMarks.resize(noMarks.size() - 20);
    const TMPLS unmarked = readClean(noMarks);
    EXPECT_TRUE(unmarked.PlayListMark.marks.empty());
    EXPECT_FALSE(writePlayList(unmarked).ok());

    // Stored lengths larger than the content are written as held: zeros fill the block.
    TMPLS longer = m;
    longer.PlayList.length += 4;
    Bytes expected = ByteBuilder().raw(base).patch32(fx::kPlayListAt, m.PlayList.length + 4).bytes();
    expected.insert(expected.end(), 4, 0);
    EXPECT_EQ(writeClean(longer), expected);

    // ExtensionData: a data array the length leaves no room for is written in full (as read);
    // a shorter one is zero-filled up to length + 4.
    fx::File ext;
    ext.extension = fx::extensionBlock({9, 8, 7, 6});
    const Bytes withExt = fx::file(ext);
    const std::size_t extAt = withExt.size() - ext.extension.size();
    const Bytes shortLength = ByteBuilder().raw(withExt).patch32(extAt, 20).bytes();
    EXPECT_EQ(writeClean(readClean(shortLength)), shortLength);
    TMPLS longLength = readClean(withExt);
    longLength.ExtensionData.length += 3;
    Bytes filled = ByteBuilder().raw(withExt).patch32(extAt, longLength.ExtensionData.length).bytes();
    filled.insert(filled.end() - 4, 3, 0);
    EXPECT_EQ(writeClean(longLength), filled);
    // Read from a file, such a length is one the file cannot back.
    auto cut = readBytes(ByteBuilder().raw(withExt).patch32(extAt, 27).bytes());
    ASSERT_TRUE(cut.ok() && cut->truncated);
    EXPECT_EQ(cut->truncated->message, "00001.mpls ends before the end of its ExtensionData");
}

TEST(PlayListFile, BadInputIsRefusedWithoutReadingOrSizingBeyondTheFile) {
    const Bytes base = minimal();
    constexpr std::size_t pi = fx::kFirstPlayItemAt;
    struct Case {
        std::string what;
        Bytes bytes;
        std::string message;  // of a hard error; empty when the read reports truncation
        std::string path;
    };
    auto patched = [&](std::size_t at, std::initializer_list<std::uint8_t> bytes) {
        Bytes b = base;
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
        return b;
    };
    fx::File multi;
    multi.items[0].flags = 0x11;
    multi.items[0].angles = 1;
    Bytes manyAngles = fx::file(multi);
    manyAngles[pi + 34] = 255;
    fx::File sub;
    sub.subPaths = {fx::SubPath{}};
    sub.subPaths[0].items[0].connection = 3;
    sub.subPaths[0].items[0].clipEntries = 1;
    Bytes manyClips = fx::file(sub);
    const std::size_t subPlayItemAt = fx::kPlayListAt + 4 + 6 + fx::playItem(fx::PlayItem{}).size() + 10;
    manyClips[subPlayItemAt + 30] = 255;
    fx::File sec;
    sec.items[0].table = {{0, 0, 0, 0, 1, 0, 0}, fx::cat({fx::entryImPip(1, 0x1A00), fx::audioAttr(0xA1, 3, 1, "eng"), fx::refs({})})};
    Bytes manyRefs = fx::file(sec);
    manyRefs[pi + 34 + 16 + 16] = 255;

    const std::vector<Case> cases{
        {"PlayList far outside", patched(8, {0x52, 0x20, 0x20, 0x20}),
         "PlayList_start_address $52202020 lies beyond the end of 00001.mpls (154 bytes)", "PlayList_start_address"},
        {"marks at the end of the file", patched(12, {0, 0, 0, 154}),
         "PlayListMark_start_address $0000009A lies beyond the end of 00001.mpls (154 bytes)",
         "PlayListMark_start_address"},
        {"ExtensionData outside", patched(16, {0xFF, 0xFF, 0xFF, 0xFF}),
         "ExtensionData_start_address $FFFFFFFF lies beyond the end of 00001.mpls (154 bytes)",
         "ExtensionData_start_address"},
        {"65535 PlayItems", patched(fx::kPlayListAt + 6, {0xFF, 0xFF}), "", "PlayList"},
        {"65535 SubPaths", patched(fx::kPlayListAt + 8, {0xFF, 0xFF}), "", "PlayList"},
        {"255 primary video items", patched(pi + 34 + 4, {0xFF}), "", "PlayList/PlayItem[0]/STN_table"},
        {"255 angles", manyAngles, "", "PlayList/PlayItem[0]/angles"},
        {"255 clip entries", manyClips, "", "PlayList/SubPath[0]/SubPlayItem[0]"},
        {"255 references", manyRefs, "", "PlayList/PlayItem[0]/STN_table/secondary_audio[0]"},
        {"65535 marks", patched(138, {0xFF, 0xFF}), "", "PlayListMark"},
        {"AppInfoPlayList longer than the file", patched(40, {0x0F, 0, 0, 0}), "", "AppInfoPlayList"},
        {"PlayList longer than the file", patched(fx::kPlayListAt, {0x49, 0, 0, 0}), "", "PlayList"},
        {"PlayListMark longer than the file", patched(134, {0xFF, 0xFF, 0xFF, 0xF0}), "", "PlayListMark"},
    };
    ASSERT_EQ(base.size(), 154u);  // marks at 134
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto r = readBytes(c.bytes);
        if (!c.message.empty()) {
            ASSERT_FALSE(r.ok());
            EXPECT_EQ(r.error().message, c.message);
            EXPECT_EQ(r.error().path, c.path);
            continue;
        }
        ASSERT_TRUE(r.ok()) << r.error().describe();
        ASSERT_TRUE(r->truncated);
        EXPECT_EQ(r->truncated->path, c.path);
        const std::string block = c.path.substr(0, c.path.find('/'));
        EXPECT_EQ(r->truncated->message, "00001.mpls ends before the end of its " + block);
        renderAll(r->model);
    }

    // Every cut of a file is refused, whichever block it falls in.
    fx::File rich = fx::richFile();
    rich.extension.clear();
    const Bytes whole = fx::file(rich);
    for (std::size_t n = 0; n < whole.size(); ++n) {
        auto r = readBytes(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n)));
        EXPECT_TRUE(!r.ok() || r->truncated) << "cut at " << n;
    }
}

// Random damage never crashes the reader, the rows or the writer.
TEST(PlayListFile, SurvivesDamagedFiles) {
    const Bytes whole = fx::file(fx::richFile());
    std::mt19937 random(20240229);
    std::uniform_int_distribution<std::size_t> at(0, whole.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    for (int round = 0; round < 2000; ++round) {
        Bytes b = whole;
        for (int k = 0; k < 1 + round % 4; ++k) b[at(random)] = static_cast<std::uint8_t>(value(random));
        if (round % 3 == 0) b.resize(at(random));
        auto r = readBytes(b);
        if (!r.ok()) continue;
        renderAll(r->model);
        if (!r->truncated) (void)writePlayList(r->model);
    }
}

}  // namespace
}  // namespace navelo
