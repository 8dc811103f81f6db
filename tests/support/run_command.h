#pragma once
// Runs a program and captures its exit status, standard output and error.
#include <string>
#include <vector>

namespace navelo::test {

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

CommandResult runCommand(const std::vector<std::string>& argv);

}  // namespace navelo::test
