// The sample disc under samples/DEMO: it must be exactly what its generator
// writes, load without a complaint, and show every look of the command grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/extension_data.h"
#include "core/field_reader.h"
#include "core/load/load_sequence.h"
#include "navigation/command_codec.h"
#include "navigation/navigation_rows.h"
#include "support/recording_sink.h"
#include "support/run_command.h"
#include "support/test_paths.h"

using namespace navelo;
using namespace navelo::test;
namespace fs = std::filesystem;

namespace {

const fs::path kSample = fs::path(NAVELO_SAMPLES_DIR) / "DEMO";

// Every file and folder under root, by relative path; folders map to an empty marker.
std::map<std::string, std::vector<std::uint8_t>> tree(const fs::path& root) {
    std::map<std::string, std::vector<std::uint8_t>> out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string rel = fs::relative(e.path(), root).generic_string();
        if (e.is_directory()) {
            out[rel + "/"] = {};
        } else {
            out[rel] = readFile(e.path());
        }
    }
    return out;
}

struct Loaded {
    RecordingSink sink;
    LoadedDisc disc;
};

Loaded loadSample() {
    Loaded l;
    Log log(l.sink);
    l.disc = loadDisc((kSample / "BDMV").string() + "/", log);
    return l;
}

}  // namespace

TEST(SampleDisc, CommittedSampleIsWhatTheGeneratorWrites) {
    ASSERT_TRUE(fs::is_directory(kSample / "BDMV")) << kSample;
    TempDir dir;
    const auto r = runCommand({NAVELO_MAKE_SAMPLE, (dir / "DEMO").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;

    const auto made = tree(dir / "DEMO");
    const auto committed = tree(kSample);
    std::vector<std::string> madeNames, committedNames;
    for (const auto& [name, bytes] : made) madeNames.push_back(name);
    for (const auto& [name, bytes] : committed) committedNames.push_back(name);
    ASSERT_EQ(madeNames, committedNames);
    for (const auto& [name, bytes] : made) EXPECT_TRUE(bytes == committed.at(name)) << name << " differs";

    // No sound file and no AUXDATA folder yet; the backups are true copies.
    EXPECT_FALSE(made.contains("BDMV/AUXDATA/"));
    EXPECT_EQ(made.at("BDMV/BACKUP/index.bdmv"), made.at("BDMV/index.bdmv"));
    EXPECT_EQ(made.at("BDMV/BACKUP/MovieObject.bdmv"), made.at("BDMV/MovieObject.bdmv"));
    EXPECT_TRUE(made.contains("BDMV/STREAM/.keep"));

    // A second run over the same folder changes nothing.
    ASSERT_EQ(runCommand({NAVELO_MAKE_SAMPLE, (dir / "DEMO").string()}).status, 0);
    EXPECT_TRUE(tree(dir / "DEMO") == made);

    EXPECT_EQ(runCommand({NAVELO_MAKE_SAMPLE}).status, 2);
}

TEST(SampleDisc, LoadsWithoutErrorsAndConsistentLengths) {
    const auto l = loadSample();
    const LoadedDisc& d = l.disc;
    ASSERT_TRUE(d.checkPassed);
    EXPECT_FALSE(d.aborted.has_value());
    ASSERT_TRUE(d.movieObjectRead);
    ASSERT_TRUE(d.indexRead);
    EXPECT_EQ(l.sink.beeps, 0);
    for (const auto& line : l.sink.plain()) EXPECT_EQ(line.find("ERROR"), std::string::npos) << line;
    const auto lines = l.sink.plain();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  Found 8 objects, 0 extended entry."), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  Found 7 titles, 1 extended entry."), lines.end());

    EXPECT_TRUE(d.playlists.empty());
    EXPECT_TRUE(d.clips.empty());
    EXPECT_FALSE(d.soundPresent);
    EXPECT_EQ(d.bdjoFiles, (std::vector<std::string>{"00000", "00001"}));

    // Movie objects: 8, one of them empty, with varied flags.
    const TMOBJ& m = d.movieObject;
    ASSERT_EQ(m.objects.mobjs.size(), 8u);
    EXPECT_EQ(std::count_if(m.objects.mobjs.begin(), m.objects.mobjs.end(), [](const Tmobject& o) { return o.navigation_commands.empty(); }), 1);
    EXPECT_EQ(m.objects.length, movieObjectsContentLength(m.objects));
    EXPECT_EQ(ExtDatCap(m.extension), "no ExtensionData()");
    std::set<std::vector<std::string>> flagLooks;
    for (std::size_t i = 0; i < m.objects.mobjs.size(); ++i) {
        auto row = objectRow(i, m.objects.mobjs[i]);
        flagLooks.insert({row[1], row[2], row[3]});
    }
    EXPECT_GE(flagLooks.size(), 5u);

    // index.bdmv: first playback object 0, top menu object 1, seven titles.
    const TINDX& x = d.index;
    EXPECT_EQ(x.content_provider_user_data, "Navelo sample disc");
    EXPECT_EQ(x.version_number, 0x30323030u);
    EXPECT_TRUE(x.indexes.FirstPlayback.isHdmv());
    EXPECT_EQ(x.indexes.FirstPlayback.mobj_id_ref, 0);
    EXPECT_TRUE(x.indexes.TopMenu.isHdmv());
    EXPECT_EQ(x.indexes.TopMenu.mobj_id_ref, 1);
    ASSERT_EQ(x.indexes.Titles.size(), 7u);
    EXPECT_EQ(titleCountLabel(x), "7 + 2 titles");
    EXPECT_EQ(x.indexes.length, 26u + 12u * 7u);
    EXPECT_EQ(x.ExtensionData_start_address, 78u + 4u + x.indexes.length);
    EXPECT_EQ(ExtDatCap(x.extension), "1 entry, 32 bytes");

    std::set<std::string> titleLooks[4];
    for (const auto& t : x.indexes.Titles) {
        const auto row = titleRow(t);
        for (std::size_t c = 1; c < row.size() && c < 4; ++c) titleLooks[c].insert(row[c]);
        if (t.isHdmv()) {
            EXPECT_LT(t.mobj_id_ref, m.objects.mobjs.size());
        } else {
            EXPECT_NE(std::find(d.bdjoFiles.begin(), d.bdjoFiles.end(), t.bdjo_file_name), d.bdjoFiles.end());
        }
    }
    EXPECT_EQ(titleLooks[1], (std::set<std::string>{"HDMV", "BD-J"}));
    EXPECT_EQ(titleLooks[2], (std::set<std::string>{"Permitted", "Prohibited1", "Prohibited2"}));
    EXPECT_EQ(titleLooks[3], (std::set<std::string>{"Movie", "Interactive", ""}));

    // Consistent fields mean the writers reproduce the files from what was read.
    EXPECT_TRUE(writeIndex(x) == readFile(kSample / "BDMV/index.bdmv"));
    EXPECT_TRUE(writeMovieObject(m) == readFile(kSample / "BDMV/MovieObject.bdmv"));
}

TEST(SampleDisc, CommandsShowEveryNameAndLook) {
    const auto l = loadSample();
    ASSERT_TRUE(l.disc.movieObjectRead);
    std::set<std::tuple<unsigned, unsigned, unsigned>> named;
    std::set<std::string> lines;
    int invalid = 0, forbidden = 0;
    for (const auto& o : l.disc.movieObject.objects.mobjs) {
        for (std::size_t i = 0; i < o.navigation_commands.size(); ++i) {
            const NavigationCommand& c = o.navigation_commands[i];
            const auto r = renderCommand(c, i, CommandContext::MovieObject);
            EXPECT_EQ(r.valid, isValidOpword(c.opword));
            lines.insert(r.cells[4]);
            if (!r.valid) {
                ++invalid;
                EXPECT_EQ(r.cells[4].front(), '!');
                continue;
            }
            if (isForbiddenOpword(c.opword, CommandContext::MovieObject)) {
                ++forbidden;
                EXPECT_EQ(r.cells[4].front(), '*');
            }
            named.insert({c.group(), c.subGroup(), c.option()});
            // An immediate GoTo lands on a line of its own object.
            if (c.opword == 0x20810000) {
                EXPECT_LT(c.destination, o.navigation_commands.size());
            }
        }
    }
    EXPECT_GE(invalid, 3);
    EXPECT_GE(forbidden, 5);

    // Every command name of every group and sub-group, as a valid command.
    for (unsigned g = 0; g < 3; ++g) {
        for (unsigned s = 0; s < 8; ++s) {
            for (unsigned o = 0; o < 32; ++o) {
                const auto name = commandOptionName(g, s, o);
                if (name.empty() || name == "--" || name == "---") continue;
                EXPECT_TRUE(named.contains({g, s, o})) << name;
            }
        }
    }

    for (const char* expected : {"Move PSR16, 6647399       ;PSR16: Language Code for Audio (b23-b0)  [eng]",
                                 "EQ PSR19, 21843       ;PSR19: Country Code (b15-b0)  [US]", "GoTo 1", "Play PL GPR20",
                                 "*Terminate PL  ; Forbidden opcode", "!Move GPR1, GPR2  ; Invalid opcode",
                                 "! GPR1, GPR2  ; Invalid opcode"}) {
        EXPECT_TRUE(lines.contains(expected)) << expected;
    }
}

// The BD-J object files walked field by field: every start address is where
// the previous section ends and the file ends with the last section.
TEST(SampleDisc, BdjoFilesAreWellFormed) {
    const std::map<std::string, std::string> classes = {{"00000", "demo.Main"}, {"00001", "demo.Menu"}};
    for (const auto& [file, className] : classes) {
        SCOPED_TRACE(file);
        auto opened = FieldReader::open(kSample / "BDMV/BDJO" / (file + ".bdjo"));
        ASSERT_TRUE(opened.ok());
        FieldReader& in = *opened;
        EXPECT_EQ(in.readstring(4), "BDJO");
        EXPECT_EQ(in.readstring(4), "0200");
        in.readlword();
        std::uint32_t start[5];
        for (auto& s : start) s = in.readlword();
        in.skip(16);
        const std::uint32_t terminalLength = in.readlword();
        in.skip(terminalLength);
        EXPECT_EQ(terminalLength, 10u);

        EXPECT_EQ(in.position(), start[0]);
        const std::uint32_t cacheLength = in.readlword();
        EXPECT_EQ(in.readbyte(), 0);  // no cache entries
        in.skip(cacheLength - 1);

        EXPECT_EQ(in.position(), start[1]);
        const std::uint32_t playlistsLength = in.readlword();
        const std::uint16_t word = in.readword();
        EXPECT_EQ(word >> 5, 0);
        EXPECT_EQ((word >> 4) & 1, 1);  // access to all
        in.skip(playlistsLength - 2);

        EXPECT_EQ(in.position(), start[2]);
        const std::uint32_t tableLength = in.readlword();
        const std::uint64_t tableEnd = in.position() + tableLength;
        ASSERT_EQ(in.readbyte(), 1);
        in.skip(1 + 1 + 1 + 4 + 2 + 1 + 1);
        const std::uint32_t descriptorLength = in.readlword();
        const std::uint64_t descriptorEnd = in.position() + descriptorLength;
        in.skip(4);
        const unsigned profiles = in.readword() >> 12;
        EXPECT_EQ(profiles, 1u);
        in.skip(6 * profiles + 2);
        unsigned namesLeft = in.readword();
        while (namesLeft != 0) {
            in.skip(3);
            const unsigned n = in.readbyte();
            in.skip(n);
            ASSERT_GE(namesLeft, n + 4);
            namesLeft -= n + 4;
        }
        auto pad = [&] { if (in.position() % 2) in.skip(1); };
        auto counted = [&] {
            const std::string s = in.readstring(in.readbyte());
            pad();
            return s;
        };
        pad();
        EXPECT_EQ(counted(), "");  // icon locator
        in.skip(2);
        EXPECT_EQ(counted(), file);  // base directory
        EXPECT_EQ(counted(), "");    // classpath extension
        EXPECT_EQ(counted(), className);
        unsigned parametersLeft = in.readbyte();
        while (parametersLeft != 0) {
            const unsigned n = in.readbyte();
            in.skip(n);
            ASSERT_GE(parametersLeft, n + 1);
            parametersLeft -= n + 1;
        }
        pad();
        EXPECT_EQ(in.position(), descriptorEnd);
        EXPECT_EQ(in.position(), tableEnd);

        EXPECT_EQ(in.position(), start[3]);
        EXPECT_EQ(in.readlword(), 0u);  // no keys
        EXPECT_EQ(in.position(), start[4]);
        EXPECT_EQ(in.readword(), 0u);  // no directory paths
        EXPECT_TRUE(in.atEnd());
        EXPECT_FALSE(in.overrun());
    }
}
