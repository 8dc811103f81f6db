// The command editor's operations on single commands and on command lists.
#include <gtest/gtest.h>

#include <functional>

#include "core/field_reader.h"
#include "navigation/command_codec.h"
#include "navigation/command_editing.h"
#include "navigation/movie_object.h"
#include "support/disc_builder.h"

using namespace navelo;
using namespace navelo::test;

namespace {

std::string line(const NavigationCommand& c) { return renderCommand(c, 0, CommandContext::MovieObject).cells[4]; }

NavigationCommand goTo(std::uint32_t target) { return {0x20810000, target, 0}; }

// A model read from bytes built independently of the writer, with an
// ExtensionData() block so that its start address has to follow every edit.
TMOBJ modelWith(const std::vector<std::vector<NavigationCommand>>& objects, bool extension = true) {
    std::vector<ObjectLayout> layouts;
    for (const auto& commands : objects) {
        ObjectLayout s;
        for (const auto& c : commands) s.commands.push_back({c.opword, c.destination, c.source});
        layouts.push_back(s);
    }
    const auto bytes = movieObjectFile(layouts, extension ? extensionBlock({1, 2, 3, 4}) : std::vector<std::uint8_t>{});
    FieldReader in(kMovieObjectFileName, bytes);
    auto read = readMovieObject(in);
    EXPECT_TRUE(read.ok());
    return read->model;
}

void expectConsistent(const TMOBJ& m) {
    EXPECT_EQ(m.objects.number_of_mobjs, m.objects.mobjs.size());
    for (const auto& o : m.objects.mobjs) EXPECT_EQ(o.number_of_navigation_commands, o.navigation_commands.size());
    EXPECT_EQ(m.objects.length, movieObjectsContentLength(m.objects));
    if (m.ExtensionData_start_address != 0) {
        EXPECT_EQ(m.ExtensionData_start_address, 44 + m.objects.length);
    }
}

}  // namespace

TEST(CommandEditing, EditingByNameFollowsTheBitFormulas) {
    struct Case {
        const char* what;
        std::uint32_t opword;
        std::function<void(NavigationCommand&)> edit;
        std::uint32_t expected;
    };
    const std::vector<Case> cases = {
        // Group keeps operand count, sub-group and I-flags, clears bits 21-0.
        {"Set to Branch", 0x50000001, [](auto& c) { chooseGroup(c, 0); }, 0x40000000},
        {"Compare to Set keeps both I-flags", 0x48C00100, [](auto& c) { chooseGroup(c, 2); }, 0x50C00000},
        {"group clears reserved bits 21-20", 0x20B10000, [](auto& c) { chooseGroup(c, 1); }, 0x28800000},
        // Sub-group keeps operand count, group and I-flags, clears bits 21-0.
        {"SetButtonPage to Set", 0x51C00003, [](auto& c) { chooseSubGroup(c, 0); }, 0x50C00000},
        {"GoTo to Play", 0x20810000, [](auto& c) { chooseSubGroup(c, 2); }, 0x22800000},
        // Option keeps bits 31-20 (reserved 21-20 included) and clears the rest.
        {"option GoTo", 0x20B2F0FF, [](auto& c) { chooseOption(c, 1); }, 0x20B10000},
        {"compare option LT", 0x48400100, [](auto& c) { chooseOption(c, 7); }, 0x48400700},
        {"set option Shift Right", 0x50400F01, [](auto& c) { chooseOption(c, 15); }, 0x5040000F},
        {"no option in group 3", 0x18000000, [](auto& c) { chooseOption(c, 5); }, 0x18000000},
    };
    for (const auto& k : cases) {
        NavigationCommand c{k.opword, 1, 2};
        k.edit(c);
        EXPECT_EQ(c.opword, k.expected) << k.what;
        EXPECT_EQ(c.destination, 1u) << k.what;
        EXPECT_EQ(c.source, 2u) << k.what;
    }
    NavigationCommand move{0x50000001, 1, 2};
    chooseGroup(move, 0);
    EXPECT_EQ(line(move), "!NOP GPR1, GPR2  ; Invalid opcode");
    EXPECT_EQ(showCommand(move).optionItems, (std::vector<std::string>{"NOP", "GoTo", "Break"}));
}

TEST(CommandEditing, OperandTypesSetTheImmediateFlagOrTheRegisterBit) {
    struct Case {
        NavigationCommand before;
        Operand operand;
        OperandType type;
        NavigationCommand after;
    };
    const std::vector<Case> cases = {
        {{0x50000001, 1, 2}, Operand::Destination, OperandType::PSR, {0x50000001, 0x80000001, 2}},
        {{0x50800001, 0x80000010, 2}, Operand::Destination, OperandType::GPR, {0x50000001, 0x00000010, 2}},
        {{0x50000001, 0x80000001, 2}, Operand::Destination, OperandType::Imm, {0x50800001, 0x80000001, 2}},
        {{0x50400001, 1, 0x80000005}, Operand::Source, OperandType::GPR, {0x50000001, 1, 0x00000005}},
        {{0x50400001, 1, 7}, Operand::Source, OperandType::PSR, {0x50000001, 1, 0x80000007}},
        {{0x50000001, 1, 7}, Operand::Source, OperandType::Imm, {0x50400001, 1, 7}},
    };
    for (const auto& k : cases) {
        NavigationCommand c = k.before;
        chooseOperandType(c, k.operand, k.type);
        EXPECT_EQ(c, k.after) << std::hex << k.before.opword << " " << operandTypeText(k.type);
    }
}

TEST(CommandEditing, SwitchingOperandsCouplesThem) {
    struct Case {
        std::uint32_t opword;
        Operand operand;
        bool on;
        std::uint32_t expected;
    };
    const std::vector<Case> cases = {
        {0x20810000, Operand::Source, true, 0x40810000},       // one operand: source on gives two
        {0x50000001, Operand::Destination, false, 0x10000001}, // destination off takes the source with it
        {0x50000001, Operand::Source, false, 0x30000001},
        {0x10000001, Operand::Source, true, 0x50000001},       // source on brings the destination
        {0x10000001, Operand::Destination, true, 0x30000001},
        {0xB0000001, Operand::Source, true, 0x50000001},       // count 5 shows only the destination
        {0x90000001, Operand::Destination, true, 0x30000001},  // count 4 shows neither
        {0xF0000001, Operand::Destination, false, 0x10000001}, // count 7 shows both
    };
    for (const auto& k : cases) {
        NavigationCommand c{k.opword, 3, 4};
        switchOperand(c, k.operand, k.on);
        EXPECT_EQ(c.opword, k.expected) << std::hex << k.opword;
        const auto v = showCommand(c);
        EXPECT_EQ(v.operand1On, (k.expected >> 29) >= 1) << std::hex << k.opword;
        EXPECT_EQ(v.operand2On, (k.expected >> 29) == 2) << std::hex << k.opword;
    }

    // The first command of an object is edited like any other.
    TMOBJ m = modelWith({{{0x50000001, 1, 2}, goTo(0)}});
    NavigationCommand* first = commandAt(m, 0, 0);
    ASSERT_NE(first, nullptr);
    switchOperand(*first, Operand::Destination, false);
    EXPECT_EQ(m.objects.mobjs[0].navigation_commands[0].opword, 0x10000001u);
    EXPECT_EQ(commandAt(m, 0, 2), nullptr);
    EXPECT_EQ(commandAt(m, 1, 0), nullptr);
    EXPECT_EQ(commandAt(m, std::nullopt, 0), nullptr);
    EXPECT_EQ(commandAt(m, 0, std::nullopt), nullptr);
}

TEST(CommandEditing, OperandValuesAndHexWords) {
    struct Case {
        const char* text;
        OperandType shown;
        std::uint32_t expected;
    };
    const std::vector<Case> cases = {
        {"16", OperandType::PSR, 0x80000010},
        {"2147483664", OperandType::PSR, 0x80000010},  // bit 31 already typed stays set once
        {"4095", OperandType::GPR, 4095},
        {" 12 ", OperandType::Imm, 12},
        {"4294967295", OperandType::Imm, 0xFFFFFFFF},
        {"-1", OperandType::Imm, 0xFFFFFFFF},
        {"4294967296", OperandType::Imm, 0},
        {"12x", OperandType::Imm, 0},
        {"", OperandType::GPR, 0},
        {"abc", OperandType::PSR, 0x80000000},
    };
    for (const auto& k : cases) {
        NavigationCommand c{0x50000001, 9, 9};
        enterOperandValue(c, Operand::Source, operandValueFromText(k.text), k.shown);
        EXPECT_EQ(c.source, k.expected) << '"' << k.text << '"';
        EXPECT_EQ(c.destination, 9u);
    }

    // A PSR destination of 16 gains the annotation of a valid command.
    NavigationCommand move{0x50400001, 1, 0x00656E67};
    chooseOperandType(move, Operand::Destination, OperandType::PSR);
    enterOperandValue(move, Operand::Destination, operandValueFromText("16"), OperandType::PSR);
    EXPECT_EQ(move.destination, 0x80000010u);
    EXPECT_EQ(line(move), "Move PSR16, 6647399       ;PSR16: Language Code for Audio (b23-b0)  [eng]");
    EXPECT_EQ(showCommand(move).gridHint, "PSR16: Language Code for Audio (b23-b0)");

    NavigationCommand c{0x50000001, 1, 2};
    enterWord(c, CommandWord::Destination, 0x80000003);
    enterWord(c, CommandWord::Source, 0x10);
    EXPECT_EQ(c, (NavigationCommand{0x50000001, 0x80000003, 0x10}));
    enterWord(c, CommandWord::Opword, 0x20810000);
    EXPECT_EQ(c, (NavigationCommand{0x20810000, 0x80000003, 0x10}));
    enterWord(c, CommandWord::Opword, 0);
    EXPECT_EQ(c, NavigationCommand{});
    EXPECT_EQ(line(c), "NOP");
}

TEST(CommandEditing, ShowingReadsTheControlsAndNeverChangesTheCommand) {
    const std::vector<std::string> sets = {"---", "Move", "Swap", "Add", "Sub", "Mul", "Div", "Mod",
                                           "Rnd", "And", "Or", "Xor", "Bit Set", "Bit Clear", "Shift Left", "Shift Right"};
    struct Case {
        NavigationCommand command;
        int group, subGroup, option;
        std::size_t subGroups, options;
        bool on1, on2;
        OperandType type1, type2;
        std::uint32_t value1, value2;
        std::string hint;
    };
    const std::vector<Case> cases = {
        {{0x50000001, 0x1001, 2}, 2, 0, 1, 2, 16, true, true, OperandType::GPR, OperandType::GPR, 1, 2, "Navigation commands"},
        {goTo(5), 0, 0, 1, 3, 3, true, false, OperandType::Imm, OperandType::GPR, 5, 0, "Navigation commands"},
        {{0x50400001, 0x80000010, 0x656E67}, 2, 0, 1, 2, 16, true, true, OperandType::PSR, OperandType::Imm, 16, 0x656E67,
         "PSR16: Language Code for Audio (b23-b0)"},
        // The source's PSR wins; PSR 41 and above give no hint.
        {{0x50000001, 0x80000001, 0x80000028}, 2, 0, 1, 2, 16, true, true, OperandType::PSR, OperandType::PSR, 1, 40,
         "PSR40: Back-up Register for PSR8"},
        {{0x50000001, 0x80000003, 0x800000A9}, 2, 0, 1, 2, 16, true, true, OperandType::PSR, OperandType::PSR, 3, 41,
         "PSR3: Angle Number (b7-b0) {1-9}"},
        // SetStream with a register destination still shows it as immediate.
        {{0x51400001, 0x80012345, 0}, 2, 1, 1, 2, 10, true, true, OperandType::Imm, OperandType::Imm, 0x80012345, 0,
         "Navigation commands"},
        {{0x18000000, 0, 0}, -1, -1, -1, 0, 0, false, false, OperandType::GPR, OperandType::GPR, 0, 0, "Navigation commands"},
        {{0x08000900, 0, 0}, 1, 0, -1, 1, 8, false, false, OperandType::GPR, OperandType::GPR, 0, 0, "Navigation commands"},
        {{0x23000000, 0, 0}, 0, -1, -1, 3, 0, true, false, OperandType::GPR, OperandType::GPR, 0, 0, "Navigation commands"},
        {{0xF0000001, 1, 2}, 2, 0, 1, 2, 16, true, true, OperandType::GPR, OperandType::GPR, 1, 2, "Navigation commands"},
        {{0x90000001, 1, 2}, 2, 0, 1, 2, 16, false, false, OperandType::GPR, OperandType::GPR, 1, 2, "Navigation commands"},
        {{0xB0000001, 1, 2}, 2, 0, 1, 2, 16, true, false, OperandType::GPR, OperandType::GPR, 1, 2, "Navigation commands"},
    };
    for (const auto& k : cases) {
        const NavigationCommand before = k.command;
        NavigationCommand c = k.command;
        const auto cells = renderCommand(c, 0, CommandContext::MovieObject).cells;
        const auto v = showCommand(c);
        SCOPED_TRACE(testing::Message() << std::hex << c.opword);
        EXPECT_EQ(c, before);
        EXPECT_EQ(renderCommand(c, 0, CommandContext::MovieObject).cells, cells);
        EXPECT_EQ(v.opword, c.opword);
        EXPECT_EQ(v.destination, c.destination);
        EXPECT_EQ(v.source, c.source);
        EXPECT_EQ(v.groupIndex, k.group);
        EXPECT_EQ(v.subGroupIndex, k.subGroup);
        EXPECT_EQ(v.optionIndex, k.option);
        EXPECT_EQ(v.subGroupItems.size(), k.subGroups);
        EXPECT_EQ(v.optionItems.size(), k.options);
        EXPECT_EQ(v.operand1On, k.on1);
        EXPECT_EQ(v.operand2On, k.on2);
        EXPECT_EQ(v.operand1Type, k.type1);
        EXPECT_EQ(v.operand2Type, k.type2);
        EXPECT_EQ(v.operand1Value, k.value1);
        EXPECT_EQ(v.operand2Value, k.value2);
        EXPECT_EQ(v.gridHint, k.hint);
    }
    EXPECT_EQ(showCommand({0x50000001, 1, 2}).optionItems, sets);
    EXPECT_EQ(showCommand({0x51000001, 1, 2}).subGroupItems, (std::vector<std::string>{"Set", "SetSystem"}));
}

TEST(CommandEditing, UpdateGotosMovesOnlyImmediateGotoTargetsPastAfter) {
    struct Case {
        std::int64_t after, delta;
        std::uint32_t target, expected;
    };
    const std::vector<Case> cases = {
        {2, +1, 3, 4},  {2, +1, 2, 2},          {-1, +1, 0, 1},          {1, -2, 2, 0},
        {1, -2, 5, 3},  {-1, -2, 0, 0xFFFFFFFE}, {0, +1, 0xFFFFFFFF, 0},
    };
    for (const auto& k : cases) {
        Tmobject o;
        o.navigation_commands = {goTo(k.target), {0x20010000, k.target, 0}, {0x20810001, k.target, 0}};
        const auto changed = updateGotos(o, k.after, k.delta);
        EXPECT_EQ(o.navigation_commands[0].destination, k.expected) << k.after << " " << k.delta << " " << k.target;
        EXPECT_EQ(changed, (k.expected == k.target ? std::vector<std::size_t>{} : std::vector<std::size_t>{0}));
        // GoTo through a register and an opword with a reserved bit are not GoTo lines.
        EXPECT_EQ(o.navigation_commands[1].destination, k.target);
        EXPECT_EQ(o.navigation_commands[2].destination, k.target);
    }
}

TEST(CommandEditing, InsertingALineMovesLaterGotoTargets) {
    const NavigationCommand nop{}, move{0x50000001, 1, 2};
    TMOBJ m = modelWith({{nop}, {goTo(4), move, nop, goTo(1), goTo(3)}});
    const auto length = m.objects.length;
    const auto edit = insertCommand(m, 1, 2);
    ASSERT_TRUE(edit);
    const auto& commands = m.objects.mobjs[1].navigation_commands;
    EXPECT_EQ(commands, (std::vector<NavigationCommand>{goTo(5), move, nop, nop, goTo(1), goTo(4)}));
    EXPECT_EQ(line(commands[5]), "GoTo 4");
    EXPECT_EQ(m.objects.mobjs[1].number_of_navigation_commands, 6);
    EXPECT_EQ(m.objects.length, length + 12);
    expectConsistent(m);
    EXPECT_EQ(edit->firstRenumberedRow, 3u);
    EXPECT_EQ(edit->selectRow, 3u);
    EXPECT_EQ(edit->changedGotoRows, (std::vector<std::size_t>{0, 5}));
    EXPECT_EQ(edit->commandCount, 6u);

    // The first line of an empty object, and the limit of 9999 lines.
    TMOBJ empty = modelWith({{}}, false);
    const auto first = insertCommand(empty, 0, 0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->selectRow, 0u);
    EXPECT_EQ(empty.objects.mobjs[0].navigation_commands.size(), 1u);
    EXPECT_EQ(empty.ExtensionData_start_address, 0u);
    expectConsistent(empty);
    EXPECT_FALSE(insertCommand(empty, 1, 0));

    TMOBJ full = modelWith({std::vector<NavigationCommand>(9998)});
    EXPECT_TRUE(insertCommand(full, 0, 9997));
    const TMOBJ before = full;
    EXPECT_FALSE(insertCommand(full, 0, 0));
    EXPECT_EQ(full, before);
}

TEST(CommandEditing, DeletingLinesLowersGotoTargetsFromTheFirstDeletedLine) {
    const NavigationCommand nop{}, move{0x50000001, 1, 2};
    struct Case {
        std::size_t first, last;
        std::vector<NavigationCommand> after;
        std::size_t select;
        std::vector<std::size_t> gotoRows;
    };
    const std::vector<NavigationCommand> program = {goTo(5), goTo(2), move, nop, goTo(1), nop};
    const std::vector<Case> cases = {
        // Targets inside the deleted range end as many lines lower as were deleted.
        {2, 3, {goTo(3), goTo(0), goTo(1), nop}, 1, {0, 1}},
        {0, 0, {goTo(1), move, nop, goTo(0), nop}, 0, {0, 3}},
        {3, 1, {goTo(2), goTo(0xFFFFFFFE), nop}, 0, {0, 1}},
        {4, 99, {goTo(3), goTo(2), move, nop}, 3, {0}},
        {0, 5, {}, 0, {}},
    };
    for (const auto& k : cases) {
        TMOBJ m = modelWith({{move}, program});
        const auto length = m.objects.length;
        const auto edit = deleteCommands(m, 1, k.first, k.last);
        ASSERT_TRUE(edit) << k.first;
        const auto removed = program.size() - k.after.size();
        EXPECT_EQ(m.objects.mobjs[1].navigation_commands, k.after) << k.first;
        EXPECT_EQ(m.objects.length, length - 12 * removed);
        expectConsistent(m);
        EXPECT_EQ(edit->selectRow, k.select) << k.first;
        EXPECT_EQ(edit->changedGotoRows, k.gotoRows) << k.first;
        EXPECT_EQ(edit->commandCount, k.after.size());
        EXPECT_EQ(edit->firstRenumberedRow, std::min(k.first, k.last));
    }
    TMOBJ m = modelWith({{}, {move}});
    EXPECT_FALSE(deleteCommands(m, 0, 0, 0));
    EXPECT_FALSE(deleteCommands(m, 1, 1, 1));
    EXPECT_FALSE(deleteCommands(m, 2, 0, 0));
}

TEST(CommandEditing, ShiftNBlanksALineAndMovesDown) {
    TMOBJ m = modelWith({{{0x50000001, 1, 2}, goTo(0)}});
    const auto length = m.objects.length;
    EXPECT_EQ(makeNop(m, 0, 0), 1u);
    EXPECT_EQ(makeNop(m, 0, 1), 1u);
    EXPECT_EQ(m.objects.mobjs[0].navigation_commands, std::vector<NavigationCommand>(2));
    EXPECT_EQ(m.objects.length, length);
    EXPECT_FALSE(makeNop(m, 0, 2));
    EXPECT_FALSE(makeNop(m, 1, 0));
}
