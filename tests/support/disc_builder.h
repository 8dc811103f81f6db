#pragma once
// Small disc files and folders for tests, built byte by byte.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/byte_builder.h"

namespace navelo::test {

struct CommandWords {
    std::uint32_t op = 0, dst = 0, src = 0;
};

struct ObjectLayout {
    std::uint16_t flags = 0;
    std::vector<CommandWords> commands;
};

// A MovieObject.bdmv with the given objects; extension bytes (a whole block) are appended when given.
std::vector<std::uint8_t> movieObjectFile(const std::vector<ObjectLayout>& objects,
                                          const std::vector<std::uint8_t>& extension = {},
                                          const std::string& version = "0200");

struct EntryLayout {
    std::uint8_t objectType = 1;
    std::uint8_t accessType = 0;
    std::uint8_t playbackType = 0;
    std::uint16_t object = 0;
    std::string bdjo;  // five characters for BD-J entries
};

struct IndexLayout {
    EntryLayout firstPlayback{1, 0, 0, 0, {}};
    EntryLayout topMenu{1, 0, 1, 1, {}};
    std::vector<EntryLayout> titles;
    std::string provider;
    std::vector<std::uint8_t> extension;  // a whole block, or empty
    // Overrides the title count field (for absurd counts).
    int titleCountField = -1;
};

std::vector<std::uint8_t> indexFile(const IndexLayout& layout);

// An ExtensionData block with one entry and the given data bytes.
std::vector<std::uint8_t> extensionBlock(const std::vector<std::uint8_t>& data);

struct DiscLayout {
    std::vector<std::string> playlists{"00000", "00001"};
    std::vector<std::string> clips{"00001", "00002", "00003"};
    std::vector<std::string> streams{"00001", "00003"};  // STREAM/<name>.m2ts present
    std::vector<std::string> bdjo;                       // files in BDJO (folder made when not empty)
    bool sound = false;
    bool backupFolder = true;
    std::vector<std::uint8_t> movieObject;  // default: two objects
    std::vector<std::uint8_t> index;        // default: two titles
};

// Lays out <root>/BDMV/ and returns its path with a trailing separator.
std::string makeDisc(const std::filesystem::path& root, const DiscLayout& layout = {});

// A sound.bdmv with stereo entries of the given data sizes.
std::vector<std::uint8_t> soundFile(const std::vector<std::uint32_t>& sizes);

}  // namespace navelo::test
