// Every real index.bdmv and MovieObject.bdmv of the shared disc corpus reads,
// renders and is written back byte for byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/field_reader.h"
#include "navigation/index_file.h"
#include "navigation/movie_object.h"
#include "navigation/navigation_rows.h"
#include "support/test_paths.h"

using namespace navelo;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> corpusFiles(const std::string& name) {
    std::vector<fs::path> out;
    const fs::path root = test::corpusDir();
    if (root.empty()) return out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (e.is_regular_file() && e.path().filename() == name) out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

TEST(Corpus, MovieObjectsRenderAndRoundTrip) {
    NAVELO_REQUIRE_CORPUS();
    const auto files = corpusFiles(kMovieObjectFileName);
    ASSERT_FALSE(files.empty());
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        auto in = FieldReader::open(path);
        ASSERT_TRUE(in.ok());
        auto read = readMovieObject(*in);
        ASSERT_TRUE(read.ok()) << read.error().describe();
        EXPECT_FALSE(read->truncated);
        EXPECT_EQ(read->model.objects.length, movieObjectsContentLength(read->model.objects));
        for (const auto& object : read->model.objects.mobjs) {
            const auto grid = commandGrid(object, CommandContext::MovieObject);
            ASSERT_EQ(grid.rows.size(), object.navigation_commands.size());
            for (const auto& row : grid.rows) EXPECT_FALSE(row[4].empty() && row[1] != "00000000") << row[1];
        }
        const auto again = writeMovieObject(read->model);
        EXPECT_TRUE(std::equal(again.begin(), again.end(), in->bytes().begin(), in->bytes().end()));
    }
}

TEST(Corpus, IndexFilesRenderAndRoundTrip) {
    NAVELO_REQUIRE_CORPUS();
    const auto files = corpusFiles(kIndexFileName);
    ASSERT_FALSE(files.empty());
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        auto in = FieldReader::open(path);
        ASSERT_TRUE(in.ok());
        auto read = readIndex(*in, std::nullopt);
        ASSERT_TRUE(read.ok()) << read.error().describe();
        EXPECT_FALSE(read->titleCountError);
        EXPECT_FALSE(read->truncated);
        EXPECT_EQ(titleGrid(read->model).rows.size(), read->model.indexes.number_of_Titles);
        const auto again = writeIndex(read->model);
        EXPECT_TRUE(std::equal(again.begin(), again.end(), in->bytes().begin(), in->bytes().end()));
    }
}

TEST(Corpus, KnownDiscFacts) {
    NAVELO_REQUIRE_CORPUS();
    const fs::path discs = test::corpusDir() / "discs";
    // bdj-sdk: an old index version with ExtensionData, one BD-J title.
    auto in = FieldReader::open(discs / "bdj-sdk/BDMV/index.bdmv");
    ASSERT_TRUE(in.ok());
    auto index = readIndex(*in, 2);
    ASSERT_TRUE(index.ok());
    EXPECT_EQ(titleGrid(index->model).rows.at(0).at(1), "BD-J");
    EXPECT_EQ(titleGrid(index->model).rows.at(0).at(4), "00000");
    EXPECT_EQ(index->model.extension.number_of_ext_data_entries, 1);
    // bluback: first playback names object 3 of only 3 objects and turns off after a load.
    auto blu = FieldReader::open(discs / "bluback/BDMV/index.bdmv");
    ASSERT_TRUE(blu.ok());
    auto bluIndex = readIndex(*blu, 3);
    ASSERT_TRUE(bluIndex.ok());
    EXPECT_EQ(bluIndex->model.indexes.FirstPlayback.mobj_id_ref, kNoObject);
    EXPECT_EQ(bluIndex->model.indexes.TopMenu.object_type, 0);
}
