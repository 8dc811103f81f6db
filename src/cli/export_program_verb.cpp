// `export-program`: writes one movie object's commands as a program list, the
// file the BDMV tab's "Save program list" button writes.
#include <cstdio>
#include <filesystem>

#include <fmt/format.h>

#include "cli/verbs.h"
#include "core/field_reader.h"
#include "cli/movie_object_input.h"
#include "navigation/movie_object.h"
#include "navigation/program_list.h"

namespace navelo::cli {
namespace fs = std::filesystem;

int runExportProgram(const std::string& dir, std::size_t object, const std::string& outFile, bool binary) {
    const auto input = readMovieObjectOf(dir);
    if (!input) return 1;
    const Tmobject* target = movieObjectAt(input->model, object);
    if (!target) return 1;
    const int status = input->truncated ? 1 : 0;
    const auto saved = saveProgramList(outFile, *target, binary ? ProgramFormat::Binary : ProgramFormat::List);
    if (!saved) {
        printError(saved.error().message);
        return 1;
    }
    return status;
}

}  // namespace navelo::cli
