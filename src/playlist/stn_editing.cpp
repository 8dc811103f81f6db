#include "playlist/stn_editing.h"

#include <algorithm>

#include "playlist/code_tables.h"
#include "playlist/layout_shift.h"

namespace navelo {

namespace {

bool isVideoKind(StreamKind k) { return k == StreamKind::PrimaryVideo || k == StreamKind::SecondaryVideo; }
bool isAudioKind(StreamKind k) { return k == StreamKind::PrimaryAudio || k == StreamKind::SecondaryAudio; }

// The shared PG list: its first number_of_PG_textST_stream_entries items are
// PG/textST, the rest PiP PG/textST.
std::size_t pgHead(const TSTN& stn) {
    return std::min<std::size_t>(stn.number_of_PG_textST_stream_entries, stn.PG_textST.size());
}

std::size_t kindSize(const TSTN& stn, StreamKind kind) {
    switch (kind) {
        case StreamKind::PrimaryVideo: return stn.primary_video.size();
        case StreamKind::PrimaryAudio: return stn.primary_audio.size();
        case StreamKind::PG_textST: return pgHead(stn);
        case StreamKind::PiP_PG_textST: return stn.PG_textST.size() - pgHead(stn);
        case StreamKind::IG: return stn.IG.size();
        case StreamKind::SecondaryVideo: return stn.secondary_video.size();
        case StreamKind::SecondaryAudio: return stn.secondary_audio.size();
    }
    return 0;
}

// One lookup for the editing and the showing side.
template <typename Stn>
auto itemIn(Stn& stn, StreamKind kind, std::size_t row) -> decltype(&stn.primary_video[0]) {
    if (row >= kindSize(stn, kind)) return nullptr;
    switch (kind) {
        case StreamKind::PrimaryVideo: return &stn.primary_video[row];
        case StreamKind::PrimaryAudio: return &stn.primary_audio[row];
        case StreamKind::PG_textST: return &stn.PG_textST[row];
        case StreamKind::PiP_PG_textST: return &stn.PG_textST[pgHead(stn) + row];
        case StreamKind::IG: return &stn.IG[row];
        case StreamKind::SecondaryVideo: return &stn.secondary_video[row].item;
        case StreamKind::SecondaryAudio: return &stn.secondary_audio[row].item;
    }
    return nullptr;
}

template <typename Model>
auto itemAt(Model& m, const StreamRef& ref) -> decltype(itemIn(m.PlayList.PlayItems[0].STN_table, ref.kind, ref.row)) {
    auto& items = m.PlayList.PlayItems;
    return ref.playItem < items.size() ? itemIn(items[ref.playItem].STN_table, ref.kind, ref.row) : nullptr;
}

// The counts follow the lists; the PG pair follows the split of the shared list.
void countItems(TSTN& stn, std::size_t pgItems) {
    stn.number_of_primary_video_stream_entries = static_cast<std::uint8_t>(stn.primary_video.size());
    stn.number_of_primary_audio_stream_entries = static_cast<std::uint8_t>(stn.primary_audio.size());
    stn.number_of_PG_textST_stream_entries = static_cast<std::uint8_t>(pgItems);
    stn.number_of_PiP_PG_textST_stream_entries = static_cast<std::uint8_t>(stn.PG_textST.size() - pgItems);
    stn.number_of_IG_stream_entries = static_cast<std::uint8_t>(stn.IG.size());
    stn.number_of_secondary_audio_stream_entries = static_cast<std::uint8_t>(stn.secondary_audio.size());
    stn.number_of_secondary_video_stream_entries = static_cast<std::uint8_t>(stn.secondary_video.size());
}

std::size_t insertLimit(const TSTN& stn, StreamKind kind) {
    switch (kind) {
        case StreamKind::PrimaryVideo: return kMaxPrimaryVideoStreams;
        case StreamKind::PrimaryAudio:
        case StreamKind::SecondaryAudio: return kMaxAudioStreams;
        case StreamKind::IG: return kMaxIGStreams;
        case StreamKind::SecondaryVideo: return kMaxSecondaryVideoStreams;
        case StreamKind::PG_textST: return kMaxPGStreams;
        // The PiP items count against the shared list.
        case StreamKind::PiP_PG_textST: return kMaxPGStreams - std::min(kMaxPGStreams, pgHead(stn));
    }
    return 0;
}

// The last primary audio stream stays: a PlayItem plays with some audio.
std::size_t deleteMinimum(StreamKind kind) { return kind == StreamKind::PrimaryAudio ? 2 : 1; }

std::uint64_t itemBytes(const TSTN& stn, StreamKind kind, std::size_t row) {
    switch (kind) {
        case StreamKind::SecondaryVideo: return secondaryVideoItemSize(stn.secondary_video[row]);
        case StreamKind::SecondaryAudio: return secondaryAudioItemSize(stn.secondary_audio[row]);
        default: return kStreamItemSize;
    }
}

// Fields of an entry that its type does not carry are cleared: the writer
// would not write them and they would not come back.
void keepCarriedFields(TStreamEntry& e) {
    const std::uint8_t t = e.stream_type;
    if (t != 1 && t != 3) e.ref_to_stream_PID_of_mainClip = 0;
    if (t != 2 && t != 3) e.ref_to_SubPath_id = 0;
    if (t != 2) {
        e.ref_to_subClip_entry_id = 0;
        e.ref_to_stream_PID_of_subClip = 0;
    }
    if (t >= 1 && t <= 3) e.unknown = {};
}

void keepCarriedFields(TStreamAttributes& a) {
    const CodingClass c = codingTypeClass(a.stream_coding_type);
    if (c != CodingClass::Video) {
        a.video_format = 0;
        a.frame_rate = 0;
    }
    if (c != CodingClass::Audio) {
        a.audio_presentation_type = 0;
        a.sampling_frequency = 0;
    }
    if (c != CodingClass::TextSubtitle) a.character_code = 0;
    if (c == CodingClass::Video || c == CodingClass::None) a.language_code.clear();
    if (c != CodingClass::None) a.unknown = {};
}

bool carriesLanguage(CodingClass c) {
    return c == CodingClass::Audio || c == CodingClass::Graphics || c == CodingClass::TextSubtitle;
}

template <typename Edit>
bool editItem(TMPLS& m, const StreamRef& ref, Edit edit) {
    TStreamItem* item = itemAt(m, ref);
    return item ? edit(*item) : false;
}

bool validItem(int item, std::size_t size) { return item >= 0 && static_cast<std::size_t>(item) < size; }

}  // namespace

TStreamItem newStreamItem(StreamKind kind) {
    TStreamItem item;
    TStreamEntry& e = item.entry;
    TStreamAttributes& a = item.attributes;
    e.stream_type = 1;
    switch (kind) {
        case StreamKind::PrimaryVideo:
            e.ref_to_stream_PID_of_mainClip = 0x1011;
            a.stream_coding_type = 0x1B;  // AVC, 1080p, 23.976
            a.video_format = 6;
            a.frame_rate = 1;
            break;
        case StreamKind::PrimaryAudio:
            e.ref_to_stream_PID_of_mainClip = 0x1100;
            a.stream_coding_type = 0x81;  // DD, multi-channel, 48 kHz
            a.audio_presentation_type = 6;
            a.sampling_frequency = 1;
            a.language_code = "eng";
            break;
        case StreamKind::PG_textST:
        case StreamKind::PiP_PG_textST:
            e.ref_to_stream_PID_of_mainClip = 0x1200;
            a.stream_coding_type = 0x90;
            a.language_code = "eng";
            break;
        case StreamKind::IG:
            e.stream_type = 2;
            e.ref_to_stream_PID_of_subClip = 0x1400;
            a.stream_coding_type = 0x91;
            a.language_code = "eng";
            break;
        case StreamKind::SecondaryVideo:
            e.stream_type = 3;  // in-mux picture-in-picture
            e.ref_to_stream_PID_of_mainClip = 0x1B00;
            a.stream_coding_type = 0x1B;  // AVC, 480p, 23.976
            a.video_format = 3;
            a.frame_rate = 1;
            break;
        case StreamKind::SecondaryAudio:
            e.ref_to_stream_PID_of_mainClip = 0x1A00;
            a.stream_coding_type = 0xA1;  // DD+ for secondary audio, stereo, 48 kHz
            a.audio_presentation_type = 3;
            a.sampling_frequency = 1;
            a.language_code = "eng";
            break;
    }
    return item;
}

StnButtons stnButtons(const TSTN& stn, StreamKind kind) {
    const std::size_t n = kindSize(stn, kind);
    return {n < insertLimit(stn, kind), n >= deleteMinimum(kind)};
}

std::optional<std::size_t> insertStream(TMPLS& m, std::size_t playItem, StreamKind kind,
                                        std::optional<std::size_t> selected) {
    auto& items = m.PlayList.PlayItems;
    if (playItem >= items.size()) return std::nullopt;
    TPlayItem& p = items[playItem];
    TSTN& stn = p.STN_table;
    if (!stnButtons(stn, kind).insert) return std::nullopt;
    const std::size_t n = kindSize(stn, kind);
    const std::size_t at = n == 0 || !selected ? n : std::min(*selected, n - 1) + 1;
    const auto offset = static_cast<std::ptrdiff_t>(at);
    std::size_t pg = pgHead(stn);

    std::int64_t bytes = static_cast<std::int64_t>(kStreamItemSize);
    if (kind == StreamKind::SecondaryAudio) bytes = static_cast<std::int64_t>(secondaryAudioItemSize(TSecAudio{}));
    if (kind == StreamKind::SecondaryVideo) bytes = static_cast<std::int64_t>(secondaryVideoItemSize(TSecVideo{}));
    if (!layout::playItemFits(p, bytes)) return std::nullopt;

    TStreamItem item = newStreamItem(kind);
    switch (kind) {
        case StreamKind::PrimaryVideo: stn.primary_video.insert(stn.primary_video.begin() + offset, item); break;
        case StreamKind::PrimaryAudio: stn.primary_audio.insert(stn.primary_audio.begin() + offset, item); break;
        case StreamKind::PG_textST:
            // Before the PiP items, which stay at the end of the shared list.
            stn.PG_textST.insert(stn.PG_textST.begin() + offset, item);
            ++pg;
            break;
        case StreamKind::PiP_PG_textST:
            stn.PG_textST.insert(stn.PG_textST.begin() + static_cast<std::ptrdiff_t>(pg) + offset, item);
            break;
        case StreamKind::IG: stn.IG.insert(stn.IG.begin() + offset, item); break;
        case StreamKind::SecondaryVideo: {
            TSecVideo v;
            v.item = item;
            stn.secondary_video.insert(stn.secondary_video.begin() + offset, std::move(v));
            break;
        }
        case StreamKind::SecondaryAudio: {
            TSecAudio a;
            a.item = item;
            stn.secondary_audio.insert(stn.secondary_audio.begin() + offset, std::move(a));
            break;
        }
    }
    countItems(stn, pg);
    layout::resizeSTN(m, p, bytes);
    return at;
}

std::optional<StreamDeletion> deleteStream(TMPLS& m, const StreamRef& ref) {
    auto& items = m.PlayList.PlayItems;
    if (ref.playItem >= items.size()) return std::nullopt;
    TPlayItem& p = items[ref.playItem];
    TSTN& stn = p.STN_table;
    const std::size_t n = kindSize(stn, ref.kind);
    if (ref.row >= n || !stnButtons(stn, ref.kind).remove) return std::nullopt;
    const std::uint64_t bytes = itemBytes(stn, ref.kind, ref.row);
    const auto at = static_cast<std::ptrdiff_t>(ref.row);
    std::size_t pg = pgHead(stn);
    switch (ref.kind) {
        case StreamKind::PrimaryVideo: stn.primary_video.erase(stn.primary_video.begin() + at); break;
        case StreamKind::PrimaryAudio: stn.primary_audio.erase(stn.primary_audio.begin() + at); break;
        case StreamKind::PG_textST:
            stn.PG_textST.erase(stn.PG_textST.begin() + at);
            --pg;
            break;
        case StreamKind::PiP_PG_textST:
            stn.PG_textST.erase(stn.PG_textST.begin() + static_cast<std::ptrdiff_t>(pg) + at);
            break;
        case StreamKind::IG: stn.IG.erase(stn.IG.begin() + at); break;
        case StreamKind::SecondaryVideo: stn.secondary_video.erase(stn.secondary_video.begin() + at); break;
        case StreamKind::SecondaryAudio: stn.secondary_audio.erase(stn.secondary_audio.begin() + at); break;
    }
    countItems(stn, pg);
    layout::resizeSTN(m, p, -static_cast<std::int64_t>(bytes));
    StreamDeletion d;
    d.removedBytes = static_cast<std::uint32_t>(bytes);
    if (n > 1) d.selectRow = ref.row > 0 ? ref.row - 1 : 0;
    return d;
}

StreamEditorView showStream(const TMPLS& m, const StreamRef& ref) {
    StreamEditorView v;
    const TStreamItem* item = itemAt(m, ref);
    if (!item) return v;
    v.shown = true;
    const TStreamEntry& e = item->entry;
    const TStreamAttributes& a = item->attributes;
    v.entryTypeIndex = e.stream_type < streamEntryTypeItems().size() ? e.stream_type : -1;
    v.mainPidShown = e.stream_type == 1 || e.stream_type == 3;
    v.subPathShown = e.stream_type == 2 || e.stream_type == 3;
    v.subClipShown = v.subPidShown = e.stream_type == 2;
    v.mainPid = e.ref_to_stream_PID_of_mainClip;
    v.subPath = e.ref_to_SubPath_id;
    v.subClip = e.ref_to_subClip_entry_id;
    v.subPid = e.ref_to_stream_PID_of_subClip;
    auto listIndex = [](std::uint8_t code, std::size_t size) { return code < size ? static_cast<int>(code) : -1; };
    if (isVideoKind(ref.kind)) {
        v.videoShown = true;
        const int coding = videoCodingItem(a.stream_coding_type);
        if (coding >= 0) v.videoCodingIndex = coding;
        v.videoFormatIndex = listIndex(a.video_format, videoFormatItems().size());
        v.frameRateIndex = listIndex(a.frame_rate, frameRateItems().size());
    } else if (isAudioKind(ref.kind)) {
        v.audioShown = true;
        v.audioCodingIndex = audioCodingItem(a.stream_coding_type);
        v.presentationIndex = listIndex(a.audio_presentation_type, audioPresentationItems().size());
        v.frequencyIndex = listIndex(a.sampling_frequency, samplingFrequencyItems().size());
    }
    if (!isVideoKind(ref.kind)) {
        v.languageShown = true;
        v.languageIndex = getlangind(a.language_code);
    }
    return v;
}

bool setStreamEntryType(TMPLS& m, const StreamRef& ref, int item) {
    if (!validItem(item, streamEntryTypeItems().size())) return false;
    return editItem(m, ref, [&](TStreamItem& s) {
        s.entry.stream_type = static_cast<std::uint8_t>(item);
        keepCarriedFields(s.entry);
        return true;
    });
}

bool setStreamMainPid(TMPLS& m, const StreamRef& ref, std::uint32_t value) {
    return editItem(m, ref, [&](TStreamItem& s) {
        if (s.entry.stream_type != 1 && s.entry.stream_type != 3) return false;
        s.entry.ref_to_stream_PID_of_mainClip = static_cast<std::uint16_t>(value);
        return true;
    });
}

bool setStreamSubPid(TMPLS& m, const StreamRef& ref, std::uint32_t value) {
    return editItem(m, ref, [&](TStreamItem& s) {
        if (s.entry.stream_type != 2) return false;
        s.entry.ref_to_stream_PID_of_subClip = static_cast<std::uint16_t>(value);
        return true;
    });
}

bool setStreamSubPathId(TMPLS& m, const StreamRef& ref, std::int64_t value) {
    return editItem(m, ref, [&](TStreamItem& s) {
        if (s.entry.stream_type != 2 && s.entry.stream_type != 3) return false;
        s.entry.ref_to_SubPath_id = static_cast<std::uint8_t>(value);
        return true;
    });
}

bool setStreamSubClipId(TMPLS& m, const StreamRef& ref, std::int64_t value) {
    return editItem(m, ref, [&](TStreamItem& s) {
        if (s.entry.stream_type != 2) return false;
        s.entry.ref_to_subClip_entry_id = static_cast<std::uint8_t>(value);
        return true;
    });
}

bool setVideoCoding(TMPLS& m, const StreamRef& ref, int item) {
    const auto code = videoCodingFromItem(item);
    if (!code || !isVideoKind(ref.kind)) return false;
    return editItem(m, ref, [&](TStreamItem& s) {
        s.attributes.stream_coding_type = *code;
        keepCarriedFields(s.attributes);
        return true;
    });
}

bool setVideoFormat(TMPLS& m, const StreamRef& ref, int item) {
    if (!isVideoKind(ref.kind) || !validItem(item, videoFormatItems().size())) return false;
    return editItem(m, ref, [&](TStreamItem& s) {
        if (codingTypeClass(s.attributes.stream_coding_type) != CodingClass::Video) return false;
        s.attributes.video_format = static_cast<std::uint8_t>(item);
        return true;
    });
}

bool setFrameRate(TMPLS& m, const StreamRef& ref, int item) {
    if (!isVideoKind(ref.kind) || !validItem(item, frameRateItems().size())) return false;
    return editItem(m, ref, [&](TStreamItem& s) {
        if (codingTypeClass(s.attributes.stream_coding_type) != CodingClass::Video) return false;
        s.attributes.frame_rate = static_cast<std::uint8_t>(item);
        return true;
    });
}

bool setAudioCoding(TMPLS& m, const StreamRef& ref, int item) {
    const auto code = audioCodingFromItem(item);
    if (!code || !isAudioKind(ref.kind)) return false;
    return editItem(m, ref, [&](TStreamItem& s) {
        s.attributes.stream_coding_type = *code;
        keepCarriedFields(s.attributes);
        return true;
    });
}

bool setAudioPresentation(TMPLS& m, const StreamRef& ref, int item) {
    if (!isAudioKind(ref.kind) || !validItem(item, audioPresentationItems().size())) return false;
    return editItem(m, ref, [&](TStreamItem& s) {
        if (codingTypeClass(s.attributes.stream_coding_type) != CodingClass::Audio) return false;
        s.attributes.audio_presentation_type = static_cast<std::uint8_t>(item);
        return true;
    });
}

bool setSamplingFrequency(TMPLS& m, const StreamRef& ref, int item) {
    if (!isAudioKind(ref.kind) || !validItem(item, samplingFrequencyItems().size())) return false;
    return editItem(m, ref, [&](TStreamItem& s) {
        if (codingTypeClass(s.attributes.stream_coding_type) != CodingClass::Audio) return false;
        s.attributes.sampling_frequency = static_cast<std::uint8_t>(item);
        return true;
    });
}

bool setStreamLanguage(TMPLS& m, const StreamRef& ref, int item) {
    const auto codes = languageCodes();
    if (isVideoKind(ref.kind) || !validItem(item, codes.size())) return false;
    return editItem(m, ref, [&](TStreamItem& s) {
        if (!carriesLanguage(codingTypeClass(s.attributes.stream_coding_type))) return false;
        s.attributes.language_code = std::string(codes[static_cast<std::size_t>(item)]);
        return true;
    });
}

}  // namespace navelo
