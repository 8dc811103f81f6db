#pragma once
// The exact cell, header and field texts of the PlayList tab's views.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "navigation/navigation_rows.h"
#include "playlist/playlist_model.h"

namespace navelo {

// The stream kinds in the column order of sgSTN (not the file order).
enum class StreamKind : std::uint8_t { PrimaryVideo, PrimaryAudio, PG_textST, IG, SecondaryVideo, SecondaryAudio, PiP_PG_textST };
inline constexpr std::array<StreamKind, 7> kStreamKinds = {
    StreamKind::PrimaryVideo,   StreamKind::PrimaryAudio,   StreamKind::PG_textST,    StreamKind::IG,
    StreamKind::SecondaryVideo, StreamKind::SecondaryAudio, StreamKind::PiP_PG_textST};

inline constexpr std::array<std::string_view, 9> kPlayItemGridHeader = {"",         "file", "type", "IN time", "OUT time",
                                                                         "length", "UO1",  "UO2",  "An"};
inline constexpr std::array<std::string_view, 4> kClipRefGridHeader = {"", "file", "type", "STC"};
inline constexpr std::array<std::string_view, 7> kSTNGridHeader = {"Vi", "Au", "PG", "IG", "sV", "sA", "PIP"};
inline constexpr std::array<std::string_view, 7> kStreamEntryGridHeader = {"", "type", "mPID", "SPid", "sCid", "sPID", "attrib"};
inline constexpr std::array<std::string_view, 4> kSubPathGridHeader = {"", "type", "repeat", "item"};
inline constexpr std::array<std::string_view, 11> kSubPlayItemGridHeader = {
    "", "file", "type", "conn", "multi", "STC", "IN time", "OUT time", "sync PI", "sync PTS", "An"};
inline constexpr std::array<std::string_view, 6> kPlayListMarkGridHeader = {"",          "type",      "PI",
                                                                             "mark time", "entry PID", "duration"};
// Items of cbAIpbt; item i stands for PlayList_playback_type i + 1.
inline constexpr std::array<std::string_view, 3> kPlayListPlaybackTypeItems = {"Sequential", "Random", "Shuffle"};

// ---- Stream kinds ----
std::string_view streamKindHeader(StreamKind kind);  // "Vi", "Au", ...
// The kind's count field.
std::size_t streamKindCount(const TSTN& stn, StreamKind kind);
// The kind's items in list order (PiP PG/textST: the shared PG list after the PG/textST items).
std::vector<const TStreamItem*> streamKindItems(const TSTN& stn, StreamKind kind);

// ---- Rows; index counts from 0 ----
std::vector<std::string> playItemRow(std::size_t index, const TPlayItem& item);
// A row of sgPIangles or sgAngles: entry index + 1, name, codec identifier, STC id.
std::vector<std::string> clipRefRow(std::size_t index, const TClipRef& clip);
// A row of sgStreamEntry: numbered index + 1.
std::vector<std::string> streamEntryRow(std::size_t index, StreamKind kind, const TStreamItem& item);
// The "attrib" cell.
std::string streamAttributesText(StreamKind kind, const TStreamAttributes& attributes);
std::vector<std::string> subPathRow(std::size_t index, const TSubPath& subPath);
std::vector<std::string> subPlayItemRow(std::size_t index, const TSubPlayItem& item);
std::vector<std::string> playListMarkRow(std::size_t index, const TMark& mark);

// ---- Grids ----
GridText playItemGrid(const TMPLS& model);                         // sgPLitem
GridText angleGrid(const TPlayItem& item);                          // sgPIangles
GridText stnGrid(const TSTN& stn);                                  // sgSTN
GridText streamEntryGrid(const TSTN& stn, StreamKind kind);         // sgStreamEntry
GridText subPathGrid(const TMPLS& model);                           // sgSubPath
GridText subPlayItemGrid(const TSubPath& subPath);                  // sgSubPlayItem
GridText clipEntryGrid(const TSubPlayItem& item);                   // sgAngles
GridText playListMarkGrid(const TMPLS& model);                      // sgPlayListMark

// The angle grid is shown while the PlayItem is multi-angle, the clip entry
// grid while the SubPlayItem has clip entries.
bool showsAngleGrid(const TPlayItem& item);
bool showsClipEntryGrid(const TSubPlayItem& item);

// ---- AppInfoPlayList and ExtensionData fields ----
// The item cbAIpbt shows after a read: types 2 and 3 select "Random" and
// "Shuffle"; types 0 and 1 leave the current item selected (the list starts
// on "Sequential"); any larger type selects nothing (-1).
int playbackTypeSelection(std::uint8_t playbackType, int currentItem);
// The text of a cbAIpbt item, "" for no selection.
std::string playbackTypeItemText(int item);
std::string playbackCountText(const TMPLS& model);           // ieAIpbc
std::string uoMaskText(std::uint32_t word);                  // heAIUO, heAIUO2, the UO cells: 8 hex digits
std::string extensionDataCaption(const TMPLS& model);        // lMExtDat

// ---- PlayList list and reading ----
std::string savePlayListHint(std::string_view name);  // "Save 00001.mpls"
// The status panel 1 texts "position/size" a read shows while it works through
// the file: one per PlayItem, SubPath and mark, each at the place where that
// record starts.
std::vector<std::string> playListReadProgress(const TMPLS& model, std::uint64_t fileSize);

}  // namespace navelo
