#include <gtest/gtest.h>

#include "core/field_reader.h"
#include "navigation/index_file.h"
#include "navigation/navigation_rows.h"
#include "support/disc_builder.h"

using namespace navelo;
using namespace navelo::test;

namespace {

Expected<IndexRead> read(const std::vector<std::uint8_t>& bytes, std::optional<std::size_t> objects = std::nullopt) {
    FieldReader in(kIndexFileName, bytes);
    return readIndex(in, objects);
}

}  // namespace

TEST(IndexFile, TitleRowsLabelsAndRoundTrip) {
    IndexLayout s;
    s.provider = "Provider";
    s.topMenu = {1, 0, 0, kNoObject, {}};
    s.titles = {{1, 1, 0, 3, {}}, {2, 2, 2, 0, "00001"}, {1, 3, 1, 0, {}}};
    s.extension = extensionBlock({9, 9, 9, 9});
    const auto bytes = indexFile(s);
    auto r = read(bytes, 5);
    ASSERT_TRUE(r.ok());
    const std::vector<std::vector<std::string>> rows = {{"001", "HDMV", "Permitted", "Movie", "3"},
                                                        {"002", "BD-J", "Prohibited1", "", "00001"},
                                                        {"003", "HDMV", "Prohibited2", "Interactive", "0"}};
    EXPECT_EQ(titleGrid(r->model).rows, rows);
    EXPECT_EQ(titleCountLabel(r->model), "3 + 1 titles");
    EXPECT_EQ(r->model.content_provider_user_data, "Provider");
    EXPECT_EQ(ExtDatCap(r->model.extension), "1 entry, 28 bytes");
    // Access type 1 and playback type 2 are written back as read.
    EXPECT_EQ(writeIndex(r->model), bytes);
}

TEST(IndexFile, FirstPlaybackAndTopMenuReferences) {
    IndexLayout s;
    s.firstPlayback = {1, 0, 0, 7, {}};
    s.topMenu = {1, 0, 0, kNoObject, {}};
    const auto bytes = indexFile(s);
    auto loaded = read(bytes, 5);
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded->model.indexes.FirstPlayback.mobj_id_ref, kNoObject);  // beyond the 5 objects
    EXPECT_FALSE(loaded->model.indexes.TopMenu.isOn());
    EXPECT_EQ(titleCountLabel(loaded->model), "0 titles");
    auto lone = read(bytes);
    EXPECT_EQ(lone->model.indexes.FirstPlayback.mobj_id_ref, 7);
    EXPECT_EQ(writeIndex(lone->model), bytes);
}

TEST(IndexFile, TitleCountLimit) {
    IndexLayout s;
    s.titles.assign(999, EntryLayout{});
    auto ok = read(indexFile(s));
    ASSERT_TRUE(ok.ok());
    EXPECT_FALSE(ok->titleCountError);
    EXPECT_EQ(ok->model.indexes.Titles.size(), 999u);

    s.titles.assign(1000, EntryLayout{});
    auto over = read(indexFile(s));
    ASSERT_TRUE(over.ok());
    EXPECT_EQ(over->titleCountError, 1000u);
    EXPECT_TRUE(over->model.indexes.Titles.empty());
    EXPECT_EQ(over->model.indexes.number_of_Titles, 0);
}

TEST(IndexFile, HeaderMismatchAndTruncation) {
    for (const char* header : {"INDX0400", "MOBJ0200", "indx0200"}) {
        ByteBuilder b;
        b.text(header).zeros(100);
        auto r = read(b.bytes());
        ASSERT_FALSE(r.ok()) << header;
        EXPECT_EQ(r.error().message, "index.bdmv format error at $00000008");
    }
    IndexLayout s;
    s.titleCountField = 999;  // announces far more titles than the file holds
    auto r = read(indexFile(s));
    ASSERT_TRUE(r.ok());
    ASSERT_TRUE(r->truncated);
    EXPECT_EQ(r->truncated->message, "index.bdmv ends before its last title");
}

TEST(IndexFile, IndexesPlacedLaterKeepTheirGap) {
    IndexLayout s;
    s.titles = {{}};
    auto bytes = indexFile(s);
    bytes.insert(bytes.begin() + 78, 6, 0xEE);
    ByteBuilder b;
    b.raw(bytes).patch32(8, 84);
    auto r = read(b.bytes());
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->model.indexes.Titles.size(), 1u);
    EXPECT_EQ(writeIndex(r->model), b.bytes());
}
