#pragma once
// The exact cell and label texts of the BDMV tab's navigation views.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "navigation/command_codec.h"
#include "navigation/index_file.h"
#include "navigation/movie_object.h"

namespace navelo {

// A grid as shown: its control name, header row and data rows.
struct GridText {
    std::string name;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

inline constexpr std::array<std::string_view, 5> kObjectGridHeader = {"No.", "resume", "menu call", "title search", "commands"};
inline constexpr std::array<std::string_view, 5> kTitleGridHeader = {"No.", "object t.", "title search", "playback t.", "OID/file"};
inline constexpr std::array<std::string_view, 2> kResumeItems = {"discard", "suspend"};
inline constexpr std::array<std::string_view, 2> kMaskItems = {"enable", "disable"};
inline constexpr std::array<std::string_view, 2> kObjectTypeItems = {"HDMV", "BD-J"};
inline constexpr std::array<std::string_view, 2> kPlaybackTypeItems = {"Movie", "Interactive"};
inline constexpr std::array<std::string_view, 3> kAccessTypeItems = {"Permitted", "Prohibited1", "Prohibited2"};

// One row of sgObject.
std::vector<std::string> objectRow(std::size_t index, const Tmobject& object);
// One row of sgTitles (indline).
std::vector<std::string> titleRow(const TIndexTitle& title);
std::string_view objectTypeText(std::uint8_t objectType);
std::string_view accessTypeText(std::uint8_t accessType);
std::string_view playbackTypeText(std::uint8_t playbackType);

// lObjects: "3 objects".
std::string objectCountLabel(const TMOBJ& model);
// lTitlenum: "12 + 2 titles", "0 titles".
std::string titleCountLabel(const TINDX& model);

GridText objectGrid(const TMOBJ& model);
GridText titleGrid(const TINDX& model);
// sgCommands for one object, rendered in the given context.
GridText commandGrid(const Tmobject& object, CommandContext context);

}  // namespace navelo
