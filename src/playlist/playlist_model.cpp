#include "playlist/playlist_model.h"

namespace navelo {

namespace {

// Reference lists are padded to an even number of bytes.
std::uint64_t paddedRefs(std::size_t n) { return n + (n & 1); }

// Clip references after the first (the item's own clip is not repeated in the file).
std::uint64_t extraClipRefs(std::size_t entries) { return entries > 1 ? entries - 1 : 0; }

}  // namespace

std::uint64_t secondaryAudioItemSize(const TSecAudio& item) {
    return kStreamItemSize + 2 + paddedRefs(item.primary_audio_stream_id_refs.size());
}

std::uint64_t secondaryVideoItemSize(const TSecVideo& item) {
    return kStreamItemSize + 2 + paddedRefs(item.secondary_audio_stream_id_refs.size()) + 2 +
           paddedRefs(item.PiP_PG_textST_stream_id_refs.size());
}

std::uint64_t stnContentLength(const TSTN& stn) {
    std::uint64_t n = 14;
    n += kStreamItemSize * (stn.primary_video.size() + stn.primary_audio.size() + stn.PG_textST.size() + stn.IG.size());
    for (const auto& a : stn.secondary_audio) n += secondaryAudioItemSize(a);
    for (const auto& v : stn.secondary_video) n += secondaryVideoItemSize(v);
    return n;
}

std::uint64_t playItemContentLength(const TPlayItem& item) {
    std::uint64_t n = 32;
    if (item.is_multi_angle == 1) n += 2 + 10 * extraClipRefs(item.multi_clip.angles.size());
    return n + 2 + stnContentLength(item.STN_table);
}

std::uint64_t subPlayItemContentLength(const TSubPlayItem& item) {
    std::uint64_t n = 28;
    if (item.is_multi_Clip_entries == 1) n += 2 + 10 * extraClipRefs(item.clips.size());
    return n;
}

std::uint64_t subPathContentLength(const TSubPath& subPath) {
    std::uint64_t n = 6;
    for (const auto& s : subPath.SubPlayItems) n += 2 + subPlayItemContentLength(s);
    return n;
}

std::uint64_t playListContentLength(const TPlayList& playList) {
    std::uint64_t n = 6;
    for (const auto& p : playList.PlayItems) n += 2 + playItemContentLength(p);
    for (const auto& s : playList.SubPaths) n += 4 + subPathContentLength(s);
    return n;
}

std::uint64_t playListMarkContentLength(const TPlayListMark& marks) { return 2 + 14 * marks.marks.size(); }

}  // namespace navelo
