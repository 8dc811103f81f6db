#include "navigation/object_title_editing.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "core/text.h"

namespace navelo {

namespace {

constexpr std::size_t kMaxObjects = 0xFFFF;  // number_of_mobjs is 16 bits
constexpr std::size_t kBdjoNameBytes = 5;

void moveObjectBytes(TMOBJ& m, std::int64_t delta) {
    const auto d = static_cast<std::uint32_t>(delta);
    m.objects.length += d;
    if (m.ExtensionData_start_address != 0) m.ExtensionData_start_address += d;
}

void moveIndexBytes(TINDX& m, std::int64_t delta) {
    const auto d = static_cast<std::uint32_t>(delta);
    m.indexes.length += d;
    if (m.ExtensionData_start_address != 0) m.ExtensionData_start_address += d;
}

void numberTitles(TIndexes& x) {
    for (std::size_t i = 0; i < x.Titles.size(); ++i) x.Titles[i].title_number = static_cast<std::int32_t>(i + 1);
    x.number_of_Titles = static_cast<std::uint16_t>(x.Titles.size());
}

// Where "+" puts a new row: after the last selected one, or at the end when
// nothing is selected (which is also where the first row goes).
std::size_t insertionPoint(std::size_t size, std::optional<std::size_t> lastSelected) {
    if (size == 0 || !lastSelected) return size;
    return std::min(*lastSelected, size - 1) + 1;
}

// A selected range as the grid gives it, cut to the rows that exist.
std::optional<std::pair<std::size_t, std::size_t>> rangeIn(std::size_t size, std::size_t first, std::size_t last) {
    if (first > last) std::swap(first, last);
    if (first >= size) return std::nullopt;
    return std::pair{first, std::min(last, size - 1)};
}

std::optional<std::size_t> rowAbove(std::size_t first, std::size_t remaining) {
    if (remaining == 0) return std::nullopt;
    return first > 0 ? first - 1 : 0;
}

std::uint16_t objectReference(std::optional<std::size_t> selection) {
    return selection ? static_cast<std::uint16_t>(*selection) : kNoObject;
}

TIndexTitle* titleAt(TINDX& index, std::size_t title) {
    return title < index.indexes.Titles.size() ? &index.indexes.Titles[title] : nullptr;
}

}  // namespace

bool setObjectFlag(TMOBJ& model, std::size_t object, ObjectFlag flag, int selectedIndex) {
    if (object >= model.objects.mobjs.size() || selectedIndex < 0 || selectedIndex > 1) return false;
    Tmobject& o = model.objects.mobjs[object];
    const auto value = static_cast<std::uint8_t>(selectedIndex);
    switch (flag) {
        case ObjectFlag::Resume: o.resume_intention_flag = value; break;
        case ObjectFlag::MenuCall: o.menu_call_mask = value; break;
        case ObjectFlag::TitleSearch: o.title_search_mask = value; break;
    }
    return true;
}

std::optional<std::size_t> insertMovieObject(TMOBJ& model, std::optional<std::size_t> lastSelected) {
    auto& objects = model.objects.mobjs;
    if (objects.size() >= kMaxObjects) return std::nullopt;
    const std::size_t at = insertionPoint(objects.size(), lastSelected);
    objects.insert(objects.begin() + static_cast<std::ptrdiff_t>(at), Tmobject{});
    model.objects.number_of_mobjs = static_cast<std::uint16_t>(objects.size());
    moveObjectBytes(model, 4);
    return at;
}

std::string deletedObjectReferenceCell(std::uint16_t reference) {
    return reference == kNoObject ? "??" : std::to_string(reference);
}

std::optional<ObjectDeletion> deleteMovieObjects(TMOBJ& movieObjects, TINDX& index, std::size_t first, std::size_t last) {
    auto& objects = movieObjects.objects.mobjs;
    const auto range = rangeIn(objects.size(), first, last);
    if (!range) return std::nullopt;
    std::tie(first, last) = *range;
    const std::size_t k = last - first + 1;

    ObjectDeletion d;
    d.count = k;
    std::uint64_t removed = 4 * k;
    for (std::size_t i = first; i <= last; ++i) removed += 12 * objects[i].navigation_commands.size();
    d.removedBytes = static_cast<std::uint32_t>(removed);
    objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(first), objects.begin() + static_cast<std::ptrdiff_t>(last + 1));
    movieObjects.objects.number_of_mobjs = static_cast<std::uint16_t>(objects.size());
    moveObjectBytes(movieObjects, -static_cast<std::int64_t>(removed));

    const auto remaining = static_cast<std::int64_t>(objects.size());
    for (std::size_t i = 0; i < index.indexes.Titles.size(); ++i) {
        TIndexTitle& t = index.indexes.Titles[i];
        if (!t.isHdmv()) continue;
        // A title without an object stays without one rather than wrapping below 0xFFFF.
        if (t.mobj_id_ref != kNoObject) {
            if (t.mobj_id_ref >= first && t.mobj_id_ref <= last) {
                t.mobj_id_ref = kNoObject;
                d.titleCells.push_back({i, deletedObjectReferenceCell(t.mobj_id_ref)});
            } else if (t.mobj_id_ref > last) {
                t.mobj_id_ref = static_cast<std::uint16_t>(t.mobj_id_ref - k);
                d.titleCells.push_back({i, deletedObjectReferenceCell(t.mobj_id_ref)});
            }
        }
        if (static_cast<std::int64_t>(t.mobj_id_ref) > remaining - 1) d.invalidTitles.push_back(t.title_number);
    }
    d.firstRenumberedRow = first;
    d.selectRow = rowAbove(first, objects.size());
    return d;
}

void logObjectDeletion(Log& log, const ObjectDeletion& deletion) {
    for (const std::int32_t number : deletion.invalidTitles) {
        log.erlog("Invalid object reference in Title " + std::to_string(number));
    }
    if (!deletion.invalidTitles.empty()) log.erslog("See Status");
}

std::optional<TitleEditorView> showTitle(const TINDX& index, std::size_t title, std::size_t objectCount) {
    if (title >= index.indexes.Titles.size()) return std::nullopt;
    const TIndexTitle& t = index.indexes.Titles[title];
    TitleEditorView v;
    v.objectTypeIndex = t.object_type == 1 || t.object_type == 2 ? t.object_type - 1 : -1;
    v.accessTypeIndex = t.access_type == 0 ? 0 : t.access_type - 1;
    v.playbackTypeIndex = t.playback_type <= 1 ? t.playback_type : -1;
    v.objectIdEnabled = t.isHdmv();
    v.objectIdIndex = t.mobj_id_ref < objectCount ? t.mobj_id_ref : -1;
    v.fileNameEnabled = !v.objectIdEnabled;
    return v;
}

std::optional<std::size_t> objectOfTitle(const TINDX& index, const TMOBJ& movieObjects, std::size_t title) {
    if (title >= index.indexes.Titles.size()) return std::nullopt;
    const TIndexTitle& t = index.indexes.Titles[title];
    if (!t.isHdmv() || t.mobj_id_ref >= movieObjects.objects.mobjs.size()) return std::nullopt;
    return t.mobj_id_ref;
}

bool setTitleObjectType(TINDX& index, std::size_t title, int selectedIndex) {
    TIndexTitle* t = titleAt(index, title);
    if (!t || selectedIndex < 0 || selectedIndex > 1) return false;
    t->object_type = static_cast<std::uint8_t>(selectedIndex + 1);
    return true;
}

bool setTitleAccessType(TINDX& index, std::size_t title, int selectedIndex) {
    static constexpr std::uint8_t kAccessTypes[] = {0, 2, 3};
    TIndexTitle* t = titleAt(index, title);
    if (!t || selectedIndex < 0 || selectedIndex > 2) return false;
    t->access_type = kAccessTypes[selectedIndex];
    return true;
}

bool setTitlePlaybackType(TINDX& index, std::size_t title, int selectedIndex) {
    TIndexTitle* t = titleAt(index, title);
    if (!t || selectedIndex < 0 || selectedIndex > 1) return false;
    t->playback_type = static_cast<std::uint8_t>(selectedIndex);
    return true;
}

bool setTitleObjectId(TINDX& index, std::size_t title, std::size_t objectIndex) {
    TIndexTitle* t = titleAt(index, title);
    if (!t || objectIndex > kNoObject) return false;
    t->mobj_id_ref = static_cast<std::uint16_t>(objectIndex);
    return true;
}

bool setTitleFileName(TINDX& index, std::size_t title, std::string_view name) {
    TIndexTitle* t = titleAt(index, title);
    if (!t) return false;
    // The file holds five bytes, read back up to the first zero: keep exactly that.
    std::string bytes = utf8ToLatin1(name);
    bytes = bytes.substr(0, std::min(bytes.find('\0'), kBdjoNameBytes));
    t->bdjo_file_name = std::move(bytes);
    return true;
}

std::optional<std::size_t> insertTitle(TINDX& index, std::optional<std::size_t> lastSelected) {
    TIndexes& x = index.indexes;
    if (x.Titles.size() >= kMaxTitles) return std::nullopt;
    const std::size_t at = insertionPoint(x.Titles.size(), lastSelected);
    TIndexTitle title;
    title.object_type = 1;
    title.access_type = 0;
    title.playback_type = 0;
    title.mobj_id_ref = 0;
    x.Titles.insert(x.Titles.begin() + static_cast<std::ptrdiff_t>(at), title);
    numberTitles(x);
    moveIndexBytes(index, 12);
    return at;
}

std::optional<TitleDeletion> deleteTitles(TINDX& index, std::size_t first, std::size_t last) {
    TIndexes& x = index.indexes;
    const auto range = rangeIn(x.Titles.size(), first, last);
    if (!range) return std::nullopt;
    std::tie(first, last) = *range;
    const std::size_t k = last - first + 1;
    x.Titles.erase(x.Titles.begin() + static_cast<std::ptrdiff_t>(first), x.Titles.begin() + static_cast<std::ptrdiff_t>(last + 1));
    numberTitles(x);
    moveIndexBytes(index, -12 * static_cast<std::int64_t>(k));
    TitleDeletion d;
    d.count = k;
    d.firstRenumberedRow = first;
    d.selectRow = rowAbove(first, x.Titles.size());
    return d;
}

TIndexTitle& entryOf(TINDX& index, IndexEntry entry) {
    return entry == IndexEntry::FirstPlayback ? index.indexes.FirstPlayback : index.indexes.TopMenu;
}

const TIndexTitle& entryOf(const TINDX& index, IndexEntry entry) {
    return entry == IndexEntry::FirstPlayback ? index.indexes.FirstPlayback : index.indexes.TopMenu;
}

void switchEntry(TINDX& index, IndexEntry entry, bool on, int typeIndex, std::optional<std::size_t> objectSelection) {
    TIndexTitle& e = entryOf(index, entry);
    if (!on) {
        // Only an HDMV entry without an object is off in the file; a BD-J entry
        // left as it is would still start its BD-J object.
        e.object_type = 1;
        e.mobj_id_ref = kNoObject;
        return;
    }
    e.object_type = typeIndex == 1 ? 2 : 1;
    if (entry == IndexEntry::TopMenu || e.isHdmv()) e.mobj_id_ref = objectReference(objectSelection);
}

bool setEntryType(TINDX& index, IndexEntry entry, int typeIndex) {
    if (typeIndex < 0 || typeIndex > 1) return false;
    entryOf(index, entry).object_type = static_cast<std::uint8_t>(typeIndex + 1);
    return true;
}

bool setFirstPlaybackPlaybackType(TINDX& index, int selectedIndex) {
    if (selectedIndex < 0 || selectedIndex > 1) return false;
    index.indexes.FirstPlayback.playback_type = static_cast<std::uint8_t>(selectedIndex);
    return true;
}

void setEntryObject(TINDX& index, IndexEntry entry, std::optional<std::size_t> objectSelection) {
    entryOf(index, entry).mobj_id_ref = objectReference(objectSelection);
}

EntryEditorView showEntry(const TINDX& index, IndexEntry entry, std::size_t objectCount) {
    const TIndexTitle& e = entryOf(index, entry);
    EntryEditorView v;
    v.on = e.isOn();
    v.typeIndex = e.object_type == 1 || e.object_type == 2 ? e.object_type - 1 : -1;
    v.playbackTypeIndex = e.playback_type <= 1 ? e.playback_type : -1;
    v.objectIndex = e.isHdmv() && e.mobj_id_ref < objectCount ? e.mobj_id_ref : -1;
    v.objectListEnabled = v.on && e.isHdmv();
    v.fileListEnabled = v.on && !e.isHdmv();
    v.fileName = latin1ToUtf8(e.bdjo_file_name);
    return v;
}

}  // namespace navelo
