// `export-program`: writes one movie object's commands as a program list, the
// file the BDMV tab's "Save program list" button writes.
#include <cstdio>
#include <filesystem>

#include <fmt/format.h>

#include "cli/verbs.h"
#include "core/field_reader.h"
#include "navigation/movie_object.h"
#include "navigation/program_list.h"

namespace navelo::cli {
namespace fs = std::filesystem;

int runExportProgram(const std::string& dir, std::size_t object, const std::string& outFile, bool binary) {
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
    const auto& objects = read->model.objects.mobjs;
    if (object >= objects.size()) {
        printError(fmt::format("No movie object {} in {} ({} objects)", object, kMovieObjectFileName, objects.size()));
        return 1;
    }
    // A short file still loads (missing commands read as NOPs), as in the
    // window; the list is written, but the exit status reports the damage.
    int status = 0;
    if (read->truncated) {
        printError(read->truncated->describe());
        status = 1;
    }
    const auto saved = saveProgramList(outFile, objects[object], binary ? ProgramFormat::Binary : ProgramFormat::List);
    if (!saved) {
        printError(saved.error().message);
        return 1;
    }
    return status;
}

}  // namespace navelo::cli
