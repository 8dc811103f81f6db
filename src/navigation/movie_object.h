#pragma once
// MovieObject.bdmv: the disc's HDMV movie objects and their command programs.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/extension_data.h"
#include "navigation/command.h"

namespace navelo {

class FieldReader;

struct Tmobject {
    std::uint8_t resume_intention_flag = 0;
    std::uint8_t menu_call_mask = 0;
    std::uint8_t title_search_mask = 0;
    std::uint16_t number_of_navigation_commands = 0;
    std::vector<NavigationCommand> navigation_commands;

    bool operator==(const Tmobject&) const = default;
};

struct TObjects {
    std::uint32_t length = 0;  // bytes after this field up to the end of the last object
    std::uint32_t reserved = 0;
    std::uint16_t number_of_mobjs = 0;
    std::vector<Tmobject> mobjs;

    bool operator==(const TObjects&) const = default;
};

struct TMOBJ {
    std::string type_indicator = "MOBJ";
    std::string version_number = "0200";
    std::uint32_t ExtensionData_start_address = 0;
    std::array<std::uint8_t, 28> reserved{};
    TObjects objects;
    // Bytes between the last movie object and ExtensionData() (or the end of
    // the file), kept so that a file with padding is written back unchanged.
    std::vector<std::uint8_t> padding;
    TExtensionData extension;

    bool operator==(const TMOBJ&) const = default;
};

inline constexpr const char* kMovieObjectFileName = "MovieObject.bdmv";

struct MovieObjectRead {
    TMOBJ model;
    // Set when the file ends before the objects and commands it announces;
    // what is missing reads as empty objects and NOP commands.
    std::optional<Error> truncated;
};

// A wrong type indicator or version is an Error with the message "Format error MovieObject.bdmv".
Expected<MovieObjectRead> readMovieObject(FieldReader& in);
std::vector<std::uint8_t> writeMovieObject(const TMOBJ& model);

// MovieObjects() length as the content defines it: 6 + the sum of (4 + 12 x commands).
std::uint64_t movieObjectsContentLength(const TObjects& objects);

}  // namespace navelo
