#include <gtest/gtest.h>

#include "core/field_reader.h"
#include "navigation/movie_object.h"
#include "navigation/navigation_rows.h"
#include "support/disc_builder.h"

using namespace navelo;
using namespace navelo::test;

namespace {

Expected<MovieObjectRead> read(const std::vector<std::uint8_t>& bytes) {
    FieldReader in(kMovieObjectFileName, bytes);
    return readMovieObject(in);
}

std::vector<CommandWords> nops(std::size_t n) { return std::vector<CommandWords>(n, CommandWords{0x20810000, 5, 0}); }

}  // namespace

TEST(MovieObject, ReadsObjectsRowsAndLengthAndWritesThemBack) {
    const auto bytes = movieObjectFile({{0xA000, nops(2)}, {0, {}}, {0x4000, nops(5)}});
    auto r = read(bytes);
    ASSERT_TRUE(r.ok());
    const TMOBJ& m = r->model;
    EXPECT_FALSE(r->truncated);
    EXPECT_EQ(m.objects.length, 102u);
    EXPECT_EQ(movieObjectsContentLength(m.objects), 102u);
    const auto grid = objectGrid(m);
    const std::vector<std::vector<std::string>> rows = {{"000", "suspend", "enable", "disable", "2"},
                                                        {"001", "discard", "enable", "enable", "0"},
                                                        {"002", "discard", "disable", "enable", "5"}};
    EXPECT_EQ(grid.rows, rows);
    EXPECT_EQ(objectCountLabel(m), "3 objects");
    EXPECT_EQ(writeMovieObject(m), bytes);
}

TEST(MovieObject, ExtensionDataAndPaddingRoundTrip) {
    const auto ext = extensionBlock({1, 2, 3, 4, 5, 6, 7, 8});
    auto bytes = movieObjectFile({{0, nops(1)}}, ext);
    auto r = read(bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(ExtDatCap(r->model.extension), "1 entry, 32 bytes");
    EXPECT_EQ(writeMovieObject(r->model), bytes);

    // Padding after the last object, with ExtensionData() placed further on.
    auto padded = movieObjectFile({{0, nops(1)}});
    padded.insert(padded.end(), 16, 0);
    const auto extAt = static_cast<std::uint32_t>(padded.size());
    padded.insert(padded.end(), ext.begin(), ext.end());
    ByteBuilder fix;
    fix.raw(padded).patch32(8, extAt);
    auto p = read(fix.bytes());
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p->model.extension.entries.size(), 1u);
    EXPECT_EQ(writeMovieObject(p->model), fix.bytes());
}

TEST(MovieObject, WrongTypeOrVersionIsAFormatError) {
    for (const auto& bytes : {movieObjectFile({}, {}, "0400"), std::vector<std::uint8_t>{'I', 'N', 'D', 'X', '0', '2', '0', '0'},
                              std::vector<std::uint8_t>{}}) {
        auto r = read(bytes);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error().message, "Format error MovieObject.bdmv");
    }
}

TEST(MovieObject, TruncatedFilesKeepWhatTheyHoldAndSaySo) {
    auto full = movieObjectFile({{0, nops(3)}, {0x8000, nops(2)}});
    struct Case {
        std::size_t keep;
        const char* path;
    };
    // Cut inside object 0's commands, right after object 0, inside a command and before any object.
    for (const Case c : {Case{50 + 4 + 12 * 2, "MovieObjects/mobj[0]/command[2]"}, Case{50 + 4 + 36, "MovieObjects/mobj[1]"},
                         Case{50 + 4 + 12 + 5, "MovieObjects/mobj[0]/command[1]"}, Case{50, "MovieObjects/mobj[0]"}}) {
        std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(c.keep));
        auto r = read(cut);
        ASSERT_TRUE(r.ok());
        ASSERT_TRUE(r->truncated) << c.keep;
        EXPECT_EQ(r->truncated->path, c.path);
        EXPECT_EQ(r->model.objects.mobjs.size(), 2u);  // the announced count, missing parts empty
    }
}

TEST(MovieObject, AbsurdCountsDoNotOutgrowTheFile) {
    ByteBuilder b;
    b.text("MOBJ0200").u32(0).zeros(28).u32(0xFFFFFFFF).u32(0).u16(0xFFFF).u16(0).u16(0xFFFF).u32(0x20810000);
    auto r = read(b.bytes());
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r->truncated);
    EXPECT_EQ(r->model.objects.mobjs.size(), 0xFFFFu);
    // Only the object where the file ended carries its announced (zero) commands.
    EXPECT_EQ(r->model.objects.mobjs[0].navigation_commands.size(), 0xFFFFu);
    EXPECT_TRUE(r->model.objects.mobjs[1].navigation_commands.empty());
}
