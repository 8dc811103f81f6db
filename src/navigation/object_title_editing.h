#pragma once
// Movie object and title editing of the BDMV tab as operations on TMOBJ and
// TINDX. Every operation keeps the counts, lengths and start addresses of the
// models in step with the bytes it adds or removes, so the models can be
// written at any time, and says which rows the views have to redraw.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/log.h"
#include "navigation/index_file.h"
#include "navigation/movie_object.h"

namespace navelo {

// ---- Movie objects ----

enum class ObjectFlag { Resume, MenuCall, TitleSearch };

// cbResume / cbMenuCall / cbTitleSearch: the flag := the selected index (0 or 1).
// False when there is no such object or the index is not 0 or 1.
bool setObjectFlag(TMOBJ& model, std::size_t object, ObjectFlag flag, int selectedIndex);

// "+" of the object grid: an empty object (flags 0, no commands) right after
// the last selected object (at the end when nothing is selected, so as object
// 0 when there are none). Rows from the returned index to the end are refreshed and the new
// row is selected. References of titles, first playback and top menu are not
// renumbered. Refused (nullopt) when the object count field is full.
std::optional<std::size_t> insertMovieObject(TMOBJ& model, std::optional<std::size_t> lastSelected);

// One "OID/file" cell to redraw.
struct TitleCell {
    std::size_t title = 0;  // index into Titles
    std::string text;
};

struct ObjectDeletion {
    std::size_t count = 0;          // objects removed
    std::uint32_t removedBytes = 0; // 4 per object + 12 per command
    // Rows from this index to the end are numbered anew.
    std::size_t firstRenumberedRow = 0;
    // The object to select and show next; nullopt when no object remains (the
    // grid is reset and the flag selectors are disabled).
    std::optional<std::size_t> selectRow;
    // OID/file cells of HDMV titles whose reference changed.
    std::vector<TitleCell> titleCells;
    // title_number of every HDMV title left pointing past the last object, in title order.
    std::vector<std::int32_t> invalidTitles;
};

// "-" of the object grid: objects first to last (a range past the end is cut
// to it). HDMV title references into the range become kNoObject, those above
// it are lowered by the number of objects removed; first playback and top menu
// keep theirs. Refused (nullopt) when there is no object in the range.
std::optional<ObjectDeletion> deleteMovieObjects(TMOBJ& movieObjects, TINDX& index, std::size_t first, std::size_t last);

// The OID/file cell of an HDMV title after an object deletion: "??" for a
// reference to no object, else the number.
std::string deletedObjectReferenceCell(std::uint16_t reference);

// The messages of a deletion: "Invalid object reference in Title <n>" through
// erlog for each invalid title, then "See Status" through erslog when there was any.
void logObjectDeletion(Log& log, const ObjectDeletion& deletion);

// ---- Titles ----

// What the title editors show for one title (cbTitleNoChange).
struct TitleEditorView {
    int objectTypeIndex = -1;    // cbTitleOT: object_type - 1, -1 for other types
    int accessTypeIndex = 0;     // cbTitleAT
    int playbackTypeIndex = -1;  // cbTitlePBT: -1 for playback types 2 and 3
    bool objectIdEnabled = false;  // cbTitleOID, exactly for HDMV titles
    int objectIdIndex = -1;        // cbTitleOID: mobj_id_ref, -1 when past the object list
    bool fileNameEnabled = false;  // cbTitleFN, exactly when cbTitleOID is not
};

// objectCount: the entries of the object list (the objects loaded).
std::optional<TitleEditorView> showTitle(const TINDX& index, std::size_t title, std::size_t objectCount);

// Clicking an HDMV title selects its movie object when the reference names one.
std::optional<std::size_t> objectOfTitle(const TINDX& index, const TMOBJ& movieObjects, std::size_t title);

// The title editors. Each returns false (and changes nothing) without such a
// title or for an index outside its list; on success the title's row is refreshed.
bool setTitleObjectType(TINDX& index, std::size_t title, int selectedIndex);   // "HDMV", "BD-J"
bool setTitleAccessType(TINDX& index, std::size_t title, int selectedIndex);   // 0, 2, 3
bool setTitlePlaybackType(TINDX& index, std::size_t title, int selectedIndex); // "Movie", "Interactive"
bool setTitleObjectId(TINDX& index, std::size_t title, std::size_t objectIndex);
// name: a BD-J object file name without extension as listed (UTF-8); the file holds five bytes of it.
bool setTitleFileName(TINDX& index, std::size_t title, std::string_view name);

// "+" of the title grid: an HDMV title (Permitted, Movie, object 0) right after
// the last selected title (at the end when nothing is selected, so as title 0
// when there are none). Titles are numbered anew; rows from the returned index on are
// refreshed. Refused (nullopt) at kMaxTitles titles, which the reader would reject.
std::optional<std::size_t> insertTitle(TINDX& index, std::optional<std::size_t> lastSelected);

struct TitleDeletion {
    std::size_t count = 0;
    // Rows from this index to the end are numbered anew.
    std::size_t firstRenumberedRow = 0;
    // The title to select (as a click) next; nullopt when none remain (the grid
    // is reset and the title editors are disabled).
    std::optional<std::size_t> selectRow;
};

// "-" of the title grid: titles first to last (a range past the end is cut to
// it). Refused (nullopt) when there is no title in the range.
std::optional<TitleDeletion> deleteTitles(TINDX& index, std::size_t first, std::size_t last);

// ---- First playback and top menu ----

enum class IndexEntry { FirstPlayback, TopMenu };

TIndexTitle& entryOf(TINDX& index, IndexEntry entry);
const TIndexTitle& entryOf(const TINDX& index, IndexEntry entry);

// cbFPBonClick / cbTMonClick. typeIndex is what the entry's type list shows
// ("HDMV" 0, "BD-J" 1), objectSelection the object list's selection.
// On: object_type := typeIndex + 1; the first playback takes its object from the
// selection when HDMV, the top menu always does (kNoObject without one).
// Off: the entry becomes an HDMV entry without an object, which is what "off"
// means in the file.
void switchEntry(TINDX& index, IndexEntry entry, bool on, int typeIndex, std::optional<std::size_t> objectSelection);

// cbFPBtypeChange / cbTMtypeChange: object_type := typeIndex + 1 (0 or 1 only).
bool setEntryType(TINDX& index, IndexEntry entry, int typeIndex);
// cbFPBTitlePBtypeChange: the first playback's playback_type := the index (0 or 1 only).
bool setFirstPlaybackPlaybackType(TINDX& index, int selectedIndex);
// cbFPBObjectChange / cbTMObjectChange: mobj_id_ref := the selection (kNoObject without one).
void setEntryObject(TINDX& index, IndexEntry entry, std::optional<std::size_t> objectSelection);

// What the controls of first playback or top menu show.
struct EntryEditorView {
    bool on = false;              // cbFPBon / cbTMon
    int typeIndex = -1;           // cbFPBtype / cbTMtype
    int playbackTypeIndex = -1;   // cbFPBTitlePBtype (first playback only)
    int objectIndex = -1;         // cbFPBObject / cbTMObject: -1 when past the list
    bool objectListEnabled = false;
    bool fileListEnabled = false;
    std::string fileName;         // the entry's BD-J file name (UTF-8)
};
EntryEditorView showEntry(const TINDX& index, IndexEntry entry, std::size_t objectCount);

}  // namespace navelo
