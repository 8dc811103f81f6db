#pragma once
// The ExtensionData() block that may end every disc file kind. It is kept
// intact, never interpreted: header, entry table and every byte after it.
#include <cstdint>
#include <string>
#include <vector>

namespace navelo {

class FieldReader;
class BlockOutput;
class RecordBuffer;

struct TExtDataEntry {
    std::uint16_t ID1 = 0;
    std::uint16_t ID2 = 0;
    std::uint32_t ext_data_start_address = 0;
    std::uint32_t ext_data_length = 0;
    bool operator==(const TExtDataEntry&) const = default;
};

struct TExtensionData {
    std::uint32_t length = 0;
    std::uint32_t data_block_start_address = 0;
    std::uint8_t number_of_ext_data_entries = 0;
    std::vector<TExtDataEntry> entries;
    std::vector<std::uint8_t> data;  // everything after the entry table up to the end of the file

    bool empty() const { return length == 0; }
    bool operator==(const TExtensionData&) const = default;
};

// Reads a block at the reader's position; the block runs to the end of the file.
TExtensionData ReadExtensionData(FieldReader& in);
// Appends the block: its length, then (when not 0) header, entries and data.
void WriteExtensionData(const TExtensionData& block, BlockOutput& out);
// Places the length, header and entry table at the start of a buffer the
// caller has sized (at least 12 + 12 x entries; reserved bytes written as 0).
void placeExtensionHeader(const TExtensionData& block, RecordBuffer& buffer);
// "no ExtensionData()", "1 entry, 28 bytes", "3 entries, 104 bytes".
std::string ExtDatCap(const TExtensionData& block);

}  // namespace navelo

namespace navelo {

// What follows a file's last structure: the bytes up to ExtensionData() (kept
// so that padding is written back unchanged) and the block itself. Without
// ExtensionData() (start address 0) everything up to the end is padding.
struct FileTrailer {
    std::vector<std::uint8_t> padding;
    TExtensionData extension;
};
FileTrailer readTrailer(FieldReader& in, std::uint32_t extensionStart);

}  // namespace navelo
