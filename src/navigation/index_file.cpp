#include "navigation/index_file.h"

#include <fmt/format.h>

#include "core/field_reader.h"
#include "core/text.h"
#include "core/record_buffer.h"

namespace navelo {

namespace {

std::string versionText(std::uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

constexpr std::uint32_t kIndexesAt = 78;

TIndexTitle readEntry(FieldReader& in, bool isTitle, std::int32_t number) {
    TIndexTitle e;
    e.title_number = number;
    const std::uint32_t word = in.readlword();
    e.object_type = static_cast<std::uint8_t>(word >> 30);
    e.access_type = isTitle ? static_cast<std::uint8_t>((word >> 28) & 3) : 0;
    e.playback_type = static_cast<std::uint8_t>(in.readword() >> 14);
    if (e.isHdmv()) {
        e.mobj_id_ref = in.readword();
        in.readlword();
    } else {
        e.mobj_id_ref = kNoObject;
        e.bdjo_file_name = in.readstring(5);
        in.readbyte();
    }
    return e;
}

void writeEntry(const TIndexTitle& e, bool isTitle, RecordBuffer& buf, std::size_t o) {
    buf.writelong((static_cast<std::uint32_t>(e.object_type) << 30) | (isTitle ? static_cast<std::uint32_t>(e.access_type & 3) << 28 : 0), o);
    buf.writeword(static_cast<std::uint32_t>(e.playback_type) << 14, o + 4);
    if (e.isHdmv()) {
        buf.writeword(e.mobj_id_ref, o + 6);
        buf.writelong(0, o + 8);
    } else {
        buf.writestr(e.bdjo_file_name, o + 6, 5);
        buf.writebyte(0, o + 11);
    }
}

// The on/off switch keeps an HDMV reference only when it names a loaded object.
void takeReferenceFromObjectList(TIndexTitle& e, std::optional<std::size_t> objectCount) {
    if (!objectCount || !e.isHdmv() || e.mobj_id_ref == kNoObject) return;
    if (e.mobj_id_ref >= *objectCount) e.mobj_id_ref = kNoObject;
}

}  // namespace

Expected<IndexRead> readIndex(FieldReader& in, std::optional<std::size_t> movieObjectCount) {
    IndexRead result;
    TINDX& m = result.model;
    m.type_indicator = in.readlword();
    m.version_number = in.readlword();
    if (m.type_indicator != kIndexTypeIndicator || !isKnownVersion(versionText(m.version_number))) {
        return in.errorHere(fmt::format("{} format error at ${:08X}", kIndexFileName, in.position()));
    }
    m.Indexes_start_address = in.readlword();
    m.ExtensionData_start_address = in.readlword();
    for (auto& b : m.reserved) b = in.readbyte();
    m.appinfo_length = in.readlword();
    m.AppInfoBDMV_flags = in.readword();
    m.content_provider_user_data = in.readstring(32);
    if (in.position() != m.Indexes_start_address) {
        if (m.Indexes_start_address > in.position() && m.Indexes_start_address <= in.size()) {
            m.appinfo_padding = in.readBytes(m.Indexes_start_address - in.position());
        } else {
            in.seek(m.Indexes_start_address);
        }
    }

    TIndexes& x = m.indexes;
    x.length = in.readlword();
    x.FirstPlayback = readEntry(in, false, 0xFFFF);
    takeReferenceFromObjectList(x.FirstPlayback, movieObjectCount);
    x.TopMenu = readEntry(in, false, 0);
    takeReferenceFromObjectList(x.TopMenu, movieObjectCount);

    const std::uint16_t count = in.readword();
    if (count > kMaxTitles) {
        result.titleCountError = count;
        x.number_of_Titles = 0;
        return result;
    }
    x.number_of_Titles = count;
    x.Titles.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) x.Titles.push_back(readEntry(in, true, i + 1));
    if (in.overrun()) {
        result.truncated = Error{in.name(), in.size(), "Indexes",
                                 fmt::format("{} ends before its last title", kIndexFileName)};
    }

    auto trailer = readTrailer(in, m.ExtensionData_start_address);
    m.padding = std::move(trailer.padding);
    m.extension = std::move(trailer.extension);
    return result;
}

std::vector<std::uint8_t> writeIndex(const TINDX& m) {
    BlockOutput out;
    RecordBuffer buf;
    buf.setLength(kIndexesAt);
    buf.writelong(m.type_indicator, 0);
    buf.writelong(m.version_number, 4);
    buf.writelong(m.Indexes_start_address, 8);
    buf.writelong(m.ExtensionData_start_address, 12);
    for (std::size_t i = 0; i < m.reserved.size(); ++i) buf.writebyte(m.reserved[i], 16 + i);
    buf.writelong(m.appinfo_length, 40);
    buf.writeword(m.AppInfoBDMV_flags, 44);
    buf.writestr(m.content_provider_user_data, 46, 32);
    out.append(buf);
    out.append(m.appinfo_padding);

    const TIndexes& x = m.indexes;
    buf.setLength(30);
    buf.writelong(x.length, 0);
    writeEntry(x.FirstPlayback, false, buf, 4);
    writeEntry(x.TopMenu, false, buf, 16);
    buf.writeword(x.number_of_Titles, 28);
    out.append(buf);

    buf.setLength(12 * x.Titles.size());
    for (std::size_t i = 0; i < x.Titles.size(); ++i) writeEntry(x.Titles[i], true, buf, 12 * i);
    out.append(buf);

    out.append(m.padding);
    if (m.ExtensionData_start_address != 0) WriteExtensionData(m.extension, out);
    return out.take();
}

}  // namespace navelo
