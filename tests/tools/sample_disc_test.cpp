// The sample disc under samples/DEMO: it must be exactly what its generator
// writes, load without a complaint, show every look of the command grid and
// give the PlayList tab PlayLists with every kind of content.
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
#include "playlist/playlist_file.h"
#include "playlist/playlist_rows.h"
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

const std::vector<std::string> kPlayListNames = {"00000", "00001", "00002", "00003"};

fs::path playListPath(const std::string& name) { return kSample / "BDMV/PLAYLIST" / (name + ".mpls"); }

// The sample PlayList read with the PlayList reader; a failed read is a test failure.
TMPLS readSamplePlayList(const std::string& name) {
    auto in = FieldReader::open(playListPath(name));
    EXPECT_TRUE(in.ok()) << name;
    if (!in.ok()) return {};
    auto read = readPlayList(*in);
    EXPECT_TRUE(read.ok()) << name;
    if (!read.ok()) return {};
    EXPECT_FALSE(read->truncated.has_value()) << name << ": " << read->truncated->describe();
    return read->model;
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
    EXPECT_TRUE(made.contains("BDMV/CLIPINF/.keep"));
    for (const auto& name : kPlayListNames) EXPECT_TRUE(made.contains("BDMV/PLAYLIST/" + name + ".mpls")) << name;

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
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  Found 4 playlists."), lines.end());

    EXPECT_EQ(d.playlists, kPlayListNames);
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

// Each PlayList reads in full, its lengths, counts and start addresses agree
// with its content, and the writer gives back the file's bytes.
TEST(SampleDisc, PlayListsReadAndWriteBackUnchanged) {
    for (const auto& name : kPlayListNames) {
        SCOPED_TRACE(name);
        const TMPLS m = readSamplePlayList(name);
        ASSERT_FALSE(m.PlayList.PlayItems.empty());
        EXPECT_EQ(m.type_indicator, "MPLS");
        EXPECT_EQ(m.version_number, "0200");
        EXPECT_TRUE(m.trailing.empty());

        const TPlayList& pl = m.PlayList;
        EXPECT_EQ(pl.number_of_PlayItems, pl.PlayItems.size());
        EXPECT_EQ(pl.number_of_SubPaths, pl.SubPaths.size());
        EXPECT_EQ(pl.length, playListContentLength(pl));
        for (const auto& p : pl.PlayItems) {
            EXPECT_EQ(p.length, playItemContentLength(p));
            EXPECT_EQ(p.STN_table.length, stnContentLength(p.STN_table));
            EXPECT_LT(p.IN_time, p.OUT_time);
        }
        for (const auto& sp : pl.SubPaths) {
            EXPECT_EQ(sp.number_of_SubPlayItems, sp.SubPlayItems.size());
            EXPECT_EQ(sp.length, subPathContentLength(sp));
            for (const auto& s : sp.SubPlayItems) {
                EXPECT_EQ(s.length, subPlayItemContentLength(s));
                EXPECT_LT(s.sync_PlayItem_id, pl.PlayItems.size());
            }
        }
        // Every mark lies inside the PlayItem it refers to.
        EXPECT_EQ(m.PlayListMark.number_of_PlayList_marks, m.PlayListMark.marks.size());
        EXPECT_EQ(m.PlayListMark.length, playListMarkContentLength(m.PlayListMark));
        for (const auto& k : m.PlayListMark.marks) {
            ASSERT_LT(k.ref_to_PlayItem_id, pl.PlayItems.size());
            const TPlayItem& p = pl.PlayItems[k.ref_to_PlayItem_id];
            EXPECT_GE(k.mark_time_stamp, p.IN_time);
            EXPECT_LT(k.mark_time_stamp, p.OUT_time);
        }

        EXPECT_EQ(m.PlayList_start_address, 44u + m.AppInfoPlayList.length);
        EXPECT_EQ(m.PlayListMark_start_address, m.PlayList_start_address + 4 + pl.length);
        const auto bytes = readFile(playListPath(name));
        if (m.ExtensionData.empty()) {
            EXPECT_EQ(m.ExtensionData_start_address, 0u);
            EXPECT_EQ(bytes.size(), m.PlayListMark_start_address + 4 + m.PlayListMark.length);
        } else {
            EXPECT_EQ(m.ExtensionData_start_address, m.PlayListMark_start_address + 4 + m.PlayListMark.length);
            EXPECT_EQ(bytes.size(), m.ExtensionData_start_address + 4 + m.ExtensionData.length);
        }

        const auto written = writePlayList(m);
        ASSERT_TRUE(written.ok()) << written.error().describe();
        EXPECT_TRUE(*written == bytes);
    }
}

// Across the four PlayLists every kind of content the tab shows is there.
TEST(SampleDisc, PlayListsShowEveryKindOfContent) {
    std::map<std::string, TMPLS> models;
    for (const auto& name : kPlayListNames) models[name] = readSamplePlayList(name);

    std::set<StreamKind> kinds;
    std::set<std::uint8_t> entryTypes, subPathTypes, markTypes;
    std::size_t mostAngles = 0;
    bool clipEntries = false, extensionData = false;
    for (const auto& [name, m] : models) {
        for (const auto& p : m.PlayList.PlayItems) {
            for (StreamKind kind : kStreamKinds) {
                for (const TStreamItem* item : streamKindItems(p.STN_table, kind)) {
                    kinds.insert(kind);
                    entryTypes.insert(item->entry.stream_type);
                }
            }
            if (showsAngleGrid(p)) mostAngles = std::max(mostAngles, p.multi_clip.angles.size());
        }
        for (const auto& sp : m.PlayList.SubPaths) {
            subPathTypes.insert(sp.SubPath_type);
            for (const auto& s : sp.SubPlayItems) clipEntries = clipEntries || showsClipEntryGrid(s);
        }
        for (const auto& k : m.PlayListMark.marks) markTypes.insert(k.mark_type);
        extensionData = extensionData || !m.ExtensionData.empty();
    }
    EXPECT_EQ(kinds, std::set<StreamKind>(kStreamKinds.begin(), kStreamKinds.end()));
    EXPECT_EQ(entryTypes, (std::set<std::uint8_t>{1, 2, 3}));
    EXPECT_GE(subPathTypes.size(), 2u);
    EXPECT_EQ(markTypes, (std::set<std::uint8_t>{1, 2}));
    EXPECT_GE(mostAngles, 3u);
    EXPECT_TRUE(clipEntries);
    EXPECT_TRUE(extensionData);

    // 00000, the feature: three PlayItems with the same five kinds of stream,
    // the pop-up menu SubPath, eleven chapters and a link point.
    const TMPLS& feature = models["00000"];
    EXPECT_EQ(playListFoundMessage(feature),
              "[b]3[/b] PlayItem(s), [b]1[/b] SubPath(s) and [b]12[/b] PlayListMark(s) found.");
    std::vector<std::string> clips;
    for (const auto& p : feature.PlayList.PlayItems) {
        clips.push_back(p.Clip_Information_file_name);
        EXPECT_EQ(stnGrid(p.STN_table).rows.at(0), (std::vector<std::string>{"1", "2", "2", "1", "0", "0", "0"}));
        EXPECT_EQ(streamEntryGrid(p.STN_table, StreamKind::PrimaryVideo).rows.at(0).back(), "AVC, 1080p, 23.976");
        EXPECT_EQ(streamEntryGrid(p.STN_table, StreamKind::PrimaryAudio).rows.at(0).back(), "DD, Multi-ch., 48 kHz, eng");
        EXPECT_EQ(streamEntryGrid(p.STN_table, StreamKind::PrimaryAudio).rows.at(1).back(), "LPCM, Stereo, 48 kHz, jpn");
    }
    EXPECT_EQ(clips, (std::vector<std::string>{"00001", "00002", "00003"}));
    ASSERT_EQ(feature.PlayList.SubPaths.size(), 1u);
    EXPECT_EQ(subPathRow(0, feature.PlayList.SubPaths[0]), (std::vector<std::string>{"000", "IG menu", "Yes", "1"}));
    EXPECT_EQ(std::count_if(feature.PlayListMark.marks.begin(), feature.PlayListMark.marks.end(),
                            [](const TMark& k) { return k.mark_type == 1; }),
              11);
    EXPECT_EQ(extensionDataCaption(feature), "1 entry, 32 bytes");

    // 00001: three angles in the first PlayItem.
    const TMPLS& angles = models["00001"];
    ASSERT_EQ(angles.PlayList.PlayItems.size(), 2u);
    const TPlayItem& multi = angles.PlayList.PlayItems[0];
    EXPECT_EQ(multi.is_multi_angle, 1);
    EXPECT_EQ(playItemRow(0, multi).back(), "3");
    std::vector<std::string> angleClips;
    for (const auto& c : multi.multi_clip.angles) angleClips.push_back(c.Clip_Information_file_name);
    EXPECT_EQ(angleClips, (std::vector<std::string>{"00001", "00004", "00005"}));
    EXPECT_FALSE(showsAngleGrid(angles.PlayList.PlayItems[1]));
    // The scene menu plays from mark 4 of this PlayList.
    EXPECT_GE(angles.PlayListMark.marks.size(), 5u);

    // 00002: picture-in-picture and commentary with their reference lists.
    const TMPLS& pip = models["00002"];
    ASSERT_EQ(pip.PlayList.PlayItems.size(), 1u);
    const TSTN& stn = pip.PlayList.PlayItems[0].STN_table;
    std::vector<std::uint8_t> types;
    for (const auto& sp : pip.PlayList.SubPaths) types.push_back(sp.SubPath_type);
    EXPECT_EQ(types, (std::vector<std::uint8_t>{7, 5}));
    ASSERT_EQ(stn.secondary_audio.size(), 2u);
    EXPECT_EQ(stn.secondary_audio[0].primary_audio_stream_id_refs, (std::vector<std::uint8_t>{0, 1}));
    EXPECT_EQ(stn.secondary_audio[1].primary_audio_stream_id_refs, (std::vector<std::uint8_t>{1}));
    ASSERT_EQ(stn.secondary_video.size(), 1u);
    EXPECT_EQ(stn.secondary_video[0].secondary_audio_stream_id_refs, (std::vector<std::uint8_t>{0, 1}));
    EXPECT_EQ(stn.secondary_video[0].PiP_PG_textST_stream_id_refs, (std::vector<std::uint8_t>{0}));
    EXPECT_EQ(streamEntryRow(0, StreamKind::SecondaryVideo, stn.secondary_video[0].item),
              (std::vector<std::string>{"001", "IM PIP", "1B00", "00", "", "", "AVC, 720p, 23.976"}));
    EXPECT_EQ(streamEntryRow(1, StreamKind::SecondaryAudio, stn.secondary_audio[1].item),
              (std::vector<std::string>{"002", "SubPath", "", "01", "01", "1A00", "DD+, Stereo, 48 kHz, fra"}));
    EXPECT_EQ(pip.AppInfoPlayList.audio_mix_app_flag, 1);

    // 00003: the short menu PlayList.
    const TMPLS& menu = models["00003"];
    EXPECT_EQ(playListFoundMessage(menu), "[b]1[/b] PlayItem(s), [b]0[/b] SubPath(s) and [b]1[/b] PlayListMark(s) found.");
    EXPECT_EQ(uoMaskText(menu.AppInfoPlayList.UO_mask_table.word1), "3C180000");
}

// The command line shows every sample PlayList.
TEST(SampleDisc, CliShowsEveryPlayList) {
    for (const auto& name : kPlayListNames) {
        SCOPED_TRACE(name);
        const auto r = runCommand({NAVELO_CLI, "show", "mpls", (kSample / "BDMV").string(), name});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.err.empty()) << r.err;
        EXPECT_NE(r.out.find("# sgPLitem"), std::string::npos);
        EXPECT_NE(r.out.find("# sgPlayListMark"), std::string::npos);
        EXPECT_NE(r.out.find("entry-mark"), std::string::npos);
    }
    const auto feature = runCommand({NAVELO_CLI, "show", "mpls", (kSample / "BDMV").string(), "00000"});
    EXPECT_NE(feature.out.find("link point"), std::string::npos);
    EXPECT_NE(feature.out.find("lMExtDat=1 entry, 32 bytes"), std::string::npos);
}
