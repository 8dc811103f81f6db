#pragma once
// Reading and writing PlayList files (PLAYLIST/xxxxx.mpls).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"
#include "playlist/playlist_model.h"

namespace navelo {

class FieldReader;

struct PlayListRead {
    TMPLS model;
    // Set when the file ends before the structure its counts and lengths
    // announce. Reading stops there: the lists hold the records read in full
    // before that point while the counts stay as read. Such a model may be
    // shown, but it is not a PlayList to save.
    std::optional<Error> truncated;
};

// A wrong type indicator or version is an Error whose message is
// "Invalid format: " + name + ".mpls" (name: the file name without extension).
// A start address at or beyond the end of the file is an Error too: nothing
// of that block could be read.
Expected<PlayListRead> readPlayList(FieldReader& in);

// The file's bytes as the PlayList writer lays them out. The writer writes the
// lengths, counts and start addresses the model holds; it refuses (and writes
// nothing) a model from which it could only produce a cut-off or overrun
// file: a count that disagrees with its list, an AppInfoPlayList, PlayList or
// PlayListMark length smaller than its content, or a size beyond what a
// structure file may have.
Expected<std::vector<std::uint8_t>> writePlayList(const TMPLS& model);

// ---- Log texts of reading and saving ----
std::string invalidPlayListMessage(std::string_view name);   // "Invalid format: 00001.mpls"
std::string readingPlayListMessage(std::string_view name);   // "Reading [bl]00001.mpls[/bl]"
std::string savingPlayListMessage(std::string_view name);    // "Saving 00001.mpls"
// "[b]3[/b] PlayItem(s), [b]0[/b] SubPath(s) and [b]5[/b] PlayListMark(s) found."
std::string playListFoundMessage(const TMPLS& model);

}  // namespace navelo
