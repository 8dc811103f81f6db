// `show mpls`: what the PlayList tab shows after reading one PlayList.
#include <cstdio>
#include <filesystem>

#include "cli/grid_output.h"
#include "cli/verbs.h"
#include "core/field_reader.h"
#include "playlist/playlist_file.h"
#include "playlist/playlist_rows.h"

namespace navelo::cli {
namespace fs = std::filesystem;

int runShowMpls(const std::string& dir, const std::string& name, const CommonOptions& options) {
    auto in = FieldReader::open(fs::path(dir) / "PLAYLIST" / (name + ".mpls"));
    if (!in) {
        printError(in.error().message);
        return 1;
    }
    auto read = readPlayList(*in);
    if (!read) {
        printError(read.error().message);
        return 1;
    }
    // A PlayList cut short is not shown in part: it could not be saved either.
    if (read->truncated) {
        printError(read->truncated->describe());
        return 1;
    }
    const TMPLS& m = read->model;

    ShowOutput out(options.json);
    // A fresh window's list starts on its first item, which types 0 and 1 leave selected.
    out.label("cbAIpbt", playbackTypeItemText(playbackTypeSelection(m.AppInfoPlayList.PlayList_playback_type, 0)));
    out.label("ieAIpbc", playbackCountText(m));
    out.label("heAIUO", uoMaskText(m.AppInfoPlayList.UO_mask_table.word1));
    out.label("heAIUO2", uoMaskText(m.AppInfoPlayList.UO_mask_table.word2));
    out.grid(playItemGrid(m));
    const auto& items = m.PlayList.PlayItems;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (showsAngleGrid(items[i])) out.grid(angleGrid(items[i]), std::to_string(i));
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TSTN& stn = items[i].STN_table;
        out.grid(stnGrid(stn), std::to_string(i));
        for (StreamKind kind : kStreamKinds) {
            if (streamKindItems(stn, kind).empty()) continue;
            out.grid(streamEntryGrid(stn, kind), std::to_string(i) + " " + std::string(streamKindHeader(kind)));
        }
    }
    out.grid(subPathGrid(m));
    const auto& paths = m.PlayList.SubPaths;
    for (std::size_t j = 0; j < paths.size(); ++j) out.grid(subPlayItemGrid(paths[j]), std::to_string(j));
    for (std::size_t j = 0; j < paths.size(); ++j) {
        for (std::size_t k = 0; k < paths[j].SubPlayItems.size(); ++k) {
            const TSubPlayItem& s = paths[j].SubPlayItems[k];
            if (showsClipEntryGrid(s)) out.grid(clipEntryGrid(s), std::to_string(j) + " " + std::to_string(k));
        }
    }
    out.grid(playListMarkGrid(m));
    out.label("lMExtDat", extensionDataCaption(m));
    out.print(stdout);
    return 0;
}

}  // namespace navelo::cli
