#include "playlist/playlist_file.h"

#include <algorithm>
#include <array>
#include <utility>

#include <fmt/format.h>

#include "core/field_reader.h"
#include "core/file_io.h"
#include "core/record_buffer.h"
#include "core/text.h"
#include "playlist/code_tables.h"

namespace navelo {

namespace {

// The smallest records of their kind, used to refuse counts the rest of the
// file cannot hold before anything is sized by them.
constexpr std::uint64_t kMinPlayItemSize = 34 + 16;  // fixed fields and an empty STN table
constexpr std::uint64_t kMinSubPathSize = 10;
constexpr std::uint64_t kSubPlayItemSize = 30;
constexpr std::uint64_t kClipRefSize = 10;
constexpr std::uint64_t kMarkSize = 14;
constexpr std::uint64_t kAppInfoFields = 14;  // AppInfoPlayList bytes after its length that carry fields

// Fixed-width texts end at their first zero byte.
std::string textOf(const std::uint8_t* bytes, std::size_t width) {
    std::string s;
    for (std::size_t i = 0; i < width && bytes[i] != 0; ++i) s.push_back(static_cast<char>(bytes[i]));
    return s;
}

std::uint16_t word(std::uint8_t hi, std::uint8_t lo) { return static_cast<std::uint16_t>((hi << 8) | lo); }

// Reads one PlayList file into a PlayListRead, stopping at the first place
// where the file turns out to be shorter than what it announces.
class PlayListReader {
public:
    PlayListReader(FieldReader& in, PlayListRead& out) : in_(in), out_(out) {}

    void read();

private:
    bool ended(std::string path, std::string_view block) {
        out_.truncated = Error{in_.name(), std::min(in_.position(), in_.size()), std::move(path),
                               fmt::format("{} ends before the end of its {}", in_.name(), block)};
        return false;
    }
    // True when `bytes` more bytes follow the position; the caller has not
    // sized anything by the count yet.
    bool holds(std::uint64_t bytes, std::string path, std::string_view block) {
        return bytes <= in_.remaining() ? true : ended(std::move(path), block);
    }
    bool complete(std::string path, std::string_view block) {
        return in_.overrun() ? ended(std::move(path), block) : true;
    }
    // A block whose stored length runs past the end of the file is cut short
    // (and would make the writer invent the missing bytes).
    bool fits(std::uint64_t start, std::uint32_t length, std::string_view block) {
        return start + 4 + length <= in_.size() ? true : ended(std::string(block), block);
    }

    TClipRef readClipRef();
    TStreamEntry readEntry();
    TStreamAttributes readAttributes();
    TStreamItem readStreamItem();
    bool readRefs(std::uint8_t count, std::vector<std::uint8_t>& refs, const std::string& path);
    bool readSTN(TSTN& stn, const std::string& path);
    bool readPlayItem(TPlayItem& item, const std::string& path);
    bool readSubPath(TSubPath& subPath, const std::string& path);
    bool readPlayList();
    bool readMarks();
    void keepTrailingBytes();

    FieldReader& in_;
    PlayListRead& out_;
};

TClipRef PlayListReader::readClipRef() {
    TClipRef c;
    c.Clip_Information_file_name = in_.readstring(5);
    c.Clip_codec_identifier = in_.readstring(4);
    c.ref_to_STC_id = in_.readbyte();
    return c;
}

// Always 10 bytes: an entry of a type without a layout keeps the file in step
// and its bytes are held unchanged.
TStreamEntry PlayListReader::readEntry() {
    TStreamEntry e;
    e.length = in_.readbyte();
    e.stream_type = in_.readbyte();
    std::array<std::uint8_t, 8> b{};
    for (auto& x : b) x = in_.readbyte();
    switch (e.stream_type) {
        case 1:
            e.ref_to_stream_PID_of_mainClip = word(b[0], b[1]);
            break;
        case 2:
            e.ref_to_SubPath_id = b[0];
            e.ref_to_subClip_entry_id = b[1];
            e.ref_to_stream_PID_of_subClip = word(b[2], b[3]);
            break;
        case 3:
            e.ref_to_SubPath_id = b[0];
            e.ref_to_stream_PID_of_mainClip = word(b[1], b[2]);
            break;
        default:
            e.unknown = b;
            break;
    }
    return e;
}

// Always 6 bytes, for the same reason as the entries.
TStreamAttributes PlayListReader::readAttributes() {
    TStreamAttributes a;
    a.length = in_.readbyte();
    a.stream_coding_type = in_.readbyte();
    std::array<std::uint8_t, 4> b{};
    for (auto& x : b) x = in_.readbyte();
    switch (codingTypeClass(a.stream_coding_type)) {
        case CodingClass::Video:
            a.video_format = b[0] >> 4;
            a.frame_rate = b[0] & 0x0F;
            break;
        case CodingClass::Audio:
            a.audio_presentation_type = b[0] >> 4;
            a.sampling_frequency = b[0] & 0x0F;
            a.language_code = textOf(&b[1], 3);
            break;
        case CodingClass::Graphics:
            a.language_code = textOf(&b[0], 3);
            break;
        case CodingClass::TextSubtitle:
            a.character_code = b[0];
            a.language_code = textOf(&b[1], 3);
            break;
        case CodingClass::None:
            a.unknown = b;
            break;
    }
    return a;
}

TStreamItem PlayListReader::readStreamItem() {
    TStreamItem item;
    item.entry = readEntry();
    item.attributes = readAttributes();
    return item;
}

// A reference list and its pad byte when the count is odd.
bool PlayListReader::readRefs(std::uint8_t count, std::vector<std::uint8_t>& refs, const std::string& path) {
    if (!holds(count + (count & 1u), path, "PlayList")) return false;
    refs.resize(count);
    for (auto& r : refs) r = in_.readbyte();
    if (count & 1) in_.readbyte();
    return true;
}

bool PlayListReader::readSTN(TSTN& stn, const std::string& path) {
    stn.length = in_.readword();
    stn.reserved = in_.readword();
    stn.number_of_primary_video_stream_entries = in_.readbyte();
    stn.number_of_primary_audio_stream_entries = in_.readbyte();
    stn.number_of_PG_textST_stream_entries = in_.readbyte();
    stn.number_of_IG_stream_entries = in_.readbyte();
    stn.number_of_secondary_audio_stream_entries = in_.readbyte();
    stn.number_of_secondary_video_stream_entries = in_.readbyte();
    stn.number_of_PiP_PG_textST_stream_entries = in_.readbyte();
    in_.skip(5);
    if (!complete(path, "PlayList")) return false;
    const std::uint64_t items = std::uint64_t{stn.number_of_primary_video_stream_entries} +
                                stn.number_of_primary_audio_stream_entries + stn.number_of_PG_textST_stream_entries +
                                stn.number_of_PiP_PG_textST_stream_entries + stn.number_of_IG_stream_entries +
                                stn.number_of_secondary_audio_stream_entries + stn.number_of_secondary_video_stream_entries;
    if (!holds(items * kStreamItemSize, path, "PlayList")) return false;

    auto readItems = [&](std::vector<TStreamItem>& list, std::size_t count) {
        list.reserve(count);
        for (std::size_t i = 0; i < count; ++i) list.push_back(readStreamItem());
    };
    readItems(stn.primary_video, stn.number_of_primary_video_stream_entries);
    readItems(stn.primary_audio, stn.number_of_primary_audio_stream_entries);
    readItems(stn.PG_textST,
              std::size_t{stn.number_of_PG_textST_stream_entries} + stn.number_of_PiP_PG_textST_stream_entries);
    readItems(stn.IG, stn.number_of_IG_stream_entries);
    stn.secondary_audio.reserve(stn.number_of_secondary_audio_stream_entries);
    for (std::size_t i = 0; i < stn.number_of_secondary_audio_stream_entries; ++i) {
        TSecAudio a;
        a.item = readStreamItem();
        a.number_of_primary_audio_ref_entries = in_.readbyte();
        a.reserved = in_.readbyte();
        if (!readRefs(a.number_of_primary_audio_ref_entries, a.primary_audio_stream_id_refs,
                      fmt::format("{}/secondary_audio[{}]", path, i))) {
            return false;
        }
        stn.secondary_audio.push_back(std::move(a));
    }
    stn.secondary_video.reserve(stn.number_of_secondary_video_stream_entries);
    for (std::size_t i = 0; i < stn.number_of_secondary_video_stream_entries; ++i) {
        TSecVideo v;
        const std::string at = fmt::format("{}/secondary_video[{}]", path, i);
        v.item = readStreamItem();
        v.number_of_secondary_audio_ref_entries = in_.readbyte();
        v.reserved = in_.readbyte();
        if (!readRefs(v.number_of_secondary_audio_ref_entries, v.secondary_audio_stream_id_refs, at)) return false;
        v.number_of_PiP_PG_textST_ref_entries = in_.readbyte();
        in_.readbyte();
        if (!readRefs(v.number_of_PiP_PG_textST_ref_entries, v.PiP_PG_textST_stream_id_refs, at)) return false;
        stn.secondary_video.push_back(std::move(v));
    }
    return complete(path, "PlayList");
}

bool PlayListReader::readPlayItem(TPlayItem& p, const std::string& path) {
    p.length = in_.readword();
    p.Clip_Information_file_name = in_.readstring(5);
    p.Clip_codec_identifier = in_.readstring(4);
    const std::uint16_t flags = in_.readword();
    p.is_multi_angle = (flags >> 4) & 1;
    p.connection_condition = flags & 0x0F;
    p.ref_to_STC_id = in_.readbyte();
    p.IN_time = in_.readlword();
    p.OUT_time = in_.readlword();
    p.UO_mask_table.word1 = in_.readlword();
    p.UO_mask_table.word2 = in_.readlword();
    p.PlayItem_random_access_flag = in_.readbyte() >> 7;
    p.still_mode = in_.readbyte();
    p.still_time = in_.readword();
    if (p.is_multi_angle == 1) {
        Tmulti_clip& mc = p.multi_clip;
        mc.number_of_angles = in_.readbyte();
        const std::uint8_t angleFlags = in_.readbyte();
        mc.is_different_audios = (angleFlags >> 1) & 1;
        mc.is_seamless_angle_change = angleFlags & 1;
        // With no angles at all there is no entry 0 to hold the PlayItem's own clip: the list stays empty.
        if (mc.number_of_angles > 0) {
            if (!holds((mc.number_of_angles - 1u) * kClipRefSize, path + "/angles", "PlayList")) return false;
            mc.angles.reserve(mc.number_of_angles);
            mc.angles.push_back({p.Clip_Information_file_name, p.Clip_codec_identifier, p.ref_to_STC_id});
            for (std::size_t i = 1; i < mc.number_of_angles; ++i) mc.angles.push_back(readClipRef());
        }
    }
    if (!complete(path, "PlayList")) return false;
    return readSTN(p.STN_table, path + "/STN_table");
}

bool PlayListReader::readSubPath(TSubPath& sp, const std::string& path) {
    sp.length = in_.readlword();
    sp.reserved1 = in_.readbyte();
    sp.SubPath_type = in_.readbyte();
    sp.repeat = in_.readword();
    sp.reserved2 = in_.readbyte();
    sp.number_of_SubPlayItems = in_.readbyte();
    if (!complete(path, "PlayList")) return false;
    if (!holds(sp.number_of_SubPlayItems * kSubPlayItemSize, path, "PlayList")) return false;
    sp.SubPlayItems.reserve(sp.number_of_SubPlayItems);
    for (std::size_t k = 0; k < sp.number_of_SubPlayItems; ++k) {
        const std::string at = fmt::format("{}/SubPlayItem[{}]", path, k);
        TSubPlayItem s;
        s.length = in_.readword();
        s.Clip_Information_file_name = in_.readstring(5);
        s.Clip_codec_identifier = in_.readstring(4);
        const std::uint32_t connection = in_.readlword();
        s.is_multi_Clip_entries = connection & 1;
        s.SubPath_connection_condition = static_cast<std::uint8_t>(connection >> 1);
        s.ref_to_STC_id = in_.readbyte();
        s.IN_time = in_.readlword();
        s.OUT_time = in_.readlword();
        s.sync_PlayItem_id = in_.readword();
        s.sync_start_PTS_of_PlayItem = in_.readlword();
        if (s.is_multi_Clip_entries == 1) {
            s.number_of_Clip_entries = in_.readbyte();
            s.reserved = in_.readbyte();
            if (s.number_of_Clip_entries > 0) {
                if (!holds((s.number_of_Clip_entries - 1u) * kClipRefSize, at, "PlayList")) return false;
                s.clips.reserve(s.number_of_Clip_entries);
                s.clips.push_back({s.Clip_Information_file_name, s.Clip_codec_identifier, s.ref_to_STC_id});
                for (std::size_t i = 1; i < s.number_of_Clip_entries; ++i) s.clips.push_back(readClipRef());
            }
        }
        if (!complete(at, "PlayList")) return false;
        sp.SubPlayItems.push_back(std::move(s));
    }
    return true;
}

bool PlayListReader::readPlayList() {
    TPlayList& pl = out_.model.PlayList;
    in_.seek(out_.model.PlayList_start_address);
    pl.length = in_.readlword();
    pl.reserved = in_.readword();
    pl.number_of_PlayItems = in_.readword();
    pl.number_of_SubPaths = in_.readword();
    if (!complete("PlayList", "PlayList")) return false;
    if (!fits(out_.model.PlayList_start_address, pl.length, "PlayList")) return false;
    if (!holds(pl.number_of_PlayItems * kMinPlayItemSize + pl.number_of_SubPaths * kMinSubPathSize, "PlayList",
               "PlayList")) {
        return false;
    }
    pl.PlayItems.reserve(pl.number_of_PlayItems);
    for (std::size_t i = 0; i < pl.number_of_PlayItems; ++i) {
        TPlayItem p;
        if (!readPlayItem(p, fmt::format("PlayList/PlayItem[{}]", i))) return false;
        pl.PlayItems.push_back(std::move(p));
    }
    pl.SubPaths.reserve(pl.number_of_SubPaths);
    for (std::size_t j = 0; j < pl.number_of_SubPaths; ++j) {
        TSubPath sp;
        if (!readSubPath(sp, fmt::format("PlayList/SubPath[{}]", j))) return false;
        pl.SubPaths.push_back(std::move(sp));
    }
    return true;
}

bool PlayListReader::readMarks() {
    TPlayListMark& plm = out_.model.PlayListMark;
    in_.seek(out_.model.PlayListMark_start_address);
    plm.length = in_.readlword();
    plm.number_of_PlayList_marks = in_.readword();
    if (!complete("PlayListMark", "PlayListMark")) return false;
    if (!fits(out_.model.PlayListMark_start_address, plm.length, "PlayListMark")) return false;
    if (!holds(plm.number_of_PlayList_marks * kMarkSize, "PlayListMark", "PlayListMark")) return false;
    plm.marks.resize(plm.number_of_PlayList_marks);
    for (auto& k : plm.marks) {
        k.reserved = in_.readbyte();
        k.mark_type = in_.readbyte();
        k.ref_to_PlayItem_id = in_.readword();
        k.mark_time_stamp = in_.readlword();
        k.entry_ES_PID = in_.readword();
        k.duration = in_.readlword();
    }
    return true;
}

// Whatever follows the last block (and is not ExtensionData, which runs to
// the end of the file by itself) is held so that it is written back.
void PlayListReader::keepTrailingBytes() {
    const TMPLS& m = out_.model;
    if (m.ExtensionData_start_address != 0 && !m.ExtensionData.empty()) return;
    std::uint64_t end = in_.position();
    end = std::max(end, std::uint64_t{m.PlayList_start_address} + 4 + m.PlayList.length);
    if (m.PlayListMark_start_address != 0) {
        end = std::max(end, std::uint64_t{m.PlayListMark_start_address} + 4 + m.PlayListMark.length);
    }
    if (end < in_.size()) {
        in_.seek(end);
        out_.model.trailing = in_.readRest();
    }
}

void PlayListReader::read() {
    TMPLS& m = out_.model;
    m.PlayList_start_address = in_.readlword();
    m.PlayListMark_start_address = in_.readlword();
    m.ExtensionData_start_address = in_.readlword();
    for (auto& b : m.reserved) b = in_.readbyte();

    TAppInfoPlayList& a = m.AppInfoPlayList;
    a.length = in_.readlword();
    a.reserved = in_.readbyte();
    a.PlayList_playback_type = in_.readbyte();
    a.playback_count = in_.readword();
    a.UO_mask_table.word1 = in_.readlword();
    a.UO_mask_table.word2 = in_.readlword();
    const std::uint16_t flags = in_.readword();
    a.PlayList_random_access_flag = (flags >> 15) & 1;
    a.audio_mix_app_flag = (flags >> 14) & 1;
    a.lossless_may_bypass_mixer_flag = (flags >> 13) & 1;
    if (!complete("AppInfoPlayList", "AppInfoPlayList")) return;
    if (!fits(40, a.length, "AppInfoPlayList")) return;

    if (!readPlayList()) return;
    // Without a PlayListMark block the model holds no marks at all (not even
    // the block's count field), which the writer refuses rather than invent one.
    if (m.PlayListMark_start_address == 0) m.PlayListMark = TPlayListMark{0, 0, {}};
    else if (!readMarks()) return;
    if (m.ExtensionData_start_address != 0) {
        in_.seek(m.ExtensionData_start_address);
        m.ExtensionData = ReadExtensionData(in_);
        if (!complete("ExtensionData", "ExtensionData")) return;
        if (!fits(m.ExtensionData_start_address, m.ExtensionData.length, "ExtensionData")) return;
    }
    keepTrailingBytes();
}

// ---- Writer ----

std::optional<Error> notWritten(std::string path, std::string reason) {
    return Error{{}, 0, std::move(path), "PlayList not written: " + std::move(reason)};
}

std::optional<Error> countMismatch(const std::string& path, std::string_view field, std::uint64_t count,
                                   std::size_t held, std::string_view what) {
    if (count == held) return std::nullopt;
    return notWritten(path, fmt::format("{} {} does not match the {} {} held", field, count, held, what));
}

std::optional<Error> checkSTN(const TSTN& stn, const std::string& path) {
    struct Count {
        std::string_view field;
        std::uint64_t count;
        std::size_t held;
    };
    const std::array<Count, 6> counts{{
        {"number_of_primary_video_stream_entries", stn.number_of_primary_video_stream_entries, stn.primary_video.size()},
        {"number_of_primary_audio_stream_entries", stn.number_of_primary_audio_stream_entries, stn.primary_audio.size()},
        {"number_of_PG_textST_stream_entries + number_of_PiP_PG_textST_stream_entries",
         std::uint64_t{stn.number_of_PG_textST_stream_entries} + stn.number_of_PiP_PG_textST_stream_entries,
         stn.PG_textST.size()},
        {"number_of_IG_stream_entries", stn.number_of_IG_stream_entries, stn.IG.size()},
        {"number_of_secondary_audio_stream_entries", stn.number_of_secondary_audio_stream_entries,
         stn.secondary_audio.size()},
        {"number_of_secondary_video_stream_entries", stn.number_of_secondary_video_stream_entries,
         stn.secondary_video.size()},
    }};
    for (const auto& c : counts) {
        if (auto e = countMismatch(path, c.field, c.count, c.held, "stream items")) return e;
    }
    for (std::size_t i = 0; i < stn.secondary_audio.size(); ++i) {
        const auto& a = stn.secondary_audio[i];
        if (auto e = countMismatch(fmt::format("{}/secondary_audio[{}]", path, i), "number_of_primary_audio_ref_entries",
                                   a.number_of_primary_audio_ref_entries, a.primary_audio_stream_id_refs.size(),
                                   "references")) {
            return e;
        }
    }
    for (std::size_t i = 0; i < stn.secondary_video.size(); ++i) {
        const auto& v = stn.secondary_video[i];
        const std::string at = fmt::format("{}/secondary_video[{}]", path, i);
        if (auto e = countMismatch(at, "number_of_secondary_audio_ref_entries", v.number_of_secondary_audio_ref_entries,
                                   v.secondary_audio_stream_id_refs.size(), "references")) {
            return e;
        }
        if (auto e = countMismatch(at, "number_of_PiP_PG_textST_ref_entries", v.number_of_PiP_PG_textST_ref_entries,
                                   v.PiP_PG_textST_stream_id_refs.size(), "references")) {
            return e;
        }
    }
    return std::nullopt;
}

// Everything the writer needs from the model before it lays out a byte.
std::optional<Error> checkWritable(const TMPLS& m) {
    if (m.AppInfoPlayList.length < kAppInfoFields) {
        return notWritten("AppInfoPlayList", fmt::format("the AppInfoPlayList length {} is smaller than its content ({} bytes)",
                                                         m.AppInfoPlayList.length, kAppInfoFields));
    }
    const TPlayList& pl = m.PlayList;
    if (auto e = countMismatch("PlayList", "number_of_PlayItems", pl.number_of_PlayItems, pl.PlayItems.size(), "PlayItems")) {
        return e;
    }
    if (auto e = countMismatch("PlayList", "number_of_SubPaths", pl.number_of_SubPaths, pl.SubPaths.size(), "SubPaths")) {
        return e;
    }
    for (std::size_t i = 0; i < pl.PlayItems.size(); ++i) {
        const auto& p = pl.PlayItems[i];
        const std::string at = fmt::format("PlayList/PlayItem[{}]", i);
        if (p.is_multi_angle == 1) {
            if (auto e = countMismatch(at, "number_of_angles", p.multi_clip.number_of_angles, p.multi_clip.angles.size(),
                                       "angle entries")) {
                return e;
            }
        }
        if (auto e = checkSTN(p.STN_table, at + "/STN_table")) return e;
    }
    for (std::size_t j = 0; j < pl.SubPaths.size(); ++j) {
        const auto& sp = pl.SubPaths[j];
        const std::string at = fmt::format("PlayList/SubPath[{}]", j);
        if (auto e = countMismatch(at, "number_of_SubPlayItems", sp.number_of_SubPlayItems, sp.SubPlayItems.size(),
                                   "SubPlayItems")) {
            return e;
        }
        for (std::size_t k = 0; k < sp.SubPlayItems.size(); ++k) {
            const auto& s = sp.SubPlayItems[k];
            if (s.is_multi_Clip_entries != 1) continue;
            if (auto e = countMismatch(fmt::format("{}/SubPlayItem[{}]", at, k), "number_of_Clip_entries",
                                       s.number_of_Clip_entries, s.clips.size(), "clip entries")) {
                return e;
            }
        }
    }
    std::uint64_t content = playListContentLength(pl);
    content += content & 1;  // the pad byte before the PlayListMark block
    if (pl.length < content) {
        return notWritten("PlayList",
                          fmt::format("the PlayList length {} is smaller than its content ({} bytes)", pl.length, content));
    }
    const TPlayListMark& plm = m.PlayListMark;
    if (m.PlayListMark_start_address == 0) {
        return notWritten("PlayListMark", "it has no PlayListMark block (PlayListMark_start_address is 0)");
    }
    if (auto e = countMismatch("PlayListMark", "number_of_PlayList_marks", plm.number_of_PlayList_marks, plm.marks.size(),
                               "marks")) {
        return e;
    }
    if (plm.length < playListMarkContentLength(plm)) {
        return notWritten("PlayListMark", fmt::format("the PlayListMark length {} is smaller than its content ({} bytes)",
                                                      plm.length, playListMarkContentLength(plm)));
    }
    const TExtensionData& x = m.ExtensionData;
    std::uint64_t extension = 0;
    if (m.ExtensionData_start_address != 0) {
        if (!x.empty()) {
            if (auto e = countMismatch("ExtensionData", "number_of_ext_data_entries", x.number_of_ext_data_entries,
                                       x.entries.size(), "entries")) {
                return e;
            }
        }
        extension = x.empty() ? 4 : std::max<std::uint64_t>(std::uint64_t{x.length} + 4, 12 + 12 * x.entries.size() + x.data.size());
    }
    const std::uint64_t total = 40 + (std::uint64_t{m.AppInfoPlayList.length} + 4) +
                                (std::uint64_t{pl.length} + plm.length + 8) + extension + m.trailing.size();
    if (total > kMaxStructureFileSize) {
        return notWritten({}, fmt::format("its lengths make a file of {} bytes, more than a PlayList file may have", total));
    }
    return std::nullopt;
}

void writeClipRef(RecordBuffer& buf, const TClipRef& c, std::size_t o) {
    buf.writestr(c.Clip_Information_file_name, o, 5);
    buf.writestr(c.Clip_codec_identifier, o + 5, 4);
    buf.writebyte(c.ref_to_STC_id, o + 9);
}

// stream_entry: always 10 bytes.
void writeentry(RecordBuffer& buf, const TStreamEntry& e, std::size_t o) {
    buf.writebyte(e.length, o);
    buf.writebyte(e.stream_type, o + 1);
    switch (e.stream_type) {
        case 1:
            buf.writeword(e.ref_to_stream_PID_of_mainClip, o + 2);
            break;
        case 2:
            buf.writebyte(e.ref_to_SubPath_id, o + 2);
            buf.writebyte(e.ref_to_subClip_entry_id, o + 3);
            buf.writeword(e.ref_to_stream_PID_of_subClip, o + 4);
            break;
        case 3:
            buf.writebyte(e.ref_to_SubPath_id, o + 2);
            buf.writeword(e.ref_to_stream_PID_of_mainClip, o + 3);
            break;
        default:
            buf.writeBytes(e.unknown, o + 2);
            break;
    }
}

// stream_attributes: always 6 bytes.
void writeattrib(RecordBuffer& buf, const TStreamAttributes& a, std::size_t o) {
    buf.writebyte(a.length, o);
    buf.writebyte(a.stream_coding_type, o + 1);
    switch (codingTypeClass(a.stream_coding_type)) {
        case CodingClass::Video:
            buf.writebyte(a.video_format * 16u + a.frame_rate, o + 2);
            break;
        case CodingClass::Audio:
            buf.writebyte(a.audio_presentation_type * 16u + a.sampling_frequency, o + 2);
            buf.writestr(a.language_code, o + 3, 3);
            break;
        case CodingClass::Graphics:
            buf.writestr(a.language_code, o + 2, 3);
            buf.writebyte(0, o + 5);
            break;
        case CodingClass::TextSubtitle:
            buf.writebyte(a.character_code, o + 2);
            buf.writestr(a.language_code, o + 3, 3);
            break;
        case CodingClass::None:
            buf.writeBytes(a.unknown, o + 2);
            break;
    }
}

std::size_t writeStreamItem(RecordBuffer& buf, const TStreamItem& item, std::size_t o) {
    writeentry(buf, item.entry, o);
    writeattrib(buf, item.attributes, o + 10);
    return o + kStreamItemSize;
}

// A reference count, a zero byte, the references and a zero byte when their number is odd.
std::size_t writeRefs(RecordBuffer& buf, std::uint8_t count, const std::vector<std::uint8_t>& refs, std::size_t o) {
    buf.writebyte(count, o);
    buf.writebyte(0, o + 1);
    o += 2;
    for (std::uint8_t r : refs) buf.writebyte(r, o++);
    if (refs.size() & 1) buf.writebyte(0, o++);
    return o;
}

std::size_t writeSTN(RecordBuffer& buf, const TSTN& stn, std::size_t s) {
    buf.writeword(stn.length, s);
    buf.writeword(stn.reserved, s + 2);
    buf.writebyte(stn.number_of_primary_video_stream_entries, s + 4);
    buf.writebyte(stn.number_of_primary_audio_stream_entries, s + 5);
    buf.writebyte(stn.number_of_PG_textST_stream_entries, s + 6);
    buf.writebyte(stn.number_of_IG_stream_entries, s + 7);
    buf.writebyte(stn.number_of_secondary_audio_stream_entries, s + 8);
    buf.writebyte(stn.number_of_secondary_video_stream_entries, s + 9);
    buf.writebyte(stn.number_of_PiP_PG_textST_stream_entries, s + 10);
    for (std::size_t i = 11; i < 16; ++i) buf.writebyte(0, s + i);
    std::size_t q = s + 16;
    for (const auto* list : {&stn.primary_video, &stn.primary_audio, &stn.PG_textST, &stn.IG}) {
        for (const auto& item : *list) q = writeStreamItem(buf, item, q);
    }
    for (const auto& a : stn.secondary_audio) {
        q = writeStreamItem(buf, a.item, q);
        q = writeRefs(buf, a.number_of_primary_audio_ref_entries, a.primary_audio_stream_id_refs, q);
    }
    for (const auto& v : stn.secondary_video) {
        q = writeStreamItem(buf, v.item, q);
        q = writeRefs(buf, v.number_of_secondary_audio_ref_entries, v.secondary_audio_stream_id_refs, q);
        q = writeRefs(buf, v.number_of_PiP_PG_textST_ref_entries, v.PiP_PG_textST_stream_id_refs, q);
    }
    return q;
}

std::size_t writePlayItem(RecordBuffer& buf, const TPlayItem& p, std::size_t o) {
    buf.writeword(p.length, o);
    buf.writestr(p.Clip_Information_file_name, o + 2, 5);
    buf.writestr(p.Clip_codec_identifier, o + 7, 4);
    buf.writeword(p.is_multi_angle * 16u + p.connection_condition, o + 11);
    buf.writebyte(p.ref_to_STC_id, o + 13);
    buf.writelong(p.IN_time, o + 14);
    buf.writelong(p.OUT_time, o + 18);
    buf.writelong(p.UO_mask_table.word1, o + 22);
    buf.writelong(p.UO_mask_table.word2, o + 26);
    buf.writebyte(p.PlayItem_random_access_flag * 128u, o + 30);
    buf.writebyte(p.still_mode, o + 31);
    buf.writeword(p.still_time, o + 32);
    std::size_t s = o + 34;
    if (p.is_multi_angle == 1) {
        const Tmulti_clip& mc = p.multi_clip;
        buf.writebyte(mc.number_of_angles, o + 34);
        buf.writebyte(mc.is_different_audios * 2u + mc.is_seamless_angle_change, o + 35);
        s = o + 36;
        // Entry 0 is the PlayItem's own clip, written above.
        for (std::size_t i = 1; i < mc.angles.size(); ++i, s += kClipRefSize) writeClipRef(buf, mc.angles[i], s);
    }
    return writeSTN(buf, p.STN_table, s);
}

std::size_t writeSubPath(RecordBuffer& buf, const TSubPath& sp, std::size_t o) {
    buf.writelong(sp.length, o);
    buf.writebyte(sp.reserved1, o + 4);
    buf.writebyte(sp.SubPath_type, o + 5);
    buf.writeword(sp.repeat, o + 6);
    buf.writebyte(sp.reserved2, o + 8);
    buf.writebyte(sp.number_of_SubPlayItems, o + 9);
    std::size_t p = o + 10;
    for (const auto& s : sp.SubPlayItems) {
        buf.writeword(s.length, p);
        buf.writestr(s.Clip_Information_file_name, p + 2, 5);
        buf.writestr(s.Clip_codec_identifier, p + 7, 4);
        buf.writelong(s.SubPath_connection_condition * 2u + s.is_multi_Clip_entries, p + 11);
        buf.writebyte(s.ref_to_STC_id, p + 15);
        buf.writelong(s.IN_time, p + 16);
        buf.writelong(s.OUT_time, p + 20);
        buf.writeword(s.sync_PlayItem_id, p + 24);
        buf.writelong(s.sync_start_PTS_of_PlayItem, p + 26);
        if (s.is_multi_Clip_entries == 1) {
            buf.writebyte(s.number_of_Clip_entries, p + 30);
            buf.writebyte(s.reserved, p + 31);
            std::size_t q = p + 32;
            for (std::size_t i = 1; i < s.clips.size(); ++i, q += kClipRefSize) writeClipRef(buf, s.clips[i], q);
            p = q;
        } else {
            p += kSubPlayItemSize;
        }
    }
    return p;
}

// The PlayList's own ExtensionData writer: exactly length + 4 bytes, the
// header and entries zero-filled up to the size the data array leaves them.
void writeExtension(const TExtensionData& x, BlockOutput& out) {
    const std::uint64_t header = 12 + 12 * x.entries.size();
    const std::uint64_t whole = std::uint64_t{x.length} + 4;
    if (x.empty() || whole < header + x.data.size()) {
        // A data array larger than the length leaves room for would cut the
        // header short: the block is written in full instead, as read.
        WriteExtensionData(x, out);
        return;
    }
    RecordBuffer buf;
    buf.setLength(static_cast<std::size_t>(whole - x.data.size()));
    placeExtensionHeader(x, buf);
    out.append(buf);
    out.append(x.data);
}

}  // namespace

Expected<PlayListRead> readPlayList(FieldReader& in) {
    PlayListRead result;
    TMPLS& m = result.model;
    m.type_indicator = in.readstring(4);
    m.version_number = in.readstring(4);
    if (m.type_indicator != "MPLS" || !isKnownVersion(m.version_number)) {
        return Error{{}, 0, {}, invalidPlayListMessage(withoutExtension(in.name()))};
    }
    // A start address outside the file leaves nothing of its block to read.
    const std::array<std::pair<std::string_view, std::uint64_t>, 3> addresses{{{"PlayList_start_address", 8},
                                                                               {"PlayListMark_start_address", 12},
                                                                               {"ExtensionData_start_address", 16}}};
    for (const auto& [field, at] : addresses) {
        in.seek(at);
        const std::uint32_t address = in.readlword();
        const bool optional = at != 8;
        if ((address != 0 || !optional) && address >= in.size()) {
            return Error{in.name(), at, std::string(field),
                         fmt::format("{} ${:08X} lies beyond the end of {} ({} bytes)", field, address, in.name(),
                                     in.size())};
        }
    }
    in.seek(8);
    PlayListReader(in, result).read();
    return result;
}

Expected<std::vector<std::uint8_t>> writePlayList(const TMPLS& m) {
    if (auto problem = checkWritable(m)) return *problem;
    BlockOutput out;

    RecordBuffer header;
    header.setLength(40);
    header.writestr(m.type_indicator, 0, 4);
    header.writestr(m.version_number, 4, 4);
    header.writelong(m.PlayList_start_address, 8);
    header.writelong(m.PlayListMark_start_address, 12);
    header.writelong(m.ExtensionData_start_address, 16);
    out.append(header);

    const TAppInfoPlayList& a = m.AppInfoPlayList;
    RecordBuffer appInfo;
    appInfo.setLength(std::size_t{a.length} + 4);
    appInfo.writelong(a.length, 0);
    appInfo.writebyte(a.reserved, 4);
    appInfo.writebyte(a.PlayList_playback_type, 5);
    appInfo.writeword(a.playback_count, 6);
    appInfo.writelong(a.UO_mask_table.word1, 8);
    appInfo.writelong(a.UO_mask_table.word2, 12);
    appInfo.writeword(a.PlayList_random_access_flag * 0x8000u + a.audio_mix_app_flag * 0x4000u +
                          a.lossless_may_bypass_mixer_flag * 0x2000u,
                      16);
    out.append(appInfo);

    const TPlayList& pl = m.PlayList;
    const TPlayListMark& plm = m.PlayListMark;
    RecordBuffer body;
    body.setLength(std::size_t{pl.length} + plm.length + 8);
    body.writelong(pl.length, 0);
    body.writeword(pl.reserved, 4);
    body.writeword(pl.number_of_PlayItems, 6);
    body.writeword(pl.number_of_SubPaths, 8);
    std::size_t o = 10;
    for (const auto& p : pl.PlayItems) o = writePlayItem(body, p, o);
    for (const auto& sp : pl.SubPaths) o = writeSubPath(body, sp, o);
    if (o & 1) body.writebyte(0, o++);
    body.writelong(plm.length, o);
    body.writeword(plm.number_of_PlayList_marks, o + 4);
    std::size_t k = o + 6;
    for (const auto& mark : plm.marks) {
        body.writebyte(mark.reserved, k);
        body.writebyte(mark.mark_type, k + 1);
        body.writeword(mark.ref_to_PlayItem_id, k + 2);
        body.writelong(mark.mark_time_stamp, k + 4);
        body.writeword(mark.entry_ES_PID, k + 8);
        body.writelong(mark.duration, k + 10);
        k += kMarkSize;
    }
    out.append(body);

    if (m.ExtensionData_start_address != 0) writeExtension(m.ExtensionData, out);
    out.append(m.trailing);
    return out.take();
}

std::string invalidPlayListMessage(std::string_view name) { return fmt::format("Invalid format: {}.mpls", name); }

std::string readingPlayListMessage(std::string_view name) { return fmt::format("Reading [bl]{}.mpls[/bl]", name); }

std::string savingPlayListMessage(std::string_view name) { return fmt::format("Saving {}.mpls", name); }

std::string playListFoundMessage(const TMPLS& m) {
    return fmt::format("[b]{}[/b] PlayItem(s), [b]{}[/b] SubPath(s) and [b]{}[/b] PlayListMark(s) found.",
                       m.PlayList.number_of_PlayItems, m.PlayList.number_of_SubPaths,
                       m.PlayListMark.number_of_PlayList_marks);
}

}  // namespace navelo
