#pragma once
// Names for the numeric codes of the disc formats (stream attributes, entry,
// SubPath, mark and clip application types, languages), the item lists the
// editing drop-downs offer, the mappings between list item and code, and the
// hint texts of those lists.
//
// Everything here is constant data. Name lookups accept any code: a code the
// table does not cover (beyond its size) gives an empty name, which is what
// the views show for it.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace navelo {

// Which attribute layout a stream_coding_type uses.
enum class CodingClass : std::uint8_t { None, Video, Audio, Graphics, TextSubtitle };

// One frame lasts numerator / denominator seconds; both are 0 for codes without a rate.
struct FrameRateTiming {
    std::uint16_t numerator = 0;
    std::uint16_t denominator = 0;
    bool hasRate() const { return denominator != 0; }
    friend bool operator==(const FrameRateTiming&, const FrameRateTiming&) = default;
};

// ---- Whole name tables, indexed by the code ----
std::span<const std::string_view> codingTypeNames();         // 256 entries
std::span<const std::string_view> videoFormatNames();        // 16
std::span<const std::string_view> frameRateNames();          // 16
std::span<const FrameRateTiming> frameRateTimings();         // 16
std::span<const std::string_view> frameRateTimingNames();    // 16
std::span<const std::string_view> audioPresentationNames();  // 16
std::span<const std::string_view> soundChannelNames();       // 16
std::span<const std::string_view> samplingFrequencyNames();  // 16
std::span<const std::string_view> streamEntryTypeNames();    // 4
std::span<const std::string_view> subPathTypeNames();        // 8
std::span<const std::string_view> markTypeNames();           // 3
std::span<const std::string_view> applicationTypeNames();    // 8
// The language list: "eng" first, then the alphabetical run (431 entries).
std::span<const std::string_view> languageCodes();

// ---- Lookups by code ("" beyond the table) ----
std::string_view codingTypeName(std::uint32_t code);
CodingClass codingTypeClass(std::uint32_t code);
std::string_view videoFormatName(std::uint32_t code);
std::string_view frameRateName(std::uint32_t code);
FrameRateTiming frameRateTiming(std::uint32_t code);  // {0, 0} when the code has no pair
std::string_view frameRateTimingName(std::uint32_t code);
std::string_view audioPresentationName(std::uint32_t code);
std::string_view soundChannelName(std::uint32_t code);
std::string_view samplingFrequencyName(std::uint32_t code);
std::string_view streamEntryTypeName(std::uint32_t code);
std::string_view subPathTypeName(std::uint32_t code);
std::string_view markTypeName(std::uint32_t code);
std::string_view applicationTypeName(std::uint32_t code);

// Position of the first language list entry equal to code (case-sensitive,
// whole text), or -1. "eng" is always 0 although it occurs again later.
int getlangind(std::string_view code);

// ---- Items of the editing lists ----
std::span<const std::string_view> videoCodingItems();        // "MPEG-2", "AVC", "VC1"
std::span<const std::string_view> audioCodingItems();        // 9 items
std::span<const std::string_view> videoFormatItems();        // format codes 0..7
std::span<const std::string_view> frameRateItems();          // rate codes 0..7
std::span<const std::string_view> audioPresentationItems();  // codes 0..12
std::span<const std::string_view> samplingFrequencyItems();  // codes 0..14
std::span<const std::string_view> streamEntryTypeItems();    // "---", "PlayItem", "SubPath", "IM PIP"
std::span<const std::string_view> subPathTypeItems();        // all 8 types
std::span<const std::string_view> subPathRepeatItems();      // "No", "Yes"
std::span<const std::string_view> markTypeItems();           // "entry-mark", "link point"
std::span<const std::string_view> applicationTypeItems();    // all 8 types

// ---- List item <-> code ----
// For the lists not named here the item index is the code itself.
// Item 0, 1, 2 -> 0x02, 0x1B, 0xEA; none for an index outside the list.
std::optional<std::uint8_t> videoCodingFromItem(int index);
// The item for 0x02, 0x1B or 0xEA; -1 (no item) for any other coding type.
int videoCodingItem(std::uint32_t codingType);
// index + 128 up to 0x86, index + 154 beyond (7 -> 0xA1, 8 -> 0xA2); none outside the list.
std::optional<std::uint8_t> audioCodingFromItem(int index);
// codingType - 128 below 135, else codingType - 154; -1 when that lies outside the list.
int audioCodingItem(std::uint32_t codingType);
// The mark type list starts at mark_type 1.
std::optional<std::uint8_t> markTypeFromItem(int index);
int markTypeItem(std::uint32_t markType);  // -1 when the type has no item

// ---- Hint texts of the editing lists, by current item index ----
// No value means the list keeps the hint it had; an empty text clears it.
std::optional<std::string_view> setvidhint(int index);
std::optional<std::string_view> setaudhint(int index);
std::optional<std::string_view> setautyhint(int index);
std::optional<std::string_view> setenthint(int index);  // index 0 clears
std::optional<std::string_view> setSPThint(int index);

}  // namespace navelo
