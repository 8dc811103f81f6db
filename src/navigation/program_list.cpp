#include "navigation/program_list.h"

#include "core/file_io.h"
#include "core/text.h"

namespace navelo {

namespace {

void appendLine(std::vector<std::uint8_t>& out, std::string_view line) {
    out.insert(out.end(), line.begin(), line.end());
    out.push_back(0x0D);
    out.push_back(0x0A);
}

void appendWord(std::vector<std::uint8_t>& out, std::uint32_t word) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(word >> shift));
}

}  // namespace

std::string_view programListExtension(ProgramFormat format) { return format == ProgramFormat::Binary ? ".bin" : ".lst"; }

std::string proposedProgramListName(std::size_t objectIndex) { return "program_" + zeroPad(objectIndex, 3); }

std::string programListLine(const RenderedCommand& row) {
    const auto& c = row.cells;
    return c[0] + "  [" + c[1] + "," + c[2] + "," + c[3] + "]  " + c[4];
}

std::vector<std::uint8_t> programListText(const Tmobject& object) {
    const std::string rule = ";" + std::string(60, '-');
    std::vector<std::uint8_t> out;
    appendLine(out, rule);
    appendLine(out, ";");
    appendLine(out, ";             MovieObject program list by Navelo");
    appendLine(out, ";");
    appendLine(out, rule);
    // Movie object commands are rendered as the BDMV tab shows them; the
    // rendering is UTF-8 for the view, the file is 8-bit text.
    for (std::size_t i = 0; i < object.navigation_commands.size(); ++i) {
        const auto row = renderCommand(object.navigation_commands[i], i, CommandContext::MovieObject);
        appendLine(out, utf8ToLatin1(programListLine(row)));
    }
    return out;
}

std::vector<std::uint8_t> programListBinary(const Tmobject& object) {
    std::vector<std::uint8_t> out;
    out.reserve(12 * object.navigation_commands.size());
    for (const auto& c : object.navigation_commands) {
        appendWord(out, c.opword);
        appendWord(out, c.destination);
        appendWord(out, c.source);
    }
    return out;
}

std::vector<std::uint8_t> programListBytes(const Tmobject& object, ProgramFormat format) {
    return format == ProgramFormat::Binary ? programListBinary(object) : programListText(object);
}

Status saveProgramList(const std::filesystem::path& path, const Tmobject& object, ProgramFormat format) {
    return writeFileReplacing(path, programListBytes(object, format));
}

}  // namespace navelo
