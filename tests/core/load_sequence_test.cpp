#include <gtest/gtest.h>

#include <filesystem>

#include "core/load/load_sequence.h"
#include "support/disc_builder.h"
#include "support/recording_sink.h"
#include "support/test_paths.h"

using namespace navelo;
using namespace navelo::test;
namespace fs = std::filesystem;

namespace {

struct Loaded {
    RecordingSink sink;
    LoadedDisc disc;
    bool error = false;
};

std::unique_ptr<Loaded> load(const std::string& folder) {
    auto l = std::make_unique<Loaded>();
    Log log(l->sink);
    l->disc = loadDisc(folder, log);
    l->error = log.errorFlag();
    return l;
}

}  // namespace

TEST(LoadSequence, LogReadsAsAChecklist) {
    TempDir dir;
    const auto l = load(makeDisc(dir / "MOVIE"));
    const std::vector<std::string> expected = {
        "Checking required files and directories...",
        "[bl]PLAYLIST[/bl] folder: [b]OK[/b]",
        "[bl]CLIPINF[/bl] folder: [b]OK[/b]",
        "[bl]BACKUP[/bl] folder: [b]OK[/b]",
        "index.bdmv: [b]OK[/b]",
        "MovieObject.bdmv: [b]OK[/b]",
        "Reading MovieObject.bdmv",
        "  Found [b]2[/b] objects, 0 extended entry.",
        "Reading playlists",
        "  Found [b]2[/b] playlists.",
        "Reading clipinfos",
        "  Found [b]3[/b] clipinfos.",
        "Reading index.bdmv",
        "  Found [b]2[/b] titles, 0 extended entry.",
        "[bl]AUXDATA[/bl] folder: [re]missing[/re]",
        "[bl]STREAM[/bl] folder: [b]OK[/b]",
        "  Stream 00002.m2ts [re]missing[/re]",
        "  Found [b]2[/b] AV streams, [re]missing[/re] [b]1[/b]",
        "[bl]META[/bl] folder: [re]missing[/re]",
        "[bl]BDJO[/bl] folder: [re]missing[/re]",
        "[bl]JAR[/bl] folder: [re]missing[/re]",
        "",
    };
    EXPECT_EQ(l->sink.lines, expected);
    EXPECT_FALSE(l->error);
    EXPECT_EQ(l->sink.panel0, " Ready. ");
    const auto& d = l->disc;
    EXPECT_TRUE(d.checkPassed && d.movieObjectRead && d.indexRead);
    EXPECT_EQ(d.playlists, (std::vector<std::string>{"00000", "00001"}));
    ASSERT_EQ(d.streams.size(), 3u);
    EXPECT_EQ(d.streams[0].file_name, "00001.m2ts");
    EXPECT_EQ(d.streams[0].file_size, 192u);
    EXPECT_EQ(d.streams[1].file_name, "");
    EXPECT_EQ(d.streams[1].file_size, 0u);
    EXPECT_FALSE(d.bdjoFolder);
    EXPECT_FALSE(d.soundPresent);
    EXPECT_EQ(d.volumeTitle, "MOVIE");
    EXPECT_EQ(windowTitle(d.volumeTitle), "Navelo v0.27b [MOVIE]");
}

TEST(LoadSequence, SoundBdjoAndAllStreamsPresent) {
    TempDir dir;
    DiscLayout layout;
    layout.streams = layout.clips;
    layout.sound = true;
    layout.bdjo = {"00001", "00000"};
    const auto l = load(makeDisc(dir / "Title", layout));
    const auto plain = l->sink.plain();
    auto has = [&](const std::string& s) { return std::find(plain.begin(), plain.end(), s) != plain.end(); };
    EXPECT_TRUE(has("AUXDATA folder: OK"));
    EXPECT_TRUE(has("AUXDATA/sound.bdmv: OK"));
    EXPECT_TRUE(has(" Found 2 sound entries"));
    EXPECT_TRUE(has("  Found 3 AV streams"));
    EXPECT_TRUE(has("BDJO folder: OK"));
    EXPECT_TRUE(l->disc.soundRead);
    EXPECT_EQ(l->disc.bdjoFiles, (std::vector<std::string>{"00000", "00001"}));
}

TEST(LoadSequence, MissingItemsAreAllReportedThenTheCheckFails) {
    TempDir dir;
    DiscLayout layout;
    layout.backupFolder = false;
    const std::string folder = makeDisc(dir / "X", layout);
    fs::remove(fs::path(folder) / "index.bdmv");
    const auto l = load(folder);
    const std::vector<std::string> expected = {
        "Checking required files and directories...", "PLAYLIST folder: OK", "CLIPINF folder: OK", "BACKUP folder: missing",
        "index.bdmv: missing", "MovieObject.bdmv: OK", "Check failed.",
    };
    EXPECT_EQ(l->sink.plain(), expected);
    EXPECT_FALSE(l->disc.checkPassed);
}

TEST(LoadSequence, BadNavigationFilesAreReportedAndTheLoadGoesOn) {
    TempDir dir;
    DiscLayout layout;
    layout.movieObject = movieObjectFile({}, {}, "0400");
    IndexLayout many;
    many.titleCountField = 1000;
    layout.index = indexFile(many);
    const auto l = load(makeDisc(dir / "X", layout));
    const auto& lines = l->sink.lines;
    EXPECT_EQ(lines[7], "ERROR: [re]Format error MovieObject.bdmv[/re]");
    EXPECT_EQ(lines[13], "Error in index.bdmv (number of title: 1000)");
    EXPECT_EQ(lines[14], "[bl]AUXDATA[/bl] folder: [re]missing[/re]");
    EXPECT_TRUE(l->error);
    EXPECT_FALSE(l->disc.movieObjectRead);
    EXPECT_FALSE(l->disc.indexRead);
    EXPECT_EQ(l->disc.titleCountError, 1000u);

    TempDir dir2;
    DiscLayout bad;
    bad.index = std::vector<std::uint8_t>{'I', 'N', 'D', 'X', '0', '4', '0', '0'};
    const auto m = load(makeDisc(dir2 / "X", bad));
    EXPECT_EQ(m->sink.lines[13], "ERROR: [re]index.bdmv format error at $00000008[/re]");
    EXPECT_FALSE(m->disc.indexRead);
}

TEST(LoadSequence, UnreadableFileEndsTheLoad) {
    TempDir dir;
    const std::string folder = makeDisc(dir / "X");
    // A folder where MovieObject.bdmv should be passes no file check; a file that cannot be read does.
    fs::remove(fs::path(folder) / "MovieObject.bdmv");
    fs::create_symlink("/nonexistent-target", fs::path(folder) / "MovieObject.bdmv");
    const auto l = load(folder);
    EXPECT_FALSE(l->disc.checkPassed);
    // A file far too large for a movie object list cannot be read (a sparse file costs no disk).
    fs::remove(fs::path(folder) / "MovieObject.bdmv");
    writeFile(fs::path(folder) / "MovieObject.bdmv", {'M'});
    fs::resize_file(fs::path(folder) / "MovieObject.bdmv", 300ull * 1024 * 1024);
    const auto m = load(folder);
    EXPECT_EQ(m->sink.plain().back().rfind("ERROR: Cannot read", 0), 0u);
    EXPECT_EQ(m->sink.plain()[6], "Reading MovieObject.bdmv");
    EXPECT_EQ(m->sink.plain().size(), 8u);
    EXPECT_TRUE(m->disc.aborted.has_value());
    EXPECT_TRUE(m->error);
    EXPECT_NE(m->sink.lines.back().find("ERROR: "), std::string::npos);
}
