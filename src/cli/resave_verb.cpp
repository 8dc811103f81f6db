#include <cstdio>
#include <filesystem>
#include <optional>

#include <fmt/format.h>

#include "cli/verbs.h"
#include "core/field_reader.h"
#include "core/file_io.h"
#include "navigation/index_file.h"
#include "navigation/movie_object.h"
#include "playlist/playlist_file.h"

namespace navelo::cli {
namespace fs = std::filesystem;

namespace {

// Reads one file with the reader of its kind and gives back what its writer writes.
Expected<std::vector<std::uint8_t>> rewrite(FieldReader& in) {
    const std::string name = in.name();
    if (name == kIndexFileName) {
        // A lone index.bdmv has no object list: its references stay as read.
        auto read = readIndex(in, std::nullopt);
        if (!read) return read.error();
        if (read->titleCountError) {
            return Error{name, 0, "Indexes", fmt::format("Error in index.bdmv (number of title: {})", *read->titleCountError)};
        }
        if (read->truncated) return *read->truncated;
        return writeIndex(read->model);
    }
    if (name == kMovieObjectFileName) {
        auto read = readMovieObject(in);
        if (!read) return read.error();
        if (read->truncated) return *read->truncated;
        return writeMovieObject(read->model);
    }
    if (fs::path(name).extension() == ".mpls") {
        auto read = readPlayList(in);
        if (!read) return read.error();
        if (read->truncated) return *read->truncated;
        return writePlayList(read->model);
    }
    return Error{name, 0, {}, fmt::format("{}: no reader for this kind of file", name)};
}

}  // namespace

int runResave(const std::vector<std::string>& files, const std::string& outDir, const CommonOptions&) {
    int status = 0;
    std::error_code ec;
    fs::create_directories(outDir, ec);
    for (const auto& file : files) {
        auto in = FieldReader::open(file);
        if (!in) {
            printError(in.error().message);
            status = 1;
            continue;
        }
        auto bytes = rewrite(*in);
        if (!bytes) {
            printError(bytes.error().describe());
            status = 1;
            continue;
        }
        const fs::path target = fs::path(outDir) / in->name();
        auto written = writeFileReplacing(target, *bytes);
        if (!written) {
            printError(written.error().message);
            status = 1;
            continue;
        }
        const auto original = in->bytes();
        const auto& again = *bytes;
        std::size_t at = 0;
        while (at < original.size() && at < again.size() && original[at] == again[at]) ++at;
        if (at == original.size() && at == again.size()) {
            std::printf("%s: identical\n", in->name().c_str());
        } else {
            std::printf("%s: differs at 0x%zX\n", in->name().c_str(), at);
        }
    }
    return status;
}

}  // namespace navelo::cli
