#include <gtest/gtest.h>

#include <filesystem>

#include "support/disc_builder.h"
#include "support/run_command.h"
#include "support/test_paths.h"

using namespace navelo::test;
namespace fs = std::filesystem;

namespace {

CommandResult cli(std::vector<std::string> args) {
    args.insert(args.begin(), NAVELO_CLI);
    return runCommand(args);
}

}  // namespace

TEST(Cli, UsageErrorsExitWithTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{{}, {"frobnicate"}, {"show"}, {"show", "index"}, {"resave", "x"}}) {
        const auto r = cli(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(r.err.empty());
    }
}

TEST(Cli, LoadPrintsTheChecklist) {
    TempDir dir;
    const auto folder = makeDisc(dir / "MOVIE");
    const auto r = cli({"load", folder});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("PLAYLIST folder: OK\n"), std::string::npos);
    EXPECT_NE(r.out.find("  Found 2 titles, 0 extended entry.\n"), std::string::npos);
    const auto raw = cli({"--markup", "load", folder});
    EXPECT_NE(raw.out.find("[bl]PLAYLIST[/bl] folder: [b]OK[/b]\n"), std::string::npos);

    fs::remove_all(fs::path(folder) / "BACKUP");
    const auto failed = cli({"load", folder});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.out.find("Check failed.\n"), std::string::npos);
}

TEST(Cli, ShowPrintsGridsAndLabels) {
    TempDir dir;
    const auto folder = makeDisc(dir / "MOVIE");
    const auto mobj = cli({"show", "mobj", folder});
    EXPECT_EQ(mobj.status, 0);
    EXPECT_EQ(mobj.out,
              "# sgObject\nNo.\tresume\tmenu call\ttitle search\tcommands\n"
              "000\tsuspend\tenable\tenable\t2\n001\tdiscard\tdisable\tenable\t0\n"
              "lObjects=2 objects\nlObjExtDat=no ExtensionData()\n"
              "# sgCommands 0\nNo.\tOpcode\tDestinat.\tSource\tCommand line\n"
              "0000\t50400001\t00000001 \t00000002 \tMove GPR1, 2\n"
              "0001\t22000000\t00000000 \t00000000\tPlay PL GPR0\n"
              "# sgCommands 1\nNo.\tOpcode\tDestinat.\tSource\tCommand line\n");
    const auto index = cli({"show", "index", folder});
    EXPECT_EQ(index.status, 0);
    EXPECT_EQ(index.out,
              "# sgTitles\nNo.\tobject t.\ttitle search\tplayback t.\tOID/file\n"
              "001\tHDMV\tPermitted\tMovie\t0\n002\tHDMV\tPermitted\tInteractive\t1\n"
              "eContent=\nlTitlenum=2 + 2 titles\nlIndexExtDat=no ExtensionData()\n");
    const auto json = cli({"show", "--json", "index", folder});
    EXPECT_EQ(json.status, 0);
    EXPECT_NE(json.out.find("\"sgTitles\""), std::string::npos);
}

TEST(Cli, RejectedFilesPrintHeadersAndTheErrorOnStderr) {
    TempDir dir;
    DiscLayout layout;
    layout.movieObject = movieObjectFile({}, {}, "0400");
    const auto folder = makeDisc(dir / "MOVIE", layout);
    const auto r = cli({"show", "mobj", folder});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "# sgObject\nNo.\tresume\tmenu call\ttitle search\tcommands\nlObjects=\nlObjExtDat=\n");
    EXPECT_EQ(r.err, "ERROR: Format error MovieObject.bdmv\n");
    const auto missing = cli({"show", "index", (dir / "nowhere").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "# sgTitles\nNo.\tobject t.\ttitle search\tplayback t.\tOID/file\neContent=\nlTitlenum=\nlIndexExtDat=\n");
}

TEST(Cli, ResaveComparesTheBytes) {
    TempDir dir;
    const auto folder = makeDisc(dir / "MOVIE");
    // A reserved bit in a flags word is written as zero, so that file differs.
    auto bytes = movieObjectFile({{0x0001, {}}});
    writeFile(dir / "odd" / "MovieObject.bdmv", bytes);
    const auto r = cli({"resave", folder + "index.bdmv", (dir / "odd" / "MovieObject.bdmv").string(), folder + "00000.mpls",
                        "-o", (dir / "out").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "index.bdmv: identical\nMovieObject.bdmv: differs at 0x33\n");
    EXPECT_NE(r.err.find("ERROR: "), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "out" / "index.bdmv"));
}
