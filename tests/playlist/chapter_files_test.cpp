#include "playlist/chapter_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/field_reader.h"
#include "playlist/playlist_consistency.h"
#include "playlist/playlist_fixtures.h"
#include "playlist/playlist_rows.h"
#include "support/recording_sink.h"
#include "support/test_paths.h"

namespace navelo {
namespace {

namespace fs = std::filesystem;
namespace fx = test::mpls;
using Bytes = std::vector<std::uint8_t>;

TMPLS readModel(const Bytes& bytes) {
    FieldReader in("00001.mpls", bytes);
    auto r = readPlayList(in);
    EXPECT_TRUE(r.ok() && !r->truncated);
    return r.ok() ? r->model : TMPLS{};
}

// Two PlayItems of 10 s and 20 s, IN times 0 and 900,000 ticks; video at the given rate code.
TMPLS twoItems(std::uint8_t rate = 1, std::uint32_t firstOut = 450000) {
    fx::File f;
    fx::PlayItem a;
    a.out = firstOut;
    a.table = {{1, 0, 0, 0, 0, 0, 0}, fx::cat({fx::entryPlayItem(0x1011), fx::videoAttr(0x1B, 6, rate)})};
    fx::PlayItem b;
    b.clip = "00002";
    b.in = 900000;
    b.out = 1800000;
    f.items = {a, b};
    f.extension = fx::extensionBlock({1, 2});
    return readModel(fx::file(f));
}

Bytes text(std::string_view s) { return {s.begin(), s.end()}; }

struct Imported {
    Expected<ChapterImport> result;
    std::vector<std::string> log;
};

Imported import(TMPLS& m, std::string_view file, ChapterFormat format) {
    test::RecordingSink sink;
    Log log(sink);
    auto r = importChapters(m, text(file), format, "chapters.txt", log);
    return {std::move(r), sink.lines};
}

std::vector<std::pair<std::uint16_t, std::uint32_t>> marksOf(const TMPLS& m) {
    std::vector<std::pair<std::uint16_t, std::uint32_t>> out;
    for (const auto& k : m.PlayListMark.marks) out.emplace_back(k.ref_to_PlayItem_id, k.mark_time_stamp);
    return out;
}

std::string exported(const TMPLS& m, ChapterFormat format) {
    auto bytes = chapterFileBytes(m, format);
    EXPECT_TRUE(bytes.ok()) << (bytes.ok() ? "" : bytes.error().message);
    return bytes.ok() ? std::string(bytes->begin(), bytes->end()) : std::string();
}

TEST(ChapterFiles, PtsImportPlacesEachChapterAndExportsItBack) {
    TMPLS m = twoItems();
    const TMPLS before = m;
    const std::string file = "0\r\n450000\r\n450001\r\n900000\r\n";
    const auto r = import(m, file, ChapterFormat::PTS);
    ASSERT_TRUE(r.result.ok()) << r.result.error().message;
    EXPECT_EQ(r.result->chapters, 4u);
    EXPECT_EQ(r.result->beyondEnd, 0u);
    EXPECT_EQ(marksOf(m), (std::vector<std::pair<std::uint16_t, std::uint32_t>>{
                              {0, 0}, {1, 900000}, {1, 900001}, {1, 1350000}}));
    EXPECT_EQ(playListMarkRow(1, m.PlayListMark.marks[1]),
              (std::vector<std::string>{"001", "entry-mark", "001", "00:00:20.000", "FFFF", "0"}));
    // The marks replaced the one mark there was: 3 more, 42 bytes.
    EXPECT_EQ(m.ExtensionData_start_address, before.ExtensionData_start_address + 42);
    test::expectConsistent(m);
    EXPECT_EQ(exported(m, ChapterFormat::PTS), file);
    // The lookup's steps, as the log shows them.
    EXPECT_EQ(r.log, (std::vector<std::string>{
                         "0, 00:00:00.000",
                         "2: 00:00:10.000 00:00:10.000   0006DDD0 0006DDD0", "1, 00:00:10.000",
                         "1: 00:00:10.000 00:00:10.000   0006DDD1 0006DDD0",
                         "2: 00:00:10.000 00:00:30.000   0006DDD1 00149970", "1, 00:00:10.000",
                         "1: 00:00:20.000 00:00:10.000   000DBBA0 0006DDD0",
                         "2: 00:00:20.000 00:00:30.000   000DBBA0 00149970", "1, 00:00:10.000"}));
}

TEST(ChapterFiles, Lookup) {
    struct Case {
        std::string what;
        std::uint32_t firstOut;  // the first PlayItem's OUT time
        ChapterFormat format;
        std::uint32_t position;
        std::uint16_t playItem;
        std::uint32_t markTime;
        bool beyondEnd;
    };
    const std::vector<Case> cases{
        {"the start", 450000, ChapterFormat::PTS, 0, 0, 0, false},
        {"the last tick of PlayItem 0", 450000, ChapterFormat::PTS, 449999, 0, 449999, false},
        {"a boundary goes to the later PlayItem", 450000, ChapterFormat::PTS, 450000, 1, 900000, false},
        {"the last tick of the PlayList", 450000, ChapterFormat::PTS, 1349999, 1, 1799999, false},
        {"the end of the PlayList", 450000, ChapterFormat::PTS, 1350000, 1, 1800000, true},
        {"far beyond", 450000, ChapterFormat::PTS, 4000000000u, 1, 1800000, true},
        // 450,020 ticks are 10.000444 s: the time text 00:00:10.000 means that boundary.
        {"Time: a boundary matched to the millisecond", 450020, ChapterFormat::Time, 450000, 1, 900000, false},
        {"PTS: the same count stays before the boundary", 450020, ChapterFormat::PTS, 450000, 0, 450000, false},
        {"Time: within PlayItem 1", 450020, ChapterFormat::Time, 450045, 1, 900025, false},
        {"Time: the end of the PlayList", 450020, ChapterFormat::Time, 1350000, 1, 1800000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TMPLS m = twoItems(1, c.firstOut);
        const ChapterPlacement p = placeChapter(m, c.position, c.format);
        EXPECT_EQ(p.playItem, c.playItem);
        EXPECT_EQ(p.markTime, c.markTime);
        EXPECT_EQ(p.beyondEnd, c.beyondEnd);
    }
    // Zero-length PlayItems are passed over; without any PlayItem nothing is placed.
    TMPLS zero = twoItems(1, 0);
    EXPECT_EQ(placeChapter(zero, 10, ChapterFormat::PTS).playItem, 1);
    EXPECT_EQ(placeChapter(TMPLS{}, 10, ChapterFormat::PTS).playItem, 0);
    TMPLS none;
    const auto r = import(none, "0\n", ChapterFormat::PTS);
    ASSERT_FALSE(r.result.ok());
    EXPECT_EQ(r.result.error().message, "The PlayList has no PlayItem to place chapters on");
}

TEST(ChapterFiles, FrameFormatUsesThePlayListsFrameRate) {
    struct Case {
        std::uint8_t rate;
        std::string oneSecond;
    };
    const std::vector<Case> cases{{1, "23976"}, {2, "24000"}, {3, "25000"}, {4, "29970"}, {6, "50000"}, {7, "59940"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int{c.rate});
        TMPLS m = twoItems(c.rate);
        EXPECT_EQ(chapterLine(45000, ChapterFormat::Frame, playListFrameRate(m)), c.oneSecond);
        ASSERT_TRUE(import(m, c.oneSecond + "\n0\n", ChapterFormat::Frame).result.ok());
        // Back within the two ticks the thousandths of a frame cannot resolve.
        EXPECT_LE(45000 - m.PlayListMark.marks[0].mark_time_stamp, 2u);
        EXPECT_EQ(m.PlayListMark.marks[1].mark_time_stamp, 0u);
    }

    // Without a frame rate the Frame format is refused both ways, and nothing changes.
    struct NoRate {
        std::string what;
        TMPLS model;
        std::string message;
    };
    TMPLS noVideo = twoItems();
    noVideo.PlayList.PlayItems[0].STN_table.primary_video.clear();
    const std::vector<NoRate> noRates{
        {"rate code 0", twoItems(0), "The Frame format needs the PlayList's frame rate, but the frame rate code 0 of "
                                     "PlayItem 0's video stream (reserved) has no timing"},
        {"rate code 5", twoItems(5), "The Frame format needs the PlayList's frame rate, but the frame rate code 5 of "
                                     "PlayItem 0's video stream (reserved) has no timing"},
        {"no video", noVideo, "The Frame format needs the PlayList's frame rate, but PlayItem 0 has no primary video stream"},
        {"no PlayItem", TMPLS{}, "The Frame format needs the PlayList's frame rate, but the PlayList has no PlayItem"},
    };
    for (const auto& c : noRates) {
        SCOPED_TRACE(c.what);
        TMPLS m = c.model;
        EXPECT_EQ(playListFrameRate(m), FrameRateTiming{});
        auto bytes = chapterFileBytes(m, ChapterFormat::Frame);
        ASSERT_FALSE(bytes.ok());
        EXPECT_EQ(bytes.error().message, c.message);
        const auto r = import(m, "25000\n", ChapterFormat::Frame);
        ASSERT_FALSE(r.result.ok());
        EXPECT_EQ(r.result.error().message, c.message);
        EXPECT_EQ(m, c.model);
        EXPECT_EQ(chapterLine(45000, ChapterFormat::Frame, {}), "");
    }
}

TEST(ChapterFiles, BadFilesAreRefusedWithTheLine) {
    struct Case {
        std::string what;
        std::string file;
        ChapterFormat format;
        std::string error;  // empty: accepted
        std::vector<std::uint32_t> positions;
    };
    const std::string many = [] {
        std::string s;
        for (int i = 0; i < 1000; ++i) s += std::to_string(i) + "\n";
        return s;
    }();
    const std::vector<Case> cases{
        {"CR, LF and CR LF, blanks, blank lines and a byte order mark", "\xEF\xBB\xBF 1\r2\n\n  \r\n3 \r\n\t4", ChapterFormat::PTS,
         "", {1, 2, 3, 4}},
        {"a sign", "+45000\n", ChapterFormat::PTS, "", {45000}},
        {"the largest position", "4294967295\n26:30:43.717", ChapterFormat::PTS,
         "chapters.txt, line 2: \"26:30:43.717\" is not a tick count (PTS format)", {}},
        {"times", "00:00:01.000\n26:30:43.717\n", ChapterFormat::Time, "", {45000, 4294967265u}},
        {"garbage", "0\nchapter one\n", ChapterFormat::PTS, "chapters.txt, line 2: \"chapter one\" is not a tick count (PTS format)", {}},
        {"two numbers", "12 34", ChapterFormat::Frame, "chapters.txt, line 1: \"12 34\" is not a frame count (Frame format)", {}},
        {"binary", std::string("\x01\x02\xFF\x00x", 5), ChapterFormat::PTS,
         "chapters.txt, line 1: \"???\?x\" is not a tick count (PTS format)", {}},
        {"negative", "-5", ChapterFormat::PTS, "chapters.txt, line 1: -5 is negative (PTS format)", {}},
        {"beyond 32 bits", "4294967296", ChapterFormat::PTS,
         "chapters.txt, line 1: 4294967296 lies beyond the end of any PlayList (26:30:43.717, 4294967295 ticks) (PTS format)", {}},
        {"absurdly many digits", "99999999999999999999999999", ChapterFormat::Frame,
         "chapters.txt, line 1: 99999999999999999999999999 lies beyond the end of any PlayList (Frame format)", {}},
        {"frames beyond 32 bits", "100000000000", ChapterFormat::Frame,
         "chapters.txt, line 1: 100000000000 lies beyond the end of any PlayList (26:30:43.717, 4294967295 ticks) (Frame format)", {}},
        {"hours beyond 32 bits", "27:00:00.000", ChapterFormat::Time,
         "chapters.txt, line 1: 27:00:00.000 lies beyond the end of any PlayList (26:30:43.717, 4294967295 ticks) (Time format)", {}},
        {"61 minutes", "00:61:00.000", ChapterFormat::Time,
         "chapters.txt, line 1: \"00:61:00.000\" is not a time HH:MM:SS.mmm (Time format)", {}},
        {"one hour digit", "0:01:00.000", ChapterFormat::Time,
         "chapters.txt, line 1: \"0:01:00.000\" is not a time HH:MM:SS.mmm (Time format)", {}},
        {"a long line is cut in the message", std::string(100, 'x'), ChapterFormat::PTS,
         "chapters.txt, line 1: \"" + std::string(40, 'x') + "...\" is not a tick count (PTS format)", {}},
        {"more than 999 chapters", many, ChapterFormat::PTS, "chapters.txt holds more than 999 chapters", {}},
        {"more bytes than a chapter file has", std::string(kMaxChapterFileSize + 1, '\n'), ChapterFormat::PTS,
         "chapters.txt is too large for a chapter file (1048577 bytes, at most 1048576)", {}},
        {"no lines", "", ChapterFormat::PTS, "", {}},
        {"only blank lines", "\r\n \r\n", ChapterFormat::Time, "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto parsed = parseChapterFile(text(c.file), c.format, {1001, 24000}, "chapters.txt");
        if (!c.error.empty()) {
            ASSERT_FALSE(parsed.ok());
            EXPECT_EQ(parsed.error().message, c.error);
            // An import of the same file changes nothing.
            TMPLS m = twoItems();
            const TMPLS before = m;
            EXPECT_FALSE(import(m, c.file, c.format).result.ok());
            EXPECT_EQ(m, before);
            continue;
        }
        ASSERT_TRUE(parsed.ok()) << parsed.error().message;
        EXPECT_EQ(*parsed, c.positions);
        TMPLS m = twoItems();
        const TMPLS before = m;
        const auto r = import(m, c.file, c.format);
        ASSERT_TRUE(r.result.ok());
        EXPECT_EQ(r.result->chapters, c.positions.size());
        if (c.positions.empty()) {
            EXPECT_EQ(m, before) << "a file without chapters changes nothing";
        }
        test::expectConsistent(m);
    }

    // Files on disk: a missing one, a huge one.
    test::TempDir dir;
    TMPLS m = twoItems();
    test::RecordingSink sink;
    Log log(sink);
    EXPECT_FALSE(importChapterFile(m, dir / "missing.txt", ChapterFormat::PTS, log).ok());
    test::writeFile(dir / "huge.txt", Bytes(kMaxChapterFileSize + 1, '0'));
    const auto huge = importChapterFile(m, dir / "huge.txt", ChapterFormat::PTS, log);
    ASSERT_FALSE(huge.ok());
    EXPECT_NE(huge.error().message.find("too large"), std::string::npos) << huge.error().message;
    EXPECT_EQ(m, twoItems());
}

TEST(ChapterFiles, RoundTripsInEveryFormat) {
    // Three PlayItems of 1 s, 20 s and 1 s at 25 frames a second; marks at the
    // start, inside and on the boundaries, at positions every format holds exactly.
    fx::File f;
    fx::PlayItem a;
    a.table = {{1, 0, 0, 0, 0, 0, 0}, fx::cat({fx::entryPlayItem(0x1011), fx::videoAttr(0x1B, 6, 3)})};
    fx::PlayItem b;
    b.clip = "00002";
    b.in = 900000;
    b.out = 1800000;
    fx::PlayItem c;
    c.clip = "00003";
    f.items = {a, b, c};
    f.marks = {fx::Mark{1, 0, 0}, fx::Mark{1, 0, 22500}, fx::Mark{1, 1, 900000}, fx::Mark{1, 1, 1350000}, fx::Mark{1, 2, 0}};
    f.extension = fx::extensionBlock({7});
    const TMPLS original = readModel(fx::file(f));
    const std::vector<std::string> expected{"0\r\n22500\r\n45000\r\n495000\r\n945000\r\n",
                                            "0\r\n12500\r\n25000\r\n275000\r\n525000\r\n",
                                            "00:00:00.000\r\n00:00:00.500\r\n00:00:01.000\r\n00:00:11.000\r\n00:00:21.000\r\n"};
    for (ChapterFormat format : {ChapterFormat::PTS, ChapterFormat::Frame, ChapterFormat::Time}) {
        SCOPED_TRACE(std::string(kChapterFormatItems[static_cast<std::size_t>(format)]));
        const std::string file = exported(original, format);
        EXPECT_EQ(file, expected[static_cast<std::size_t>(format)]);
        TMPLS m = original;
        ASSERT_TRUE(import(m, file, format).result.ok());
        EXPECT_EQ(m, original) << "every mark comes back as it was";
        test::expectConsistent(m);
    }

    // A mark on a PlayItem the PlayList lacks has no position.
    TMPLS broken = original;
    broken.PlayListMark.marks[2].ref_to_PlayItem_id = 3;
    const auto bytes = chapterFileBytes(broken, ChapterFormat::PTS);
    ASSERT_FALSE(bytes.ok());
    EXPECT_EQ(bytes.error().message, "Mark 2 refers to PlayItem 3, but the PlayList has 3 PlayItem(s)");

    test::TempDir dir;
    ASSERT_TRUE(exportChapterFile(dir / "c.txt", original, ChapterFormat::Time).ok());
    EXPECT_EQ(test::readFile(dir / "c.txt"), text(expected[2]));
    EXPECT_FALSE(exportChapterFile(dir / "d.txt", broken, ChapterFormat::Time).ok());
    EXPECT_FALSE(fs::exists(dir / "d.txt"));
    EXPECT_EQ(proposedChapterFileName("00001", ChapterFormat::PTS), "chapter_00001_PTS.txt");
    EXPECT_EQ(proposedChapterFileName("00001", ChapterFormat::Frame), "chapter_00001_frame.txt");
    EXPECT_EQ(proposedChapterFileName("00001", ChapterFormat::Time), "chapter_00001_time.txt");
    EXPECT_EQ(chapterFormatFromName("FRAME"), ChapterFormat::Frame);
    EXPECT_EQ(chapterFormatFromName("frames"), std::nullopt);
}

// Every real PlayList exports its marks and takes them back in every format:
// the positions come back exactly (PTS), to the millisecond (Time) or within
// two ticks (Frame); positions past the end come back as the end.
TEST(ChapterFiles, CorpusRoundTrips) {
    NAVELO_REQUIRE_CORPUS();
    std::size_t checked = 0;
    for (const auto& e : fs::recursive_directory_iterator(test::corpusDir())) {
        if (!e.is_regular_file() || e.path().extension() != ".mpls") continue;
        auto in = FieldReader::open(e.path());
        ASSERT_TRUE(in.ok());
        auto read = readPlayList(*in);
        if (!read.ok() || read->truncated || read->model.PlayList.PlayItems.empty()) continue;
        const TMPLS original = read->model;
        const auto positions = markPositions(original);
        if (!positions.ok() || positions->empty()) continue;
        std::uint64_t total = 0;
        for (const auto& p : original.PlayList.PlayItems) total += p.OUT_time - p.IN_time;
        for (ChapterFormat format : {ChapterFormat::PTS, ChapterFormat::Frame, ChapterFormat::Time}) {
            SCOPED_TRACE(e.path().string() + " " + std::string(kChapterFormatItems[static_cast<std::size_t>(format)]));
            auto bytes = chapterFileBytes(original, format);
            if (format == ChapterFormat::Frame && !playListFrameRate(original).hasRate()) {
                EXPECT_FALSE(bytes.ok());
                continue;
            }
            ASSERT_TRUE(bytes.ok()) << bytes.error().message;
            TMPLS m = original;
            test::RecordingSink sink;
            Log log(sink);
            ASSERT_TRUE(importChapters(m, *bytes, format, "c.txt", log).ok());
            const auto again = markPositions(m);
            ASSERT_TRUE(again.ok());
            ASSERT_EQ(again->size(), positions->size());
            const std::uint64_t slack = format == ChapterFormat::PTS ? 0 : format == ChapterFormat::Frame ? 2 : 44;
            for (std::size_t i = 0; i < positions->size(); ++i) {
                const std::uint64_t want = std::min<std::uint64_t>((*positions)[i], total);
                const std::uint64_t got = (*again)[i];
                EXPECT_LE(std::max(want, got) - std::min(want, got), slack) << "mark " << i;
            }
            if (::testing::Test::HasFailure()) return;
        }
        ++checked;
    }
    EXPECT_GT(checked, 150u);
}

}  // namespace
}  // namespace navelo
