#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "playlist/mpls_fixture.h"
#include "support/run_command.h"
#include "support/test_paths.h"

using namespace navelo::test;
namespace fs = std::filesystem;
namespace fx = navelo::test::mpls;

namespace {

CommandResult cli(std::vector<std::string> args) {
    args.insert(args.begin(), NAVELO_CLI);
    return runCommand(args);
}

// Two PlayItems of 10 s and 20 s (IN times 0 and 20 s) at 25 frames a second, two marks.
fx::File sampleFile(std::uint8_t rate = 3) {
    fx::File f;
    fx::PlayItem a;
    a.out = 450000;
    a.table = {{1, 0, 0, 0, 0, 0, 0}, fx::cat({fx::entryPlayItem(0x1011), fx::videoAttr(0x1B, 6, rate)})};
    fx::PlayItem b;
    b.clip = "00002";
    b.in = 900000;
    b.out = 1800000;
    f.items = {a, b};
    f.marks = {fx::Mark{1, 0, 0}, fx::Mark{2, 1, 1350000, 0x1011, 45}};
    f.extension = fx::extensionBlock({1, 2, 3});
    return f;
}

std::string textOf(const std::vector<std::uint8_t>& b) { return {b.begin(), b.end()}; }
std::vector<std::uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

// The `# sgPlayListMark` block of `show mpls`.
std::string markGridOf(const std::string& show) {
    const auto at = show.find("# sgPlayListMark\n");
    const auto end = show.find("lMExtDat=", at);
    return at == std::string::npos ? std::string() : show.substr(at, end - at);
}

}  // namespace

TEST(ChaptersCli, ExportInEveryFormat) {
    TempDir dir;
    writeFile(dir / "BDMV" / "PLAYLIST" / "00001.mpls", fx::file(sampleFile()));
    struct Case {
        std::vector<std::string> format;
        std::string file;
    };
    const std::vector<Case> cases{
        {{}, "0\r\n900000\r\n"},
        {{"--format", "pts"}, "0\r\n900000\r\n"},
        {{"--format", "frame"}, "0\r\n500000\r\n"},
        {{"--format", "Time"}, "00:00:00.000\r\n00:00:20.000\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::vector<std::string> args{"chapters", "export", (dir / "BDMV").string(), "00001", "-o", (dir / "c.txt").string()};
        args.insert(args.end(), c.format.begin(), c.format.end());
        const auto r = cli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(textOf(readFile(dir / "c.txt")), c.file);
    }
}

TEST(ChaptersCli, ImportPrintsTheMarksOrSavesThePlayList) {
    TempDir dir;
    const fs::path bdmv = dir / "BDMV";
    const fs::path mpls = bdmv / "PLAYLIST" / "00001.mpls";
    const auto original = fx::file(sampleFile());
    writeFile(mpls, original);
    writeFile(dir / "c.txt", bytesOf("00:00:00.000\r\n00:00:10.000\r\n00:00:25.000\r\n01:00:00.000\r\n"));

    const std::string grid =
        "# sgPlayListMark\n\ttype\tPI\tmark time\tentry PID\tduration\n"
        "000\tentry-mark\t000\t00:00:00.000\tFFFF\t0\n"
        "001\tentry-mark\t001\t00:00:20.000\tFFFF\t0\n"
        "002\tentry-mark\t001\t00:00:35.000\tFFFF\t0\n"
        "003\tentry-mark\t001\t00:00:40.000\tFFFF\t0\n";
    const auto shown = cli({"chapters", "import", bdmv.string(), "00001", (dir / "c.txt").string(), "--format", "time"});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, grid);
    EXPECT_EQ(shown.err, "Note: 1 chapter(s) lay beyond the end of the last PlayItem and were placed at its end\n");
    EXPECT_EQ(readFile(mpls), original) << "nothing saved without --save";

    const auto saved = cli({"chapters", "import", bdmv.string(), "00001", (dir / "c.txt").string(), "--format", "time", "--save"});
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out, "4 chapter(s) from c.txt imported into 00001.mpls (Time format)\n"
                         "Saving 00001.mpls\n"
                         "00001.mpls written (" + std::to_string(original.size() + 28) + " bytes)\n");
    EXPECT_EQ(readFile(bdmv / "PLAYLIST" / "00001.mpls.backup"), original);
    const auto show = cli({"show", "mpls", bdmv.string(), "00001"});
    EXPECT_EQ(show.status, 0) << show.err;
    EXPECT_EQ(markGridOf(show.out), grid) << "the saved PlayList shows what the import printed";
    EXPECT_NE(show.out.find("lMExtDat=1 entry, 27 bytes"), std::string::npos);

    // A second save keeps the first backup (the default policy backs up only once).
    writeFile(dir / "d.txt", bytesOf("0\n"));
    const auto again = cli({"chapters", "import", bdmv.string(), "00001", (dir / "d.txt").string(), "--save"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(readFile(bdmv / "PLAYLIST" / "00001.mpls.backup"), original);
}

TEST(ChaptersCli, Failures) {
    TempDir dir;
    const fs::path bdmv = dir / "BDMV";
    writeFile(bdmv / "PLAYLIST" / "00001.mpls", fx::file(sampleFile()));
    writeFile(bdmv / "PLAYLIST" / "00002.mpls", fx::file(sampleFile(0)));
    writeFile(dir / "garbage.txt", bytesOf("12\nchapter two\n"));
    writeFile(dir / "empty.txt", {});
    writeFile(dir / "ok.txt", bytesOf("25000\n"));
    const std::string b = bdmv.string();
    struct Case {
        std::string what;
        std::vector<std::string> args;
        int status;
        std::string err;  // the whole stderr, or its start when it ends in "*"
    };
    const std::vector<Case> cases{
        {"an unknown format", {"chapters", "export", b, "00001", "--format", "frames", "-o", (dir / "x.txt").string()}, 2, "--format: *"},
        {"no output file", {"chapters", "export", b, "00001"}, 2, "*"},
        {"no chapter file", {"chapters", "import", b, "00001"}, 2, "*"},
        {"no verb", {"chapters"}, 2, "*"},
        {"a missing PlayList", {"chapters", "export", b, "00009", "-o", (dir / "x.txt").string()}, 1, "ERROR: Cannot open *"},
        {"an output folder that does not exist", {"chapters", "export", b, "00001", "-o", (dir / "no" / "x.txt").string()}, 1,
         "ERROR: Cannot create *"},
        {"Frame without a frame rate", {"chapters", "export", b, "00002", "--format", "frame", "-o", (dir / "x.txt").string()}, 1,
         "ERROR: The Frame format needs the PlayList's frame rate, but the frame rate code 0 of PlayItem 0's video stream "
         "(reserved) has no timing\n"},
        {"a garbage line", {"chapters", "import", b, "00001", (dir / "garbage.txt").string()}, 1,
         "ERROR: garbage.txt, line 2: \"chapter two\" is not a tick count (PTS format)\n"},
        {"no chapters", {"chapters", "import", b, "00001", (dir / "empty.txt").string(), "--save"}, 1,
         "ERROR: empty.txt holds no chapters: the marks are unchanged\n"},
        {"a missing chapter file", {"chapters", "import", b, "00001", (dir / "none.txt").string()}, 1, "ERROR: Cannot open *"},
        {"Frame import without a frame rate", {"chapters", "import", b, "00002", (dir / "ok.txt").string(), "--format", "frame"}, 1,
         "ERROR: The Frame format needs the PlayList's frame rate, but *"},
    };
    const auto before = readFile(bdmv / "PLAYLIST" / "00001.mpls");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto r = cli(c.args);
        EXPECT_EQ(r.status, c.status);
        if (c.status == 1) {
            EXPECT_EQ(r.out, "");
        }
        if (c.err.back() == '*') {
            EXPECT_EQ(r.err.rfind(c.err.substr(0, c.err.size() - 1), 0), 0u) << r.err;
        } else {
            EXPECT_EQ(r.err, c.err);
        }
    }
    EXPECT_EQ(readFile(bdmv / "PLAYLIST" / "00001.mpls"), before);
    EXPECT_FALSE(fs::exists(bdmv / "PLAYLIST" / "00001.mpls.backup"));
    EXPECT_FALSE(fs::exists(dir / "x.txt"));
}

TEST(ChaptersCli, CorpusPlayList) {
    NAVELO_REQUIRE_CORPUS();
    // Real marks go out and come back unchanged in the PTS format.
    const fs::path disc = corpusDir() / "discs" / "tchapter-disc1" / "BDMV";
    TempDir dir;
    const auto exported = cli({"chapters", "export", disc.string(), "00021", "-o", (dir / "c.txt").string()});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const auto imported = cli({"chapters", "import", disc.string(), "00021", (dir / "c.txt").string()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    const auto show = cli({"show", "mpls", disc.string(), "00021"});
    EXPECT_EQ(imported.out, markGridOf(show.out));
}
