#pragma once
// AUXDATA/sound.bdmv: the menu click sounds, 16-bit big-endian PCM.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/extension_data.h"

namespace navelo {

class FieldReader;

struct TSoundEntries {
    std::uint8_t channel_configuration = 0;  // 1 mono, 3 stereo
    std::uint8_t sampling_frequency = 0;     // 1: 48 kHz
    std::uint8_t bits_per_sample = 0;        // 1: 16 bits
    std::uint32_t sound_data_start_address = 0;
    std::uint32_t sound_data_length = 0;
    std::vector<std::uint8_t> data;  // as stored: big-endian samples

    bool operator==(const TSoundEntries&) const = default;
};

struct TSoundIndex {
    std::uint32_t length = 0;
    std::uint8_t number_of_sound_entries = 0;
    std::vector<TSoundEntries> entries;

    bool operator==(const TSoundIndex&) const = default;
};

struct TSND {
    std::string type_indicator = "BCLK";
    std::string version_number = "0200";
    std::uint32_t SoundData_start_address = 0;
    std::uint32_t ExtensionData_start_address = 0;
    TSoundIndex index;
    TExtensionData extension;

    bool operator==(const TSND&) const = default;
};

inline constexpr const char* kSoundFileName = "sound.bdmv";

struct SoundRead {
    TSND model;
    // Set when an entry's data or the ExtensionData() lies beyond the end of the file.
    std::optional<Error> truncated;
};

// A wrong type indicator or version is an Error "Format error sound.bdmv".
Expected<SoundRead> readSound(FieldReader& in);
// The log line after reading: " Found [b]3[/b] sound entries".
std::string soundFoundLine(std::size_t entries);

}  // namespace navelo
