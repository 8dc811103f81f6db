#pragma once
#include <string>
#include <vector>

namespace navelo::cli {

struct CommonOptions {
    bool markup = false;  // print log lines with their markup
    bool json = false;    // structured output for `show`
};

int runLoad(const std::string& dir, const CommonOptions& options);
int runShowIndex(const std::string& dir, const CommonOptions& options);
int runShowMobj(const std::string& dir, const CommonOptions& options);
int runResave(const std::vector<std::string>& files, const std::string& outDir, const CommonOptions& options);

// Prints an error line on stderr, as the log would show it.
void printError(const std::string& message);

}  // namespace navelo::cli
