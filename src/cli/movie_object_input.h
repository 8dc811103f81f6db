#pragma once
// Reading DIR/MovieObject.bdmv for the verbs that work on movie objects.
#include <optional>
#include <string>

#include "navigation/movie_object.h"

namespace navelo::cli {

struct MovieObjectInput {
    TMOBJ model;
    // A short file still loads (missing commands read as NOPs), as in the
    // window; the verb goes ahead but its exit status reports the damage.
    bool truncated = false;
};

// Errors (and a truncation) are printed on stderr.
std::optional<MovieObjectInput> readMovieObjectOf(const std::string& dir);
// The object at index, or nullptr after printing "No movie object ..." on stderr.
const Tmobject* movieObjectAt(const TMOBJ& model, std::size_t index);

}  // namespace navelo::cli
