// Long random sequences of every PlayList edit (AppInfoPlayList, PlayItem and
// SubPlayItem cells, SubPaths, STN items and fields, marks, chapter imports)
// must leave the PlayList writable after every single step: the bytes written
// read back into the same model, and every length and start address matches
// the bytes. Run on the fixtures and on every real PlayList of the corpus.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/field_reader.h"
#include "playlist/appinfo_editing.h"
#include "playlist/chapter_files.h"
#include "playlist/code_tables.h"
#include "playlist/mark_editing.h"
#include "playlist/playitem_editing.h"
#include "playlist/playlist_consistency.h"
#include "playlist/playlist_fixtures.h"
#include "playlist/stn_editing.h"
#include "support/test_paths.h"

namespace navelo {
namespace {

namespace fs = std::filesystem;
namespace fx = test::mpls;

class Editor {
public:
    Editor(TMPLS& model, std::uint32_t seed) : m_(model), rng_(seed) {}

    void step() {
        switch (pick(0, 19)) {
            case 0: appInfo(); break;
            case 1:
            case 2: playItemCell(); break;
            case 3:
            case 4: subPlayItemCell(); break;
            case 5: insertSubPath(m_, maybeRow(m_.PlayList.SubPaths.size())); break;
            case 6: deleteSubPath(m_, pick(0, static_cast<unsigned>(m_.PlayList.SubPaths.size()))); break;
            case 7: subPathList(); break;
            case 8:
            case 9: {
                const auto p = playItem();
                const StreamKind k = kind();
                if (p) insertStream(m_, *p, k, maybeRow(streamKindItems(m_.PlayList.PlayItems[*p].STN_table, k).size()));
                break;
            }
            case 10: {
                const auto ref = stream();
                if (ref) deleteStream(m_, *ref);
                break;
            }
            case 11:
            case 12:
            case 13: streamField(); break;
            case 14: insertMark(m_, maybeRow(m_.PlayListMark.marks.size())); break;
            case 15: {
                const auto n = m_.PlayListMark.marks.size();
                const std::size_t first = pick(0, static_cast<unsigned>(n));
                const std::size_t last = first + pick(0, 3);
                deleteMarks(m_, pick(0, 3) == 0 ? last : first, pick(0, 3) == 0 ? first : last);
                break;
            }
            case 16: markField(); break;
            case 17:
            case 18: chapters(); break;
            default: {
                // Export must never fail but for its two reasons.
                const auto format = static_cast<ChapterFormat>(pick(0, 2));
                auto bytes = chapterFileBytes(m_, format);
                if (!bytes.ok()) {
                    const bool noRate = format == ChapterFormat::Frame && !playListFrameRate(m_).hasRate();
                    EXPECT_TRUE(noRate || !markPositions(m_).ok()) << bytes.error().message;
                }
                break;
            }
        }
    }

private:
    unsigned pick(unsigned low, unsigned high) { return std::uniform_int_distribution<unsigned>(low, high)(rng_); }
    bool coin() { return pick(0, 1) == 1; }
    std::optional<std::size_t> maybeRow(std::size_t n) {
        if (pick(0, 9) == 0) return std::nullopt;
        return pick(0, static_cast<unsigned>(n));
    }
    std::optional<std::size_t> playItem() {
        const auto n = m_.PlayList.PlayItems.size();
        if (n == 0) return std::nullopt;
        return pick(0, static_cast<unsigned>(n - 1));
    }
    StreamKind kind() { return kStreamKinds[pick(0, 6)]; }
    std::optional<StreamRef> stream() {
        const auto p = playItem();
        if (!p) return std::nullopt;
        // Mostly a kind with items, sometimes any kind and a row past its items.
        const TSTN& stn = m_.PlayList.PlayItems[*p].STN_table;
        std::vector<StreamKind> held;
        for (StreamKind k : kStreamKinds) {
            if (!streamKindItems(stn, k).empty()) held.push_back(k);
        }
        if (held.empty() || pick(0, 4) == 0) {
            const StreamKind k = kind();
            return StreamRef{*p, k, pick(0, static_cast<unsigned>(streamKindItems(stn, k).size()))};
        }
        const StreamKind k = held[pick(0, static_cast<unsigned>(held.size() - 1))];
        return StreamRef{*p, k, pick(0, static_cast<unsigned>(streamKindItems(stn, k).size() - 1))};
    }

    std::string digits(unsigned n) {
        std::string s;
        for (unsigned i = 0; i < n; ++i) s += static_cast<char>('0' + pick(0, 9));
        return s;
    }
    // Time texts as the masks let users type them, and some they do not.
    std::string timeText() {
        switch (pick(0, 7)) {
            case 0: return digits(2) + ":" + digits(2) + ":" + digits(2) + "." + digits(3);
            case 6:
            case 7: return "0" + std::to_string(pick(0, 2)) + ":" + std::to_string(pick(0, 5)) + digits(1) + ":" +
                           std::to_string(pick(0, 5)) + digits(1) + "." + digits(3);
            case 1: return "0" + digits(1) + ":" + std::to_string(pick(0, 5)) + digits(1) + ":0" + digits(1) + "." + digits(3);
            case 2: return "00:0" + digits(1) + ": " + digits(1) + "." + digits(3);
            case 3: return digits(pick(0, 12));
            default: return "00:00:" + std::to_string(pick(10, 59)) + "." + digits(3);
        }
    }
    std::string anyText() {
        static const std::string chars = "0123456789ABCDEFYNy :.-\xC3\xA9";
        std::string s;
        for (unsigned i = pick(0, 9); i > 0; --i) s += chars[pick(0, static_cast<unsigned>(chars.size() - 1))];
        return s;
    }

    void appInfo() {
        switch (pick(0, 7)) {
            case 0: setPlayListUOMask(m_, static_cast<std::uint32_t>(rng_()), static_cast<std::uint32_t>(rng_())); break;
            case 1: leavePlayListUOWord2(m_); break;
            case 2: setPlayListUOBit(m_, static_cast<int>(pick(0, 33)) - 1, coin()); break;
            case 3: setPlayListUOWord2Bit30(m_, coin()); break;
            case 4: setPlaybackType(m_, static_cast<int>(pick(0, 4)) - 1); break;
            case 5: setPlaybackCount(m_, static_cast<std::uint16_t>(rng_())); break;
            default: setAppInfoFlag(m_, static_cast<AppInfoFlag>(pick(0, 2)), coin()); break;
        }
    }

    void playItemCell() {
        const auto n = m_.PlayList.PlayItems.size();
        const std::size_t row = n == 0 || pick(0, 4) == 0 ? pick(0, static_cast<unsigned>(n)) : pick(0, static_cast<unsigned>(n - 1));
        // Mostly the editable columns.
        static constexpr int kEditable[] = {1, 3, 4, 6, 7};
        const int column = pick(0, 4) == 0 ? static_cast<int>(pick(0, 9)) : kEditable[pick(0, 4)];
        std::string text;
        switch (column) {
            case 1: text = coin() ? digits(5) : anyText(); break;
            case 3:
            case 4: text = timeText(); break;
            case 6:
            case 7: text = coin() ? fmt(static_cast<std::uint32_t>(rng_())) : anyText(); break;
            default: text = anyText(); break;
        }
        const TMPLS before = m_;
        auto r = editPlayItemCell(m_, row, column, text, [this](InTimeQuestion) { return coin(); });
        if (!r.ok()) {
            EXPECT_EQ(m_, before) << "a refused cell changes nothing";
        }
    }

    static std::string fmt(std::uint32_t word) {
        static const char* hex = "0123456789abcdef";
        std::string s;
        for (int shift = 28; shift >= 0; shift -= 4) s += hex[(word >> shift) & 15];
        return s;
    }

    void subPlayItemCell() {
        const auto paths = m_.PlayList.SubPaths.size();
        const std::size_t sp = pick(0, static_cast<unsigned>(paths));
        const std::size_t items = sp < paths ? m_.PlayList.SubPaths[sp].SubPlayItems.size() : 0;
        const int column = static_cast<int>(pick(0, 10));
        std::string text;
        switch (column) {
            case 4: text = pick(0, 2) == 0 ? anyText() : (coin() ? "Y" : "N"); break;
            case 6:
            case 7:
            case 9: text = timeText(); break;
            default: text = coin() ? digits(pick(1, 5)) : anyText(); break;
        }
        editSubPlayItemCell(m_, sp, pick(0, static_cast<unsigned>(items)), column, text);
    }

    void subPathList() {
        const std::size_t sp = pick(0, static_cast<unsigned>(m_.PlayList.SubPaths.size()));
        if (coin()) setSubPathType(m_, sp, static_cast<int>(pick(0, 9)) - 1);
        else setSubPathRepeat(m_, sp, static_cast<int>(pick(0, 3)) - 1);
    }

    void streamField() {
        const auto ref = stream();
        if (!ref) return;
        const int item = static_cast<int>(pick(0, 12)) - 1;
        switch (pick(0, 11)) {
            case 0: setStreamEntryType(m_, *ref, static_cast<int>(pick(0, 5)) - 1); break;
            case 1: setStreamMainPid(m_, *ref, static_cast<std::uint32_t>(rng_())); break;
            case 2: setStreamSubPid(m_, *ref, static_cast<std::uint32_t>(rng_())); break;
            case 3: setStreamSubPathId(m_, *ref, static_cast<std::int64_t>(rng_()) - 1000); break;
            case 4: setStreamSubClipId(m_, *ref, pick(0, 300)); break;
            case 5: setVideoCoding(m_, *ref, static_cast<int>(pick(0, 4)) - 1); break;
            case 6: setVideoFormat(m_, *ref, item); break;
            case 7: setFrameRate(m_, *ref, item); break;
            case 8: setAudioCoding(m_, *ref, item); break;
            case 9: setAudioPresentation(m_, *ref, item + 2); break;
            case 10: setSamplingFrequency(m_, *ref, item + 2); break;
            default: setStreamLanguage(m_, *ref, static_cast<int>(pick(0, 432)) - 1); break;
        }
        (void)showStream(m_, *ref);
    }

    void markField() {
        const std::size_t k = pick(0, static_cast<unsigned>(m_.PlayListMark.marks.size()));
        switch (pick(0, 2)) {
            case 0: setMarkType(m_, k, static_cast<int>(pick(0, 3)) - 1); break;
            case 1: setMarkPlayItem(m_, k, pick(0, 5)); break;
            default: {
                const auto v = [this] { return static_cast<std::int64_t>(pick(0, 2000)) - 100; };
                setMarkTime(m_, k, {v() / 40, v() / 20, v() / 20, v() * 50});
                (void)showMark(m_, k);
                break;
            }
        }
    }

    void chapters() {
        const auto format = static_cast<ChapterFormat>(pick(0, 2));
        std::string file;
        switch (pick(0, 3)) {
            case 0: {
                // The PlayList's own marks, in any format.
                auto bytes = chapterFileBytes(m_, static_cast<ChapterFormat>(pick(0, 2)));
                if (bytes.ok()) file.assign(bytes->begin(), bytes->end());
                break;
            }
            case 1:
            case 2:
                for (unsigned i = pick(0, 30); i > 0; --i) {
                    const std::uint32_t ticks = pick(0, 3) == 0 ? static_cast<std::uint32_t>(rng_()) : pick(0, 3000000);
                    FrameRateTiming rate = playListFrameRate(m_);
                    if (!rate.hasRate()) rate = {1000, 25000};
                    file += chapterLine(ticks, format, rate) + (coin() ? "\r\n" : "\n");
                }
                break;
            default: file = anyText() + "\n" + anyText(); break;
        }
        const TMPLS before = m_;
        NullLogSink quiet;
        Log log(quiet);
        auto r = importChapters(m_, std::vector<std::uint8_t>(file.begin(), file.end()), format, "c.txt", log);
        if (!r.ok() || r->chapters == 0) {
            EXPECT_EQ(m_, before) << "a refused import changes nothing";
        }
    }

    TMPLS& m_;
    std::mt19937 rng_;
};

// Runs `steps` random edits, checking after each; stops at the first failure.
void runEdits(TMPLS model, std::uint32_t seed, int steps) {
    test::expectConsistent(model);
    Editor editor(model, seed);
    for (int i = 0; i < steps && !::testing::Test::HasFailure(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        editor.step();
        test::expectConsistent(model);
    }
}

TMPLS readModel(const std::vector<std::uint8_t>& bytes) {
    FieldReader in("00001.mpls", bytes);
    auto r = readPlayList(in);
    EXPECT_TRUE(r.ok() && !r->truncated);
    return r.ok() ? r->model : TMPLS{};
}

TEST(RandomPlayListEditing, Fixtures) {
    fx::File padded;
    padded.trailing = std::vector<std::uint8_t>(16, 0);
    fx::File uhd;
    uhd.version = "0300";
    uhd.items[0].table = {{1, 1, 0, 0, 0, 0, 0},
                          fx::cat({fx::entryPlayItem(0x1011), {5, 0x24, 0x81, 0x01, 0x00, 0x00}, {9, 7, 1, 2, 3, 4, 5, 6, 7, 8},
                                   {5, 0x0F, 0x31, 'u', 'n', 'd'}})};
    const std::vector<std::pair<std::string, TMPLS>> models{
        {"every record kind", readModel(fx::file(fx::richFile()))},
        {"minimal, with padding", readModel(fx::file(padded))},
        {"codes without a layout", readModel(fx::file(uhd))},
        {"an empty model", TMPLS{}},
    };
    for (const auto& [name, model] : models) {
        for (std::uint32_t seed : {1u, 2u}) {
            SCOPED_TRACE(name + ", seed " + std::to_string(seed));
            runEdits(model, seed, 450);
            if (HasFailure()) return;
        }
    }
}

TEST(RandomPlayListEditing, CorpusPlayLists) {
    NAVELO_REQUIRE_CORPUS();
    std::vector<fs::path> files;
    for (const auto& e : fs::recursive_directory_iterator(test::corpusDir())) {
        if (e.is_regular_file() && e.path().extension() == ".mpls") files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    std::size_t edited = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        auto in = FieldReader::open(files[i]);
        ASSERT_TRUE(in.ok());
        auto read = readPlayList(*in);
        if (!read.ok() || read->truncated) continue;
        SCOPED_TRACE(files[i].string());
        runEdits(read->model, static_cast<std::uint32_t>(100 + i), 10);
        if (HasFailure()) return;
        ++edited;
    }
    EXPECT_GT(edited, 200u);
}

}  // namespace
}  // namespace navelo
