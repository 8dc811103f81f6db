#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/disc_builder.h"
#include "support/run_command.h"
#include "support/test_paths.h"

using namespace navelo::test;

namespace {

CommandResult cli(std::vector<std::string> args) {
    args.insert(args.begin(), NAVELO_CLI);
    return runCommand(args);
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n') + 1); }

class RunVerb : public ::testing::Test {
protected:
    void SetUp() override {
        DiscLayout disc;
        disc.movieObject = movieObjectFile({
            // GPR1 := 42; Play PL GPR1; GPR1 += 1; Jump Title 3; GPR2 := 1 (never reached)
            {0, {{0x50400001, 1, 42}, {0x22000000, 1, 0}, {0x50400003, 1, 1}, {0x21810000, 3, 0}, {0x50400001, 2, 1}}},
            {0, {}},
            {0, {{0x20810000, 0, 0}}},  // GoTo 0, for ever
        });
        folder_ = makeDisc(dir_ / "MOVIE", disc);
    }
    TempDir dir_;
    std::string folder_;
};

TEST_F(RunVerb, PrintsTheMessagesThenTheRegisterDumps) {
    const auto r = cli({"run", folder_, "0"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.out.starts_with("Play PL 42\nJump Title 3\n"
                                  "PSR0: 00000001 (1) - Interactive Graphics Stream Number (b7-b0) {1-32,$ff}\n"))
        << r.out;
    EXPECT_NE(r.out.find("\nPSR4: 00000003 (3) - Title Number (b15-b0) {1-999,$ffff}\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nPSR6: 0000002A (42) - PlayList id (b15-b0) {0-1999}\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nPSR31: 00030200 (197120) - Player Profile"), std::string::npos);
    EXPECT_TRUE(r.out.ends_with("\nPSR43: 0000FFFF (65535)   PSR48: FFFFFFFF (4294967295)   "
                                "PSR49: FFFFFFFF (4294967295)   PSR50: FFFFFFFF (4294967295)   "
                                "PSR61: FFFF0000 (4294901760)   \nGPR1: 0000002B (43)   \n"))
        << r.out;

    const auto empty = cli({"run", folder_, "1"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(firstLine(empty.out), "PSR0: 00000001 (1) - Interactive Graphics Stream Number (b7-b0) {1-32,$ff}\n");
    EXPECT_TRUE(empty.out.ends_with("(4294901760)   \n")) << empty.out;  // no GPR is set
}

TEST_F(RunVerb, StopsAtTheStepLimit) {
    // Object 0 executes four commands: a limit of four is enough, three is not.
    EXPECT_EQ(cli({"run", folder_, "0", "--max-steps", "4"}).status, 0);
    const auto limited = cli({"run", folder_, "0", "--max-steps", "3"});
    EXPECT_EQ(limited.status, 1);
    EXPECT_EQ(limited.out, "Play PL 42\nStep limit reached\n");

    const auto endless = cli({"run", folder_, "2"});  // the default limit ends it
    EXPECT_EQ(endless.status, 1);
    EXPECT_EQ(endless.out, "Step limit reached\n");
}

TEST_F(RunVerb, RefusesMissingObjectsAndRejectedFiles) {
    const auto beyond = cli({"run", folder_, "3"});
    EXPECT_EQ(beyond.status, 1);
    EXPECT_EQ(beyond.out, "");
    EXPECT_NE(beyond.err.find("3"), std::string::npos);

    DiscLayout disc;
    disc.movieObject = movieObjectFile({{0, {{0x22800000, 1, 0}}}}, {}, "0400");
    const auto bad = makeDisc(dir_ / "BAD", disc);
    const auto rejected = cli({"run", bad, "0"});
    EXPECT_EQ(rejected.status, 1);
    EXPECT_EQ(rejected.out, "");
    EXPECT_EQ(rejected.err, "ERROR: Format error MovieObject.bdmv\n");
}

}  // namespace
