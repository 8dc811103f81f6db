#pragma once
// index.bdmv: first playback, top menu and the titles of the disc.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/extension_data.h"

namespace navelo {

class FieldReader;

inline constexpr std::uint16_t kNoObject = 0xFFFF;
inline constexpr std::uint32_t kIndexTypeIndicator = 0x494E4458;  // "INDX"
inline constexpr std::uint32_t kMaxTitles = 999;

enum class ObjectType : std::uint8_t { None = 0, HDMV = 1, BDJ = 2 };

struct TIndexTitle {
    std::int32_t title_number = 0;  // 1-based for titles, 0xFFFF first playback, 0 top menu; not stored in the file
    std::uint8_t object_type = 1;
    std::uint8_t access_type = 0;
    std::uint8_t playback_type = 0;
    std::uint16_t mobj_id_ref = 0;
    std::string bdjo_file_name;  // five bytes of the file, for object types other than HDMV

    bool isHdmv() const { return object_type == 1; }
    // First playback and top menu are "on" unless they are HDMV entries without an object.
    bool isOn() const { return object_type != 1 || mobj_id_ref != kNoObject; }
    bool operator==(const TIndexTitle&) const = default;
};

struct TIndexes {
    std::uint32_t length = 26;
    TIndexTitle FirstPlayback{0xFFFF, 1, 0, 0, kNoObject, {}};
    TIndexTitle TopMenu{0, 1, 0, 0, kNoObject, {}};
    std::uint16_t number_of_Titles = 0;
    std::vector<TIndexTitle> Titles;

    bool operator==(const TIndexes&) const = default;
};

struct TINDX {
    std::uint32_t type_indicator = kIndexTypeIndicator;
    std::uint32_t version_number = 0x30323030;  // "0200"
    std::uint32_t Indexes_start_address = 78;
    std::uint32_t ExtensionData_start_address = 0;
    std::array<std::uint8_t, 24> reserved{};
    std::uint32_t appinfo_length = 34;
    std::uint16_t AppInfoBDMV_flags = 0;
    std::string content_provider_user_data;
    // Bytes between AppInfoBDMV() and Indexes() when the file places Indexes() later than usual.
    std::vector<std::uint8_t> appinfo_padding;
    TIndexes indexes;
    // Bytes between the last title and ExtensionData() (or the end of the file).
    std::vector<std::uint8_t> padding;
    TExtensionData extension;

    bool operator==(const TINDX&) const = default;
};

inline constexpr const char* kIndexFileName = "index.bdmv";

struct IndexRead {
    TINDX model;
    // More than 999 titles: the model keeps none and nothing after the count is read.
    std::optional<std::uint32_t> titleCountError;
    // Set when the file ends before the fields it announces.
    std::optional<Error> truncated;
};

// movieObjectCount: the objects loaded from MovieObject.bdmv. With it, an HDMV
// first playback or top menu pointing beyond them becomes "no object", as the
// on/off switch does; without it (a lone index.bdmv) references stay as read.
// A header mismatch is an Error at offset 8.
Expected<IndexRead> readIndex(FieldReader& in, std::optional<std::size_t> movieObjectCount);
std::vector<std::uint8_t> writeIndex(const TINDX& model);

}  // namespace navelo
