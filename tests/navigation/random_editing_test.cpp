// Long random sequences of command, object, title and entry edits must leave
// both navigation files writable: every count, length and start address agrees
// with the bytes written, and reading those bytes gives the edited model back.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/field_reader.h"
#include "navigation/command_editing.h"
#include "navigation/index_file.h"
#include "navigation/movie_object.h"
#include "navigation/object_title_editing.h"
#include "support/disc_builder.h"
#include "support/test_paths.h"

using namespace navelo;
using namespace navelo::test;
namespace fs = std::filesystem;

namespace {

struct Disc {
    std::string name;
    TMOBJ objects;
    TINDX index;
};

// The fields an entry's file bytes hold: the object reference of an HDMV entry
// and the file name of any other; editors may keep the other one in the model.
TIndexTitle asWritten(TIndexTitle e) {
    if (e.isHdmv()) e.bdjo_file_name.clear();
    else e.mobj_id_ref = kNoObject;
    return e;
}

TINDX asWritten(TINDX m) {
    m.indexes.FirstPlayback = asWritten(m.indexes.FirstPlayback);
    m.indexes.TopMenu = asWritten(m.indexes.TopMenu);
    for (auto& t : m.indexes.Titles) t = asWritten(t);
    return m;
}

std::uint32_t be32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

void checkMovieObjects(const TMOBJ& m) {
    const auto& o = m.objects;
    ASSERT_EQ(o.number_of_mobjs, o.mobjs.size());
    for (const auto& obj : o.mobjs) ASSERT_EQ(obj.number_of_navigation_commands, obj.navigation_commands.size());
    ASSERT_EQ(o.length, movieObjectsContentLength(o));
    const auto bytes = writeMovieObject(m);
    const std::size_t objectsEnd = 44 + o.length;
    ASSERT_GE(bytes.size(), objectsEnd + m.padding.size());
    ASSERT_EQ(be32(bytes, 40), o.length);
    if (m.ExtensionData_start_address != 0) {
        ASSERT_EQ(m.ExtensionData_start_address, objectsEnd + m.padding.size());
        ASSERT_EQ(be32(bytes, 8), m.ExtensionData_start_address);
        ASSERT_EQ(be32(bytes, m.ExtensionData_start_address), m.extension.length);
    } else {
        ASSERT_EQ(bytes.size(), objectsEnd + m.padding.size());
    }
    FieldReader in(kMovieObjectFileName, bytes);
    auto read = readMovieObject(in);
    ASSERT_TRUE(read.ok());
    ASSERT_FALSE(read->truncated);
    ASSERT_EQ(read->model, m);
}

void checkIndex(const TINDX& m) {
    const auto& x = m.indexes;
    ASSERT_EQ(x.number_of_Titles, x.Titles.size());
    ASSERT_LE(x.Titles.size(), kMaxTitles);
    for (std::size_t i = 0; i < x.Titles.size(); ++i) ASSERT_EQ(x.Titles[i].title_number, static_cast<std::int32_t>(i + 1));
    ASSERT_EQ(x.length, 26 + 12 * x.Titles.size());
    const auto bytes = writeIndex(m);
    const std::size_t titlesEnd = m.Indexes_start_address + 4 + x.length;
    ASSERT_EQ(be32(bytes, m.Indexes_start_address), x.length);
    if (m.ExtensionData_start_address != 0) {
        ASSERT_EQ(m.ExtensionData_start_address, titlesEnd + m.padding.size());
        ASSERT_EQ(be32(bytes, m.ExtensionData_start_address), m.extension.length);
    } else {
        ASSERT_EQ(bytes.size(), titlesEnd + m.padding.size());
    }
    FieldReader in(kIndexFileName, bytes);
    auto read = readIndex(in, std::nullopt);
    ASSERT_TRUE(read.ok());
    ASSERT_FALSE(read->truncated);
    ASSERT_FALSE(read->titleCountError);
    ASSERT_EQ(read->model, asWritten(m));
}

class Editor {
public:
    Editor(Disc& disc, std::uint32_t seed) : d_(disc), rng_(seed) {}

    // One random edit, the way a user could make it on the BDMV tab.
    void step() {
        switch (pick(0, 21)) {
            case 0: withCommand([this](NavigationCommand& c) { chooseGroup(c, pick(0, 2)); }); break;
            case 1: withCommand([this](NavigationCommand& c) { chooseSubGroup(c, pick(0, 2)); }); break;
            case 2: withCommand([this](NavigationCommand& c) { chooseOption(c, pick(0, 15)); }); break;
            case 3: withCommand([this](NavigationCommand& c) { chooseOperandType(c, operand(), type()); }); break;
            case 4: withCommand([this](NavigationCommand& c) { switchOperand(c, operand(), pick(0, 1) == 1); }); break;
            case 5: withCommand([this](NavigationCommand& c) { enterOperandValue(c, operand(), word(), type()); }); break;
            case 6:
                withCommand([this](NavigationCommand& c) {
                    enterWord(c, static_cast<CommandWord>(pick(0, 2)), pick(0, 3) == 0 ? 0 : word());
                });
                break;
            case 7:
            case 8: {
                const auto o = object();
                if (o) insertCommand(d_.objects, *o, maybeRow(commandCount(*o)));
                break;
            }
            case 9: {
                const auto o = object();
                if (o) {
                    const auto [first, last] = range(commandCount(*o), 3);
                    deleteCommands(d_.objects, *o, first, last);
                }
                break;
            }
            case 10: {
                const auto o = object();
                if (o) makeNop(d_.objects, *o, pick(0, static_cast<unsigned>(commandCount(*o))));
                break;
            }
            case 11: {
                const auto o = object();
                if (o) setObjectFlag(d_.objects, *o, static_cast<ObjectFlag>(pick(0, 2)), static_cast<int>(pick(0, 1)));
                break;
            }
            case 12:
            case 13: insertMovieObject(d_.objects, maybeRow(d_.objects.objects.mobjs.size())); break;
            case 14: {
                const auto [first, last] = range(d_.objects.objects.mobjs.size(), 1);
                deleteMovieObjects(d_.objects, d_.index, first, last);
                break;
            }
            case 15:
            case 16: editTitle(); break;
            case 17:
            case 18: insertTitle(d_.index, maybeRow(d_.index.indexes.Titles.size())); break;
            case 19: {
                const auto [first, last] = range(d_.index.indexes.Titles.size(), 1);
                deleteTitles(d_.index, first, last);
                break;
            }
            default: editEntry(); break;
        }
    }

private:
    unsigned pick(unsigned low, unsigned high) { return std::uniform_int_distribution<unsigned>(low, high)(rng_); }
    std::uint32_t word() {
        // Small values, register forms and anything at all, as a user types them.
        switch (pick(0, 2)) {
            case 0: return pick(0, 10);
            case 1: return 0x80000000u | pick(0, 127);
            default: return static_cast<std::uint32_t>(rng_());
        }
    }
    Operand operand() { return pick(0, 1) == 0 ? Operand::Destination : Operand::Source; }
    OperandType type() { return static_cast<OperandType>(pick(0, 2)); }
    std::size_t commandCount(std::size_t o) const { return d_.objects.objects.mobjs[o].navigation_commands.size(); }

    std::optional<std::size_t> object() {
        const auto n = d_.objects.objects.mobjs.size();
        if (n == 0) return std::nullopt;
        return pick(0, static_cast<unsigned>(n - 1));
    }
    // A selected row, sometimes none, sometimes past the end.
    std::optional<std::size_t> maybeRow(std::size_t n) {
        if (pick(0, 9) == 0) return std::nullopt;
        return pick(0, static_cast<unsigned>(n));
    }
    // A selected range of rows (sometimes reaching past the end or selected upwards).
    std::pair<std::size_t, std::size_t> range(std::size_t n, unsigned maxLength) {
        const std::size_t first = pick(0, static_cast<unsigned>(n));
        const std::size_t last = first + pick(0, maxLength);
        return pick(0, 4) == 0 ? std::pair{last, first} : std::pair{first, last};
    }

    template <typename Edit>
    void withCommand(Edit edit) {
        const auto o = object();
        if (!o || commandCount(*o) == 0) return;
        NavigationCommand* c = commandAt(d_.objects, o, pick(0, static_cast<unsigned>(commandCount(*o) - 1)));
        ASSERT_NE(c, nullptr);
        edit(*c);
    }

    void editTitle() {
        const auto n = d_.index.indexes.Titles.size();
        if (n == 0) return;
        const std::size_t t = pick(0, static_cast<unsigned>(n - 1));
        switch (pick(0, 4)) {
            case 0: setTitleObjectType(d_.index, t, static_cast<int>(pick(0, 1))); break;
            case 1: setTitleAccessType(d_.index, t, static_cast<int>(pick(0, 2))); break;
            case 2: setTitlePlaybackType(d_.index, t, static_cast<int>(pick(0, 1))); break;
            case 3: setTitleObjectId(d_.index, t, pick(0, static_cast<unsigned>(d_.objects.objects.mobjs.size()))); break;
            default: setTitleFileName(d_.index, t, fileNames[pick(0, 2)]); break;
        }
    }

    void editEntry() {
        const auto entry = pick(0, 1) == 0 ? IndexEntry::FirstPlayback : IndexEntry::TopMenu;
        const auto objects = d_.objects.objects.mobjs.size();
        const std::optional<std::size_t> selection =
            objects == 0 || pick(0, 5) == 0 ? std::nullopt : std::optional<std::size_t>(pick(0, static_cast<unsigned>(objects - 1)));
        switch (pick(0, 3)) {
            case 0: switchEntry(d_.index, entry, pick(0, 2) != 0, static_cast<int>(pick(0, 1)), selection); break;
            case 1: setEntryType(d_.index, entry, static_cast<int>(pick(0, 1))); break;
            case 2: setEntryObject(d_.index, entry, selection); break;
            default: setFirstPlaybackPlaybackType(d_.index, static_cast<int>(pick(0, 1))); break;
        }
    }

    static constexpr const char* fileNames[] = {"00000", "00001", "12"};
    Disc& d_;
    std::mt19937 rng_;
};

void runEdits(Disc& disc, std::uint32_t seed, int steps) {
    SCOPED_TRACE(disc.name + " seed " + std::to_string(seed));
    ASSERT_NO_FATAL_FAILURE(checkMovieObjects(disc.objects));
    ASSERT_NO_FATAL_FAILURE(checkIndex(disc.index));
    Editor editor(disc, seed);
    for (int i = 0; i < steps; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        ASSERT_NO_FATAL_FAILURE(editor.step());
        ASSERT_NO_FATAL_FAILURE(checkMovieObjects(disc.objects));
        ASSERT_NO_FATAL_FAILURE(checkIndex(disc.index));
    }
}

std::optional<Disc> readDisc(const fs::path& bdmv) {
    auto mobjIn = FieldReader::open(bdmv / kMovieObjectFileName);
    auto indexIn = FieldReader::open(bdmv / kIndexFileName);
    if (!mobjIn || !indexIn) return std::nullopt;
    auto objects = readMovieObject(*mobjIn);
    if (!objects) return std::nullopt;
    auto index = readIndex(*indexIn, objects->model.objects.mobjs.size());
    if (!index) return std::nullopt;
    return Disc{bdmv.parent_path().filename().string(), std::move(objects->model), std::move(index->model)};
}

}  // namespace

TEST(RandomEditing, CorpusFilesStayWritable) {
    NAVELO_REQUIRE_CORPUS();
    const auto folders = corpusBdmvFolders();
    ASSERT_FALSE(folders.empty());
    std::uint32_t seed = 1;
    int discs = 0;
    for (const auto& folder : folders) {
        // Some corpus discs carry only PlayLists and clips.
        if (!fs::exists(folder / kMovieObjectFileName) || !fs::exists(folder / kIndexFileName)) continue;
        auto disc = readDisc(folder);
        ASSERT_TRUE(disc) << folder;
        ASSERT_NO_FATAL_FAILURE(runEdits(*disc, seed++, 300));
        ++discs;
    }
    EXPECT_GT(discs, 0);
}

TEST(RandomEditing, FilesWithExtensionDataStayWritable) {
    for (const std::uint32_t seed : {7u, 8u, 9u}) {
        const std::vector<std::uint8_t> ext = extensionBlock({1, 2, 3, 4, 5});
        const auto mobj = movieObjectFile({{0x8000, {{0x50400001, 1, 2}, {0x20810000, 0, 0}, {0x22000000, 0, 0}}},
                                           {0x4000, {}},
                                           {0, {{0x21810000, 1, 0}}}},
                                          ext);
        IndexLayout layout;
        layout.titles = {{1, 0, 0, 0, {}}, {2, 2, 1, 0, "00001"}, {1, 3, 1, 2, {}}};
        layout.topMenu = {2, 0, 0, 0, "00000"};
        layout.extension = ext;
        const auto index = indexFile(layout);
        FieldReader mobjIn(kMovieObjectFileName, mobj);
        FieldReader indexIn(kIndexFileName, index);
        auto objects = readMovieObject(mobjIn);
        auto titles = readIndex(indexIn, 3);
        ASSERT_TRUE(objects.ok() && titles.ok());
        Disc disc{"fixture", objects->model, titles->model};
        ASSERT_NE(disc.objects.ExtensionData_start_address, 0u);
        ASSERT_NE(disc.index.ExtensionData_start_address, 0u);
        ASSERT_NO_FATAL_FAILURE(runEdits(disc, seed, 1000));
    }
}
