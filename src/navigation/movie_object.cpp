#include "navigation/movie_object.h"

#include <fmt/format.h>

#include "core/field_reader.h"
#include "core/text.h"
#include "core/record_buffer.h"

namespace navelo {

std::uint64_t movieObjectsContentLength(const TObjects& objects) {
    std::uint64_t n = 6;
    for (const auto& o : objects.mobjs) n += 4 + 12ull * o.navigation_commands.size();
    return n;
}

Expected<MovieObjectRead> readMovieObject(FieldReader& in) {
    MovieObjectRead result;
    TMOBJ& m = result.model;
    m.type_indicator = in.readstring(4);
    m.version_number = in.readstring(4);
    if (m.type_indicator != "MOBJ" || !isKnownVersion(m.version_number)) {
        return in.errorHere(std::string("Format error ") + kMovieObjectFileName);
    }
    m.ExtensionData_start_address = in.readlword();
    for (auto& b : m.reserved) b = in.readbyte();
    m.objects.length = in.readlword();
    m.objects.reserved = in.readlword();
    m.objects.number_of_mobjs = in.readword();

    // The counts are 16-bit, so even a file that announces far more than it
    // holds sizes these arrays by at most 65,535 entries.
    m.objects.mobjs.resize(m.objects.number_of_mobjs);
    // Reading stops where the file ends; what lies beyond stays empty objects and NOP commands.
    std::string missing;
    for (std::size_t i = 0; i < m.objects.mobjs.size() && missing.empty(); ++i) {
        Tmobject& o = m.objects.mobjs[i];
        const std::uint16_t flags = in.readword();
        const std::uint16_t count = in.readword();
        if (in.overrun()) {
            missing = fmt::format("MovieObjects/mobj[{}]", i);
            break;
        }
        o.resume_intention_flag = (flags >> 15) & 1;
        o.menu_call_mask = (flags >> 14) & 1;
        o.title_search_mask = (flags >> 13) & 1;
        o.number_of_navigation_commands = count;
        o.navigation_commands.resize(count);
        for (std::size_t c = 0; c < o.navigation_commands.size(); ++c) {
            auto& cmd = o.navigation_commands[c];
            cmd.opword = in.readlword();
            cmd.destination = in.readlword();
            cmd.source = in.readlword();
            if (in.overrun()) {
                missing = fmt::format("MovieObjects/mobj[{}]/command[{}]", i, c);
                break;
            }
            if (in.atEnd()) {
                if (c + 1 < o.navigation_commands.size()) missing = fmt::format("MovieObjects/mobj[{}]/command[{}]", i, c + 1);
                break;
            }
        }
        if (missing.empty() && in.atEnd() && i + 1 < m.objects.mobjs.size()) {
            missing = fmt::format("MovieObjects/mobj[{}]", i + 1);
        }
    }
    if (in.overrun() && missing.empty()) missing = "MovieObjects";
    if (!missing.empty()) {
        result.truncated = Error{in.name(), in.size(), missing,
                                 fmt::format("{} ends before its last movie object", kMovieObjectFileName)};
    }

    auto trailer = readTrailer(in, m.ExtensionData_start_address);
    m.padding = std::move(trailer.padding);
    m.extension = std::move(trailer.extension);
    return result;
}

std::vector<std::uint8_t> writeMovieObject(const TMOBJ& m) {
    BlockOutput out;
    RecordBuffer buf;
    buf.setLength(40);
    buf.writestr(m.type_indicator, 0, 4);
    buf.writestr(m.version_number, 4, 4);
    buf.writelong(m.ExtensionData_start_address, 8);
    for (std::size_t i = 0; i < m.reserved.size(); ++i) buf.writebyte(m.reserved[i], 12 + i);
    out.append(buf);

    buf.setLength(10);
    buf.writelong(m.objects.length, 0);
    buf.writelong(m.objects.reserved, 4);
    buf.writeword(m.objects.number_of_mobjs, 8);
    out.append(buf);

    for (const auto& o : m.objects.mobjs) {
        buf.setLength(4);
        buf.writeword((o.resume_intention_flag << 15) | (o.menu_call_mask << 14) | (o.title_search_mask << 13), 0);
        buf.writeword(o.number_of_navigation_commands, 2);
        out.append(buf);
        buf.setLength(12 * o.navigation_commands.size());
        for (std::size_t c = 0; c < o.navigation_commands.size(); ++c) {
            const auto& cmd = o.navigation_commands[c];
            buf.writelong(cmd.opword, 12 * c);
            buf.writelong(cmd.destination, 12 * c + 4);
            buf.writelong(cmd.source, 12 * c + 8);
        }
        out.append(buf);
    }
    out.append(m.padding);
    if (m.ExtensionData_start_address != 0) WriteExtensionData(m.extension, out);
    return out.take();
}

}  // namespace navelo
