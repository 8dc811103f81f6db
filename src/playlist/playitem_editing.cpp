#include "playlist/playitem_editing.h"

#include <algorithm>
#include <array>

#include <fmt/format.h>

#include "core/text.h"
#include "playlist/appinfo_editing.h"
#include "playlist/code_tables.h"
#include "playlist/layout_shift.h"
#include "playlist/time_text.h"

namespace navelo {

namespace {

constexpr std::size_t kClipNameSize = 5;
constexpr std::size_t kTimeTextSize = 12;
constexpr std::size_t kUOTextSize = 8;
constexpr std::int64_t kSyncPlayItemModulus = 999;

// A cell text as the file holds it: 8-bit, and never past a zero byte, which
// would end the text when the file is read again.
std::string cellBytes(std::string_view text) {
    std::string s = utf8ToLatin1(text);
    const auto nul = s.find('\0');
    if (nul != std::string::npos) s.resize(nul);
    return s;
}

// A masked cell is complete when every position of the mask was typed.
bool complete(const std::string& text, std::size_t size) {
    return text.size() == size && text.find(' ') == std::string::npos;
}

bool hasBlank(std::string_view text) { return text.find(' ') != std::string_view::npos; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

TPlayItem* playItemAt(TMPLS& m, std::size_t item) {
    return item < m.PlayList.PlayItems.size() ? &m.PlayList.PlayItems[item] : nullptr;
}

TSubPath* subPathAt(TMPLS& m, std::size_t subPath) {
    return subPath < m.PlayList.SubPaths.size() ? &m.PlayList.SubPaths[subPath] : nullptr;
}

// Entry 0 of the angle and clip entry lists is the record's own clip; the file
// does not hold it separately, so it must follow every change of that clip.
void syncOwnClip(std::vector<TClipRef>& list, const std::string& name, const std::string& codec, std::uint8_t stc) {
    if (!list.empty()) list[0] = {name, codec, stc};
}

void syncOwnClip(TPlayItem& p) {
    if (p.is_multi_angle == 1)
        syncOwnClip(p.multi_clip.angles, p.Clip_Information_file_name, p.Clip_codec_identifier, p.ref_to_STC_id);
}

void syncOwnClip(TSubPlayItem& s) {
    if (s.is_multi_Clip_entries == 1) syncOwnClip(s.clips, s.Clip_Information_file_name, s.Clip_codec_identifier, s.ref_to_STC_id);
}

Expected<PlayItemCellEdit> changeInTime(TMPLS& m, TPlayItem& p, std::uint32_t ticks, const YesNoAnswer& ask) {
    PlayItemCellEdit edit;
    const std::uint32_t old = p.IN_time;
    p.IN_time = ticks;
    if (ticks == old) return edit;
    edit.changed = true;
    // Unsigned: moving earlier wraps and adds back correctly.
    const std::uint32_t delta = ticks - old;
    // Without anyone to ask, every answer is No.
    auto yes = [&](InTimeQuestion q) { return ask && ask(q); };
    if (yes(InTimeQuestion::OutTime)) p.OUT_time += delta;
    if (!m.PlayList.SubPaths.empty() && yes(InTimeQuestion::SubPlayItems)) {
        for (auto& sp : m.PlayList.SubPaths) {
            for (auto& s : sp.SubPlayItems) {
                s.IN_time += delta;
                s.OUT_time += delta;
            }
        }
        edit.subPlayItemsMoved = true;
    }
    if (!m.PlayListMark.marks.empty() && yes(InTimeQuestion::Marks)) {
        for (auto& k : m.PlayListMark.marks) k.mark_time_stamp += delta;
        edit.marksMoved = true;
    }
    return edit;
}

// The "multi" column: the clip entry block exists in the file exactly when the
// flag is 1, so the entries and the byte counts follow the flag.
bool switchClipEntries(TMPLS& m, TSubPath& sp, TSubPlayItem& s, bool on) {
    const std::uint8_t flag = on ? 1 : 0;
    if (s.is_multi_Clip_entries == flag) return false;
    TSubPlayItem changed = s;
    changed.is_multi_Clip_entries = flag;
    changed.reserved = 0;
    if (on) {
        changed.clips = {{s.Clip_Information_file_name, s.Clip_codec_identifier, s.ref_to_STC_id}};
        changed.number_of_Clip_entries = 1;
    } else {
        changed.clips.clear();
        changed.number_of_Clip_entries = 0;
    }
    const auto delta = static_cast<std::int64_t>(subPlayItemContentLength(changed)) -
                       static_cast<std::int64_t>(subPlayItemContentLength(s));
    changed.length = s.length;
    s = std::move(changed);
    layout::resizeSubPlayItem(m, sp, s, delta);
    return true;
}

}  // namespace

std::string_view playItemEditMask(int column) {
    switch (static_cast<PlayItemColumn>(column)) {
        case PlayItemColumn::File: return "00000";
        case PlayItemColumn::InTime:
        case PlayItemColumn::OutTime: return "00:00:00.000";
        case PlayItemColumn::UO1:
        case PlayItemColumn::UO2: return ">AAAAAAAA";
        default: return {};
    }
}

std::string_view subPlayItemEditMask(int column) {
    switch (static_cast<SubPlayItemColumn>(column)) {
        case SubPlayItemColumn::File: return "00000";
        case SubPlayItemColumn::Connection: return "0";
        case SubPlayItemColumn::Multi: return ">L";
        case SubPlayItemColumn::STC:
        case SubPlayItemColumn::SyncPlayItem: return "000";
        case SubPlayItemColumn::InTime:
        case SubPlayItemColumn::OutTime:
        case SubPlayItemColumn::SyncPts: return "00:00:00.000";
        default: return {};
    }
}

std::optional<std::uint32_t> timeOfDayTicks(std::string_view t) {
    if (t.size() != kTimeTextSize || t[2] != ':' || t[5] != ':' || t[8] != '.') return std::nullopt;
    for (std::size_t i : {0, 1, 3, 4, 6, 7, 9, 10, 11}) {
        if (!isDigit(t[i])) return std::nullopt;
    }
    auto num = [&](std::size_t at, std::size_t n) {
        std::uint32_t v = 0;
        for (std::size_t i = at; i < at + n; ++i) v = v * 10 + static_cast<std::uint32_t>(t[i] - '0');
        return v;
    };
    const std::uint32_t h = num(0, 2), mi = num(3, 2), s = num(6, 2), ms = num(9, 3);
    if (h > 23 || mi > 59 || s > 59) return std::nullopt;
    return (h * 3600 + mi * 60 + s) * 45000 + ms * 45;
}

std::string invalidTimeMessage(std::string_view text) { return fmt::format("'{}' is not a valid time", text); }

std::string_view inTimeQuestionText(InTimeQuestion question) {
    switch (question) {
        case InTimeQuestion::OutTime: return "Do you want to update OUT time?";
        case InTimeQuestion::SubPlayItems: return "Do you want to update SubPlayItems' IN/OUT times?";
        case InTimeQuestion::Marks: return "Do you want to update PlayListMarks' marktimes?";
    }
    return {};
}

Expected<PlayItemCellEdit> editPlayItemCell(TMPLS& m, std::size_t item, int column, std::string_view text,
                                            const YesNoAnswer& ask) {
    TPlayItem* p = playItemAt(m, item);
    if (!p) return PlayItemCellEdit{};
    const std::string s = cellBytes(text);
    PlayItemCellEdit edit;
    switch (static_cast<PlayItemColumn>(column)) {
        case PlayItemColumn::File:
            if (!complete(s, kClipNameSize)) return edit;
            edit.changed = p->Clip_Information_file_name != s;
            p->Clip_Information_file_name = s;
            syncOwnClip(*p);
            return edit;
        case PlayItemColumn::InTime:
        case PlayItemColumn::OutTime: {
            if (!complete(s, kTimeTextSize)) return edit;
            const auto ticks = timeOfDayTicks(s);
            if (!ticks) return Error{{}, 0, fmt::format("PlayList/PlayItem[{}]", item), invalidTimeMessage(text)};
            if (static_cast<PlayItemColumn>(column) == PlayItemColumn::InTime) return changeInTime(m, *p, *ticks, ask);
            edit.changed = p->OUT_time != *ticks;
            p->OUT_time = *ticks;
            return edit;
        }
        case PlayItemColumn::UO1:
        case PlayItemColumn::UO2: {
            if (!complete(s, kUOTextSize)) return edit;
            const std::uint32_t word = readHexLenient(s);
            auto& mask = p->UO_mask_table;
            if (static_cast<PlayItemColumn>(column) == PlayItemColumn::UO1) {
                edit.changed = mask.word1 != word;
                mask.word1 = word;
            } else {
                const std::uint32_t kept = keepDefinedWord2Bits(word);
                edit.changed = mask.word2 != kept;
                mask.word2 = kept;
            }
            return edit;
        }
        default:
            // "type", "length" and "An" are not editable: the row is drawn again as it was.
            return edit;
    }
}

SubPlayItemCellEdit editSubPlayItemCell(TMPLS& m, std::size_t subPath, std::size_t item, int column,
                                        std::string_view text) {
    SubPlayItemCellEdit edit;
    TSubPath* sp = subPathAt(m, subPath);
    if (!sp || item >= sp->SubPlayItems.size()) return edit;
    TSubPlayItem& s = sp->SubPlayItems[item];
    const TSubPlayItem before = s;
    const auto col = static_cast<SubPlayItemColumn>(column);
    if ((col == SubPlayItemColumn::Connection || col == SubPlayItemColumn::Multi || col == SubPlayItemColumn::STC) &&
        hasBlank(text)) {
        return edit;
    }
    const std::string bytes = cellBytes(text);
    // Halved: the time text is read as a 90 kHz count, the field counts at 45 kHz.
    auto halvedPts = [&] { return str2pts(bytes) / 2; };
    switch (col) {
        case SubPlayItemColumn::File:
            s.Clip_Information_file_name = bytes.substr(0, kClipNameSize);
            syncOwnClip(s);
            break;
        case SubPlayItemColumn::Connection: {
            const std::int64_t v = readDecimalLenient(bytes);
            s.SubPath_connection_condition = (v == 5 || v == 6) ? static_cast<std::uint8_t>(v) : 1;
            break;
        }
        case SubPlayItemColumn::Multi:
            // The mask turns the letter into a capital; a typed "y" means the same.
            edit.clipEntriesChanged = switchClipEntries(m, *sp, s, bytes == "Y" || bytes == "y");
            break;
        case SubPlayItemColumn::STC:
            s.ref_to_STC_id = static_cast<std::uint8_t>(readDecimalLenient(bytes));
            syncOwnClip(s);
            break;
        case SubPlayItemColumn::InTime: s.IN_time = halvedPts(); break;
        case SubPlayItemColumn::OutTime: s.OUT_time = halvedPts(); break;
        case SubPlayItemColumn::SyncPlayItem:
            s.sync_PlayItem_id = static_cast<std::uint16_t>(readDecimalLenient(bytes) % kSyncPlayItemModulus);
            break;
        case SubPlayItemColumn::SyncPts: s.sync_start_PTS_of_PlayItem = halvedPts(); break;
        default: break;
    }
    edit.changed = s != before;
    return edit;
}

std::optional<std::string> playItemClipName(const TMPLS& m, std::size_t item) {
    const auto& items = m.PlayList.PlayItems;
    if (item >= items.size()) return std::nullopt;
    return latin1ToUtf8(items[item].Clip_Information_file_name);
}

std::optional<std::string> angleClipName(const TMPLS& m, std::size_t item, std::size_t angle) {
    const auto& items = m.PlayList.PlayItems;
    if (item >= items.size() || angle >= items[item].multi_clip.angles.size()) return std::nullopt;
    return latin1ToUtf8(items[item].multi_clip.angles[angle].Clip_Information_file_name);
}

std::optional<std::string> subPlayItemClipName(const TMPLS& m, std::size_t subPath, std::size_t item) {
    const auto& paths = m.PlayList.SubPaths;
    if (subPath >= paths.size() || item >= paths[subPath].SubPlayItems.size()) return std::nullopt;
    return latin1ToUtf8(paths[subPath].SubPlayItems[item].Clip_Information_file_name);
}

std::optional<std::string> clipEntryClipName(const TMPLS& m, std::size_t subPath, std::size_t item, std::size_t entry) {
    const auto& paths = m.PlayList.SubPaths;
    if (subPath >= paths.size() || item >= paths[subPath].SubPlayItems.size()) return std::nullopt;
    const auto& clips = paths[subPath].SubPlayItems[item].clips;
    if (entry >= clips.size()) return std::nullopt;
    return latin1ToUtf8(clips[entry].Clip_Information_file_name);
}

std::optional<std::size_t> findClipItem(std::span<const std::string> clipList, std::string_view name) {
    const auto it = std::find(clipList.begin(), clipList.end(), name);
    if (it == clipList.end()) return std::nullopt;
    return static_cast<std::size_t>(it - clipList.begin());
}

std::optional<std::size_t> insertSubPath(TMPLS& m, std::optional<std::size_t> selected) {
    auto& paths = m.PlayList.SubPaths;
    if (paths.size() >= kMaxSubPaths) return std::nullopt;
    const std::size_t at = paths.empty() || !selected ? paths.size() : std::min(*selected, paths.size() - 1) + 1;

    TSubPlayItem s;
    // Without a PlayItem there is no clip to name: the item names none, in the usual container.
    s.Clip_codec_identifier = "M2TS";
    if (!m.PlayList.PlayItems.empty()) {
        const TPlayItem& first = m.PlayList.PlayItems.front();
        s.Clip_Information_file_name = first.Clip_Information_file_name;
        s.Clip_codec_identifier = first.Clip_codec_identifier;
        s.IN_time = first.IN_time;
        s.OUT_time = first.IN_time;
    }
    s.SubPath_connection_condition = 1;
    s.length = static_cast<std::uint16_t>(subPlayItemContentLength(s));
    TSubPath sp;
    sp.SubPath_type = kNewSubPathType;
    sp.SubPlayItems = {s};
    sp.number_of_SubPlayItems = 1;
    sp.length = static_cast<std::uint32_t>(subPathContentLength(sp));
    const auto bytes = static_cast<std::int64_t>(4 + sp.length);

    paths.insert(paths.begin() + static_cast<std::ptrdiff_t>(at), std::move(sp));
    m.PlayList.number_of_SubPaths = static_cast<std::uint16_t>(paths.size());
    layout::resizePlayList(m, bytes);
    return at;
}

std::optional<SubPathDeletion> deleteSubPath(TMPLS& m, std::size_t row) {
    auto& paths = m.PlayList.SubPaths;
    if (row >= paths.size()) return std::nullopt;
    // What the writer writes for it, whatever its stored lengths say.
    const std::uint64_t bytes = 4 + subPathContentLength(paths[row]);
    paths.erase(paths.begin() + static_cast<std::ptrdiff_t>(row));
    m.PlayList.number_of_SubPaths = static_cast<std::uint16_t>(paths.size());
    layout::resizePlayList(m, -static_cast<std::int64_t>(bytes));
    SubPathDeletion d;
    d.removedBytes = static_cast<std::uint32_t>(bytes);
    if (!paths.empty()) d.selectRow = row > 0 ? row - 1 : 0;
    return d;
}

std::optional<SubPathEditorView> showSubPath(const TMPLS& m, std::size_t subPath) {
    const auto& paths = m.PlayList.SubPaths;
    if (subPath >= paths.size()) return std::nullopt;
    const TSubPath& sp = paths[subPath];
    SubPathEditorView v;
    v.typeIndex = sp.SubPath_type < subPathTypeItems().size() ? sp.SubPath_type : -1;
    v.repeatIndex = sp.repeat <= 1 ? sp.repeat : -1;
    v.repeatEnabled = sp.SubPath_type == 2;
    v.typeHint = setSPThint(sp.SubPath_type).value_or(std::string_view{});
    return v;
}

bool setSubPathType(TMPLS& m, std::size_t subPath, int item) {
    TSubPath* sp = subPathAt(m, subPath);
    if (!sp || item < 0 || static_cast<std::size_t>(item) >= subPathTypeItems().size()) return false;
    sp->SubPath_type = static_cast<std::uint8_t>(item);
    // Only the browsable slideshow's audio path repeats.
    if (item != 2) sp->repeat = 0;
    return true;
}

bool setSubPathRepeat(TMPLS& m, std::size_t subPath, int item) {
    TSubPath* sp = subPathAt(m, subPath);
    if (!sp || item < 0 || item > 1) return false;
    sp->repeat = static_cast<std::uint16_t>(item);
    return true;
}

}  // namespace navelo
