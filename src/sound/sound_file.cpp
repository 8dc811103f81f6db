#include "sound/sound_file.h"

#include <fmt/format.h>

#include "core/field_reader.h"
#include "core/text.h"

namespace navelo {

Expected<SoundRead> readSound(FieldReader& in) {
    SoundRead result;
    TSND& m = result.model;
    m.type_indicator = in.readstring(4);
    m.version_number = in.readstring(4);
    if (m.type_indicator != "BCLK" || !isKnownVersion(m.version_number)) {
        return in.errorHere(std::string("Format error ") + kSoundFileName);
    }
    m.SoundData_start_address = in.readlword();
    m.ExtensionData_start_address = in.readlword();
    in.skip(24);
    m.index.length = in.readlword();
    in.readbyte();
    m.index.number_of_sound_entries = in.readbyte();
    m.index.entries.resize(m.index.number_of_sound_entries);
    for (auto& e : m.index.entries) {
        const std::uint8_t format = in.readbyte();
        e.channel_configuration = format >> 4;
        e.sampling_frequency = format & 0x0F;
        e.bits_per_sample = in.readbyte() >> 6;
        e.sound_data_start_address = in.readlword();
        e.sound_data_length = in.readlword();
    }
    for (std::size_t i = 0; i < m.index.entries.size(); ++i) {
        auto& e = m.index.entries[i];
        // The data read is bounded by what the file holds, whatever the length field says.
        in.seek(static_cast<std::uint64_t>(m.SoundData_start_address) + e.sound_data_start_address);
        e.data = in.readBytes(e.sound_data_length);
        if (e.data.size() < e.sound_data_length && !result.truncated) {
            result.truncated = Error{in.name(), in.size(), fmt::format("SoundData/entry[{}]", i),
                                     fmt::format("{} ends inside the data of sound entry {}", kSoundFileName, i)};
        }
    }
    if (m.ExtensionData_start_address != 0) {
        in.seek(m.ExtensionData_start_address);
        m.extension = ReadExtensionData(in);
    }
    return result;
}

std::string soundFoundLine(std::size_t entries) {
    return fmt::format(" Found [b]{}[/b] sound entr{}", entries, entries > 1 ? "ies" : "y");
}

}  // namespace navelo
