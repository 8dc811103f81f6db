#include "playlist/mark_editing.h"

#include <algorithm>
#include <utility>

#include "playlist/code_tables.h"
#include "playlist/layout_shift.h"

namespace navelo {

namespace {

constexpr std::int64_t kMarkBytes = 14;
constexpr std::int64_t kMaxHours = 25;
constexpr std::int64_t kMaxMinutesOrSeconds = 59;

TMark* markAt(TMPLS& m, std::size_t mark) {
    return mark < m.PlayListMark.marks.size() ? &m.PlayListMark.marks[mark] : nullptr;
}

void countMarks(TMPLS& m) {
    m.PlayListMark.number_of_PlayList_marks = static_cast<std::uint16_t>(m.PlayListMark.marks.size());
}

}  // namespace

void ensurePlayListMarkBlock(TMPLS& m) {
    if (m.PlayListMark_start_address != 0) return;
    const TPlayListMark empty{};
    // The block follows the PlayList; whatever followed the PlayList moves behind it.
    m.PlayListMark_start_address = m.PlayList_start_address + 4 + m.PlayList.length;
    const auto bytes = static_cast<std::int64_t>(4 + playListMarkContentLength(empty));
    m.PlayListMark = empty;
    m.PlayListMark.length = static_cast<std::uint32_t>(playListMarkContentLength(empty));
    if (m.ExtensionData_start_address != 0) layout::add(m.ExtensionData_start_address, bytes);
}

std::optional<MarkEditorView> showMark(const TMPLS& m, std::size_t mark) {
    if (mark >= m.PlayListMark.marks.size()) return std::nullopt;
    const TMark& k = m.PlayListMark.marks[mark];
    MarkEditorView v;
    v.typeIndex = markTypeItem(k.mark_type);
    v.playItem = k.ref_to_PlayItem_id;
    const std::int64_t t = k.mark_time_stamp / 45;  // milliseconds
    v.time.milliseconds = t % 1000;
    const std::int64_t seconds = t / 1000;
    v.time.seconds = seconds % 60;
    v.time.minutes = (seconds / 60) % 60;
    v.time.hours = seconds / 3600;
    return v;
}

MarkTimeFields clampMarkTime(MarkTimeFields f) {
    f.hours = std::clamp<std::int64_t>(f.hours, 0, kMaxHours);
    f.minutes = std::clamp<std::int64_t>(f.minutes, 0, kMaxMinutesOrSeconds);
    f.seconds = std::clamp<std::int64_t>(f.seconds, 0, kMaxMinutesOrSeconds);
    f.milliseconds = std::max<std::int64_t>(f.milliseconds, 0);
    return f;
}

std::uint32_t markTicks(const MarkTimeFields& f) {
    // 32-bit wrap, as the field holds it; the fields are clamped, so only the
    // unlimited milliseconds can wrap.
    const auto u = [](std::int64_t v) { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)); };
    return u(f.hours) * 162000000u + u(f.seconds) * 45000u + u(f.minutes) * 2700000u + u(f.milliseconds) * 45u;
}

bool setMarkType(TMPLS& m, std::size_t mark, int item) {
    TMark* k = markAt(m, mark);
    const auto type = markTypeFromItem(item);
    if (!k || !type) return false;
    k->mark_type = *type;
    return true;
}

bool setMarkPlayItem(TMPLS& m, std::size_t mark, std::int64_t value) {
    TMark* k = markAt(m, mark);
    if (!k) return false;
    k->ref_to_PlayItem_id = static_cast<std::uint16_t>(value);
    return true;
}

std::optional<MarkTimeFields> setMarkTime(TMPLS& m, std::size_t mark, const MarkTimeFields& fields) {
    TMark* k = markAt(m, mark);
    if (!k) return std::nullopt;
    const MarkTimeFields clamped = clampMarkTime(fields);
    k->mark_time_stamp = markTicks(clamped);
    return clamped;
}

std::optional<std::size_t> insertMark(TMPLS& m, std::optional<std::size_t> lastSelected) {
    auto& marks = m.PlayListMark.marks;
    if (marks.size() >= kMaxMarks) return std::nullopt;
    ensurePlayListMarkBlock(m);
    const std::size_t at = marks.empty() || !lastSelected ? marks.size() : std::min(*lastSelected, marks.size() - 1) + 1;
    TMark k;
    k.mark_type = 1;
    k.entry_ES_PID = kNoEntryPid;
    marks.insert(marks.begin() + static_cast<std::ptrdiff_t>(at), k);
    countMarks(m);
    layout::resizeMarks(m, kMarkBytes);
    return at;
}

std::optional<MarkDeletion> deleteMarks(TMPLS& m, std::size_t first, std::size_t last) {
    auto& marks = m.PlayListMark.marks;
    if (first > last) std::swap(first, last);
    if (first >= marks.size()) return std::nullopt;
    last = std::min(last, marks.size() - 1);
    const std::size_t n = last - first + 1;
    marks.erase(marks.begin() + static_cast<std::ptrdiff_t>(first), marks.begin() + static_cast<std::ptrdiff_t>(last + 1));
    countMarks(m);
    layout::resizeMarks(m, -kMarkBytes * static_cast<std::int64_t>(n));
    MarkDeletion d;
    d.count = n;
    d.firstRenumberedRow = first;
    if (!marks.empty()) d.selectRow = first > 0 ? first - 1 : 0;
    return d;
}

}  // namespace navelo
