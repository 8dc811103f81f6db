#include "playlist/appinfo_editing.h"

namespace navelo {

namespace {

// Indexed by bit number; the texts are the check boxes' hints as users know them.
constexpr std::array<std::string_view, 32> kUOHints{
    "UO0: Secondary audio stream number change",
    "UO1:Secondary audio enable disable",
    "UO2: Secondary video stream number change",
    "UO3: Secondary video enable disable",
    "UO4: PG Text ST stream number change",
    "UO5: PG Text ST enable disable",
    "UO6: Popup off",
    "UO7: Popup on",
    "UO8:Angle number change",
    "UO9: Reserved",
    "UO10: Primary audio stream number change",
    "UO11: Select button and activate",
    "UO12: Activate button",
    "UO13: Select button",
    "UO14: Move right selected button",
    "UO15: Move left selected button",
    "UO16: Move down selected button",
    "UO17: Move up selected button",
    "UO18: Resume",
    "UO19: Backward play",
    "UO20: Forward play",
    "UO21: Still off",
    "UO22: Reserved for pause off",
    "UO23: Pause on",
    "UO24: Stop",
    "UO25: Reserved for play FirstPlay",
    "Skip back to previous point ",
    "UO27: Skip to next point",
    "UO28: Time search",
    "UO29: Chapter search",
    "UO30: Reserved for title search",
    "UO31: reserved for menu call",
};

std::uint32_t withBit(std::uint32_t word, int bit, bool on) {
    const std::uint32_t b = std::uint32_t{1} << bit;
    return on ? (word | b) : (word & ~b);
}

}  // namespace

std::string_view uoBitHint(int bit) {
    return bit >= 0 && bit < 32 ? kUOHints[static_cast<std::size_t>(bit)] : std::string_view{};
}

std::string_view uoWord2BitHint() { return "UO230: PiP PG textST stream number change "; }

UOCheckBoxes uoCheckBoxes(const TUOMaskTable& mask) {
    UOCheckBoxes boxes;
    for (int bit = 0; bit < 32; ++bit) boxes.word1[static_cast<std::size_t>(bit)] = (mask.word1 >> bit) & 1;
    boxes.word2Bit30 = (mask.word2 >> kUOWord2Bit) & 1;
    return boxes;
}

bool setUOBit(TUOMaskTable& mask, int bit, bool checked) {
    if (bit < 0 || bit > 31) return false;
    mask.word1 = withBit(mask.word1, bit, checked);
    return true;
}

void setUOWord2Bit30(TUOMaskTable& mask, bool checked) { mask.word2 = withBit(mask.word2, kUOWord2Bit, checked); }

std::uint32_t keepDefinedWord2Bits(std::uint32_t word2) { return word2 & kUOWord2DefinedBits; }

void setPlayListUOMask(TMPLS& model, std::uint32_t word1, std::uint32_t word2) {
    model.AppInfoPlayList.UO_mask_table = {word1, word2};
}

std::uint32_t leavePlayListUOWord2(TMPLS& model) {
    auto& mask = model.AppInfoPlayList.UO_mask_table;
    mask.word2 = keepDefinedWord2Bits(mask.word2);
    return mask.word2;
}

bool setPlayListUOBit(TMPLS& model, int bit, bool checked) {
    return setUOBit(model.AppInfoPlayList.UO_mask_table, bit, checked);
}

void setPlayListUOWord2Bit30(TMPLS& model, bool checked) {
    setUOWord2Bit30(model.AppInfoPlayList.UO_mask_table, checked);
}

bool setPlaybackType(TMPLS& model, int item) {
    if (item < 0 || item > 2) return false;
    model.AppInfoPlayList.PlayList_playback_type = static_cast<std::uint8_t>(item + 1);
    return true;
}

void setPlaybackCount(TMPLS& model, std::uint16_t count) { model.AppInfoPlayList.playback_count = count; }

void setAppInfoFlag(TMPLS& model, AppInfoFlag flag, bool checked) {
    auto& a = model.AppInfoPlayList;
    const std::uint8_t v = checked ? 1 : 0;
    switch (flag) {
        case AppInfoFlag::RandomAccess: a.PlayList_random_access_flag = v; break;
        case AppInfoFlag::AudioMix: a.audio_mix_app_flag = v; break;
        case AppInfoFlag::BypassMixer: a.lossless_may_bypass_mixer_flag = v; break;
    }
}

bool appInfoFlag(const TMPLS& model, AppInfoFlag flag) {
    const auto& a = model.AppInfoPlayList;
    switch (flag) {
        case AppInfoFlag::RandomAccess: return a.PlayList_random_access_flag != 0;
        case AppInfoFlag::AudioMix: return a.audio_mix_app_flag != 0;
        case AppInfoFlag::BypassMixer: return a.lossless_may_bypass_mixer_flag != 0;
    }
    return false;
}

}  // namespace navelo
