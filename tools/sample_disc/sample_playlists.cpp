#include "sample_playlists.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace navelo::sample {

namespace {

// ---- Times -----------------------------------------------------------------
// PlayList times count a 45 kHz clock; 45 ticks make a millisecond.
constexpr std::uint32_t span(std::uint32_t minutes, std::uint32_t seconds, std::uint32_t milliseconds = 0) {
    return ((minutes * 60 + seconds) * 1000 + milliseconds) * 45;
}

// Authoring tools start a clip's presentation time at ten minutes, so every
// clip of the sample begins there.
constexpr std::uint32_t kClipStart = span(10, 0);

// The three parts of the feature, one clip each.
constexpr std::uint32_t kPart1Length = span(41, 17, 250);
constexpr std::uint32_t kPart2Length = span(36, 42, 125);
constexpr std::uint32_t kPart3Length = span(29, 5, 875);
constexpr std::uint32_t kMenuLength = span(0, 30);
constexpr std::uint32_t kPopUpLength = span(1, 0);

// ---- Codes -----------------------------------------------------------------
constexpr std::uint8_t kAVC = 0x1B;
constexpr std::uint8_t kLPCM = 0x80;
constexpr std::uint8_t kDD = 0x81;
constexpr std::uint8_t kDDPlus = 0x84;
constexpr std::uint8_t kSecondaryDDPlus = 0xA1;
constexpr std::uint8_t kPG = 0x90;
constexpr std::uint8_t kIG = 0x91;

constexpr std::uint8_t k720p = 5;
constexpr std::uint8_t k1080p = 6;
constexpr std::uint8_t k23_976 = 1;
constexpr std::uint8_t kStereo = 3;
constexpr std::uint8_t kMultiChannel = 6;
constexpr std::uint8_t k48kHz = 1;

// Connection conditions of PlayItems and SubPlayItems.
constexpr std::uint8_t kNotSeamless = 1;
constexpr std::uint8_t kSeamlessCleanBreak = 5;
constexpr std::uint8_t kSeamless = 6;

enum SubPathType : std::uint8_t { IGMenu = 3, OutOfMuxSync = 5, InMuxSync = 7 };
enum MarkType : std::uint8_t { EntryMark = 1, LinkPoint = 2 };

// User operations (bits of UO mask word 1).
constexpr std::uint32_t uo(unsigned bit) { return 1u << bit; }
constexpr std::uint32_t kNoChapterSearch = uo(29), kNoTimeSearch = uo(28), kNoSkipNext = uo(27), kNoSkipBack = uo(26),
                        kNoForwardPlay = uo(20), kNoBackwardPlay = uo(19), kNoAngleChange = uo(8);

// Stream PIDs of the clips.
constexpr std::uint16_t kVideoPID = 0x1011;
constexpr std::uint16_t kAudioPID = 0x1100;
constexpr std::uint16_t kPGPID = 0x1200;
constexpr std::uint16_t kIGPID = 0x1400;
constexpr std::uint16_t kSecondaryAudioPID = 0x1A00;
constexpr std::uint16_t kSecondaryVideoPID = 0x1B00;

// ---- Stream items ------------------------------------------------------------
// A stream of the PlayItem's own clip.
TStreamEntry inPlayItem(std::uint16_t pid) {
    TStreamEntry e;
    e.stream_type = 1;
    e.ref_to_stream_PID_of_mainClip = pid;
    return e;
}

// A stream of the clip of SubPath `path` (entry subClip of its SubPlayItem's clip list).
TStreamEntry inSubPath(std::uint8_t path, std::uint8_t subClip, std::uint16_t pid) {
    TStreamEntry e;
    e.stream_type = 2;
    e.ref_to_SubPath_id = path;
    e.ref_to_subClip_entry_id = subClip;
    e.ref_to_stream_PID_of_subClip = pid;
    return e;
}

// A picture-in-picture stream multiplexed into the PlayItem's clip.
TStreamEntry inMuxPiP(std::uint8_t path, std::uint16_t pid) {
    TStreamEntry e;
    e.stream_type = 3;
    e.ref_to_SubPath_id = path;
    e.ref_to_stream_PID_of_mainClip = pid;
    return e;
}

TStreamItem video(TStreamEntry entry, std::uint8_t coding, std::uint8_t format, std::uint8_t rate) {
    TStreamItem item{entry, {}};
    item.attributes.stream_coding_type = coding;
    item.attributes.video_format = format;
    item.attributes.frame_rate = rate;
    return item;
}

TStreamItem audio(TStreamEntry entry, std::uint8_t coding, std::uint8_t presentation, std::uint8_t frequency,
                  std::string language) {
    TStreamItem item{entry, {}};
    item.attributes.stream_coding_type = coding;
    item.attributes.audio_presentation_type = presentation;
    item.attributes.sampling_frequency = frequency;
    item.attributes.language_code = std::move(language);
    return item;
}

TStreamItem graphics(TStreamEntry entry, std::uint8_t coding, std::string language) {
    TStreamItem item{entry, {}};
    item.attributes.stream_coding_type = coding;
    item.attributes.language_code = std::move(language);
    return item;
}

TSecAudio secondaryAudio(TStreamItem item, std::vector<std::uint8_t> audioRefs) {
    TSecAudio a;
    a.item = std::move(item);
    a.number_of_primary_audio_ref_entries = static_cast<std::uint8_t>(audioRefs.size());
    a.primary_audio_stream_id_refs = std::move(audioRefs);
    return a;
}

TSecVideo secondaryVideo(TStreamItem item, std::vector<std::uint8_t> audioRefs, std::vector<std::uint8_t> subtitleRefs) {
    TSecVideo v;
    v.item = std::move(item);
    v.number_of_secondary_audio_ref_entries = static_cast<std::uint8_t>(audioRefs.size());
    v.secondary_audio_stream_id_refs = std::move(audioRefs);
    v.number_of_PiP_PG_textST_ref_entries = static_cast<std::uint8_t>(subtitleRefs.size());
    v.PiP_PG_textST_stream_id_refs = std::move(subtitleRefs);
    return v;
}

// The streams of one PlayItem, kind by kind; the PiP PG items are kept apart
// until the table puts them after the PG items.
struct Streams {
    std::vector<TStreamItem> video, audio, pg, pipPG, ig;
    std::vector<TSecAudio> secondaryAudio;
    std::vector<TSecVideo> secondaryVideo;
};

template <typename List>
std::uint8_t count(const List& list) {
    return static_cast<std::uint8_t>(list.size());
}

TSTN stnTable(Streams s) {
    TSTN t;
    t.number_of_primary_video_stream_entries = count(s.video);
    t.number_of_primary_audio_stream_entries = count(s.audio);
    t.number_of_PG_textST_stream_entries = count(s.pg);
    t.number_of_IG_stream_entries = count(s.ig);
    t.number_of_secondary_audio_stream_entries = count(s.secondaryAudio);
    t.number_of_secondary_video_stream_entries = count(s.secondaryVideo);
    t.number_of_PiP_PG_textST_stream_entries = count(s.pipPG);
    t.primary_video = std::move(s.video);
    t.primary_audio = std::move(s.audio);
    t.PG_textST = std::move(s.pg);
    t.PG_textST.insert(t.PG_textST.end(), s.pipPG.begin(), s.pipPG.end());
    t.IG = std::move(s.ig);
    t.secondary_audio = std::move(s.secondaryAudio);
    t.secondary_video = std::move(s.secondaryVideo);
    return t;
}

// ---- PlayItems, SubPaths, marks ---------------------------------------------------
TClipRef clip(std::string name) { return {std::move(name), "M2TS", 0}; }

TPlayItem playItem(std::string clipName, std::uint8_t connection, std::uint32_t length, TSTN stn) {
    TPlayItem p;
    p.Clip_Information_file_name = std::move(clipName);
    p.Clip_codec_identifier = "M2TS";
    p.connection_condition = connection;
    p.IN_time = kClipStart;
    p.OUT_time = kClipStart + length;
    p.STN_table = std::move(stn);
    return p;
}

// Angle 1 is the PlayItem's own clip; the others follow it.
void addAngles(TPlayItem& p, const std::vector<std::string>& otherAngles) {
    p.is_multi_angle = 1;
    p.multi_clip.is_seamless_angle_change = 1;
    p.multi_clip.angles = {{p.Clip_Information_file_name, p.Clip_codec_identifier, p.ref_to_STC_id}};
    for (const auto& name : otherAngles) p.multi_clip.angles.push_back(clip(name));
}

TSubPlayItem subPlayItem(std::string clipName, std::uint8_t connection, std::uint32_t length, std::uint32_t syncPTS) {
    TSubPlayItem s;
    s.Clip_Information_file_name = std::move(clipName);
    s.Clip_codec_identifier = "M2TS";
    s.SubPath_connection_condition = connection;
    s.IN_time = kClipStart;
    s.OUT_time = kClipStart + length;
    s.sync_PlayItem_id = 0;
    s.sync_start_PTS_of_PlayItem = syncPTS;
    return s;
}

TSubPath subPath(std::uint8_t type, bool repeat, std::vector<TSubPlayItem> items) {
    TSubPath sp;
    sp.SubPath_type = type;
    sp.repeat = repeat ? 1 : 0;
    sp.SubPlayItems = std::move(items);
    return sp;
}

// A mark at `at` into PlayItem `item`, which starts its clip at kClipStart.
TMark mark(std::uint8_t type, std::uint16_t item, std::uint32_t at) { return {0, type, item, kClipStart + at, 0xFFFF, 0}; }

// One entry of the program's own kind ("NV"), holding `payload`.
TExtensionData extensionData(std::uint16_t id2, const std::string& payload) {
    TExtensionData e;
    e.number_of_ext_data_entries = 1;
    e.data_block_start_address = 12 + 12;  // after the header and the one entry
    e.entries = {{0x4E56, id2, e.data_block_start_address, static_cast<std::uint32_t>(payload.size())}};
    e.data.assign(payload.begin(), payload.end());
    e.length = 8 + 12 + static_cast<std::uint32_t>(e.data.size());
    return e;
}

// Sets every count, length and start address from the content: the blocks
// follow one another with no gap, the ExtensionData (if any) last.
TMPLS settled(TMPLS m) {
    TPlayList& pl = m.PlayList;
    for (auto& p : pl.PlayItems) {
        p.STN_table.length = static_cast<std::uint16_t>(stnContentLength(p.STN_table));
        if (p.is_multi_angle == 1) p.multi_clip.number_of_angles = count(p.multi_clip.angles);
        p.length = static_cast<std::uint16_t>(playItemContentLength(p));
    }
    for (auto& sp : pl.SubPaths) {
        for (auto& s : sp.SubPlayItems) {
            if (s.is_multi_Clip_entries == 1) s.number_of_Clip_entries = count(s.clips);
            s.length = static_cast<std::uint16_t>(subPlayItemContentLength(s));
        }
        sp.number_of_SubPlayItems = count(sp.SubPlayItems);
        sp.length = static_cast<std::uint32_t>(subPathContentLength(sp));
    }
    pl.number_of_PlayItems = static_cast<std::uint16_t>(pl.PlayItems.size());
    pl.number_of_SubPaths = static_cast<std::uint16_t>(pl.SubPaths.size());
    const auto content = playListContentLength(pl);
    pl.length = static_cast<std::uint32_t>(content + (content & 1));

    TPlayListMark& marks = m.PlayListMark;
    marks.number_of_PlayList_marks = static_cast<std::uint16_t>(marks.marks.size());
    marks.length = static_cast<std::uint32_t>(playListMarkContentLength(marks));

    m.AppInfoPlayList.length = 14;
    m.PlayList_start_address = 40 + 4 + m.AppInfoPlayList.length;
    m.PlayListMark_start_address = m.PlayList_start_address + 4 + pl.length;
    m.ExtensionData_start_address = m.ExtensionData.empty() ? 0 : m.PlayListMark_start_address + 4 + marks.length;
    return m;
}

// ---- The PlayLists -----------------------------------------------------------
// 00000: the feature in three parts, each with the same streams: AVC video,
// English Dolby Digital 5.1 and Japanese LPCM stereo, English and Japanese
// subtitles, and the pop-up menu, whose IG stream comes from SubPath 0.
TMPLS mainFeature() {
    auto streams = [] {
        return stnTable({
            .video = {video(inPlayItem(kVideoPID), kAVC, k1080p, k23_976)},
            .audio = {audio(inPlayItem(kAudioPID), kDD, kMultiChannel, k48kHz, "eng"),
                      audio(inPlayItem(kAudioPID + 1), kLPCM, kStereo, k48kHz, "jpn")},
            .pg = {graphics(inPlayItem(kPGPID), kPG, "eng"), graphics(inPlayItem(kPGPID + 1), kPG, "jpn")},
            .pipPG = {},
            .ig = {graphics(inSubPath(0, 0, kIGPID), kIG, "eng")},
            .secondaryAudio = {},
            .secondaryVideo = {},
        });
    };
    TMPLS m;
    m.PlayList.PlayItems = {
        playItem("00001", kNotSeamless, kPart1Length, streams()),
        playItem("00002", kSeamlessCleanBreak, kPart2Length, streams()),
        playItem("00003", kSeamless, kPart3Length, streams()),
    };
    // The pop-up menu runs beside the feature and starts over when it ends.
    m.PlayList.SubPaths = {subPath(IGMenu, true, {subPlayItem("00007", kNotSeamless, kPopUpLength, kClipStart)})};

    // Eleven chapters and, at the start of the end credits, a link point.
    m.PlayListMark.marks = {
        mark(EntryMark, 0, 0),
        mark(EntryMark, 0, span(6, 42, 500)),
        mark(EntryMark, 0, span(15, 10)),
        mark(EntryMark, 0, span(27, 33, 250)),
        mark(EntryMark, 1, 0),
        mark(EntryMark, 1, span(9, 5, 750)),
        mark(EntryMark, 1, span(21, 48)),
        mark(EntryMark, 1, span(30, 12, 125)),
        mark(EntryMark, 2, 0),
        mark(EntryMark, 2, span(11, 26, 500)),
        mark(EntryMark, 2, span(23, 40)),
        mark(LinkPoint, 2, span(24, 15)),
    };
    m.ExtensionData = extensionData(0x0002, "NaveloPL");
    return settled(std::move(m));
}

// 00001: the first two parts, the first seen from three angles (the feature's
// clip and two more), with one audio and one subtitle stream.
TMPLS multiAngle() {
    auto streams = [] {
        return stnTable({
            .video = {video(inPlayItem(kVideoPID), kAVC, k1080p, k23_976)},
            .audio = {audio(inPlayItem(kAudioPID), kDD, kMultiChannel, k48kHz, "eng")},
            .pg = {graphics(inPlayItem(kPGPID), kPG, "eng")},
            .pipPG = {},
            .ig = {},
            .secondaryAudio = {},
            .secondaryVideo = {},
        });
    };
    TMPLS m;
    TPlayItem angles = playItem("00001", kNotSeamless, kPart1Length, streams());
    addAngles(angles, {"00004", "00005"});
    TPlayItem second = playItem("00002", kSeamlessCleanBreak, kPart2Length, streams());
    second.UO_mask_table.word1 = kNoAngleChange;  // nothing to change to here
    m.PlayList.PlayItems = {std::move(angles), std::move(second)};

    // The scene menu starts playback at these marks.
    m.PlayListMark.marks = {
        mark(EntryMark, 0, 0),
        mark(EntryMark, 0, span(7, 30)),
        mark(EntryMark, 0, span(18, 0)),
        mark(EntryMark, 1, 0),
        mark(EntryMark, 1, span(12, 15, 500)),
        mark(EntryMark, 1, span(26, 40)),
    };
    return settled(std::move(m));
}

// 00002: the last part with a director's commentary: a picture-in-picture
// video (with its own subtitles) carried in the part's clip, SubPath 0, and
// two commentary tracks from two clips of SubPath 1, mixed over the main audio.
TMPLS pictureInPicture() {
    TMPLS m;
    m.AppInfoPlayList.audio_mix_app_flag = 1;
    m.PlayList.PlayItems = {playItem(
        "00003", kNotSeamless, kPart3Length,
        stnTable({
            .video = {video(inPlayItem(kVideoPID), kAVC, k1080p, k23_976)},
            .audio = {audio(inPlayItem(kAudioPID), kDDPlus, kMultiChannel, k48kHz, "eng"),
                      audio(inPlayItem(kAudioPID + 1), kDD, kMultiChannel, k48kHz, "fra")},
            .pg = {graphics(inPlayItem(kPGPID), kPG, "eng")},
            .pipPG = {graphics(inMuxPiP(0, kPGPID + 1), kPG, "eng")},
            .ig = {},
            .secondaryAudio = {secondaryAudio(audio(inSubPath(1, 0, kSecondaryAudioPID), kSecondaryDDPlus, kStereo,
                                                    k48kHz, "eng"),
                                              {0, 1}),
                               secondaryAudio(audio(inSubPath(1, 1, kSecondaryAudioPID), kSecondaryDDPlus, kStereo,
                                                    k48kHz, "fra"),
                                              {1})},
            .secondaryVideo = {secondaryVideo(video(inMuxPiP(0, kSecondaryVideoPID), kAVC, k720p, k23_976), {0, 1},
                                              {0})},
        }))};

    // The in-mux SubPath plays the PlayItem's own clip; the commentary
    // SubPlayItem lists the English and the French commentary clips.
    TSubPlayItem commentary = subPlayItem("00008", kSeamlessCleanBreak, kPart3Length, kClipStart);
    commentary.is_multi_Clip_entries = 1;
    commentary.clips = {clip("00008"), clip("00009")};
    m.PlayList.SubPaths = {
        subPath(InMuxSync, false, {subPlayItem("00003", kSeamless, kPart3Length, kClipStart)}),
        subPath(OutOfMuxSync, false, {std::move(commentary)}),
    };

    m.PlayListMark.marks = {
        mark(EntryMark, 0, 0),
        mark(EntryMark, 0, span(7, 20)),
        mark(EntryMark, 0, span(14, 45, 250)),
        mark(EntryMark, 0, span(22, 10)),
    };
    return settled(std::move(m));
}

// 00003: thirty seconds of menu background with the menu's IG stream; no
// trick play, and a short still at the end before the menu loops.
TMPLS menu() {
    TMPLS m;
    m.AppInfoPlayList.UO_mask_table.word1 =
        kNoChapterSearch | kNoTimeSearch | kNoSkipNext | kNoSkipBack | kNoForwardPlay | kNoBackwardPlay;
    TPlayItem p = playItem("00006", kNotSeamless, kMenuLength,
                           stnTable({
                               .video = {video(inPlayItem(kVideoPID), kAVC, k1080p, k23_976)},
                               .audio = {audio(inPlayItem(kAudioPID), kLPCM, kStereo, k48kHz, "eng")},
                               .pg = {},
                               .pipPG = {},
                               .ig = {graphics(inPlayItem(kIGPID), kIG, "eng")},
                               .secondaryAudio = {},
                               .secondaryVideo = {},
                           }));
    p.PlayItem_random_access_flag = 1;
    p.still_mode = 1;
    p.still_time = 10;
    m.PlayList.PlayItems = {std::move(p)};
    m.PlayListMark.marks = {mark(EntryMark, 0, 0)};
    return settled(std::move(m));
}

}  // namespace

std::vector<SamplePlayList> samplePlayLists() {
    return {{"00000", mainFeature()}, {"00001", multiAngle()}, {"00002", pictureInPicture()}, {"00003", menu()}};
}

}  // namespace navelo::sample
