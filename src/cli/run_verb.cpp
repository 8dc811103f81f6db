// `run`: executes one movie object in the engine without a window, the way
// "Start" on the BDMV tab does with "Trace" off, then dumps the registers.
#include <cstdio>
#include <filesystem>

#include <fmt/format.h>

#include "cli/cli_sink.h"
#include "cli/verbs.h"
#include "core/field_reader.h"
#include "core/log.h"
#include "interpreter/engine.h"
#include "interpreter/player_registers.h"
#include "cli/movie_object_input.h"
#include "navigation/movie_object.h"

namespace navelo::cli {
namespace fs = std::filesystem;

int runRun(const std::string& dir, std::size_t object, std::uint64_t maxSteps, const CommonOptions& options) {
    const auto input = readMovieObjectOf(dir);
    if (!input) return 1;
    const Tmobject* target = movieObjectAt(input->model, object);
    if (!target) return 1;
    const int status = input->truncated ? 1 : 0;

    CliSink sink(stdout, options.markup);
    Log log(sink);
    PlayerRegisters registers;
    ResetRegs(registers, RegisterResetSettings{});
    Engine engine(registers);
    std::uint64_t steps = 0;
    engine.setCallbacks({
        .message = [&log](const std::string& text) { log.log(text); },
        .processEvents = {},
        .cancelRequested = [&steps, maxSteps] { return steps++ >= maxSteps; },
        .lineChanged = {},
    });
    const RunResult result = engine.start(target->navigation_commands);
    if (result.stop == RunStop::Cancelled) {
        std::fputs("Step limit reached\n", stdout);
        return 1;
    }
    for (const auto& line : psrDumpLines(registers)) log.log(line);
    for (const auto& line : gprDumpLines(registers)) log.log(line);
    return status;
}

}  // namespace navelo::cli
