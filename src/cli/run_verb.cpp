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
#include "navigation/movie_object.h"

namespace navelo::cli {
namespace fs = std::filesystem;

int runRun(const std::string& dir, std::size_t object, std::uint64_t maxSteps, const CommonOptions& options) {
    auto in = FieldReader::open(fs::path(dir) / kMovieObjectFileName);
    if (!in) {
        printError(in.error().message);
        return 1;
    }
    auto read = readMovieObject(*in);
    if (!read) {
        printError(read.error().message);
        return 1;
    }
    // A short file still loads (the missing commands read as NOPs), as in the
    // window; the run goes ahead but the exit status reports the damage.
    int status = 0;
    if (read->truncated) {
        printError(read->truncated->describe());
        status = 1;
    }
    const auto& objects = read->model.objects.mobjs;
    if (object >= objects.size()) {
        printError(fmt::format("No movie object {} in {} ({} objects)", object, kMovieObjectFileName, objects.size()));
        return 1;
    }

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
    const RunResult result = engine.start(objects[object].navigation_commands);
    if (result.stop == RunStop::Cancelled) {
        std::fputs("Step limit reached\n", stdout);
        return 1;
    }
    for (const auto& line : psrDumpLines(registers)) log.log(line);
    for (const auto& line : gprDumpLines(registers)) log.log(line);
    return status;
}

}  // namespace navelo::cli
