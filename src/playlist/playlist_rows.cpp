#include "playlist/playlist_rows.h"

#include <algorithm>

#include <fmt/format.h>

#include "core/extension_data.h"
#include "core/text.h"
#include "playlist/code_tables.h"
#include "playlist/time_text.h"

namespace navelo {

namespace {

template <std::size_t N>
std::vector<std::string> headerOf(const std::array<std::string_view, N>& h) {
    return {h.begin(), h.end()};
}

bool isVideoKind(StreamKind k) { return k == StreamKind::PrimaryVideo || k == StreamKind::SecondaryVideo; }
bool isAudioKind(StreamKind k) { return k == StreamKind::PrimaryAudio || k == StreamKind::SecondaryAudio; }

// SubPath and subClip ids: two decimal digits for the video kinds and
// secondary audio, two hexadecimal digits for the others.
bool decimalIds(StreamKind k) { return isVideoKind(k) || k == StreamKind::SecondaryAudio; }

std::string idText(StreamKind k, std::uint8_t id) { return decimalIds(k) ? zeroPad(id, 2) : hexUpper(id, 2); }

std::string clipName(const std::string& s) { return latin1ToUtf8(s); }

}  // namespace

std::string_view streamKindHeader(StreamKind kind) { return kSTNGridHeader[static_cast<std::size_t>(kind)]; }

std::size_t streamKindCount(const TSTN& stn, StreamKind kind) {
    switch (kind) {
        case StreamKind::PrimaryVideo: return stn.number_of_primary_video_stream_entries;
        case StreamKind::PrimaryAudio: return stn.number_of_primary_audio_stream_entries;
        case StreamKind::PG_textST: return stn.number_of_PG_textST_stream_entries;
        case StreamKind::IG: return stn.number_of_IG_stream_entries;
        case StreamKind::SecondaryVideo: return stn.number_of_secondary_video_stream_entries;
        case StreamKind::SecondaryAudio: return stn.number_of_secondary_audio_stream_entries;
        case StreamKind::PiP_PG_textST: return stn.number_of_PiP_PG_textST_stream_entries;
    }
    return 0;
}

std::vector<const TStreamItem*> streamKindItems(const TSTN& stn, StreamKind kind) {
    std::vector<const TStreamItem*> items;
    auto all = [&](const std::vector<TStreamItem>& list) {
        for (const auto& i : list) items.push_back(&i);
    };
    // The shared PG list: its first number_of_PG_textST_stream_entries items are PG/textST.
    const std::size_t pg = std::min<std::size_t>(stn.number_of_PG_textST_stream_entries, stn.PG_textST.size());
    switch (kind) {
        case StreamKind::PrimaryVideo: all(stn.primary_video); break;
        case StreamKind::PrimaryAudio: all(stn.primary_audio); break;
        case StreamKind::PG_textST:
            for (std::size_t i = 0; i < pg; ++i) items.push_back(&stn.PG_textST[i]);
            break;
        case StreamKind::PiP_PG_textST:
            for (std::size_t i = pg; i < stn.PG_textST.size(); ++i) items.push_back(&stn.PG_textST[i]);
            break;
        case StreamKind::IG: all(stn.IG); break;
        case StreamKind::SecondaryVideo:
            for (const auto& v : stn.secondary_video) items.push_back(&v.item);
            break;
        case StreamKind::SecondaryAudio:
            for (const auto& a : stn.secondary_audio) items.push_back(&a.item);
            break;
    }
    return items;
}

std::vector<std::string> playItemRow(std::size_t index, const TPlayItem& p) {
    return {zeroPad(index, 3),
            clipName(p.Clip_Information_file_name),
            clipName(p.Clip_codec_identifier),
            time2str(p.IN_time),
            time2str(p.OUT_time),
            time2str(p.OUT_time - p.IN_time),
            uoMaskText(p.UO_mask_table.word1),
            uoMaskText(p.UO_mask_table.word2),
            p.is_multi_angle == 1 ? std::to_string(p.multi_clip.number_of_angles) : std::string("0")};
}

std::vector<std::string> clipRefRow(std::size_t index, const TClipRef& c) {
    return {std::to_string(index + 1), clipName(c.Clip_Information_file_name), clipName(c.Clip_codec_identifier),
            std::to_string(c.ref_to_STC_id)};
}

std::string streamAttributesText(StreamKind kind, const TStreamAttributes& a) {
    if (isVideoKind(kind)) {
        return fmt::format("{}, {}, {}", codingTypeName(a.stream_coding_type), videoFormatName(a.video_format),
                           frameRateName(a.frame_rate));
    }
    if (isAudioKind(kind)) {
        return fmt::format("{}, {}, {}, {}", codingTypeName(a.stream_coding_type),
                           audioPresentationName(a.audio_presentation_type), samplingFrequencyName(a.sampling_frequency),
                           latin1ToUtf8(a.language_code));
    }
    return latin1ToUtf8(a.language_code);
}

std::vector<std::string> streamEntryRow(std::size_t index, StreamKind kind, const TStreamItem& item) {
    const TStreamEntry& e = item.entry;
    std::vector<std::string> row{zeroPad(index + 1, 3), std::string(streamEntryTypeName(e.stream_type)), {}, {}, {}, {}, {}};
    switch (e.stream_type) {
        case 1:
            row[2] = hexUpper(e.ref_to_stream_PID_of_mainClip, 4);
            break;
        case 2:
            row[3] = idText(kind, e.ref_to_SubPath_id);
            row[4] = idText(kind, e.ref_to_subClip_entry_id);
            row[5] = hexUpper(e.ref_to_stream_PID_of_subClip, 4);
            break;
        case 3:
            row[2] = hexUpper(e.ref_to_stream_PID_of_mainClip, 4);
            // In the hexadecimal kinds the SubPath id of an IM PIP entry has four digits.
            row[3] = decimalIds(kind) ? zeroPad(e.ref_to_SubPath_id, 2) : hexUpper(e.ref_to_SubPath_id, 4);
            break;
        default:
            // A type without a layout shows no reference.
            break;
    }
    row[6] = streamAttributesText(kind, item.attributes);
    return row;
}

std::vector<std::string> subPathRow(std::size_t index, const TSubPath& sp) {
    return {zeroPad(index, 3), std::string(subPathTypeName(sp.SubPath_type)), sp.repeat == 0 ? "No" : "Yes",
            std::to_string(sp.number_of_SubPlayItems)};
}

std::vector<std::string> subPlayItemRow(std::size_t index, const TSubPlayItem& s) {
    return {zeroPad(index, 3),
            clipName(s.Clip_Information_file_name),
            clipName(s.Clip_codec_identifier),
            std::to_string(s.SubPath_connection_condition),
            s.is_multi_Clip_entries == 1 ? "Yes" : "No",
            std::to_string(s.ref_to_STC_id),
            time2str(s.IN_time),
            time2str(s.OUT_time),
            std::to_string(s.sync_PlayItem_id),
            time2str(s.sync_start_PTS_of_PlayItem),
            std::to_string(s.number_of_Clip_entries)};
}

std::vector<std::string> playListMarkRow(std::size_t index, const TMark& k) {
    return {zeroPad(index, 3),           std::string(markTypeName(k.mark_type)), zeroPad(k.ref_to_PlayItem_id, 3),
            time2str(k.mark_time_stamp), hexUpper(k.entry_ES_PID, 4),             std::to_string(k.duration)};
}

GridText playItemGrid(const TMPLS& model) {
    GridText g{"sgPLitem", headerOf(kPlayItemGridHeader), {}};
    const auto& items = model.PlayList.PlayItems;
    for (std::size_t i = 0; i < items.size(); ++i) g.rows.push_back(playItemRow(i, items[i]));
    return g;
}

GridText angleGrid(const TPlayItem& item) {
    GridText g{"sgPIangles", headerOf(kClipRefGridHeader), {}};
    const auto& angles = item.multi_clip.angles;
    for (std::size_t i = 0; i < angles.size(); ++i) g.rows.push_back(clipRefRow(i, angles[i]));
    return g;
}

GridText stnGrid(const TSTN& stn) {
    GridText g{"sgSTN", headerOf(kSTNGridHeader), {{}}};
    for (StreamKind k : kStreamKinds) g.rows[0].push_back(std::to_string(streamKindCount(stn, k)));
    return g;
}

GridText streamEntryGrid(const TSTN& stn, StreamKind kind) {
    GridText g{"sgStreamEntry", headerOf(kStreamEntryGridHeader), {}};
    const auto items = streamKindItems(stn, kind);
    for (std::size_t i = 0; i < items.size(); ++i) g.rows.push_back(streamEntryRow(i, kind, *items[i]));
    return g;
}

GridText subPathGrid(const TMPLS& model) {
    GridText g{"sgSubPath", headerOf(kSubPathGridHeader), {}};
    const auto& paths = model.PlayList.SubPaths;
    for (std::size_t i = 0; i < paths.size(); ++i) g.rows.push_back(subPathRow(i, paths[i]));
    return g;
}

GridText subPlayItemGrid(const TSubPath& subPath) {
    GridText g{"sgSubPlayItem", headerOf(kSubPlayItemGridHeader), {}};
    const auto& items = subPath.SubPlayItems;
    for (std::size_t i = 0; i < items.size(); ++i) g.rows.push_back(subPlayItemRow(i, items[i]));
    return g;
}

GridText clipEntryGrid(const TSubPlayItem& item) {
    GridText g{"sgAngles", headerOf(kClipRefGridHeader), {}};
    for (std::size_t i = 0; i < item.clips.size(); ++i) g.rows.push_back(clipRefRow(i, item.clips[i]));
    return g;
}

GridText playListMarkGrid(const TMPLS& model) {
    GridText g{"sgPlayListMark", headerOf(kPlayListMarkGridHeader), {}};
    const auto& marks = model.PlayListMark.marks;
    for (std::size_t i = 0; i < marks.size(); ++i) g.rows.push_back(playListMarkRow(i, marks[i]));
    return g;
}

bool showsAngleGrid(const TPlayItem& item) { return item.is_multi_angle != 0; }

bool showsClipEntryGrid(const TSubPlayItem& item) { return item.number_of_Clip_entries != 0; }

int playbackTypeSelection(std::uint8_t playbackType, int currentItem) {
    if (playbackType <= 1) return currentItem;
    const int item = playbackType - 1;
    return item < static_cast<int>(kPlayListPlaybackTypeItems.size()) ? item : -1;
}

std::string playbackTypeItemText(int item) {
    if (item < 0 || item >= static_cast<int>(kPlayListPlaybackTypeItems.size())) return {};
    return std::string(kPlayListPlaybackTypeItems[static_cast<std::size_t>(item)]);
}

std::string playbackCountText(const TMPLS& model) { return std::to_string(model.AppInfoPlayList.playback_count); }

std::string uoMaskText(std::uint32_t word) { return hexUpper(word, 8); }

std::string extensionDataCaption(const TMPLS& model) { return ExtDatCap(model.ExtensionData); }

std::string savePlayListHint(std::string_view name) { return fmt::format("Save {}.mpls", name); }

std::vector<std::string> playListReadProgress(const TMPLS& m, std::uint64_t fileSize) {
    std::vector<std::string> out;
    auto at = [&](std::uint64_t position) { out.push_back(fmt::format("{}/{}", position, fileSize)); };
    // Records follow each other without gaps; their places come from their content.
    std::uint64_t o = std::uint64_t{m.PlayList_start_address} + 10;
    for (const auto& p : m.PlayList.PlayItems) {
        at(o);
        o += 2 + playItemContentLength(p);
    }
    for (const auto& sp : m.PlayList.SubPaths) {
        at(o);
        o += 4 + subPathContentLength(sp);
    }
    if (m.PlayListMark_start_address != 0) {
        for (std::size_t i = 0; i < m.PlayListMark.marks.size(); ++i) at(std::uint64_t{m.PlayListMark_start_address} + 6 + 14 * i);
    }
    return out;
}

}  // namespace navelo
