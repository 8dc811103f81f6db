#pragma once
// Names, validity and the text rendering of navigation commands: the five
// cells of a command grid row, shared by the grids, the CLI and the dumps.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "navigation/command.h"

namespace navelo {

// Where a command is shown decides which valid commands are forbidden.
enum class CommandContext { MovieObject, Button };

inline constexpr std::array<std::string_view, 5> kCommandGridHeader = {"No.", "Opcode", "Destinat.", "Source", "Command line"};

struct RenderedCommand {
    std::array<std::string, 5> cells;  // No., Opcode, Destinat., Source, Command line
    bool valid = false;
    bool forbidden = false;
};

RenderedCommand renderCommand(const NavigationCommand& command, std::size_t index, CommandContext context);

std::string_view commandGroupName(unsigned group);                                    // "" beyond 2
std::string_view commandSubGroupName(unsigned group, unsigned subGroup);              // "" when unnamed
std::string_view commandOptionName(unsigned group, unsigned subGroup, unsigned option);  // "" when unnamed
// "" for PSR numbers of 45 and above.
std::string_view psrDescription(unsigned psr);
inline constexpr unsigned kDescribedPsrCount = 45;

bool isValidOpword(std::uint32_t opword);
bool isForbiddenOpword(std::uint32_t opword, CommandContext context);

}  // namespace navelo
