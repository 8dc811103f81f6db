#pragma once
// File system access for disc files: whole-file reads, safe replacement on
// write, and the few folder operations the load and save steps need.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/error.h"

namespace navelo {

// Largest structure file read into memory; anything bigger is not a navigation file.
inline constexpr std::uint64_t kMaxStructureFileSize = 256ull * 1024 * 1024;

Expected<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path,
                                                  std::uint64_t maxSize = kMaxStructureFileSize);

// Writes bytes to path through a temporary file in the same folder that is
// renamed over the target only when every byte is on disk, so a failed write
// never leaves a truncated file behind.
Status writeFileReplacing(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

bool isFolder(const std::filesystem::path& path);
bool isFile(const std::filesystem::path& path);

struct FolderEntry {
    std::string name;        // as the listing spells it
    std::uint64_t size = 0;
};

// Regular files of a folder (hidden ones included, never sub-folders), ordered
// by file name; when suffix is not empty only names ending in it (any case).
std::vector<FolderEntry> listFiles(const std::filesystem::path& folder, const std::string& suffix = {});

}  // namespace navelo
