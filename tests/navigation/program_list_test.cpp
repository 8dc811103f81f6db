// Program lists: the text and binary forms of one movie object's commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "navigation/program_list.h"
#include "support/test_paths.h"

using namespace navelo;
using namespace navelo::test;

namespace {

const std::string kHeader =
    ";------------------------------------------------------------\r\n"
    ";\r\n"
    ";             MovieObject program list by Navelo\r\n"
    ";\r\n"
    ";------------------------------------------------------------\r\n";

Tmobject objectOf(std::vector<NavigationCommand> commands) {
    Tmobject o;
    o.number_of_navigation_commands = static_cast<std::uint16_t>(commands.size());
    o.navigation_commands = std::move(commands);
    return o;
}

std::string text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

}  // namespace

TEST(ProgramList, ListAndBinaryOfThreeCommands) {
    const Tmobject o = objectOf({{}, {0x20810000, 5, 0}, {0x50000001, 1, 2}});
    EXPECT_EQ(text(programListText(o)), kHeader +
                                            "0000  [00000000,00000000,00000000]  NOP\r\n"
                                            "0001  [20810000,00000005 ,00000000]  GoTo 5\r\n"
                                            "0002  [50000001,00000001 ,00000002 ]  Move GPR1, GPR2\r\n");
    const std::vector<std::uint8_t> binary = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                              0x20, 0x81, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0,
                                              0x50, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 2};
    EXPECT_EQ(programListBinary(o), binary);
    EXPECT_EQ(programListBytes(o, ProgramFormat::Binary), binary);
    EXPECT_EQ(programListBytes(o, ProgramFormat::List), programListText(o));
}

TEST(ProgramList, LinesCarryMarkersAnnotationsAndEightBitText) {
    const Tmobject o = objectOf({{0x02030000, 0, 0}, {0x50800001, 1, 2}, {0x50400001, 0x80000011, 0x00E96E67}});
    const auto list = programListText(o);
    EXPECT_EQ(text(list), kHeader +
                              "0000  [02030000,00000000,00000000]  *Terminate PL  ; Forbidden opcode\r\n"
                              "0001  [50800001,00000001 ,00000002 ]  !Move 1, GPR2  ; Invalid opcode\r\n"
                              "0002  [50400001,80000011 ,00E96E67 ]  Move PSR17, 15298151       ;PSR17: Language code for "
                              "PG and Text subtitle (b23-b0)  [\xE9ng]\r\n");
    EXPECT_EQ(text(programListText(objectOf({}))), kHeader);
    EXPECT_TRUE(programListBinary(objectOf({})).empty());
}

TEST(ProgramList, NamesAndSaving) {
    EXPECT_EQ(proposedProgramListName(5), "program_005");
    EXPECT_EQ(proposedProgramListName(1234), "program_1234");
    EXPECT_EQ(programListExtension(ProgramFormat::List), ".lst");
    EXPECT_EQ(programListExtension(ProgramFormat::Binary), ".bin");

    TempDir dir;
    const Tmobject o = objectOf({{0x20810000, 5, 0}});
    const auto path = dir / "program_000.lst";
    writeFile(path, std::vector<std::uint8_t>(100, 'x'));
    ASSERT_TRUE(saveProgramList(path, o, ProgramFormat::List).ok());
    EXPECT_EQ(readFile(path), programListText(o));  // replaced, not appended
    ASSERT_TRUE(saveProgramList(path, o, ProgramFormat::Binary).ok());
    EXPECT_EQ(readFile(path).size(), 12u);
    const auto failed = saveProgramList(dir / "missing" / "p.lst", o, ProgramFormat::List);
    ASSERT_FALSE(failed.ok());
    EXPECT_FALSE(failed.error().message.empty());
}
