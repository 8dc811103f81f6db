#include "core/extension_data.h"

#include <fmt/format.h>

#include "core/field_reader.h"
#include "core/record_buffer.h"

namespace navelo {

TExtensionData ReadExtensionData(FieldReader& in) {
    TExtensionData block;
    block.length = in.readlword();
    if (block.length == 0) return block;
    block.data_block_start_address = in.readlword();
    in.readword();
    in.readbyte();
    block.number_of_ext_data_entries = in.readbyte();
    // At most 255 entries of 12 bytes: bounded by the field's width.
    block.entries.resize(block.number_of_ext_data_entries);
    for (auto& e : block.entries) {
        e.ID1 = in.readword();
        e.ID2 = in.readword();
        e.ext_data_start_address = in.readlword();
        e.ext_data_length = in.readlword();
    }
    block.data = in.readRest();
    return block;
}

void placeExtensionHeader(const TExtensionData& block, RecordBuffer& buf) {
    buf.writelong(block.length, 0);
    buf.writelong(block.data_block_start_address, 4);
    buf.writeword(0, 8);
    buf.writebyte(0, 10);
    buf.writebyte(static_cast<std::uint32_t>(block.entries.size()), 11);
    for (std::size_t i = 0; i < block.entries.size(); ++i) {
        const auto& e = block.entries[i];
        const std::size_t o = 12 + 12 * i;
        buf.writeword(e.ID1, o);
        buf.writeword(e.ID2, o + 2);
        buf.writelong(e.ext_data_start_address, o + 4);
        buf.writelong(e.ext_data_length, o + 8);
    }
}

void WriteExtensionData(const TExtensionData& block, BlockOutput& out) {
    RecordBuffer buf;
    if (block.length == 0) {
        buf.setLength(4);
        buf.writelong(0, 0);
        out.append(buf);
        return;
    }
    buf.setLength(12 + 12 * block.entries.size());
    placeExtensionHeader(block, buf);
    out.append(buf);
    out.append(block.data);
}

std::string ExtDatCap(const TExtensionData& block) {
    if (block.number_of_ext_data_entries == 0) return "no ExtensionData()";
    return fmt::format("{}{}{} bytes", block.number_of_ext_data_entries,
                       block.number_of_ext_data_entries == 1 ? " entry, " : " entries, ",
                       static_cast<std::uint64_t>(block.length) + 4);
}

}  // namespace navelo

namespace navelo {

FileTrailer readTrailer(FieldReader& in, std::uint32_t extensionStart) {
    FileTrailer t;
    if (extensionStart == 0) {
        t.padding = in.readRest();
        return t;
    }
    // The block is read where the structure ends; a start address further on marks padding before it.
    if (extensionStart > in.position() && extensionStart <= in.size()) t.padding = in.readBytes(extensionStart - in.position());
    t.extension = ReadExtensionData(in);
    return t;
}

}  // namespace navelo
