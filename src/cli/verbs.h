#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace navelo::cli {

struct CommonOptions {
    bool markup = false;  // print log lines with their markup
    bool json = false;    // structured output for `show`
};

int runLoad(const std::string& dir, const CommonOptions& options);
int runShowIndex(const std::string& dir, const CommonOptions& options);
int runShowMobj(const std::string& dir, const CommonOptions& options);
// NAME: a PlayList name without extension, read from DIR/PLAYLIST/NAME.mpls.
int runShowMpls(const std::string& dir, const std::string& name, const CommonOptions& options);
int runResave(const std::vector<std::string>& files, const std::string& outDir, const CommonOptions& options);
// Runs movie object `object` of DIR/MovieObject.bdmv after a standard register reset,
// printing the engine's messages and then the PSR and GPR dumps.
int runRun(const std::string& dir, std::size_t object, std::uint64_t maxSteps, const CommonOptions& options);

// Writes movie object `object` of DIR/MovieObject.bdmv to outFile as a program
// list: the text list, or the raw commands with `binary`.
int runExportProgram(const std::string& dir, std::size_t object, const std::string& outFile, bool binary);

// Chapter files of PlayList DIR/PLAYLIST/NAME.mpls; format: "pts", "frame" or "time".
// Export writes the marks to outFile. Import replaces the marks by the file's
// chapters and prints the mark grid, or with `save` writes the PlayList back
// (with a backup) and says so.
int runChaptersExport(const std::string& dir, const std::string& name, const std::string& format,
                      const std::string& outFile);
int runChaptersImport(const std::string& dir, const std::string& name, const std::string& chapterFile,
                      const std::string& format, bool save);
// Registers `chapters export` and `chapters import`; after parsing, the
// returned call runs the one given and returns its exit status (nullopt when
// neither was given).
std::function<std::optional<int>()> addChapterVerbs(CLI::App& app);

// Prints an error line on stderr, as the log would show it.
void printError(const std::string& message);

}  // namespace navelo::cli
