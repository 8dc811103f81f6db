#include "cli/movie_object_input.h"

#include <filesystem>

#include <fmt/format.h>

#include "cli/verbs.h"
#include "core/field_reader.h"

namespace navelo::cli {

std::optional<MovieObjectInput> readMovieObjectOf(const std::string& dir) {
    auto in = FieldReader::open(std::filesystem::path(dir) / kMovieObjectFileName);
    if (!in) {
        printError(in.error().message);
        return std::nullopt;
    }
    auto read = readMovieObject(*in);
    if (!read) {
        printError(read.error().message);
        return std::nullopt;
    }
    if (read->truncated) printError(read->truncated->describe());
    return MovieObjectInput{std::move(read->model), read->truncated.has_value()};
}

const Tmobject* movieObjectAt(const TMOBJ& model, std::size_t index) {
    const auto& objects = model.objects.mobjs;
    if (index < objects.size()) return &objects[index];
    printError(fmt::format("No movie object {} in {} ({} objects)", index, kMovieObjectFileName, objects.size()));
    return nullptr;
}

}  // namespace navelo::cli
