// `export-program`: one movie object's commands written as a program list.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

class ExportProgram : public ::testing::Test {
protected:
    void SetUp() override {
        DiscLayout layout;
        layout.movieObject = movieObjectFile({{0, {}}, {0, {{0, 0, 0}, {0x20810000, 5, 0}, {0x50000001, 1, 2}}}});
        folder_ = makeDisc(dir_ / "MOVIE", layout);
    }
    std::string out(const std::string& name) const { return (dir_ / name).string(); }
    TempDir dir_;
    std::string folder_;
};

}  // namespace

TEST_F(ExportProgram, WritesTheListOrTheBinary) {
    const auto list = cli({"export-program", folder_, "1", "-o", out("program_001.lst")});
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "");
    EXPECT_EQ(list.err, "");
    const auto text = readFile(dir_ / "program_001.lst");
    EXPECT_EQ(std::string(text.begin(), text.end()),
              ";------------------------------------------------------------\r\n;\r\n"
              ";             MovieObject program list by Navelo\r\n;\r\n"
              ";------------------------------------------------------------\r\n"
              "0000  [00000000,00000000,00000000]  NOP\r\n"
              "0001  [20810000,00000005 ,00000000]  GoTo 5\r\n"
              "0002  [50000001,00000001 ,00000002 ]  Move GPR1, GPR2\r\n");

    // The flag decides the format, whatever the file is called.
    const auto binary = cli({"export-program", "--binary", folder_, "1", "-o", out("program_001.lst")});
    EXPECT_EQ(binary.status, 0) << binary.err;
    const std::vector<std::uint8_t> words = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                             0x20, 0x81, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0,
                                             0x50, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 2};
    EXPECT_EQ(readFile(dir_ / "program_001.lst"), words);

    const auto empty = cli({"export-program", folder_, "0", "--output", out("empty.bin"), "--binary"});
    EXPECT_EQ(empty.status, 0) << empty.err;
    EXPECT_TRUE(readFile(dir_ / "empty.bin").empty());
}

TEST_F(ExportProgram, ErrorsAndUsage) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;  // start of stderr
    };
    TempDir other;
    DiscLayout bad;
    bad.movieObject = movieObjectFile({}, {}, "0400");
    const auto badFolder = makeDisc(other / "BAD", bad);
    const std::vector<Case> cases = {
        {{"export-program", folder_, "2", "-o", out("x.lst")}, 1, "ERROR: No movie object 2 in MovieObject.bdmv (2 objects)\n"},
        {{"export-program", badFolder, "0", "-o", out("x.lst")}, 1, "ERROR: Format error MovieObject.bdmv\n"},
        {{"export-program", out("nowhere"), "0", "-o", out("x.lst")}, 1, "ERROR: Cannot open "},
        {{"export-program", folder_, "1", "-o", out("missing/x.lst")}, 1, "ERROR: Cannot "},
        {{"export-program", folder_, "1"}, 2, ""},
        {{"export-program", folder_, "-o", out("x.lst")}, 2, ""},
        {{"export-program", folder_, "one", "-o", out("x.lst")}, 2, ""},
    };
    for (const auto& k : cases) {
        const auto r = cli(k.args);
        EXPECT_EQ(r.status, k.status) << k.args[1] << " " << k.args[2];
        EXPECT_TRUE(r.err.starts_with(k.err)) << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_FALSE(fs::exists(dir_ / "x.lst"));
}
