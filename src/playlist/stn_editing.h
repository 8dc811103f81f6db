#pragma once
// Editing of a PlayItem's STN table: stream items of every kind inserted and
// deleted, and the entry and attribute fields of one item edited, as pure
// operations on TMPLS. Insertions and deletions move the STN, PlayItem and
// PlayList lengths and the start addresses behind the PlayList by the bytes of
// the item.
//
// Every edit leaves the model as the file will hold it: a field the entry's
// stream_type (or the attributes' coding class) does not carry is not kept,
// because the writer would not write it.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "playlist/playlist_model.h"
#include "playlist/playlist_rows.h"

namespace navelo {

// One stream item: PlayItem index, kind (a column of sgSTN) and row of the kind's list.
struct StreamRef {
    std::size_t playItem = 0;
    StreamKind kind = StreamKind::PrimaryVideo;
    std::size_t row = 0;
};

// ---- Insert and delete ----

// The largest counts an insertion reaches. A PlayItem has at most one primary
// video stream; PG/textST and PiP PG/textST share one list of at most 255.
inline constexpr std::size_t kMaxPrimaryVideoStreams = 1;
inline constexpr std::size_t kMaxAudioStreams = 32;       // primary and secondary audio
inline constexpr std::size_t kMaxIGStreams = 32;
inline constexpr std::size_t kMaxSecondaryVideoStreams = 32;
inline constexpr std::size_t kMaxPGStreams = 255;          // PG/textST, and PG/textST + PiP PG/textST

// What an insertion of the kind adds: the defaults of a new item.
TStreamItem newStreamItem(StreamKind kind);

// Whether "+" and "-" act for the kind (the buttons' enabled state); for every
// kind, also one without items.
struct StnButtons {
    bool insert = false;
    bool remove = false;
    bool operator==(const StnButtons&) const = default;
};
StnButtons stnButtons(const TSTN& stn, StreamKind kind);

// bbInsSTNClick: a new item of the kind right after the selected row (at the
// end when nothing is selected, row 0 for the first). Returns its row, which
// is selected and loaded; the kind's rows from there on and the count grid are
// drawn again. Refused (nullopt) when stnButtons says no insert, without such
// a PlayItem, or when the PlayItem would outgrow its 16-bit length.
std::optional<std::size_t> insertStream(TMPLS& model, std::size_t playItem, StreamKind kind,
                                        std::optional<std::size_t> selected);

struct StreamDeletion {
    std::uint32_t removedBytes = 0;
    // The row to select and load next (the one above, or the first); nullopt
    // when the kind has no item left and the editing controls are hidden.
    std::optional<std::size_t> selectRow;
};
// The delete button: the item at ref. Refused (nullopt) when stnButtons says no
// delete or there is no such item. References held by secondary items (stream
// numbers) are not renumbered.
std::optional<StreamDeletion> deleteStream(TMPLS& model, const StreamRef& ref);

// ---- Showing one item (sgStreamEntryClick) ----

struct StreamEditorView {
    bool shown = false;  // false: no such item, every editing control is hidden
    int entryTypeIndex = -1;  // coEntryType: the stream_type, -1 beyond the list
    bool mainPidShown = false, subPathShown = false, subClipShown = false, subPidShown = false;
    std::uint16_t mainPid = 0;  // heMainPID
    std::uint8_t subPath = 0;   // ieSubPath
    std::uint8_t subClip = 0;   // ieSubClip
    std::uint16_t subPid = 0;   // heSubPID
    bool videoShown = false;    // coVideo, coResol, coFrmRate
    // coVideo: nullopt for a coding type without an item, which leaves the list as it was.
    std::optional<int> videoCodingIndex;
    int videoFormatIndex = -1, frameRateIndex = -1;
    bool audioShown = false;    // coAudio, coAuType, coFreq
    int audioCodingIndex = -1, presentationIndex = -1, frequencyIndex = -1;
    bool languageShown = false;  // coLang
    int languageIndex = -1;      // getlangind of the code, -1 when not in the list
};
StreamEditorView showStream(const TMPLS& model, const StreamRef& ref);

// ---- Field edits; false (no change) without such an item or when the edit
// does not apply to it. The caller redraws the kind's rows and reloads the item. ----

// coEntryType: stream_type := item (0..3); the fields the new type does not
// carry are cleared, the others kept.
bool setStreamEntryType(TMPLS& model, const StreamRef& ref, int item);
// heMainPIDExit / heSubPIDExit: the low 16 bits. The main PID belongs to types 1
// and 3, the sub-clip PID to type 2.
bool setStreamMainPid(TMPLS& model, const StreamRef& ref, std::uint32_t value);
bool setStreamSubPid(TMPLS& model, const StreamRef& ref, std::uint32_t value);
// ieSubPathExit / ieSubClipExit: the low 8 bits. The SubPath id belongs to types
// 2 and 3, the subClip entry id to type 2.
bool setStreamSubPathId(TMPLS& model, const StreamRef& ref, std::int64_t value);
bool setStreamSubClipId(TMPLS& model, const StreamRef& ref, std::int64_t value);

// Video kinds (primary and secondary video). coVideo sets the coding type of the
// item (0x02, 0x1B, 0xEA); coResol and coFrmRate need a video coding type.
bool setVideoCoding(TMPLS& model, const StreamRef& ref, int item);
bool setVideoFormat(TMPLS& model, const StreamRef& ref, int item);  // 0..7
bool setFrameRate(TMPLS& model, const StreamRef& ref, int item);    // 0..7
// Audio kinds (primary and secondary audio). coAudio by the list's mapping;
// coAuType and coFreq need an audio coding type.
bool setAudioCoding(TMPLS& model, const StreamRef& ref, int item);
bool setAudioPresentation(TMPLS& model, const StreamRef& ref, int item);  // 0..12
bool setSamplingFrequency(TMPLS& model, const StreamRef& ref, int item);  // 0..14
// coLangCloseUp: the code of language list item `item`; every kind but video,
// for an item whose coding class carries a language.
bool setStreamLanguage(TMPLS& model, const StreamRef& ref, int item);

}  // namespace navelo
