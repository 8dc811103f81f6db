#pragma once
// In-place editing of the PlayItem and SubPlayItem grids, SubPath insertion,
// deletion, type and repeat, and the clip a double click on a PlayItem, angle,
// SubPlayItem or clip entry row jumps to. Pure operations on TMPLS: each says
// what the PlayList tab has to redraw, and every edit that adds or removes
// bytes moves the enclosing lengths and the start addresses behind it by
// exactly that many bytes.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/error.h"
#include "playlist/playlist_model.h"

namespace navelo {

// ---- Columns and edit masks ----

enum class PlayItemColumn { File = 1, Type = 2, InTime = 3, OutTime = 4, Length = 5, UO1 = 6, UO2 = 7, Angles = 8 };
enum class SubPlayItemColumn {
    File = 1, Type = 2, Connection = 3, Multi = 4, STC = 5, InTime = 6, OutTime = 7, SyncPlayItem = 8, SyncPts = 9
};

// The masks offered for typing into a column ("" for a column without one):
// "0" one digit, "A" letter or digit, "L" letter, ">" capitals, ":" "." fixed.
std::string_view playItemEditMask(int column);
std::string_view subPlayItemEditMask(int column);

// A time of day "HH:MM:SS.mmm" (hours 0-23, minutes and seconds 0-59) as 45 kHz
// ticks; nullopt for any other text.
std::optional<std::uint32_t> timeOfDayTicks(std::string_view text);
// The message of a time that is not a time of day: "'24:00:00.000' is not a valid time".
std::string invalidTimeMessage(std::string_view text);

// ---- PlayItem cells (sgPLitemSetEditText) ----

// The questions of an IN-time change, asked in this order and only when they apply.
enum class InTimeQuestion { OutTime, SubPlayItems, Marks };
std::string_view inTimeQuestionText(InTimeQuestion question);  // "Do you want to update OUT time?" ...
// Answers a question: true for Yes.
using YesNoAnswer = std::function<bool(InTimeQuestion)>;

struct PlayItemCellEdit {
    bool changed = false;  // the model changed
    // In every case the edited row is drawn again from the model (playItemRow),
    // which also puts back the cells that are not editable, the "length" cell and
    // UO2 written with 8 digits.
    bool subPlayItemsMoved = false;  // the SubPlayItem grid of the selected SubPath is drawn again
    bool marksMoved = false;         // every "mark time" cell and the mark editor are drawn again
};

// text: what the cell holds after typing (UTF-8). Incomplete texts (not the
// column's full length, or holding a blank) change nothing. A complete time in
// column 3 or 4 that is not a time of day is an Error (invalidTimeMessage) and
// changes nothing. An IN-time change asks `ask` the questions of
// InTimeQuestion; the answers choose what moves by the same number of ticks.
// A row outside the list or a column without an edit changes nothing.
Expected<PlayItemCellEdit> editPlayItemCell(TMPLS& model, std::size_t item, int column, std::string_view text,
                                            const YesNoAnswer& ask);

// ---- SubPlayItem cells (sgSubPlayItemSetEditText) ----

struct SubPlayItemCellEdit {
    bool changed = false;  // the model changed; the edited row is drawn again (subPlayItemRow)
    // The clip entries were added or removed (the "multi" column): the clip entry
    // grid is drawn again (shown or hidden by showsClipEntryGrid), and the byte
    // counts moved.
    bool clipEntriesChanged = false;
};

// Columns 3, 4 and 5 ignore a text holding a blank; the others take the text as
// it is. "multi": "Y" switches the clip entry block on with one entry (the
// SubPlayItem's own clip), anything else switches it off and drops every clip
// entry, since the file then holds none.
SubPlayItemCellEdit editSubPlayItemCell(TMPLS& model, std::size_t subPath, std::size_t item, int column,
                                        std::string_view text);

// ---- Jump to clip (double clicks); names are UTF-8 as the clip list shows them ----

std::optional<std::string> playItemClipName(const TMPLS& model, std::size_t item);
std::optional<std::string> angleClipName(const TMPLS& model, std::size_t item, std::size_t angle);
std::optional<std::string> subPlayItemClipName(const TMPLS& model, std::size_t subPath, std::size_t item);
std::optional<std::string> clipEntryClipName(const TMPLS& model, std::size_t subPath, std::size_t item,
                                             std::size_t entry);
// The first clip list item whose text equals the name exactly; nullopt leaves
// the clip list without a selection and nothing is read.
std::optional<std::size_t> findClipItem(std::span<const std::string> clipList, std::string_view name);

// ---- SubPaths ----

inline constexpr std::size_t kMaxSubPaths = 255;
inline constexpr std::uint8_t kNewSubPathType = 3;  // "IG menu"

// bbSPinsClick: a SubPath (IG menu, not repeated) with one SubPlayItem naming
// PlayItem 0's clip from its IN time to its IN time, placed right after the
// selected SubPath (at the end when nothing is selected, position 0 for the
// first). Returns its position, the row to select; the rows from there to the
// end are drawn again. Refused (nullopt) at kMaxSubPaths SubPaths.
std::optional<std::size_t> insertSubPath(TMPLS& model, std::optional<std::size_t> selected);

struct SubPathDeletion {
    std::uint32_t removedBytes = 0;  // the SubPath with its length field
    // The row to select and show next (the one above, or the first); nullopt when
    // no SubPath remains, and the SubPath and SubPlayItem grids are reset.
    std::optional<std::size_t> selectRow;
};
// bbSPdelClick: the SubPath at `row`; refused (nullopt) when there is no such row.
// References to SubPaths in stream entries are left as they are.
std::optional<SubPathDeletion> deleteSubPath(TMPLS& model, std::size_t row);

// What the SubPath controls show for a SubPath (sgSubPathClick).
struct SubPathEditorView {
    int typeIndex = -1;           // cbSubPathType: the type, -1 beyond the list
    int repeatIndex = -1;         // cbSPrepeat: the repeat word when 0 or 1, else -1
    bool repeatEnabled = false;   // only type 2 repeats
    std::string_view typeHint;    // setSPThint of the type ("" beyond the list)
};
std::optional<SubPathEditorView> showSubPath(const TMPLS& model, std::size_t subPath);

// cbSubPathTypeChange: the type := item (0..7). Every type but 2 clears the
// repeat word. The SubPath's row and editor are drawn again. False (no change)
// without such a SubPath or for an item outside the list.
bool setSubPathType(TMPLS& model, std::size_t subPath, int item);
// cbSPrepeatChange: the repeat word := item (0 "No" or 1 "Yes").
bool setSubPathRepeat(TMPLS& model, std::size_t subPath, int item);

}  // namespace navelo
