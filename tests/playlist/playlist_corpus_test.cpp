// Every real PlayList of the shared disc corpus reads, renders every grid and
// is written back byte for byte; the deliberately broken one is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "core/field_reader.h"
#include "playlist/playlist_file.h"
#include "playlist/playlist_rows.h"
#include "support/test_paths.h"

using namespace navelo;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> corpusPlayLists() {
    std::vector<fs::path> out;
    const fs::path root = test::corpusDir();
    if (root.empty()) return out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (e.is_regular_file() && e.path().extension() == ".mpls") out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

PlayListRead readCorpusFile(const fs::path& relative) {
    auto in = FieldReader::open(test::corpusDir() / relative);
    EXPECT_TRUE(in.ok());
    if (!in) return {};
    auto read = readPlayList(*in);
    EXPECT_TRUE(read.ok() && !read->truncated) << relative;
    return read.ok() ? *read : PlayListRead{};
}

}  // namespace

TEST(PlayListCorpus, ReadRenderAndWriteBack) {
    NAVELO_REQUIRE_CORPUS();
    const auto files = corpusPlayLists();
    ASSERT_GT(files.size(), 200u);
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        auto in = FieldReader::open(path);
        ASSERT_TRUE(in.ok());
        auto read = readPlayList(*in);
        if (path.filename() == "00001_Invalid.mpls") {
            ASSERT_FALSE(read.ok());
            EXPECT_EQ(read.error().message,
                      "PlayList_start_address $52202020 lies beyond the end of 00001_Invalid.mpls (1154 bytes)");
            continue;
        }
        ASSERT_TRUE(read.ok()) << read.error().describe();
        ASSERT_FALSE(read->truncated) << read->truncated->describe();
        const TMPLS& m = read->model;

        // Every grid, with one row per record.
        EXPECT_EQ(playItemGrid(m).rows.size(), m.PlayList.number_of_PlayItems);
        for (const auto& p : m.PlayList.PlayItems) {
            EXPECT_EQ(p.length, playItemContentLength(p));
            if (showsAngleGrid(p)) {
                EXPECT_EQ(angleGrid(p).rows.size(), p.multi_clip.number_of_angles);
            }
            const auto counts = stnGrid(p.STN_table).rows.at(0);
            for (std::size_t k = 0; k < kStreamKinds.size(); ++k) {
                const auto grid = streamEntryGrid(p.STN_table, kStreamKinds[k]);
                EXPECT_EQ(std::to_string(grid.rows.size()), counts[k]);
                for (const auto& row : grid.rows) EXPECT_FALSE(row[1].empty()) << "stream type without a name";
            }
        }
        EXPECT_EQ(subPathGrid(m).rows.size(), m.PlayList.number_of_SubPaths);
        for (const auto& sp : m.PlayList.SubPaths) {
            EXPECT_EQ(subPlayItemGrid(sp).rows.size(), sp.number_of_SubPlayItems);
            for (const auto& s : sp.SubPlayItems) {
                if (showsClipEntryGrid(s)) {
                    EXPECT_EQ(clipEntryGrid(s).rows.size(), s.number_of_Clip_entries);
                }
            }
        }
        EXPECT_EQ(playListMarkGrid(m).rows.size(), m.PlayListMark.number_of_PlayList_marks);
        EXPECT_EQ(m.PlayList.length, playListContentLength(m.PlayList));
        EXPECT_EQ(m.PlayListMark.length, playListMarkContentLength(m.PlayListMark));

        auto written = writePlayList(m);
        ASSERT_TRUE(written.ok()) << written.error().describe();
        const auto original = in->bytes();
        const auto mismatch = std::mismatch(written->begin(), written->end(), original.begin(), original.end());
        EXPECT_TRUE(mismatch.first == written->end() && mismatch.second == original.end())
            << "differs at " << (mismatch.first - written->begin()) << " of " << original.size();
    }
}

TEST(PlayListCorpus, KnownPlayLists) {
    NAVELO_REQUIRE_CORPUS();
    // Four angles on several PlayItems, many audio and PG streams.
    const auto angles = readCorpusFile("files/chaptertool/Mpls/00800_4Angle.mpls");
    const auto& pis = angles.model.PlayList.PlayItems;
    EXPECT_EQ(pis.size(), 37u);
    EXPECT_EQ(angles.model.PlayListMark.marks.size(), 64u);
    EXPECT_TRUE(std::any_of(pis.begin(), pis.end(), [](const TPlayItem& p) { return p.multi_clip.angles.size() == 4; }));

    // Picture-in-picture: a SubPath of type 7, secondary audio and video, ExtensionData.
    const auto pip = readCorpusFile("files/chaptertool/Mpls/00020_Terminator2.mpls");
    EXPECT_EQ(subPathGrid(pip.model).rows.at(0).at(1), "IM Sync");
    const TSTN& stn = pip.model.PlayList.PlayItems.at(0).STN_table;
    EXPECT_EQ(stnGrid(stn).rows.at(0), (std::vector<std::string>{"1", "7", "15", "0", "1", "1", "0"}));
    EXPECT_EQ(streamEntryGrid(stn, StreamKind::SecondaryVideo).rows.at(0),
              (std::vector<std::string>{"001", "IM PIP", "1B00", "00", "", "", "VC1, 480p, 23.976"}));
    EXPECT_EQ(extensionDataCaption(pip.model), "1 entry, 1278 bytes");

    // Ultra HD: version 0300 with HEVC video, whose attribute bytes are kept as read.
    const auto uhd = readCorpusFile("files/tchapter/MPLS/00001-UHD.mpls");
    EXPECT_EQ(uhd.model.version_number, "0300");
    EXPECT_EQ(uhd.model.PlayList.PlayItems.at(0).STN_table.primary_video.at(0).attributes.stream_coding_type, 0x24);

    // Link points, and zero padding after the marks that is written back.
    const auto link = readCorpusFile("files/chaptertool/Mpls/00001_LinkPoint.mpls");
    const auto marks = playListMarkGrid(link.model).rows;
    EXPECT_TRUE(std::any_of(marks.begin(), marks.end(), [](const auto& r) { return r.at(1) == "link point"; }));
    const auto padded = readCorpusFile("files/chaptertool/Mpls/00003_Padding_Zero.mpls");
    EXPECT_EQ(padded.model.trailing.size(), 1542u);
}
