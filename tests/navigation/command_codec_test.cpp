#include "navigation/command_codec.h"

#include <cctype>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace navelo {
namespace {

using Ctx = CommandContext;

std::string hex8(std::uint32_t v) {
    std::string s(8, '0');
    for (int i = 7; i >= 0; --i, v >>= 4) s[static_cast<std::size_t>(i)] = "0123456789ABCDEF"[v & 0xFu];
    return s;
}

struct RenderCase {
    const char* what;
    std::uint32_t opword, destination, source;
    Ctx context;
    std::size_t index;
    const char* number;
    const char* destinationCell;
    const char* sourceCell;
    const char* line;
    bool valid, forbidden;
};

// Every cell of every row is checked: the grid colours operand words by their
// trailing blank, and the trace reads the command line back.
const RenderCase kRenderCases[] = {
    // The reference examples.
    {"NOP", 0x00000000, 0x00000000, 0x00000000, Ctx::MovieObject, 0, "0000", "00000000", "00000000", "NOP", true,
     false},
    {"GoTo", 0x20810000, 0x00000005, 0x00000000, Ctx::MovieObject, 1, "0001", "00000005 ", "00000000", "GoTo 5", true,
     false},
    {"Move registers", 0x50000001, 0x00000001, 0x00000002, Ctx::MovieObject, 2, "0002", "00000001 ", "00000002 ",
     "Move GPR1, GPR2", true, false},
    {"Move PSR16", 0x50400001, 0x80000010, 0x00656E67, Ctx::MovieObject, 3, "0003", "80000010 ", "00656E67 ",
     "Move PSR16, 6647399       ;PSR16: Language Code for Audio (b23-b0)  [eng]", true, false},
    {"EQ PSR19", 0x48400200, 0x80000013, 0x00005553, Ctx::MovieObject, 4, "0004", "80000013 ", "00005553 ",
     "EQ PSR19, 21843       ;PSR19: Country Code (b15-b0)  [US]", true, false},
    {"SetButtonPage immediate", 0x51C00003, 0x80000002, 0x00000001, Ctx::MovieObject, 5, "0005", "80000002 ",
     "00000001 ", "SetButtonPage 2, (1)", true, false},
    {"SetStream immediate", 0x51C00001, 0x80020001, 0x00000000, Ctx::MovieObject, 6, "0006", "80020001 ",
     "00000000 ", "SetStream 2, (1), (0), (0)", true, false},
    {"Terminate PL in movie object", 0x02030000, 0x00000000, 0x00000000, Ctx::MovieObject, 7, "0007", "00000000",
     "00000000", "*Terminate PL  ; Forbidden opcode", true, true},
    {"Play PL in button", 0x22000000, 0x00000003, 0x00000000, Ctx::Button, 8, "0008", "00000003 ", "00000000",
     "*Play PL GPR3  ; Forbidden opcode", true, true},
    {"Move with immediate destination", 0x50800001, 0x00000001, 0x00000002, Ctx::MovieObject, 9, "0009",
     "00000001 ", "00000002 ", "!Move 1, GPR2  ; Invalid opcode", false, false},

    // Names come from the fields even when the opword is invalid.
    {"reserved bit set", 0x50000021, 0x00000001, 0x00000002, Ctx::MovieObject, 10, "0010", "00000001 ",
     "00000002 ", "!Move GPR1, GPR2  ; Invalid opcode", false, false},
    {"set option outside table", 0x50000011, 0x00000001, 0x00000002, Ctx::MovieObject, 11, "0011", "00000001 ",
     "00000002 ", "! GPR1, GPR2  ; Invalid opcode", false, false},
    {"group 3 has no name", 0x18000000, 0x00000000, 0x00000000, Ctx::MovieObject, 12, "0012", "00000000",
     "00000000", "!  ; Invalid opcode", false, false},
    {"compare without operands", 0x08000100, 0x00000001, 0x00000002, Ctx::MovieObject, 13, "0013", "00000001",
     "00000002", "BC", true, false},
    {"SetStream without operands", 0x11000001, 0x80000010, 0x80000011, Ctx::MovieObject, 14, "0014", "80000010",
     "80000011", "SetStream", true, false},

    // Counts beyond 2 show both operands, but only a count of exactly 2 marks the source word.
    {"operand count 3", 0x70000001, 0x00000001, 0x00000002, Ctx::MovieObject, 15, "0015", "00000001 ", "00000002",
     "!Move GPR1, GPR2  ; Invalid opcode", false, false},
    {"operand count 7", 0xF0400001, 0x00000001, 0x00000002, Ctx::MovieObject, 16, "0016", "00000001 ", "00000002",
     "!Move GPR1, 2  ; Invalid opcode", false, false},

    // Contexts.
    {"NOP in button", 0x00000000, 0x00000000, 0x00000000, Ctx::Button, 17, "0017", "00000000", "00000000", "NOP",
     true, false},
    {"Terminate PL in button", 0x02030000, 0x00000000, 0x00000000, Ctx::Button, 18, "0018", "00000000", "00000000",
     "Terminate PL", true, false},
    {"Play PL in movie object", 0x22000000, 0x00000003, 0x00000000, Ctx::MovieObject, 19, "0019", "00000003 ",
     "00000000", "Play PL GPR3", true, false},
    {"EnableButton in movie object", 0x31800004, 0x00000005, 0x00000000, Ctx::MovieObject, 20, "0020", "00000005 ",
     "00000000", "*EnableButton 5  ; Forbidden opcode", true, true},

    // Plain operands: the whole word as unsigned decimal, register numbers masked.
    {"immediate is the whole unsigned word", 0x20810000, 0xFFFFFFFF, 0x00000000, Ctx::MovieObject, 21, "0021",
     "FFFFFFFF ", "00000000", "GoTo 4294967295", true, false},
    {"register numbers are masked", 0x50000001, 0x80FFFFE4, 0x7FFFF003, Ctx::MovieObject, 22, "0022", "80FFFFE4 ",
     "7FFFF003 ", "Move PSR100, GPR3", true, false},

    // PSR annotations.
    {"source PSR wins", 0x50000001, 0x80000001, 0x80000003, Ctx::MovieObject, 23, "0023", "80000001 ", "80000003 ",
     "Move PSR1, PSR3       ;PSR3: Angle Number (b7-b0) {1-9}", true, false},
    {"destination PSR of a one-operand command", 0x21010000, 0x80000004, 0x80000005, Ctx::MovieObject, 24, "0024",
     "80000004 ", "80000005", "Jump Title PSR4       ;PSR4: Title Number (b15-b0) {1-999,$ffff}", true, false},
    {"no annotation on an invalid command", 0x50000021, 0x80000010, 0x00000002, Ctx::MovieObject, 25, "0025",
     "80000010 ", "00000002 ", "!Move PSR16, GPR2  ; Invalid opcode", false, false},
    {"annotation on a forbidden command", 0x31000004, 0x80000000, 0x00000000, Ctx::MovieObject, 26, "0026",
     "80000000 ", "00000000",
     "*EnableButton PSR0  ; Forbidden opcode       ;PSR0: Interactive Graphics Stream Number (b7-b0) {1-32,$ff}", true,
     true},
    {"last described PSR", 0x50400003, 0x8000002C, 0x00000001, Ctx::MovieObject, 27, "0027", "8000002C ",
     "00000001 ", "Add PSR44, 1       ;PSR44: Back-up Register for PSR12", true, false},
    {"PSR 45 is not described", 0x50400004, 0x8000002D, 0x00000001, Ctx::MovieObject, 28, "0028", "8000002D ",
     "00000001 ", "Sub PSR45, 1", true, false},
    {"PSR 20 has no code characters", 0x48400200, 0x80000014, 0x00000001, Ctx::MovieObject, 29, "0029",
     "80000014 ", "00000001 ", "EQ PSR20, 1       ;PSR20: Region Code (b7-b0) {1,2,4}", true, false},
    {"code characters from the destination when it is no PSR", 0x50000001, 0x00646575, 0x80000011,
     Ctx::MovieObject, 30, "0030", "00646575 ", "80000011 ",
     "Move GPR1397, PSR17       ;PSR17: Language code for PG and Text subtitle (b23-b0)  [deu]", true, false},

    // Packed SetSystem operands; register forms never annotate.
    {"SetStream register form", 0x51000001, 0x8ABCFFFF, 0x0FFFFFFF, Ctx::MovieObject, 31, "0031", "8ABCFFFF ",
     "0FFFFFFF ", "SetStream GPR2748, GPR4095, (GPR4095), GPR255", true, false},
    {"SetStream destination register", 0x51400001, 0x00050006, 0x80018002, Ctx::MovieObject, 32, "0032",
     "00050006 ", "80018002 ", "SetStream (GPR5), (GPR6), 1, 2", true, false},
    {"SetStream source register", 0x51800001, 0x00048005, 0x80070009, Ctx::MovieObject, 33, "0033", "00048005 ",
     "80070009 ", "SetStream (4), 5, GPR7, (GPR9)", true, false},
    {"SetStream immediate masks", 0x51C00001, 0x81238FFF, 0x8123FFFF, Ctx::MovieObject, 34, "0034", "81238FFF ",
     "8123FFFF ", "SetStream 35, 4095, 35, 255", true, false},
    {"SetButtonPage register form", 0x51000003, 0x80000005, 0x80070000, Ctx::MovieObject, 35, "0035", "80000005 ",
     "80070000 ", "SetButtonPage GPR5, GPR7", true, false},
    {"SetButtonPage mixed form", 0x51400003, 0x00001005, 0x81230103, Ctx::MovieObject, 36, "0036", "00001005 ",
     "81230103 ", "SetButtonPage (GPR5), 3", true, false},
    {"SetButtonPage immediate masks", 0x51800003, 0x0001FFFF, 0x80000000, Ctx::MovieObject, 37, "0037",
     "0001FFFF ", "80000000 ", "SetButtonPage (65535), GPR0", true, false},
    {"SetSecondaryStream register form", 0x51000006, 0x80358010, 0x00020003, Ctx::MovieObject, 38, "0038",
     "80358010 ", "00020003 ", "SetSecondaryStream 5, GPR16, (GPR2), (GPR3)", true, false},
    {"SetSecondaryStream immediate form", 0x51C00006, 0x80030302, 0x01238123, Ctx::MovieObject, 39, "0039",
     "80030302 ", "01238123 ", "SetSecondaryStream 3, (2), (35), 291", true, false},
    {"SetNVTimer keeps plain operands", 0x51000002, 0x80000009, 0x00000001, Ctx::MovieObject, 40, "0040",
     "80000009 ", "00000001 ", "SetNVTimer PSR9, GPR1       ;PSR9: Navigation Timer (b15-b0) {0-300} sec", true,
     false},

    // The number cell grows beyond four digits.
    {"five-digit index", 0x00000000, 0x00000000, 0x00000000, Ctx::MovieObject, 65534, "65534", "00000000",
     "00000000", "NOP", true, false},
};

void PrintTo(const RenderCase& c, std::ostream* os) { *os << c.what; }

class RenderCommandTest : public testing::TestWithParam<RenderCase> {};

TEST_P(RenderCommandTest, RendersAllCells) {
    const RenderCase& c = GetParam();
    const RenderedCommand r = renderCommand({c.opword, c.destination, c.source}, c.index, c.context);
    EXPECT_EQ(r.cells[0], c.number);
    EXPECT_EQ(r.cells[1], hex8(c.opword));
    EXPECT_EQ(r.cells[2], c.destinationCell);
    EXPECT_EQ(r.cells[3], c.sourceCell);
    EXPECT_EQ(r.cells[4], c.line);
    EXPECT_EQ(r.valid, c.valid);
    EXPECT_EQ(r.forbidden, c.forbidden);
}

INSTANTIATE_TEST_SUITE_P(CommandCodec, RenderCommandTest, testing::ValuesIn(kRenderCases),
                         [](const testing::TestParamInfo<RenderCase>& param) {
                             std::string name;
                             for (char ch : std::string(param.param.what))
                                 if (std::isalnum(static_cast<unsigned char>(ch))) name += ch;
                             return name;
                         });


// Walks every opword whose reserved bits are clear, so a missing, extra or
// mistyped entry in any of the sets changes a count.
TEST(CommandCodec, OpwordSets) {
    constexpr std::uint32_t kFieldBits = 0xFFCF0F1Fu;  // all but bits 21-20, 15-12 and 7-5
    std::vector<std::uint32_t> valid;
    int forbiddenInMovieObjects = 0, forbiddenInButtons = 0, forbiddenButInvalidOrBoth = 0;
    std::uint32_t w = 0;
    do {
        const bool isValid = isValidOpword(w);
        const bool inMovieObjects = isForbiddenOpword(w, Ctx::MovieObject);
        const bool inButtons = isForbiddenOpword(w, Ctx::Button);
        if (isValid) valid.push_back(w);
        forbiddenInMovieObjects += inMovieObjects;
        forbiddenInButtons += inButtons;
        forbiddenButInvalidOrBoth += (inMovieObjects || inButtons) && (!isValid || (inMovieObjects && inButtons));
        w = ((w | ~kFieldBits) + 1) & kFieldBits;
    } while (w != 0);

    EXPECT_EQ(valid.size(), 120u);
    EXPECT_EQ(forbiddenInMovieObjects, 12);
    EXPECT_EQ(forbiddenInButtons, 10);
    EXPECT_EQ(forbiddenButInvalidOrBoth, 0);

    // Validity is decided on the whole word, reserved bits included.
    for (std::uint32_t v : valid)
        for (unsigned b : {4u, 5u, 6u, 7u, 12u, 13u, 14u, 15u, 20u, 21u})
            EXPECT_FALSE(isValidOpword(v ^ (1u << b))) << std::hex << v << " bit " << std::dec << b;

    // The edges of the ranges.
    for (std::uint32_t v : {0x11000009u, 0x10000005u, 0x08000700u, 0x5000000Fu, 0x5040000Fu, 0x48C00700u, 0x01040000u,
                            0x51C00006u, 0x31800005u})
        EXPECT_TRUE(isValidOpword(v)) << std::hex << v;
    for (std::uint32_t v : {0x11000000u, 0x1100000Au, 0x10000000u, 0x10000006u, 0x08000000u, 0x08000800u,
                            0x50000000u, 0x50000010u, 0x48800100u, 0x31400004u, 0x51000004u, 0x21040000u,
                            0x20010001u})
        EXPECT_FALSE(isValidOpword(v)) << std::hex << v;
}

// Language and country codes pad with zero bytes anywhere; the other bytes are
// Latin-1 characters and reach the grid as UTF-8.
TEST(CommandCodec, CodeCharacters) {
    const std::string prefix = "EQ PSR17, ";
    const std::string annotation = "       ;PSR17: Language code for PG and Text subtitle (b23-b0)  [";
    const struct {
        std::uint32_t source;
        const char* characters;
    } cases[] = {
        {0x00006A00, "j"},
        {0x00610062, "ab"},
        {0x00000000, ""},
        {0xFF656E67, "eng"},          // bits 31-24 are not part of the code
        {0x00E96600, "\xC3\xA9" "f"},  // Latin-1 e acute
    };
    for (const auto& c : cases) {
        const RenderedCommand r = renderCommand({0x48400200, 0x80000011, c.source}, 0, Ctx::MovieObject);
        EXPECT_EQ(r.cells[4], prefix + std::to_string(c.source) + annotation + c.characters + "]") << std::hex
                                                                                                 << c.source;
    }
}

// The editor's selectors list these names, so their lookups must stay in range.
TEST(CommandCodec, NameTables) {
    EXPECT_EQ(commandGroupName(0), "Branch");
    EXPECT_EQ(commandGroupName(2), "Set");
    EXPECT_EQ(commandGroupName(3), "");
    EXPECT_EQ(commandSubGroupName(0, 2), "Play");
    EXPECT_EQ(commandSubGroupName(1, 0), "-");
    EXPECT_EQ(commandSubGroupName(1, 1), "");
    EXPECT_EQ(commandSubGroupName(2, 1), "SetSystem");
    EXPECT_EQ(commandSubGroupName(2, 7), "");
    EXPECT_EQ(commandOptionName(0, 2, 5), "Link MK");
    EXPECT_EQ(commandOptionName(0, 2, 6), "");
    EXPECT_EQ(commandOptionName(1, 0, 7), "LT");
    EXPECT_EQ(commandOptionName(2, 0, 15), "Shift Right");
    EXPECT_EQ(commandOptionName(2, 1, 9), "Still Off");
    EXPECT_EQ(commandOptionName(2, 1, 31), "");
    EXPECT_EQ(commandOptionName(2, 2, 0), "");
    EXPECT_EQ(commandOptionName(3, 0, 0), "");
    EXPECT_EQ(psrDescription(21), "reserved");
    EXPECT_EQ(psrDescription(31),
              "Player Profile / Version number (b19-b16: profile {0,1,3,8}, b15-b0: player version {$0200})");
    EXPECT_EQ(psrDescription(14).back(), 'o');  // the text has no closing parenthesis
    EXPECT_EQ(psrDescription(44), "Back-up Register for PSR12");
    EXPECT_EQ(psrDescription(45), "");
    EXPECT_EQ(psrDescription(127), "");
}

}  // namespace
}  // namespace navelo
