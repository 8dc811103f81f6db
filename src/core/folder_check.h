#pragma once
// The pieces of a folder load that need no file format: the disc's name for
// the window title and the inventory of its stream files.
#include <cstdint>
#include <string>
#include <vector>

namespace navelo {

inline constexpr const char* kVersionText = "0.27b";

// The folder path as the folder field holds it, ending with a separator.
std::string withTrailingSeparator(std::string path);

// The name of the folder that holds BDMV; at the root of a volume, its label in upper case.
std::string volumeTitle(const std::string& bdmvFolder);
// "Navelo v0.27b" before a load, "Navelo v0.27b [TITLE]" after.
std::string windowTitle();
std::string windowTitle(const std::string& volumeTitle);

struct TAVStream {
    std::string file_name;       // as the listing spells it; empty when missing
    std::uint64_t file_size = 0; // 0 when missing
};
using StreamInventory = std::vector<TAVStream>;

}  // namespace navelo

namespace navelo {

// A folder picked in the chooser: a separator is added when missing, and
// "BDMV/" when the folder is not itself named exactly BDMV.
std::string bdmvFolderFromChoice(std::string chosen);
// The single command-line argument: a file or folder inside a BDMV folder
// names that folder; the BDMV folder itself, or a disc folder holding one, is
// taken as users mean it.
std::string bdmvFolderFromArgument(const std::string& argument);

}  // namespace navelo
