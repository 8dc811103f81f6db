#pragma once
// The "AppInfoPlayList" group of the PlayList tab as operations on TMPLS:
// playback type and count, the three flags and the user-operation mask table
// with its 33 check boxes. None of these edits changes a byte count, so no
// length or start address moves.
//
// The mask helpers work on a bare TUOMaskTable because the same 64-bit layout
// is used by every PlayItem (its UO1/UO2 cells) and by IG pages.
#include <array>
#include <cstdint>
#include <string_view>

#include "playlist/playlist_model.h"

namespace navelo {

// Word 2 of a mask table has one defined bit; the editors keep only that one
// when a word-2 field is left.
inline constexpr std::uint32_t kUOWord2DefinedBits = 0x40000000;
inline constexpr int kUOWord2Bit = 30;

// Hint of the check box cbUO<bit> (bit 0..31 of word 1); "" outside that range.
std::string_view uoBitHint(int bit);
// Hint of cbUO2_30.
std::string_view uoWord2BitHint();

// What setcbUOs shows: box n of word 1 and the one box of word 2.
struct UOCheckBoxes {
    std::array<bool, 32> word1{};
    bool word2Bit30 = false;
    bool operator==(const UOCheckBoxes&) const = default;
};
UOCheckBoxes uoCheckBoxes(const TUOMaskTable& mask);

// cbUOClick: bit (0..31) of word 1 set when checked, cleared when not.
// False (nothing changes) for a bit outside 0..31.
bool setUOBit(TUOMaskTable& mask, int bit, bool checked);
// cbUO2_30Click: bit 30 of word 2; the other bits of word 2 stay.
void setUOWord2Bit30(TUOMaskTable& mask, bool checked);
// heAIUO2Exit and the UO2 cell: only the defined bit survives.
std::uint32_t keepDefinedWord2Bits(std::uint32_t word2);

// ---- The AppInfoPlayList group; each refreshes the group's controls ----

// heAIUOChange / heAIUO2Change: both words as the hex fields hold them (word 2
// still with any reserved bits, which stay until the field is left).
void setPlayListUOMask(TMPLS& model, std::uint32_t word1, std::uint32_t word2);
// heAIUO2Exit: word 2 keeps its defined bit only; returns the field's new value.
std::uint32_t leavePlayListUOWord2(TMPLS& model);
bool setPlayListUOBit(TMPLS& model, int bit, bool checked);
void setPlayListUOWord2Bit30(TMPLS& model, bool checked);

// cbAIpbtChange: PlayList_playback_type := item + 1 for the items
// "Sequential", "Random", "Shuffle"; false (no change) for any other index.
bool setPlaybackType(TMPLS& model, int item);
// ieAIpbcChange.
void setPlaybackCount(TMPLS& model, std::uint16_t count);

enum class AppInfoFlag { RandomAccess, AudioMix, BypassMixer };  // cbAIRA, cbAIAM, cbAIBM
void setAppInfoFlag(TMPLS& model, AppInfoFlag flag, bool checked);
bool appInfoFlag(const TMPLS& model, AppInfoFlag flag);

}  // namespace navelo
