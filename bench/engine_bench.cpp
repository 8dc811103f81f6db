// Commands per second on a tight arithmetic loop, with and without an
// event-processing call before every command (a stand-in for the GUI's pump).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "interpreter/engine.h"

namespace {

using navelo::CommandList;

// GPR0 counts up to the limit in GPR1; each pass also does some arithmetic:
// GPR0 += 1; GPR2 := GPR0; GPR2 *= 3; GPR2 ^= 0x55; LT GPR0, GPR1; GoTo 0.
CommandList arithmeticLoop() {
    return {
        {0x50400003u, 0, 1},
        {0x50000001u, 2, 0},
        {0x50400005u, 2, 3},
        {0x5040000Bu, 2, 0x55},
        {0x48000700u, 0, 1},
        {0x20810000u, 0, 0},
    };
}

constexpr std::uint32_t kPasses = 10000;

void runLoop(benchmark::State& state, bool pumpEvents) {
    navelo::PlayerRegisters regs;
    navelo::Engine engine(regs);
    std::uint64_t events = 0;
    if (pumpEvents) engine.setCallbacks({.processEvents = [&events] { benchmark::DoNotOptimize(++events); }});
    const CommandList program = arithmeticLoop();
    std::uint64_t executed = 0;
    for (auto _ : state) {
        regs.GPR[0] = 0;
        regs.GPR[1] = kPasses;
        executed += engine.start(program).executed;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(executed));
    state.counters["commands/s"] = benchmark::Counter(static_cast<double>(executed), benchmark::Counter::kIsRate);
}

void BM_ArithmeticLoop(benchmark::State& state) { runLoop(state, false); }
void BM_ArithmeticLoopWithEventPump(benchmark::State& state) { runLoop(state, true); }

BENCHMARK(BM_ArithmeticLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArithmeticLoopWithEventPump)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
