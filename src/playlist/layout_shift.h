#pragma once
// Shared by the PlayList editors: when a record gains or loses bytes, every
// length that encloses it and every start address behind it moves by the same
// amount. The writer lays the blocks out from these fields, so an edit that
// moves them by exactly the bytes it adds or removes keeps the file consistent.
#include <cstdint>
#include <limits>

#include "playlist/playlist_model.h"

namespace navelo::layout {

// Two's-complement addition: a negative delta shrinks the field.
template <typename T>
void add(T& field, std::int64_t delta) {
    field = static_cast<T>(static_cast<std::uint64_t>(field) + static_cast<std::uint64_t>(delta));
}

// The blocks after the PlayList move; an absent block (address 0) stays absent.
inline void shiftAfterPlayList(TMPLS& m, std::int64_t delta) {
    if (m.PlayListMark_start_address != 0) add(m.PlayListMark_start_address, delta);
    if (m.ExtensionData_start_address != 0) add(m.ExtensionData_start_address, delta);
}

inline void resizePlayList(TMPLS& m, std::int64_t delta) {
    add(m.PlayList.length, delta);
    shiftAfterPlayList(m, delta);
}

inline void resizePlayItem(TMPLS& m, TPlayItem& item, std::int64_t delta) {
    add(item.length, delta);
    resizePlayList(m, delta);
}

inline void resizeSTN(TMPLS& m, TPlayItem& item, std::int64_t delta) {
    add(item.STN_table.length, delta);
    resizePlayItem(m, item, delta);
}

inline void resizeSubPath(TMPLS& m, TSubPath& subPath, std::int64_t delta) {
    add(subPath.length, delta);
    resizePlayList(m, delta);
}

inline void resizeSubPlayItem(TMPLS& m, TSubPath& subPath, TSubPlayItem& item, std::int64_t delta) {
    add(item.length, delta);
    resizeSubPath(m, subPath, delta);
}

inline void resizeMarks(TMPLS& m, std::int64_t delta) {
    add(m.PlayListMark.length, delta);
    if (m.ExtensionData_start_address != 0) add(m.ExtensionData_start_address, delta);
}

// A PlayItem's length field has 16 bits: an edit that would make its content
// larger cannot be written and is refused.
inline bool playItemFits(const TPlayItem& item, std::int64_t delta) {
    return static_cast<std::int64_t>(playItemContentLength(item)) + delta <= std::numeric_limits<std::uint16_t>::max();
}

inline bool subPlayItemFits(const TSubPlayItem& item, std::int64_t delta) {
    return static_cast<std::int64_t>(subPlayItemContentLength(item)) + delta <= std::numeric_limits<std::uint16_t>::max();
}

}  // namespace navelo::layout
