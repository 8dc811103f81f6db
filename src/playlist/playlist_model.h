#pragma once
// The PlayList (xxxxx.mpls) as the PlayList tab edits it: header and
// AppInfoPlayList, PlayItems with their angles and STN tables, SubPaths with
// their SubPlayItems, PlayListMarks and ExtensionData.
//
// Lengths, counts and start addresses are held exactly as read; the editors
// keep them in step with the content and the writer writes them as held.
// Reserved fields that the file layout keeps are held too. Default records
// are empty ones whose length fields match that empty content.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/extension_data.h"

namespace navelo {

// Two 32-bit words: bit n of word1 is UOn; word2 has only bit 30 defined.
struct TUOMaskTable {
    std::uint32_t word1 = 0;
    std::uint32_t word2 = 0;
    bool operator==(const TUOMaskTable&) const = default;
};

struct TClipRef {
    std::string Clip_Information_file_name;  // 5 characters
    std::string Clip_codec_identifier;       // 4 characters
    std::uint8_t ref_to_STC_id = 0;
    bool operator==(const TClipRef&) const = default;
};

struct Tmulti_clip {
    std::uint8_t number_of_angles = 0;
    std::uint8_t is_different_audios = 0;
    std::uint8_t is_seamless_angle_change = 0;
    // number_of_angles entries when the PlayItem is multi-angle, entry 0 being
    // the PlayItem's own clip; empty otherwise (and when number_of_angles is 0).
    std::vector<TClipRef> angles;
    bool operator==(const Tmulti_clip&) const = default;
};

struct TStreamEntry {
    std::uint8_t length = 9;
    std::uint8_t stream_type = 0;
    std::uint16_t ref_to_stream_PID_of_mainClip = 0;
    std::uint16_t ref_to_stream_PID_of_subClip = 0;
    std::uint8_t ref_to_SubPath_id = 0;
    std::uint8_t ref_to_subClip_entry_id = 0;
    // Bytes 2-9 of an entry whose stream_type has no known layout (not 1, 2
    // or 3), kept as read so the entry is written back unchanged; all zero
    // for the known types, whose reserved bytes are not held.
    std::array<std::uint8_t, 8> unknown{};
    bool operator==(const TStreamEntry&) const = default;
};

struct TStreamAttributes {
    std::uint8_t length = 5;
    std::uint8_t stream_coding_type = 0;
    std::uint8_t video_format = 0;
    std::uint8_t frame_rate = 0;
    std::uint8_t audio_presentation_type = 0;
    std::uint8_t sampling_frequency = 0;
    std::string language_code;  // 3 characters
    std::uint8_t character_code = 0;
    // Bytes 2-5 of a block whose coding type has no known class (HEVC video of
    // Ultra HD discs, for one), kept as read; all zero for the known classes.
    std::array<std::uint8_t, 4> unknown{};
    bool operator==(const TStreamAttributes&) const = default;
};

struct TStreamItem {
    TStreamEntry entry;
    TStreamAttributes attributes;
    bool operator==(const TStreamItem&) const = default;
};

struct TSecAudio {
    TStreamItem item;
    std::uint8_t number_of_primary_audio_ref_entries = 0;
    std::uint8_t reserved = 0;
    std::vector<std::uint8_t> primary_audio_stream_id_refs;
    bool operator==(const TSecAudio&) const = default;
};

struct TSecVideo {
    TStreamItem item;
    std::uint8_t number_of_secondary_audio_ref_entries = 0;
    std::uint8_t reserved = 0;
    std::vector<std::uint8_t> secondary_audio_stream_id_refs;
    std::uint8_t number_of_PiP_PG_textST_ref_entries = 0;
    std::vector<std::uint8_t> PiP_PG_textST_stream_id_refs;
    bool operator==(const TSecVideo&) const = default;
};

struct TSTN {
    std::uint16_t length = 14;
    std::uint16_t reserved = 0;
    // The seven counts in file order.
    std::uint8_t number_of_primary_video_stream_entries = 0;
    std::uint8_t number_of_primary_audio_stream_entries = 0;
    std::uint8_t number_of_PG_textST_stream_entries = 0;
    std::uint8_t number_of_IG_stream_entries = 0;
    std::uint8_t number_of_secondary_audio_stream_entries = 0;
    std::uint8_t number_of_secondary_video_stream_entries = 0;
    std::uint8_t number_of_PiP_PG_textST_stream_entries = 0;
    std::vector<TStreamItem> primary_video;
    std::vector<TStreamItem> primary_audio;
    // The PG/textST items followed by the PiP PG/textST items, as the file has them.
    std::vector<TStreamItem> PG_textST;
    std::vector<TStreamItem> IG;
    std::vector<TSecAudio> secondary_audio;
    std::vector<TSecVideo> secondary_video;
    bool operator==(const TSTN&) const = default;
};

struct TPlayItem {
    std::uint16_t length = 48;
    std::string Clip_Information_file_name;
    std::string Clip_codec_identifier;
    std::uint8_t is_multi_angle = 0;
    std::uint8_t connection_condition = 0;
    std::uint8_t ref_to_STC_id = 0;
    std::uint32_t IN_time = 0;
    std::uint32_t OUT_time = 0;
    TUOMaskTable UO_mask_table;
    std::uint8_t PlayItem_random_access_flag = 0;
    std::uint8_t still_mode = 0;
    std::uint16_t still_time = 0;
    Tmulti_clip multi_clip;
    TSTN STN_table;
    bool operator==(const TPlayItem&) const = default;
};

struct TSubPlayItem {
    std::uint16_t length = 28;
    std::string Clip_Information_file_name;
    std::string Clip_codec_identifier;
    std::uint8_t SubPath_connection_condition = 0;  // bits 8-1 of the connection word
    std::uint8_t is_multi_Clip_entries = 0;
    std::uint8_t ref_to_STC_id = 0;
    std::uint32_t IN_time = 0;
    std::uint32_t OUT_time = 0;
    std::uint16_t sync_PlayItem_id = 0;
    std::uint32_t sync_start_PTS_of_PlayItem = 0;
    std::uint8_t number_of_Clip_entries = 0;
    std::uint8_t reserved = 0;
    // number_of_Clip_entries entries when is_multi_Clip_entries is 1, entry 0
    // being the SubPlayItem's own clip.
    std::vector<TClipRef> clips;
    bool operator==(const TSubPlayItem&) const = default;
};

struct TSubPath {
    std::uint32_t length = 6;
    std::uint8_t reserved1 = 0;
    std::uint8_t SubPath_type = 0;
    std::uint16_t repeat = 0;  // the whole word; bit 0 is is_repeat_SubPath
    std::uint8_t reserved2 = 0;
    std::uint8_t number_of_SubPlayItems = 0;
    std::vector<TSubPlayItem> SubPlayItems;
    bool operator==(const TSubPath&) const = default;
};

struct TPlayList {
    std::uint32_t length = 6;
    std::uint16_t reserved = 0;
    std::uint16_t number_of_PlayItems = 0;
    std::uint16_t number_of_SubPaths = 0;
    std::vector<TPlayItem> PlayItems;
    std::vector<TSubPath> SubPaths;
    bool operator==(const TPlayList&) const = default;
};

struct TMark {
    std::uint8_t reserved = 0;
    std::uint8_t mark_type = 0;
    std::uint16_t ref_to_PlayItem_id = 0;
    std::uint32_t mark_time_stamp = 0;
    std::uint16_t entry_ES_PID = 0;
    std::uint32_t duration = 0;
    bool operator==(const TMark&) const = default;
};

struct TPlayListMark {
    std::uint32_t length = 2;
    std::uint16_t number_of_PlayList_marks = 0;
    std::vector<TMark> marks;
    bool operator==(const TPlayListMark&) const = default;
};

struct TAppInfoPlayList {
    std::uint32_t length = 14;
    std::uint8_t reserved = 0;
    std::uint8_t PlayList_playback_type = 1;
    std::uint16_t playback_count = 0;
    TUOMaskTable UO_mask_table;
    std::uint8_t PlayList_random_access_flag = 0;
    std::uint8_t audio_mix_app_flag = 0;
    std::uint8_t lossless_may_bypass_mixer_flag = 0;
    bool operator==(const TAppInfoPlayList&) const = default;
};

// A fresh model is an empty PlayList whose lengths and addresses agree.
struct TMPLS {
    std::string type_indicator = "MPLS";
    std::string version_number = "0200";
    std::uint32_t PlayList_start_address = 58;
    std::uint32_t PlayListMark_start_address = 68;
    std::uint32_t ExtensionData_start_address = 0;
    std::array<std::uint8_t, 20> reserved{};  // held, but written as zero
    TAppInfoPlayList AppInfoPlayList;
    TPlayList PlayList;
    TPlayListMark PlayListMark;
    TExtensionData ExtensionData;
    // Bytes after the last block up to the end of the file (zero padding of
    // some authoring tools), which no other field covers; written back last.
    std::vector<std::uint8_t> trailing;
    bool operator==(const TMPLS&) const = default;
};

// ---- Byte counts as the content defines them (what the length fields should hold) ----
// Size of the STN table after its length field: 14 + the items.
std::uint64_t stnContentLength(const TSTN& stn);
// Size of a PlayItem after its length field.
std::uint64_t playItemContentLength(const TPlayItem& item);
// Size of a SubPlayItem after its length field.
std::uint64_t subPlayItemContentLength(const TSubPlayItem& item);
// Size of a SubPath after its length field.
std::uint64_t subPathContentLength(const TSubPath& subPath);
// Size of the PlayList after its length field.
std::uint64_t playListContentLength(const TPlayList& playList);
// Size of the PlayListMark block after its length field: 2 + 14 per mark.
std::uint64_t playListMarkContentLength(const TPlayListMark& marks);

// Bytes of one stream item of each kind in the file.
inline constexpr std::uint64_t kStreamItemSize = 16;
std::uint64_t secondaryAudioItemSize(const TSecAudio& item);
std::uint64_t secondaryVideoItemSize(const TSecVideo& item);

}  // namespace navelo
