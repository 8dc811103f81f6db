#include "interpreter/engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace navelo {
namespace {

constexpr std::uint32_t psrOperand(std::uint32_t n) { return 0x80000000u | n; }
NavigationCommand set(unsigned option, std::uint32_t dst, std::uint32_t src, bool immediateSource) {
    return {(immediateSource ? 0x50400000u : 0x50000000u) | option, dst, src};
}
NavigationCommand compare(unsigned option, std::uint32_t dst, std::uint32_t src, bool immediateSource) {
    return {(immediateSource ? 0x48400000u : 0x48000000u) | (option << 8), dst, src};
}
NavigationCommand moveImmediate(std::uint32_t dst, std::uint32_t value) { return set(1, dst, value, true); }
NavigationCommand goTo(std::uint32_t target) { return {0x20810000u, target, 0}; }
// A compare whose option bits 10..8 are 0 (bit 11 keeps it inside the compare range).
const NavigationCommand kCompareWithoutOption{0x48000800u, 0, 0};

// An engine with zeroed registers that records its messages. A run that
// would go on for ever fails the test instead of hanging it.
struct Bench {
    PlayerRegisters regs;
    Engine engine{regs};
    std::vector<std::string> messages;
    std::uint64_t commands = 0;
    Bench() { use({}); }
    Bench(const Bench&) = delete;
    void use(EngineCallbacks callbacks) {
        if (!callbacks.message) callbacks.message = [this](const std::string& m) { messages.push_back(m); };
        if (!callbacks.cancelRequested) {
            callbacks.cancelRequested = [this] {
                if (++commands <= 100000) return false;
                ADD_FAILURE() << "endless run";
                return true;
            };
        }
        engine.setCallbacks(std::move(callbacks));
    }
    RunResult run(const CommandList& program) { return engine.start(program); }
};

TEST(Engine, SetArithmeticWrapsAndDividesByZeroToAllOnes) {
    struct Case {
        const char* name;
        unsigned option;
        std::uint32_t value1, value2, result;
    };
    const Case cases[] = {
        {"Move", 1, 5, 9, 9},
        {"Add wraps", 3, 0xFFFFFFFF, 2, 1},
        {"Sub wraps", 4, 0, 1, 0xFFFFFFFF},
        {"Mul keeps the low word", 5, 0x10000, 0x10001, 0x10000},
        {"Mul of all ones", 5, 0xFFFFFFFF, 0xFFFFFFFF, 1},
        {"Div is unsigned", 6, 0xFFFFFFFF, 0x10, 0x0FFFFFFF},
        {"Div by zero", 6, 7, 0, 0xFFFFFFFF},
        {"Mod", 7, 7, 3, 1},
        {"Mod by zero", 7, 7, 0, 0xFFFFFFFF},
        {"And", 9, 0xF0F0, 0xFF00, 0xF000},
        {"Or", 10, 0xF0, 0x0F, 0xFF},
        {"Xor", 11, 0xFF, 0x0F, 0xF0},
        {"Bit Set of bit 35 sets bit 3", 12, 0, 35, 8},
        {"Bit Clear on 0", 13, 0, 3, 0},
        {"Bit Clear of bit 35", 13, 0xFF, 35, 0xF7},
        {"Shift Left by 33", 14, 0x80000001, 33, 2},
        {"Shift Right is zero-filled", 15, 0x80000000, 31, 1},
        {"Shift Right by 32 is by 0", 15, 0x80000000, 32, 0x80000000},
    };
    for (const auto& c : cases) {
        for (const bool immediate : {true, false}) {
            Bench b;
            b.regs.GPR[1] = c.value1;
            b.regs.GPR[2] = c.value2;
            b.run({set(c.option, 1, immediate ? c.value2 : 2, immediate)});
            EXPECT_EQ(b.regs.GPR[1], c.result) << c.name << (immediate ? " (immediate)" : " (register)");
            EXPECT_EQ(b.regs.GPR[2], c.value2) << c.name;
        }
    }
}

TEST(Engine, ComparesAreUnsignedAndSkipOnlyTheNextLine) {
    struct Case {
        unsigned option;
        std::uint32_t value1, value2;
        bool condition;
    };
    const Case cases[] = {
        {1, 0x10, 0x30, true},       {1, 0x10, 0x20, false},      {2, 5, 5, true},   {3, 5, 5, false},
        {4, 0xFFFFFFFF, 1, true},    {5, 0xFFFFFFFF, 1, true},    {5, 1, 0xFFFFFFFF, false},
        {6, 0x80000000, 1, false},   {7, 1, 0x80000000, true},    {7, 3, 3, false},  {4, 3, 3, true},
        {6, 3, 3, true},
    };
    for (const auto& c : cases) {
        for (const bool immediate : {true, false}) {
            Bench b;
            b.regs.GPR[1] = c.value1;
            b.regs.GPR[2] = c.value2;
            b.run({compare(c.option, 1, immediate ? c.value2 : 2, immediate), moveImmediate(3, 1), moveImmediate(4, 1)});
            EXPECT_EQ(b.regs.GPR[3], c.condition ? 1u : 0u) << c.option << " " << c.value1 << " " << c.value2;
            EXPECT_EQ(b.regs.GPR[4], 1u);
        }
    }
}

TEST(Engine, CompareWithoutOptionReusesThePreviousResultOfTheSameRun) {
    const NavigationCommand isZero = compare(2, 0, 0, true), isOne = compare(2, 0, 1, true);
    struct Case {
        const char* name;
        CommandList program;
        bool executed;
    };
    const Case cases[] = {
        {"after a true compare", {isZero, kCompareWithoutOption, moveImmediate(3, 1)}, true},
        {"after a false compare", {isOne, moveImmediate(5, 1), kCompareWithoutOption, moveImmediate(3, 1)}, false},
        {"without a compare before", {kCompareWithoutOption, moveImmediate(3, 1)}, false},
    };
    for (const auto& c : cases) {
        Bench b;
        b.run(c.program);
        EXPECT_EQ(b.regs.GPR[3], c.executed ? 1u : 0u) << c.name;
    }
    // A new run starts with a false condition, whatever the last run left.
    Bench b;
    b.run({isZero});
    b.run({kCompareWithoutOption, moveImmediate(3, 1)});
    EXPECT_EQ(b.regs.GPR[3], 0u);
}

TEST(Engine, RndFollowsOneSequenceFromStartUp) {
    Bench b;
    b.run({set(8, 1, 0x100, true), set(8, 2, 0, true), set(8, 3, 0xFFFFFFFF, true)});
    EXPECT_EQ(b.regs.GPR[1], 0u);  // the state becomes 1
    EXPECT_EQ(b.regs.GPR[2], 0u);
    EXPECT_EQ(b.regs.GPR[3], 3698175006u);
    EXPECT_EQ(b.engine.randomState(), 0xDC6DAC1Fu);
    // The next run continues the sequence; a new engine starts it again.
    b.run({set(8, 4, 1000, true)});
    EXPECT_EQ(b.regs.GPR[4], 202u);
    Bench fresh;
    fresh.run({set(8, 4, 1000, true)});
    EXPECT_EQ(fresh.regs.GPR[4], 0u);
}

// Register effects are checked on the whole file: what a case does not name must stay as it was.
struct RegisterCase {
    const char* name;
    CommandList program;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> before;  // operand word (PSR when bit 31), value
    std::vector<std::pair<std::uint32_t, std::uint32_t>> after;
};

void checkRegisterCases(const std::vector<RegisterCase>& cases) {
    for (const auto& c : cases) {
        Bench b;
        for (const auto& [reg, v] : c.before) b.regs.at(reg >> 31 ? RegisterBank::Psr : RegisterBank::Gpr, reg) = v;
        PlayerRegisters expected = b.regs;
        for (const auto& [reg, v] : c.after) expected.at(reg >> 31 ? RegisterBank::Psr : RegisterBank::Gpr, reg) = v;
        b.run(c.program);
        EXPECT_EQ(b.regs, expected) << c.name;
    }
}

TEST(Engine, SwapMovesAndStoresAddressRegistersLikeTheOperands) {
    checkRegisterCases({
        {"Swap registers", {set(2, 1, 2, false)}, {{1, 5}, {2, 7}}, {{1, 7}, {2, 5}}},
        {"Swap with an immediate source writes only the destination", {set(2, 1, 9, true)}, {{1, 5}, {9, 3}}, {{1, 9}}},
        {"Swap a PSR with a GPR", {set(2, psrOperand(8), 2, false)}, {{psrOperand(8), 0xFFFFFFFF}, {2, 7}},
         {{psrOperand(8), 7}, {2, 0xFFFFFFFF}}},
        {"Move into a PSR", {moveImmediate(psrOperand(16), 0x12345678)}, {}, {{psrOperand(16), 0x12345678}}},
        {"PSR numbers use the low 7 bits", {moveImmediate(0x80000085, 9)}, {}, {{psrOperand(5), 9}}},
        {"GPR numbers use the low 12 bits", {moveImmediate(0x00001005, 9)}, {}, {{5, 9}}},
        {"Move from a PSR", {set(1, 1, psrOperand(19), false)}, {{psrOperand(19), 0x5553}}, {{1, 0x5553}}},
        {"An immediate destination stores nothing", {{0x50C00001u, 1, 2}, {0x50800003u, 1, 2}}, {}, {}},
    });
}

TEST(Engine, SetStreamSelectsStreamsByFlagBits) {
    checkRegisterCases({
        {"immediate values", {{0x51C00001u, 0x8005C123u, 0x80078009u}}, {{psrOperand(2), 0x0FFF0FFF}},
         {{psrOperand(1), 5}, {psrOperand(2), 0x8FFF0123}, {psrOperand(0), 7}, {psrOperand(3), 9}}},
        {"no flag bits", {{0x51C00001u, 0x00050123u, 0x00070009u}}, {}, {}},
        // Register forms pack GPRs, never PSRs, whatever bit 31 of the word says.
        {"register forms",
         {{0x51000001u, 0x8001C002u, 0x00038004u}},
         {{1, 0x1234}, {2, 0xABC}, {3, 0x56}, {4, 0x1FF}, {psrOperand(2), 0x0FFF0FFF}},
         {{psrOperand(1), 0x34}, {psrOperand(2), 0x8FFF0ABC}, {psrOperand(3), 0xFF}}},
    });
}

TEST(Engine, BranchesMessagesAndEndsOfRuns) {
    struct Case {
        const char* name;
        CommandList program;
        std::vector<std::string> messages;
        RunStop stop;
        std::uint64_t executed;
        bool reselect;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> after;
    };
    const Case cases[] = {
        {"GoTo the end", {goTo(3), moveImmediate(1, 1), moveImmediate(2, 1)}, {}, RunStop::EndOfList, 1, true, {}},
        {"GoTo a negative target", {goTo(0xFFFFFFFF), moveImmediate(1, 1)}, {}, RunStop::EndOfList, 1, true, {}},
        {"GoTo loop", {set(3, 1, 1, true), compare(7, 1, 5, true), goTo(0), set(1, 2, 1, false)}, {},
         RunStop::EndOfList, 15, false, {{1, 5}, {2, 5}}},
        {"compare skipping past the end", {compare(7, 1, 0, true), moveImmediate(1, 1)}, {}, RunStop::EndOfList, 1,
         true, {}},
        {"Jump Title ends the run", {{0x21810000u, 3, 0}, moveImmediate(1, 1)}, {"Jump Title 3"},
         RunStop::EndedByCommand, 1, true, {{psrOperand(4), 3}}},
        {"Jump Object from a register", {moveImmediate(2, 7), {0x21000000u, 2, 0}}, {"Jump Object 7"},
         RunStop::EndedByCommand, 2, false, {{2, 7}}},
        {"playback and menu messages",
         {{0x42C10000u, 1, 2},
          {0x42C20000u, 4, 5},
          {0x22850000u, 0xFFFFFFFF, 0},
          {0x21830000u, 2, 0},
          {0x21820000u, 9, 0},
          {0x01040000u, 0, 0},
          {0x02030000u, 0, 0},
          {0x22840000u, 6, 0},
          {0x22800000u, 8, 0},
          {0x11000007u, 0, 0},
          {0x11000008u, 0, 0},
          {0x11000009u, 0, 0}},
         {"Play PLatPI 1, 2", "Play PLatMK 4, 5", "Link MK 4294967295", "Call Title 2", "Call Object 9", "Resume",
          "Terminate PL", "Link PI 6", "Play PL 8", "Pop up Menu Off", "Still On", "Still Off"},
         RunStop::EndOfList, 12, false,
         {{psrOperand(4), 2}, {psrOperand(5), 0}, {psrOperand(6), 8}, {psrOperand(7), 6}}},
        {"Break ends the run", {{0x00020000u, 0, 0}, moveImmediate(1, 1)}, {}, RunStop::EndedByCommand, 1, true, {}},
        {"GoTo without an option ends the run", {{0x20000000u, 1, 0}, moveImmediate(1, 1)}, {},
         RunStop::EndedByCommand, 1, true, {}},
        {"SetButtonPage outside the menu", {{0x51C00003u, 0x80000001u, 0x80000000u}, moveImmediate(1, 1)},
         {"SetButtonPage "}, RunStop::EndedByCommand, 1, true, {}},
        {"commands without an effect",
         {{0, 0, 0},
          {0x51C00002u, 1, 1},
          {0x51C00006u, 0x80010001u, 0x80010001u},
          {0x50400021u, 1, 5},
          {0x50400000u, 1, 5},
          {0x31800004u, 1, 0},
          {0x31800005u, 1, 0},
          {0x18000000u, 1, 1}},
         {}, RunStop::EndOfList, 8, false, {}},
    };
    for (const auto& c : cases) {
        Bench b;
        PlayerRegisters expected;
        for (const auto& [reg, v] : c.after) expected.at(reg >> 31 ? RegisterBank::Psr : RegisterBank::Gpr, reg) = v;
        const RunResult r = b.run(c.program);
        EXPECT_EQ(b.messages, c.messages) << c.name;
        EXPECT_EQ(r.stop, c.stop) << c.name;
        EXPECT_EQ(r.executed, c.executed) << c.name;
        EXPECT_EQ(r.reselectLine, c.reselect) << c.name;
        EXPECT_FALSE(r.traceRunning) << c.name;
        EXPECT_EQ(b.regs, expected) << c.name;
    }
}

TEST(Engine, TraceStepsOneCommandOfAFreshCopyUntilTheEndOrCancel) {
    Bench b;
    std::vector<std::int32_t> shownLines;
    b.use({.lineChanged = [&](std::int32_t l) { shownLines.push_back(l); }});
    CommandList program = {moveImmediate(1, 1), moveImmediate(2, 2), moveImmediate(3, 3)};
    b.engine.setTrace(true);

    struct Step {
        RunStop stop;
        std::uint64_t executed;
        std::int32_t line;
        bool open;
    };
    const Step steps[] = {
        {RunStop::NothingToRun, 0, 0, true},  // the first "Start" only opens the stepped run
        {RunStop::TraceStep, 1, 1, true},
        {RunStop::TraceStep, 1, 2, true},
        {RunStop::EndOfList, 1, 2, false},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        if (i == 2) program[1] = moveImmediate(2, 20);  // edits between steps take effect
        const RunResult r = b.engine.start(program);
        EXPECT_EQ(r.stop, steps[i].stop) << i;
        EXPECT_EQ(r.executed, steps[i].executed) << i;
        EXPECT_EQ(b.engine.line(), steps[i].line) << i;
        EXPECT_EQ(r.traceRunning, steps[i].open) << i;
        EXPECT_EQ(r.showTrace, steps[i].open) << i;
        if (r.traceRunning) {
            EXPECT_EQ(r.position, steps[i].line) << i;
        }
    }
    EXPECT_EQ(b.regs.GPR[1] + b.regs.GPR[2] + b.regs.GPR[3], 1u + 20u + 3u);
    EXPECT_EQ(shownLines, (std::vector<std::int32_t>{-1, 0, 1, 2}));

    // Cancel closes an open stepped run without executing anything.
    b.regs.GPR.fill(0);
    EXPECT_TRUE(b.engine.start(program).traceRunning);
    EXPECT_TRUE(b.engine.start(program).traceRunning);
    const RunResult cancelled = b.engine.cancelTrace(program);
    EXPECT_EQ(cancelled.executed, 0u);
    EXPECT_FALSE(cancelled.traceRunning);
    EXPECT_FALSE(b.engine.traceRunning());
    EXPECT_EQ(b.regs.GPR[2], 0u);

    // Unticking "Trace" in an open stepped run runs the rest straight through from `line`.
    b.engine.start(program);
    b.engine.start(program);
    b.engine.setTrace(false);
    const RunResult rest = b.engine.start(program);
    EXPECT_EQ(rest.executed, 2u);
    EXPECT_FALSE(rest.traceRunning);
    EXPECT_EQ(b.regs.GPR[3], 3u);
}

TEST(Engine, EndlessLoopsStopWhenTraceIsTickedOrACancelIsAsked) {
    const CommandList endless = {set(3, 1, 1, true), goTo(0)};
    {
        Bench b;
        int events = 0;
        // The GUI's event pump is where the user ticks "Trace".
        b.use({.processEvents = [&] {
            if (++events == 1000) b.engine.setTrace(true);
        }});
        const RunResult r = b.run(endless);
        EXPECT_EQ(r.stop, RunStop::TraceStep);
        EXPECT_EQ(r.executed, 1000u);
        EXPECT_EQ(b.regs.GPR[1], 500u);
        EXPECT_TRUE(r.traceRunning);
        EXPECT_EQ(b.engine.line(), 0);
        b.engine.start(endless);  // continues one step
        EXPECT_EQ(b.regs.GPR[1], 501u);
    }
    {
        Bench b;
        int asked = 0;
        b.use({.cancelRequested = [&] { return ++asked > 9; }});
        const RunResult r = b.run(endless);
        EXPECT_EQ(r.stop, RunStop::Cancelled);
        EXPECT_EQ(r.executed, 9u);
        EXPECT_EQ(b.regs.GPR[1], 5u);
        EXPECT_FALSE(r.traceRunning);
    }
}

TEST(Engine, TraceDisplayShowsTheNextRowAndFocusesItsRegisters) {
    const auto row = [](NavigationCommand c) { return renderCommand(c, 2, CommandContext::MovieObject); };
    EXPECT_EQ(traceLineText(2, row(set(1, 1, 2, false))), "Line 0002 : 50000001 00000001  00000002  : Move GPR1, GPR2");
    struct Case {
        NavigationCommand command;
        std::optional<std::uint32_t> gpr, psr;
    };
    const Case cases[] = {
        {set(1, 1, 2, false), 1, std::nullopt},
        {set(1, 5, psrOperand(3), false), 5, 5},
        // The destination word itself is the number: a PSR word is beyond the bank and gives 0.
        {moveImmediate(psrOperand(16), 1), std::nullopt, 0},
        {goTo(3), std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto focus = traceRegisterFocus(row(c.command));
        EXPECT_EQ(focus.gpr, c.gpr) << c.command.opword;
        EXPECT_EQ(focus.psr, c.psr) << c.command.opword;
    }
}

}  // namespace
}  // namespace navelo
