#include "interpreter/player_registers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace navelo {
namespace {

PlayerRegisters resetWith(const RegisterResetSettings& settings) {
    PlayerRegisters regs;
    regs.GPR.fill(0x11111111u);  // a reset must clear what was there
    regs.PSR.fill(0x22222222u);
    ResetRegs(regs, settings);
    return regs;
}

TEST(PlayerRegisters, ResetWritesTheStartUpValues) {
    const PlayerRegisters standard = resetWith({});
    const std::vector<std::pair<unsigned, std::uint32_t>> expected = {
        {0, 1},           {1, 0xFF},        {2, 0x0FFF0FFF},  {3, 1},           {4, 0xFFFF},      {5, 0xFFFF},
        {8, 0xFFFFFFFF},  {10, 0xFFFF},     {12, 0xFF},       {14, 0xFFFF},     {15, 0xAA},       {16, 0x00656E67},
        {17, 0x00656E67}, {18, 0x00656E67}, {19, 0x5553},     {20, 1},          {29, 3},          {30, 0x0001F0F8},
        {31, 0x00030200}, {43, 0xFFFF},     {48, 0xFFFFFFFF}, {49, 0xFFFFFFFF}, {50, 0xFFFFFFFF}, {61, 0xFFFF0000},
    };
    PlayerRegisters want;
    for (const auto& [n, v] : expected) want.PSR[n] = v;
    EXPECT_EQ(standard, want);

    // "Real" values change exactly PSR1, 2, 4 and 5.
    PlayerRegisters real = resetWith({.realValues = true});
    EXPECT_EQ(real.PSR[1], 1u);
    EXPECT_EQ(real.PSR[2], 0x0FFF0001u);
    EXPECT_EQ(real.PSR[4], 0u);
    EXPECT_EQ(real.PSR[5], 1u);
    for (unsigned n : {1u, 2u, 4u, 5u}) real.PSR[n] = standard.PSR[n];
    EXPECT_EQ(real, standard);

    EXPECT_EQ(resetWith({.countryCode = 0x4445}).PSR[19], 0x4445u);
    const std::vector<std::pair<int, std::uint32_t>> regions = {{0, 1}, {1, 2}, {2, 4}, {-1, 1}, {3, 1}};
    for (const auto& [index, psr20] : regions) EXPECT_EQ(resetWith({.regionIndex = index}).PSR[20], psr20) << index;
}

TEST(PlayerRegisters, DumpsAfterAResetAndWithRegistersSet) {
    PlayerRegisters regs;
    ResetRegs(regs, {});
    auto psr = psrDumpLines(regs);
    ASSERT_EQ(psr.size(), 25u);  // PSR0-20, PSR29-31, one line of five items
    EXPECT_EQ(psr[0], "[b]PSR0[/b]: 00000001 (1) - Interactive Graphics Stream Number (b7-b0) {1-32,$ff}");
    EXPECT_EQ(psr[9], "[b]PSR9[/b]: 00000000 (0) - Navigation Timer (b15-b0) {0-300} sec");
    EXPECT_EQ(psr[19], "[b]PSR19[/b]: 00005553 (21843) - Country Code (b15-b0)");
    EXPECT_EQ(psr[21], "[b]PSR29[/b]: 00000003 (3) - Player Capability for Video (b1: 50Hz and 25Hz, b0: HD sec video)");
    EXPECT_EQ(psr[24],
              "[b]PSR43[/b]: 0000FFFF (65535)   [b]PSR48[/b]: FFFFFFFF (4294967295)   "
              "[b]PSR49[/b]: FFFFFFFF (4294967295)   [b]PSR50[/b]: FFFFFFFF (4294967295)   "
              "[b]PSR61[/b]: FFFF0000 (4294901760)   ");
    EXPECT_TRUE(gprDumpLines(regs).empty());

    // A reserved PSR keeps its " - " without a description; six PSR items or
    // five GPR items fill a line.
    regs.PSR[21] = 5;
    regs.PSR[33] = regs.PSR[34] = 1;
    psr = psrDumpLines(regs);
    ASSERT_EQ(psr.size(), 27u);
    EXPECT_EQ(psr[21], "[b]PSR21[/b]: 00000005 (5) - ");
    EXPECT_EQ(psr[25].substr(0, 35), "[b]PSR33[/b]: 00000001 (1)   [b]PSR");
    EXPECT_EQ(psr[26], "[b]PSR61[/b]: FFFF0000 (4294901760)   ");
    for (unsigned n : {1u, 2u, 3u, 4u, 4095u, 7u}) regs.GPR[n] = n;
    const auto gpr = gprDumpLines(regs);
    ASSERT_EQ(gpr.size(), 2u);
    EXPECT_EQ(gpr[1], "[b]GPR4095[/b]: 00000FFF (4095)   ");
    EXPECT_TRUE(gpr[0].starts_with("[b]GPR1[/b]: 00000001 (1)   [b]GPR2[/b]")) << gpr[0];
    EXPECT_TRUE(gpr[0].ends_with("[b]GPR7[/b]: 00000007 (7)   ")) << gpr[0];
}

TEST(PlayerRegisters, PanelFieldsKeepNumbersInRange) {
    struct Case {
        RegisterBank bank;
        const char* typed;
        std::uint32_t number;
        const char* shown;
    };
    const Case cases[] = {
        {RegisterBank::Psr, "127", 127, "127"},  {RegisterBank::Psr, "128", 0, "000"},
        {RegisterBank::Psr, "-1", 0, "000"},     {RegisterBank::Psr, " 7", 7, "007"},
        {RegisterBank::Psr, "", 0, "000"},       {RegisterBank::Gpr, "4095", 4095, "4095"},
        {RegisterBank::Gpr, "4096", 0, "0000"},  {RegisterBank::Gpr, "42", 42, "0042"},
    };
    for (const auto& c : cases) {
        const std::uint32_t n = registerNumberFromText(c.bank, c.typed);
        EXPECT_EQ(n, c.number) << c.typed;
        EXPECT_EQ(registerNumberText(c.bank, n), c.shown) << c.typed;
    }
    EXPECT_EQ(registerValueFromText("1FFFFFFFF"), 0xFFFFFFFFu);  // low 32 bits
    EXPECT_EQ(registerValueFromText("ab cd"), 0xABCDu);
    EXPECT_EQ(registerValueText(0xAB), "000000AB");

    PlayerRegisters regs;
    regs.at(RegisterBank::Psr, 0x80000085u) = 9;  // commands address PSRs by their low 7 bits
    regs.at(RegisterBank::Gpr, 0x1005u) = 8;
    EXPECT_EQ(regs.PSR[5], 9u);
    EXPECT_EQ(regs.GPR[5], 8u);
}

}  // namespace
}  // namespace navelo
