#pragma once
// The PlayListMark editor of the PlayList tab as operations on TMPLS: marks
// inserted and deleted, and one mark's type, PlayItem reference and time
// edited. Insertions and deletions move the PlayListMark length and the
// ExtensionData start address by 14 bytes a mark.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "playlist/playlist_model.h"

namespace navelo {

inline constexpr std::size_t kMaxMarks = 999;
inline constexpr std::uint16_t kNoEntryPid = 0xFFFF;

// A model read from a file without a PlayListMark block gets an empty one
// right after the PlayList, so marks can be added and the PlayList written.
// Does nothing when the block exists.
void ensurePlayListMarkBlock(TMPLS& model);

// ---- The editor fields (sgPlayListMarkClick) ----

// The mark time split as time2str splits it: the hours are not reduced.
struct MarkTimeFields {
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
    std::int64_t seconds = 0;
    std::int64_t milliseconds = 0;
    bool operator==(const MarkTimeFields&) const = default;
};

struct MarkEditorView {
    int typeIndex = -1;            // cmPLMtype: mark_type - 1, -1 without an item
    std::uint16_t playItem = 0;    // iePLMPI
    MarkTimeFields time;           // iePLMhour, iePLMmin, iePLMsec, iePLMms
    bool operator==(const MarkEditorView&) const = default;
};
std::optional<MarkEditorView> showMark(const TMPLS& model, std::size_t mark);

// The limits of the time fields: below 0 gives 0; hours above 25 give 25,
// minutes and seconds above 59 give 59; milliseconds have no upper limit.
MarkTimeFields clampMarkTime(MarkTimeFields fields);
// getmarktime: the ticks of clamped fields, in 32-bit arithmetic (milliseconds
// of 1000 and more add to the time).
std::uint32_t markTicks(const MarkTimeFields& fields);

// ---- Edits; false (no change) without such a mark or for an invalid item.
// The edited mark's row is drawn again after each (playListMarkRow). ----

// cmPLMtypeChange: mark_type := item + 1 ("entry-mark", "link point").
bool setMarkType(TMPLS& model, std::size_t mark, int item);
// iePLMPIChange: the low 16 bits; a PlayItem number past the PlayItems is kept as entered.
bool setMarkPlayItem(TMPLS& model, std::size_t mark, std::int64_t value);
// The time fields left (or the hour field changed): the fields are clamped and
// the mark time set from them; returns the clamped fields the editor shows.
std::optional<MarkTimeFields> setMarkTime(TMPLS& model, std::size_t mark, const MarkTimeFields& fields);

// bbPLMinsClick: an entry-mark at time 0 of PlayItem 0 (entry PID 0xFFFF)
// right after the last selected mark (at the end when nothing is selected,
// position 0 for the first). Returns its row, which is selected and loaded
// into the editor; rows from there on are drawn again. Refused (nullopt) at
// kMaxMarks marks.
std::optional<std::size_t> insertMark(TMPLS& model, std::optional<std::size_t> lastSelected);

struct MarkDeletion {
    std::size_t count = 0;               // marks removed
    std::size_t firstRenumberedRow = 0;  // rows from here to the end are drawn again
    // The row to select next (the one above the range, or the first); nullopt
    // when no mark remains: the grid is reset, it and the editor disabled.
    std::optional<std::size_t> selectRow;
};
// bbPLMdelClick: marks first to last (a range past the end is cut to it; the
// two may come in either order). Refused (nullopt) without a mark in the range.
std::optional<MarkDeletion> deleteMarks(TMPLS& model, std::size_t first, std::size_t last);

}  // namespace navelo
