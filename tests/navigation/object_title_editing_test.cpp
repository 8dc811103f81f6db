// Movie object, title, first playback and top menu editing on the models.
#include <gtest/gtest.h>

#include "core/field_reader.h"
#include "navigation/index_file.h"
#include "navigation/movie_object.h"
#include "navigation/navigation_rows.h"
#include "navigation/object_title_editing.h"
#include "support/disc_builder.h"
#include "support/recording_sink.h"

using namespace navelo;
using namespace navelo::test;

namespace {

TMOBJ objectsWith(const std::vector<std::size_t>& commandCounts, bool extension = true) {
    std::vector<ObjectLayout> layouts;
    for (const auto n : commandCounts) layouts.push_back({0, std::vector<CommandWords>(n, CommandWords{0x20810000, 0, 0})});
    const auto bytes = movieObjectFile(layouts, extension ? extensionBlock({9, 9}) : std::vector<std::uint8_t>{});
    FieldReader in(kMovieObjectFileName, bytes);
    auto read = readMovieObject(in);
    EXPECT_TRUE(read.ok());
    return read->model;
}

TINDX indexWith(const std::vector<EntryLayout>& titles, EntryLayout topMenu = {1, 0, 0, 0, {}}, bool extension = true) {
    IndexLayout layout;
    layout.titles = titles;
    layout.topMenu = topMenu;
    if (extension) layout.extension = extensionBlock({7, 7, 7});
    const auto bytes = indexFile(layout);
    FieldReader in(kIndexFileName, bytes);
    auto read = readIndex(in, std::nullopt);
    EXPECT_TRUE(read.ok());
    return read->model;
}

EntryLayout hdmv(std::uint16_t object) { return {1, 0, 0, object, {}}; }
EntryLayout bdj(const std::string& name) { return {2, 0, 0, 0, name}; }

void expectConsistent(const TMOBJ& m) {
    EXPECT_EQ(m.objects.number_of_mobjs, m.objects.mobjs.size());
    EXPECT_EQ(m.objects.length, movieObjectsContentLength(m.objects));
    if (m.ExtensionData_start_address != 0) {
        EXPECT_EQ(m.ExtensionData_start_address, 44 + m.objects.length);
    }
}

void expectConsistent(const TINDX& m) {
    const auto& x = m.indexes;
    EXPECT_EQ(x.number_of_Titles, x.Titles.size());
    EXPECT_EQ(x.length, 26 + 12 * x.Titles.size());
    for (std::size_t i = 0; i < x.Titles.size(); ++i) EXPECT_EQ(x.Titles[i].title_number, static_cast<int>(i + 1));
    if (m.ExtensionData_start_address != 0) {
        EXPECT_EQ(m.ExtensionData_start_address, m.Indexes_start_address + 4 + x.length);
    }
}

std::vector<std::uint16_t> references(const TINDX& m) {
    std::vector<std::uint16_t> out;
    for (const auto& t : m.indexes.Titles) out.push_back(t.mobj_id_ref);
    return out;
}

}  // namespace

TEST(ObjectEditing, FlagsInsertAndTheEmptyFile) {
    TMOBJ m = objectsWith({1, 0, 2});
    EXPECT_TRUE(setObjectFlag(m, 1, ObjectFlag::Resume, 1));
    EXPECT_TRUE(setObjectFlag(m, 1, ObjectFlag::TitleSearch, 1));
    EXPECT_TRUE(setObjectFlag(m, 2, ObjectFlag::MenuCall, 1));
    EXPECT_FALSE(setObjectFlag(m, 3, ObjectFlag::MenuCall, 1));
    EXPECT_FALSE(setObjectFlag(m, 0, ObjectFlag::MenuCall, 2));
    EXPECT_EQ(objectRow(1, m.objects.mobjs[1]), (std::vector<std::string>{"001", "suspend", "enable", "disable", "0"}));
    EXPECT_EQ(objectRow(2, m.objects.mobjs[2]), (std::vector<std::string>{"002", "discard", "disable", "enable", "2"}));

    const auto length = m.objects.length;
    EXPECT_EQ(insertMovieObject(m, 1), 2u);
    EXPECT_EQ(m.objects.mobjs[2], Tmobject{});
    EXPECT_EQ(m.objects.mobjs[3].navigation_commands.size(), 2u);
    EXPECT_EQ(m.objects.length, length + 4);
    expectConsistent(m);
    EXPECT_EQ(insertMovieObject(m, std::nullopt), 4u);
    EXPECT_EQ(insertMovieObject(m, 99), 5u);

    TMOBJ empty = objectsWith({}, false);
    EXPECT_EQ(insertMovieObject(empty, 0), 0u);
    EXPECT_EQ(empty.objects.length, 10u);
    EXPECT_EQ(empty.ExtensionData_start_address, 0u);
    expectConsistent(empty);
}

TEST(ObjectEditing, DeletingObjectsRenumbersAndInvalidatesTitleReferences) {
    TMOBJ m = objectsWith({0, 0, 0, 0, 0});
    TINDX x = indexWith({hdmv(0), hdmv(3), hdmv(2), bdj("00001"), hdmv(4), hdmv(kNoObject)});
    x.indexes.FirstPlayback.mobj_id_ref = 4;
    const TIndexTitle bdjTitle = x.indexes.Titles[3];
    const auto d = deleteMovieObjects(m, x, 1, 2);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->count, 2u);
    EXPECT_EQ(references(x), (std::vector<std::uint16_t>{0, 1, kNoObject, kNoObject, 2, kNoObject}));
    EXPECT_EQ(x.indexes.Titles[3], bdjTitle);
    EXPECT_EQ(x.indexes.FirstPlayback.mobj_id_ref, 4);  // first playback and top menu keep theirs
    ASSERT_EQ(d->titleCells.size(), 3u);
    EXPECT_EQ(d->titleCells[0].title, 1u);
    EXPECT_EQ(d->titleCells[0].text, "1");
    EXPECT_EQ(d->titleCells[1].title, 2u);
    EXPECT_EQ(d->titleCells[1].text, "??");
    EXPECT_EQ(d->titleCells[2].text, "2");
    EXPECT_EQ(d->invalidTitles, (std::vector<std::int32_t>{3, 6}));
    EXPECT_EQ(d->selectRow, 0u);
    EXPECT_EQ(d->firstRenumberedRow, 1u);
    expectConsistent(m);

    RecordingSink sink;
    Log log(sink);
    logObjectDeletion(log, *d);
    EXPECT_EQ(sink.lines, (std::vector<std::string>{"ERROR: [re]Invalid object reference in Title 3[/re]",
                                                    "ERROR: [re]Invalid object reference in Title 6[/re]"}));
    EXPECT_TRUE(sink.errorLook);
    EXPECT_EQ(sink.panel1, " See Status");
    EXPECT_TRUE(log.errorFlag());
}

TEST(ObjectEditing, DeletingCountsObjectAndCommandBytes) {
    struct Case {
        std::vector<std::size_t> commands;
        std::size_t first, last;
        std::uint32_t removed;
        std::optional<std::size_t> select;
    };
    const std::vector<Case> cases = {
        {{1, 3, 2, 4}, 1, 2, 68, 0},          // 4 x 2 + 12 x 5
        {{1, 3, 2, 4}, 2, 1, 68, 0},          // the range as selected upwards
        {{1, 3, 2, 4}, 0, 0, 16, 0},
        {{1, 3, 2, 4}, 3, 50, 52, 2},
        {{1, 3}, 0, 1, 56, std::nullopt},     // nothing left
    };
    for (const auto& k : cases) {
        TMOBJ m = objectsWith(k.commands);
        TINDX x = indexWith({hdmv(0)});
        const auto length = m.objects.length;
        const auto address = m.ExtensionData_start_address;
        const auto d = deleteMovieObjects(m, x, k.first, k.last);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->removedBytes, k.removed);
        EXPECT_EQ(m.objects.length, length - k.removed);
        EXPECT_EQ(m.ExtensionData_start_address, address - k.removed);
        EXPECT_EQ(d->selectRow, k.select);
        expectConsistent(m);
    }
    TMOBJ none = objectsWith({});
    TINDX x = indexWith({hdmv(0)});
    EXPECT_FALSE(deleteMovieObjects(none, x, 0, 0));
    EXPECT_EQ(x.indexes.Titles[0].mobj_id_ref, 0);
}

TEST(ObjectEditing, DeletingTheFirstObjectLeavesBdjTitlesAlone) {
    TMOBJ m = objectsWith({1, 1});
    TINDX x = indexWith({bdj("00000"), bdj("00001")});
    const TINDX before = x;
    const auto d = deleteMovieObjects(m, x, 0, 0);
    ASSERT_TRUE(d);
    EXPECT_EQ(x, before);
    EXPECT_TRUE(d->titleCells.empty());
    EXPECT_TRUE(d->invalidTitles.empty());
    RecordingSink sink;
    Log log(sink);
    logObjectDeletion(log, *d);
    EXPECT_TRUE(sink.lines.empty());
    EXPECT_FALSE(sink.errorLook);
}

TEST(TitleEditing, EditorsSetTheTitleFields) {
    TINDX x = indexWith({hdmv(1), hdmv(0)});
    EXPECT_TRUE(setTitleAccessType(x, 0, 1));
    EXPECT_EQ(x.indexes.Titles[0].access_type, 2);
    EXPECT_TRUE(setTitleAccessType(x, 0, 2));
    EXPECT_EQ(x.indexes.Titles[0].access_type, 3);
    EXPECT_TRUE(setTitleAccessType(x, 1, 0));
    EXPECT_EQ(x.indexes.Titles[1].access_type, 0);
    EXPECT_TRUE(setTitlePlaybackType(x, 0, 1));
    EXPECT_TRUE(setTitleObjectId(x, 1, 4));
    EXPECT_EQ(titleRow(x.indexes.Titles[0]), (std::vector<std::string>{"001", "HDMV", "Prohibited2", "Interactive", "1"}));
    EXPECT_EQ(titleRow(x.indexes.Titles[1]), (std::vector<std::string>{"002", "HDMV", "Permitted", "Movie", "4"}));

    const std::vector<std::string> files = {"00000", "00001", "00003"};
    EXPECT_TRUE(setTitleObjectType(x, 0, 1));
    EXPECT_TRUE(setTitleFileName(x, 0, files[2]));
    EXPECT_EQ(titleRow(x.indexes.Titles[0]), (std::vector<std::string>{"001", "BD-J", "Prohibited2", "Interactive", "00003"}));
    const auto shown = showTitle(x, 0, 2);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->objectTypeIndex, 1);
    EXPECT_EQ(shown->accessTypeIndex, 2);
    EXPECT_EQ(shown->playbackTypeIndex, 1);
    EXPECT_FALSE(shown->objectIdEnabled);
    EXPECT_TRUE(shown->fileNameEnabled);
    EXPECT_EQ(showTitle(x, 1, 2)->objectIdIndex, -1);  // object 4 is past the list of two
    EXPECT_EQ(showTitle(x, 1, 5)->objectIdIndex, 4);

    // The file holds the title as BD-J with the chosen name.
    const auto bytes = writeIndex(x);
    const std::size_t title0 = 78 + 30;
    EXPECT_EQ(bytes[title0], 0xB0);  // object type 2, access type 3
    EXPECT_EQ(std::string(bytes.begin() + title0 + 6, bytes.begin() + title0 + 11), "00003");

    for (const int bad : {-1, 2}) EXPECT_FALSE(setTitleObjectType(x, 1, bad));
    for (const int bad : {-1, 3}) EXPECT_FALSE(setTitleAccessType(x, 1, bad));
    EXPECT_FALSE(setTitlePlaybackType(x, 1, 2));
    EXPECT_FALSE(setTitleObjectId(x, 2, 0));
    EXPECT_FALSE(showTitle(x, 2, 2));

    TMOBJ m = objectsWith({0, 0, 0, 0, 0});
    EXPECT_EQ(objectOfTitle(x, m, 1), 4u);
    EXPECT_FALSE(objectOfTitle(x, m, 0));  // BD-J
    setTitleObjectId(x, 1, 5);
    EXPECT_FALSE(objectOfTitle(x, m, 1));
}

TEST(TitleEditing, InsertingAndDeletingRenumbersTitles) {
    TINDX x = indexWith({hdmv(1), bdj("00002"), hdmv(3), hdmv(4)});
    x.indexes.Titles[1].access_type = 2;
    const auto length = x.indexes.length;
    EXPECT_EQ(insertTitle(x, 1), 2u);
    EXPECT_EQ(x.indexes.length, length + 12);
    expectConsistent(x);
    const auto grid = titleGrid(x);
    const std::vector<std::vector<std::string>> rows = {{"001", "HDMV", "Permitted", "Movie", "1"},
                                                        {"002", "BD-J", "Prohibited1", "Movie", "00002"},
                                                        {"003", "HDMV", "Permitted", "Movie", "0"},
                                                        {"004", "HDMV", "Permitted", "Movie", "3"},
                                                        {"005", "HDMV", "Permitted", "Movie", "4"}};
    EXPECT_EQ(grid.rows, rows);

    // A deletion error message names titles by their new numbers.
    TMOBJ m = objectsWith({0, 0, 0, 0, 0});
    const auto d = deleteMovieObjects(m, x, 3, 3);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->invalidTitles, std::vector<std::int32_t>{4});

    struct Case {
        std::size_t first, last;
        std::vector<std::string> left;  // OID/file cells of the titles left
        std::optional<std::size_t> select;
    };
    const std::vector<Case> cases = {
        {1, 2, {"1", "65535", "3"}, 0},
        {0, 0, {"00002", "0", "65535", "3"}, 0},
        {4, 4, {"1", "00002", "0", "65535"}, 3},
        {0, 4, {}, std::nullopt},
    };
    for (const auto& k : cases) {
        TINDX y = x;
        const auto del = deleteTitles(y, k.first, k.last);
        ASSERT_TRUE(del);
        std::vector<std::string> cells;
        for (const auto& row : titleGrid(y).rows) cells.push_back(row[4]);
        EXPECT_EQ(cells, k.left) << k.first;
        EXPECT_EQ(del->selectRow, k.select);
        EXPECT_EQ(del->count, 5 - k.left.size());
        EXPECT_EQ(y.indexes.length, 26 + 12 * k.left.size());
        expectConsistent(y);
    }

    // Deleting all titles: no rows left, only first playback and top menu counted.
    TINDX all = x;
    ASSERT_TRUE(deleteTitles(all, 0, 4));
    EXPECT_TRUE(titleGrid(all).rows.empty());
    EXPECT_EQ(titleCountLabel(all), "0 + 2 titles");
    EXPECT_FALSE(deleteTitles(all, 0, 0));
    EXPECT_EQ(insertTitle(all, 7), 0u);
    expectConsistent(all);
}

TEST(TitleEditing, TitleCountStopsWhereTheReaderWould) {
    std::vector<EntryLayout> titles(998, hdmv(0));
    TINDX x = indexWith(titles, {1, 0, 0, 0, {}}, false);
    EXPECT_EQ(insertTitle(x, 0), 1u);
    EXPECT_EQ(x.indexes.number_of_Titles, 999);
    EXPECT_FALSE(insertTitle(x, 0));
    expectConsistent(x);
    const auto bytes = writeIndex(x);
    FieldReader in(kIndexFileName, bytes);
    auto read = readIndex(in, std::nullopt);
    ASSERT_TRUE(read.ok());
    EXPECT_FALSE(read->titleCountError);
    EXPECT_EQ(read->model, x);
}

TEST(EntryEditing, SwitchingFirstPlaybackAndTopMenu) {
    struct Case {
        const char* what;
        IndexEntry entry;
        EntryLayout before;
        bool on;
        int typeIndex;
        std::optional<std::size_t> selection;
        std::uint8_t objectType;
        std::uint16_t reference;
    };
    const std::vector<Case> cases = {
        {"first playback on, HDMV", IndexEntry::FirstPlayback, {1, 0, 0, kNoObject, {}}, true, 0, 3, 1, 3},
        {"first playback on, nothing selected", IndexEntry::FirstPlayback, {1, 0, 0, kNoObject, {}}, true, 0, std::nullopt, 1, kNoObject},
        {"first playback on, BD-J keeps its reference", IndexEntry::FirstPlayback, {1, 0, 0, kNoObject, {}}, true, 1, 3, 2, kNoObject},
        {"top menu on, BD-J still takes the selection", IndexEntry::TopMenu, {1, 0, 0, kNoObject, {}}, true, 1, 2, 2, 2},
        {"first playback off", IndexEntry::FirstPlayback, {1, 0, 0, 4, {}}, false, 0, 4, 1, kNoObject},
        {"BD-J top menu off", IndexEntry::TopMenu, {2, 0, 0, 0, "00001"}, false, 1, std::nullopt, 1, kNoObject},
    };
    for (const auto& k : cases) {
        IndexLayout layout;
        (k.entry == IndexEntry::FirstPlayback ? layout.firstPlayback : layout.topMenu) = k.before;
        (k.entry == IndexEntry::FirstPlayback ? layout.topMenu : layout.firstPlayback) = {1, 0, 0, kNoObject, {}};
        const auto bytes = indexFile(layout);
        FieldReader in(kIndexFileName, bytes);
        TINDX x = readIndex(in, 5)->model;
        switchEntry(x, k.entry, k.on, k.typeIndex, k.selection);
        const TIndexTitle& e = entryOf(x, k.entry);
        EXPECT_EQ(e.object_type, k.objectType) << k.what;
        EXPECT_EQ(e.mobj_id_ref, k.reference) << k.what;
        // Switched on without an object, an HDMV entry is still off.
        const bool on = k.objectType != 1 || k.reference != kNoObject;
        EXPECT_EQ(e.isOn(), on) << k.what;
        EXPECT_EQ(showEntry(x, k.entry, 5).on, on) << k.what;
        EXPECT_EQ(titleCountLabel(x), on ? "0 + 1 titles" : "0 titles") << k.what;
    }
}

TEST(EntryEditing, TopMenuSwitchedToBdjIsWrittenWithItsFileName) {
    TINDX x = indexWith({hdmv(0)}, bdj("00007"));
    EXPECT_TRUE(setEntryType(x, IndexEntry::TopMenu, 0));
    setEntryObject(x, IndexEntry::TopMenu, 1);
    EXPECT_TRUE(showEntry(x, IndexEntry::TopMenu, 2).objectListEnabled);
    EXPECT_EQ(showEntry(x, IndexEntry::TopMenu, 2).objectIndex, 1);
    EXPECT_TRUE(setEntryType(x, IndexEntry::TopMenu, 1));
    EXPECT_FALSE(setEntryType(x, IndexEntry::TopMenu, 2));
    EXPECT_TRUE(setFirstPlaybackPlaybackType(x, 1));
    EXPECT_FALSE(setFirstPlaybackPlaybackType(x, 2));
    const auto view = showEntry(x, IndexEntry::TopMenu, 2);
    EXPECT_TRUE(view.fileListEnabled);
    EXPECT_FALSE(view.objectListEnabled);
    EXPECT_EQ(view.fileName, "00007");

    const auto bytes = writeIndex(x);
    const std::size_t topMenu = 78 + 16;
    EXPECT_EQ(bytes[topMenu], 0x80);  // object type 2
    EXPECT_EQ(std::string(bytes.begin() + topMenu + 6, bytes.begin() + topMenu + 11), "00007");
    EXPECT_EQ(bytes[78 + 4 + 4], 0x40);  // first playback Interactive
    FieldReader in(kIndexFileName, bytes);
    const auto read = readIndex(in, 2);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->model.indexes.TopMenu.object_type, 2);
    EXPECT_EQ(read->model.indexes.TopMenu.bdjo_file_name, "00007");
}
