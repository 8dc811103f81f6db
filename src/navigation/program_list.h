#pragma once
// Program lists: the commands of one movie object exported as a text list of
// its command grid rows (.lst) or as its raw 12-byte commands (.bin).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "navigation/command_codec.h"
#include "navigation/movie_object.h"

namespace navelo {

// "Program format" on the Options tab: it only preselects the dialog's file
// type; the type chosen in the dialog decides what is written.
enum class ProgramFormat { List = 0, Binary = 1 };

inline constexpr std::string_view kProgramListDialogTitle = "Save program list";  // also the button's hint

// ".lst" or ".bin".
std::string_view programListExtension(ProgramFormat format);
// The name the save dialog proposes, without extension: "program_005" for object 5.
std::string proposedProgramListName(std::size_t objectIndex);

// One list line of a command grid row, without its line end:
// "0001  [50000001,00000001 ,00000002 ]  Move GPR1, GPR2".
std::string programListLine(const RenderedCommand& row);

// The .lst file: five header lines, then one line per command as the BDMV
// tab's grid renders it; 8-bit text, every line ended by CR LF.
std::vector<std::uint8_t> programListText(const Tmobject& object);
// The .bin file: the three words of every command, big-endian, 12 bytes each.
std::vector<std::uint8_t> programListBinary(const Tmobject& object);
std::vector<std::uint8_t> programListBytes(const Tmobject& object, ProgramFormat format);

// Creates (or replaces) the file with the list; nothing is logged, a failure
// comes back for the caller to show.
Status saveProgramList(const std::filesystem::path& path, const Tmobject& object, ProgramFormat format);

}  // namespace navelo
