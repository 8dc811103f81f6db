#include <gtest/gtest.h>

#include <filesystem>

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

fx::File sampleFile() {
    fx::File f;
    f.uo1 = 0x00000001;
    f.uo2 = 0x40000000;
    fx::PlayItem angles;
    angles.clip = "00010";
    angles.flags = 0x11;
    angles.in = 2700000;
    angles.out = 3150000;
    angles.angles = 2;
    angles.angleRefs = {fx::clipRef("00011", 1)};
    angles.table = {{1, 1, 1, 0, 0, 0, 0},
                    fx::cat({fx::entryPlayItem(0x1011), fx::videoAttr(0x1B, 6, 1), fx::entryPlayItem(0x1100),
                             fx::audioAttr(0x80, 3, 1, "jpn"), fx::entryPlayItem(0x1200), fx::graphicsAttr(0x90, "eng")})};
    fx::PlayItem plain;
    plain.clip = "00012";
    plain.out = 90000;
    f.items = {angles, plain};
    fx::SubPlayItem menu;
    menu.clip = "00020";
    menu.connection = (1u << 1) | 1;
    menu.clipEntries = 2;
    menu.clipRefs = {fx::clipRef("00021")};
    f.subPaths = {fx::SubPath{3, 0, {menu}}};
    f.marks = {fx::Mark{1, 0, 2700000}, fx::Mark{1, 1, 0}};
    f.extension = fx::extensionBlock({1, 2, 3, 4});
    return f;
}

}  // namespace

TEST(PlayListCli, ShowPrintsEveryGridAndField) {
    TempDir dir;
    writeFile(dir / "BDMV" / "PLAYLIST" / "00001.mpls", fx::file(sampleFile()));
    const auto r = cli({"show", "mpls", (dir / "BDMV").string(), "00001"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "cbAIpbt=Sequential\nieAIpbc=0\nheAIUO=00000001\nheAIUO2=40000000\n"
              "# sgPLitem\n\tfile\ttype\tIN time\tOUT time\tlength\tUO1\tUO2\tAn\n"
              "000\t00010\tM2TS\t00:01:00.000\t00:01:10.000\t00:00:10.000\t00000000\t00000000\t2\n"
              "001\t00012\tM2TS\t00:00:00.000\t00:00:02.000\t00:00:02.000\t00000000\t00000000\t0\n"
              "# sgPIangles 0\n\tfile\ttype\tSTC\n1\t00010\tM2TS\t0\n2\t00011\tM2TS\t1\n"
              "# sgSTN 0\nVi\tAu\tPG\tIG\tsV\tsA\tPIP\n1\t1\t1\t0\t0\t0\t0\n"
              "# sgStreamEntry 0 Vi\n\ttype\tmPID\tSPid\tsCid\tsPID\tattrib\n001\tPlayItem\t1011\t\t\t\tAVC, 1080p, 23.976\n"
              "# sgStreamEntry 0 Au\n\ttype\tmPID\tSPid\tsCid\tsPID\tattrib\n001\tPlayItem\t1100\t\t\t\tLPCM, Stereo, 48 kHz, jpn\n"
              "# sgStreamEntry 0 PG\n\ttype\tmPID\tSPid\tsCid\tsPID\tattrib\n001\tPlayItem\t1200\t\t\t\teng\n"
              "# sgSTN 1\nVi\tAu\tPG\tIG\tsV\tsA\tPIP\n1\t0\t0\t0\t0\t0\t0\n"
              "# sgStreamEntry 1 Vi\n\ttype\tmPID\tSPid\tsCid\tsPID\tattrib\n001\tPlayItem\t1011\t\t\t\tAVC, 1080p, 23.976\n"
              "# sgSubPath\n\ttype\trepeat\titem\n000\tIG menu\tNo\t1\n"
              "# sgSubPlayItem 0\n\tfile\ttype\tconn\tmulti\tSTC\tIN time\tOUT time\tsync PI\tsync PTS\tAn\n"
              "000\t00020\tM2TS\t1\tYes\t0\t00:00:00.000\t00:00:01.000\t0\t00:00:00.000\t2\n"
              "# sgAngles 0 0\n\tfile\ttype\tSTC\n1\t00020\tM2TS\t0\n2\t00021\tM2TS\t0\n"
              "# sgPlayListMark\n\ttype\tPI\tmark time\tentry PID\tduration\n"
              "000\tentry-mark\t000\t00:01:00.000\tFFFF\t0\n001\tentry-mark\t001\t00:00:00.000\tFFFF\t0\n"
              "lMExtDat=1 entry, 28 bytes\n");

    const auto json = cli({"show", "--json", "mpls", (dir / "BDMV").string(), "00001"});
    EXPECT_EQ(json.status, 0);
    EXPECT_NE(json.out.find("\"sgStreamEntry 0 Au\""), std::string::npos);
    EXPECT_NE(json.out.find("\"lMExtDat\": \"1 entry, 28 bytes\""), std::string::npos);
}

TEST(PlayListCli, PlaybackTypeList) {
    TempDir dir;
    const std::vector<std::pair<int, std::string>> cases{{0, "Sequential"}, {1, "Sequential"}, {2, "Random"}, {3, "Shuffle"}, {4, ""}};
    for (const auto& [type, text] : cases) {
        fx::File f;
        f.playbackType = static_cast<std::uint8_t>(type);
        writeFile(dir / "PLAYLIST" / "00003.mpls", fx::file(f));
        const auto r = cli({"show", "mpls", dir.path().string(), "00003"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "cbAIpbt=" + text) << type;
    }
}

TEST(PlayListCli, RejectedFilesPrintOnlyTheError) {
    TempDir dir;
    fx::File wrong;
    wrong.magic = "MPLX";
    writeFile(dir / "PLAYLIST" / "00002.mpls", fx::file(wrong));
    auto many = fx::file(sampleFile());
    many[fx::kPlayListAt + 6] = 0x10;  // 4098 PlayItems announced
    writeFile(dir / "PLAYLIST" / "00004.mpls", many);
    struct Case {
        std::string name;
        std::string err;  // the whole stderr, or its start when it ends in "*"
    };
    const std::vector<Case> cases{
        {"00002", "ERROR: Invalid format: 00002.mpls\n"},
        {"00004", "ERROR: 00004.mpls ends before the end of its PlayList (00004.mpls: PlayList at $00000044)\n"},
        {"00009", "ERROR: Cannot open *"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = cli({"show", "mpls", dir.path().string(), c.name});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        if (c.err.back() == '*') {
            EXPECT_EQ(r.err.rfind(c.err.substr(0, c.err.size() - 1), 0), 0u) << r.err;
        } else {
            EXPECT_EQ(r.err, c.err);
        }
    }
}

TEST(PlayListCli, ResaveWritesPlayLists) {
    TempDir dir;
    const auto bytes = fx::file(sampleFile());
    writeFile(dir / "in" / "00001.mpls", bytes);
    auto reserved = bytes;
    reserved[25] = 0x7E;  // a reserved header byte, written as zero
    writeFile(dir / "odd" / "00002.mpls", reserved);
    const auto r = cli({"resave", (dir / "in" / "00001.mpls").string(), (dir / "odd" / "00002.mpls").string(), "-o",
                        (dir / "out").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "00001.mpls: identical\n00002.mpls: differs at 0x19\n");
    EXPECT_EQ(readFile(dir / "out" / "00001.mpls"), bytes);
}

TEST(PlayListCli, CorpusPlayLists) {
    NAVELO_REQUIRE_CORPUS();
    const fs::path disc = corpusDir() / "discs" / "tchapter-disc1" / "BDMV";
    const auto angles = cli({"show", "mpls", disc.string(), "00021"});
    EXPECT_EQ(angles.status, 0) << angles.err;
    EXPECT_NE(angles.out.find("\n# sgPIangles "), std::string::npos);
    const auto links = cli({"show", "mpls", disc.string(), "00022"});
    EXPECT_NE(links.out.find("\tlink point\t"), std::string::npos);

    // The broken one, placed where show looks for it.
    TempDir dir;
    writeFile(dir / "PLAYLIST" / "00001.mpls", readFile(corpusDir() / "files" / "chaptertool" / "Mpls" / "00001_Invalid.mpls"));
    const auto invalid = cli({"show", "mpls", dir.path().string(), "00001"});
    EXPECT_EQ(invalid.status, 1);
    EXPECT_EQ(invalid.out, "");
    EXPECT_EQ(invalid.err, "ERROR: PlayList_start_address $52202020 lies beyond the end of 00001.mpls (1154 bytes)\n");
}
