#include "core/error.h"

#include <fmt/format.h>

namespace navelo {

std::string Error::describe() const {
    std::string s = message;
    if (!file.empty() || !path.empty()) {
        s += fmt::format(" ({}{}{} at ${:08X})", file, path.empty() ? "" : ": ", path, offset);
    }
    return s;
}

}  // namespace navelo
