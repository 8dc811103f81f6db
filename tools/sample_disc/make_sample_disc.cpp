// navelo-make-sample DIR: writes the sample disc DIR/BDMV/.
//
// The sample is made by the project's own writers so that it is always a file
// Navelo reads and writes back unchanged. Its movie objects are a small
// plausible program plus a gallery that touches every command name, every
// operand form worth seeing, the forbidden commands and a few invalid words,
// so that each look of the command grid can be seen on one disc. Its
// PlayLists (sample_playlists.h) do the same for the PlayList tab.
// The output is the same bytes on every run; samples/DEMO is its committed copy.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bdjo_bytes.h"
#include "core/field_reader.h"
#include "core/file_io.h"
#include "navigation/command.h"
#include "navigation/index_file.h"
#include "navigation/movie_object.h"
#include "playlist/playlist_file.h"
#include "sample_playlists.h"

namespace fs = std::filesystem;
using navelo::NavigationCommand;

namespace {

// ---- Command words ---------------------------------------------------------
// Each constant is the opword of the command with its usual operand count and
// both operands as registers; kImm1 / kImm2 make an operand immediate.
constexpr std::uint32_t kImm1 = 1u << 23;
constexpr std::uint32_t kImm2 = 1u << 22;

constexpr std::uint32_t kNop = 0x00000000;
constexpr std::uint32_t kGoTo = 0x20010000;
constexpr std::uint32_t kBreak = 0x00020000;
constexpr std::uint32_t kJumpObject = 0x21000000;
constexpr std::uint32_t kJumpTitle = 0x21010000;
constexpr std::uint32_t kCallObject = 0x21020000;
constexpr std::uint32_t kCallTitle = 0x21030000;
constexpr std::uint32_t kResume = 0x01040000;
constexpr std::uint32_t kPlayPL = 0x22000000;
constexpr std::uint32_t kPlayPLatPI = 0x42010000;
constexpr std::uint32_t kPlayPLatMK = 0x42020000;
constexpr std::uint32_t kTerminatePL = 0x02030000;
constexpr std::uint32_t kLinkPI = 0x22040000;
constexpr std::uint32_t kLinkMK = 0x22050000;

constexpr std::uint32_t compare(unsigned option) { return 0x48000000u | (option << 8); }
constexpr std::uint32_t kBC = compare(1), kEQ = compare(2), kNE = compare(3), kGE = compare(4), kGT = compare(5),
                        kLE = compare(6), kLT = compare(7);

constexpr std::uint32_t set(unsigned option) { return 0x50000000u | option; }
constexpr std::uint32_t kMove = set(1), kSwap = set(2), kAdd = set(3), kSub = set(4), kMul = set(5), kDiv = set(6),
                        kMod = set(7), kRnd = set(8), kAnd = set(9), kOr = set(10), kXor = set(11), kBitSet = set(12),
                        kBitClear = set(13), kShiftLeft = set(14), kShiftRight = set(15);

constexpr std::uint32_t kSetStream = 0x51000001;
constexpr std::uint32_t kSetNVTimer = 0x51000002;
constexpr std::uint32_t kSetButtonPage = 0x51000003;
constexpr std::uint32_t kEnableButton = 0x31000004;
constexpr std::uint32_t kDisableButton = 0x31000005;
constexpr std::uint32_t kSetSecondaryStream = 0x51000006;
constexpr std::uint32_t kPopUpMenuOff = 0x11000007;
constexpr std::uint32_t kStillOn = 0x11000008;
constexpr std::uint32_t kStillOff = 0x11000009;

// The same command written without operands (operand count 0).
constexpr std::uint32_t bare(std::uint32_t opword) { return opword & 0x1FFFFFFFu; }

// Register operands: bit 31 selects the status registers.
constexpr std::uint32_t gpr(std::uint32_t n) { return n & 0xFFFu; }
constexpr std::uint32_t psr(std::uint32_t n) { return 0x80000000u | (n & 0x7Fu); }

constexpr std::uint32_t kLanguageEng = 0x656E67;  // "eng"
constexpr std::uint32_t kCountryUS = 0x5553;      // "US"

NavigationCommand cmd(std::uint32_t opword, std::uint32_t destination = 0, std::uint32_t source = 0) {
    return {opword, destination, source};
}

navelo::Tmobject object(bool resume, bool menuCallMasked, bool titleSearchMasked, std::vector<NavigationCommand> commands) {
    navelo::Tmobject o;
    o.resume_intention_flag = resume ? 1 : 0;
    o.menu_call_mask = menuCallMasked ? 1 : 0;
    o.title_search_mask = titleSearchMasked ? 1 : 0;
    o.number_of_navigation_commands = static_cast<std::uint16_t>(commands.size());
    o.navigation_commands = std::move(commands);
    return o;
}

// Registers the program uses: GPR2 "US player", GPR20 bonus playlist counter,
// GPR30 chapter chosen in the scene menu, GPR40/41 audio and subtitle choice.
std::vector<navelo::Tmobject> movieObjects() {
    std::vector<navelo::Tmobject> objects;

    // 0: first playback. Sets up the registers, prefers English audio and
    // notes a US player, then shows the top menu (title 0).
    objects.push_back(object(false, true, true,
                             {
                                 cmd(kMove | kImm2, gpr(0), 0),                // 0 Move GPR0, 0
                                 cmd(kMove | kImm2, gpr(1), 1),                // 1 Move GPR1, 1
                                 cmd(kEQ | kImm2, psr(19), kCountryUS),        // 2 EQ PSR19, "US"
                                 cmd(kMove | kImm2, gpr(2), 1),                // 3   Move GPR2, 1
                                 cmd(kNE | kImm2, psr(16), kLanguageEng),      // 4 NE PSR16, "eng"
                                 cmd(kMove | kImm2, psr(16), kLanguageEng),    // 5   Move PSR16, "eng"
                                 cmd(kRnd | kImm2, gpr(4), 3),                 // 6 Rnd GPR4, 3: which trailer
                                 cmd(kJumpTitle | kImm1, 0),                   // 7 Jump Title 0
                             }));

    // 1: top menu. Preselects button 1 on page 0 and plays PlayList 0, the
    // feature with its pop-up menu, for as long as the menu is up.
    objects.push_back(object(false, true, false,
                             {
                                 cmd(kSetButtonPage | kImm1 | kImm2, 0x80000001, 0x80000000),  // 0 SetButtonPage 1, 0
                                 cmd(kPlayPL | kImm1, 0),                                       // 1 Play PL 0
                                 cmd(kGoTo | kImm1, 1),                                         // 2 GoTo 1
                             }));

    // 2: title 1, the main feature: the US cut on US players.
    objects.push_back(object(true, false, false,
                             {
                                 cmd(kNE | kImm2, gpr(2), 1),   // 0 NE GPR2, 1
                                 cmd(kGoTo | kImm1, 4),         // 1   GoTo 4
                                 cmd(kPlayPL | kImm1, 2),       // 2 Play PL 2
                                 cmd(kGoTo | kImm1, 5),         // 3 GoTo 5
                                 cmd(kPlayPL | kImm1, 1),       // 4 Play PL 1
                                 cmd(kJumpObject | kImm1, 1),   // 5 Jump Object 1
                             }));

    // 3: title 2, the bonus loop: PlayLists 3, 4 and 5 in turn.
    objects.push_back(object(true, false, true,
                             {
                                 cmd(kMove | kImm2, gpr(20), 3),  // 0 Move GPR20, 3
                                 cmd(kPlayPL, gpr(20)),           // 1 Play PL GPR20
                                 cmd(kAdd | kImm2, gpr(20), 1),   // 2 Add GPR20, 1
                                 cmd(kLE | kImm2, gpr(20), 5),    // 3 LE GPR20, 5
                                 cmd(kGoTo | kImm1, 1),           // 4   GoTo 1
                                 cmd(kJumpTitle | kImm1, 0),      // 5 Jump Title 0
                             }));

    // 4: title 3, scene selection: from the start, or from the chapter
    // (1-based) that the scene menu left in GPR30.
    objects.push_back(object(true, true, false,
                             {
                                 cmd(kGT | kImm2, gpr(30), 0),                 // 0 GT GPR30, 0
                                 cmd(kGoTo | kImm1, 4),                        // 1   GoTo 4
                                 cmd(kPlayPLatPI | kImm1 | kImm2, 1, 0),       // 2 Play PL_PI 1, 0
                                 cmd(kGoTo | kImm1, 6),                        // 3 GoTo 6
                                 cmd(kSub | kImm2, gpr(30), 1),                // 4 Sub GPR30, 1
                                 cmd(kPlayPLatMK | kImm1, 1, gpr(30)),         // 5 Play PL_MK 1, GPR30
                                 cmd(kMove | kImm2, gpr(30), 0),               // 6 Move GPR30, 0
                                 cmd(kJumpObject | kImm1, 1),                  // 7 Jump Object 1
                             }));

    // 5: title 4, set-up: applies the chosen streams, then a tour of the
    // register arithmetic on GPR60-62, and back to where the user was.
    objects.push_back(object(false, true, true,
                             {
                                 cmd(kSetStream, 0x80288029, 0),                       // 0 SetStream GPR40, GPR41, (GPR0), (GPR0)
                                 cmd(kSetStream | kImm1 | kImm2, 0x80028001, 0),       // 1 SetStream 2, 1, (0), (0)
                                 cmd(kSetSecondaryStream | kImm1 | kImm2, 0x80010001, 0x80010000),  // 2 SetSecondaryStream 1, (1), 1, (0)
                                 cmd(kSetNVTimer | kImm1 | kImm2, 1, 60),              // 3 SetNVTimer 1, 60
                                 cmd(kMove | kImm2, gpr(60), 100),                     // 4 Move GPR60, 100
                                 cmd(kMove, gpr(61), psr(4)),                          // 5 Move GPR61, PSR4
                                 cmd(kSwap, gpr(60), gpr(61)),                         // 6 Swap GPR60, GPR61
                                 cmd(kAdd, gpr(60), gpr(61)),                          // 7 Add GPR60, GPR61
                                 cmd(kSub | kImm2, gpr(60), 7),                        // 8 Sub GPR60, 7
                                 cmd(kMul | kImm2, gpr(60), 3),                        // 9 Mul GPR60, 3
                                 cmd(kDiv | kImm2, gpr(60), 2),                        // 10 Div GPR60, 2
                                 cmd(kMod | kImm2, gpr(60), 10),                       // 11 Mod GPR60, 10
                                 cmd(kAnd | kImm2, gpr(60), 255),                      // 12 And GPR60, 255
                                 cmd(kOr | kImm2, gpr(60), 256),                       // 13 Or GPR60, 256
                                 cmd(kXor, gpr(60), gpr(61)),                          // 14 Xor GPR60, GPR61
                                 cmd(kBitSet | kImm2, gpr(62), 3),                     // 15 Bit Set GPR62, 3
                                 cmd(kBitClear | kImm2, gpr(62), 0),                   // 16 Bit Clear GPR62, 0
                                 cmd(kShiftLeft | kImm2, gpr(62), 4),                  // 17 Shift Left GPR62, 4
                                 cmd(kShiftRight | kImm2, gpr(62), 2),                 // 18 Shift Right GPR62, 2
                                 cmd(kResume),                                         // 19 Resume
                             }));

    // 6: title 7, the command gallery: the remaining names and operand
    // forms, the commands a movie object may not hold (shown with "*") and
    // words that are no command at all (shown with "!"). Not meant to be run.
    objects.push_back(object(true, true, true,
                             {
                                 cmd(kNop),                                        // 0 NOP
                                 cmd(kBreak),                                      // 1 Break
                                 cmd(kGoTo, gpr(70)),                              // 2 GoTo GPR70
                                 cmd(kJumpObject, gpr(71)),                        // 3 Jump Object GPR71
                                 cmd(kJumpTitle, gpr(72)),                         // 4 Jump Title GPR72
                                 cmd(kCallObject | kImm1, 4),                      // 5 Call Object 4
                                 cmd(kCallObject, gpr(73)),                        // 6 Call Object GPR73
                                 cmd(kCallTitle | kImm1, 3),                       // 7 Call Title 3
                                 cmd(kCallTitle, gpr(74)),                         // 8 Call Title GPR74
                                 cmd(kPlayPL, gpr(75)),                            // 9 Play PL GPR75
                                 cmd(kPlayPLatPI, gpr(75), gpr(76)),               // 10 Play PL_PI GPR75, GPR76
                                 cmd(kPlayPLatPI | kImm1, 2, gpr(76)),             // 11 Play PL_PI 2, GPR76
                                 cmd(kPlayPLatPI | kImm2, gpr(75), 3),             // 12 Play PL_PI GPR75, 3
                                 cmd(kPlayPLatMK, gpr(75), gpr(77)),               // 13 Play PL_MK GPR75, GPR77
                                 cmd(kPlayPLatMK | kImm2, gpr(75), 2),             // 14 Play PL_MK GPR75, 2
                                 cmd(kPlayPLatMK | kImm1 | kImm2, 1, 4),           // 15 Play PL_MK 1, 4
                                 cmd(kTerminatePL),                                // 16 *Terminate PL
                                 cmd(kLinkPI | kImm1, 2),                          // 17 *Link PI 2
                                 cmd(kLinkPI, gpr(76)),                            // 18 *Link PI GPR76
                                 cmd(kLinkMK | kImm1, 3),                          // 19 *Link MK 3
                                 cmd(kLinkMK, gpr(77)),                            // 20 *Link MK GPR77
                                 cmd(kBC, gpr(78), gpr(79)),                       // 21 BC GPR78, GPR79
                                 cmd(kBC | kImm2, gpr(78), 8),                     // 22 BC GPR78, 8
                                 cmd(kEQ, gpr(78), gpr(79)),                       // 23 EQ GPR78, GPR79
                                 cmd(kGE | kImm1 | kImm2, 5, 3),                   // 24 GE 5, 3
                                 cmd(kGT, gpr(78), gpr(79)),                       // 25 GT GPR78, GPR79
                                 cmd(kLE, psr(3), gpr(79)),                        // 26 LE PSR3, GPR79
                                 cmd(kLT | kImm2, gpr(78), 16),                    // 27 LT GPR78, 16
                                 cmd(bare(kEQ)),                                   // 28 EQ (repeats the last result)
                                 cmd(bare(kMove)),                                 // 29 Move without operands
                                 cmd(bare(kSetStream)),                            // 30 SetStream without operands
                                 cmd(kSetStream | kImm2, 0x80288029, 0x80018000),  // 31 SetStream GPR40, GPR41, 1, 0
                                 cmd(kSetButtonPage | kImm2, 0x80000050, 0x80000001),  // 32 SetButtonPage GPR80, 1
                                 cmd(kSetSecondaryStream, 0x8001802A, 0),          // 33 SetSecondaryStream 1, GPR42, ...
                                 cmd(kEnableButton | kImm1, 3),                    // 34 *EnableButton 3
                                 cmd(kDisableButton, gpr(81)),                     // 35 *DisableButton GPR81
                                 cmd(kPopUpMenuOff),                               // 36 *PopUpMenu Off
                                 cmd(kStillOn),                                    // 37 *Still On
                                 cmd(kStillOff),                                   // 38 *Still Off
                                 cmd(kMove | 0x20, gpr(1), gpr(2)),                // 39 !Move: a reserved bit set
                                 cmd(kMove | kImm1, 1, gpr(2)),                    // 40 !Move 1, GPR2: immediate destination
                                 cmd(set(17), gpr(1), gpr(2)),                     // 41 !: set option 17 has no name
                                 cmd(0x18000000),                                  // 42 !: group 3
                             }));

    // 7: kept empty, as a freshly added object is.
    objects.push_back(object(false, false, false, {}));
    return objects;
}

navelo::TMOBJ movieObjectFile() {
    navelo::TMOBJ m;
    m.type_indicator = "MOBJ";
    m.version_number = "0200";
    m.objects.mobjs = movieObjects();
    m.objects.number_of_mobjs = static_cast<std::uint16_t>(m.objects.mobjs.size());
    m.objects.length = static_cast<std::uint32_t>(navelo::movieObjectsContentLength(m.objects));
    m.ExtensionData_start_address = 0;  // none
    return m;
}

// ---- index.bdmv ------------------------------------------------------------
enum Access : std::uint8_t { Permitted = 0, PermittedToo = 1, Prohibited1 = 2, Prohibited2 = 3 };
enum Playback : std::uint8_t { Movie = 0, Interactive = 1 };

navelo::TIndexTitle hdmvEntry(std::uint16_t object, std::uint8_t access, std::uint8_t playback) {
    return {0, 1, access, playback, object, {}};
}
navelo::TIndexTitle bdjEntry(std::string file, std::uint8_t access, std::uint8_t playback) {
    return {0, 2, access, playback, 0, std::move(file)};
}

navelo::TINDX indexFile() {
    navelo::TINDX x;
    x.version_number = 0x30323030;  // "0200"
    x.content_provider_user_data = "Navelo sample disc";
    x.indexes.FirstPlayback = hdmvEntry(0, 0, Interactive);
    x.indexes.FirstPlayback.title_number = 0xFFFF;
    x.indexes.TopMenu = hdmvEntry(1, 0, Interactive);
    x.indexes.Titles = {
        hdmvEntry(2, Permitted, Movie),           // main feature
        hdmvEntry(3, Prohibited1, Movie),         // bonus loop
        hdmvEntry(4, PermittedToo, Interactive),  // scene selection
        hdmvEntry(5, Prohibited2, Interactive),   // set-up
        bdjEntry("00000", Permitted, 2),          // BD-J playback types have no name in the grid
        bdjEntry("00001", Prohibited1, 3),
        hdmvEntry(6, Prohibited2, Movie),         // command gallery
    };
    for (std::size_t i = 0; i < x.indexes.Titles.size(); ++i) x.indexes.Titles[i].title_number = static_cast<std::int32_t>(i + 1);
    x.indexes.number_of_Titles = static_cast<std::uint16_t>(x.indexes.Titles.size());
    x.indexes.length = 26 + 12 * x.indexes.number_of_Titles;

    // One small extension entry, so that the caption has something to count.
    const std::string payload = "Navelo01";
    navelo::TExtensionData& e = x.extension;
    e.number_of_ext_data_entries = 1;
    e.data_block_start_address = 12 + 12;  // after the header and the one entry
    e.entries = {{0x4E56, 0x0001, e.data_block_start_address, static_cast<std::uint32_t>(payload.size())}};
    e.data.assign(payload.begin(), payload.end());
    e.length = 8 + 12 + static_cast<std::uint32_t>(e.data.size());
    x.ExtensionData_start_address = x.Indexes_start_address + 4 + x.indexes.length;
    return x;
}

// ---- Output ----------------------------------------------------------------
bool write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    const auto status = navelo::writeFileReplacing(path, bytes);
    if (!status) {
        std::fprintf(stderr, "navelo-make-sample: %s\n", status.error().describe().c_str());
        return false;
    }
    return true;
}

// Writes NAME.mpls with the PlayList writer and reads it back: a sample
// PlayList must come back from the reader as the model it was written from.
bool writePlayList(const fs::path& folder, const navelo::sample::SamplePlayList& playList) {
    const std::string file = playList.name + ".mpls";
    const auto bytes = navelo::writePlayList(playList.model);
    if (!bytes) {
        std::fprintf(stderr, "navelo-make-sample: %s: %s\n", file.c_str(), bytes.error().describe().c_str());
        return false;
    }
    navelo::FieldReader in(file, *bytes);
    const auto read = navelo::readPlayList(in);
    if (!read || read->truncated || !(read->model == playList.model)) {
        std::fprintf(stderr, "navelo-make-sample: %s does not read back as it was written\n", file.c_str());
        return false;
    }
    return write(folder / file, *bytes);
}

bool makeDisc(const fs::path& bdmv) {
    std::error_code ec;
    for (const char* folder : {"PLAYLIST", "CLIPINF", "STREAM", "BACKUP", "BDJO"}) {
        fs::create_directories(bdmv / folder, ec);
        if (ec) {
            std::fprintf(stderr, "navelo-make-sample: cannot create %s: %s\n", (bdmv / folder).string().c_str(), ec.message().c_str());
            return false;
        }
    }
    // Folders that later samples fill stay in version control through an
    // empty marker whose name no file listing of the disc matches.
    for (const char* folder : {"CLIPINF", "STREAM"}) {
        if (!write(bdmv / folder / ".keep", {})) return false;
    }
    for (const auto& playList : navelo::sample::samplePlayLists()) {
        if (!writePlayList(bdmv / "PLAYLIST", playList)) return false;
    }

    const auto index = navelo::writeIndex(indexFile());
    const auto movieObjects = navelo::writeMovieObject(movieObjectFile());
    for (const fs::path& folder : {bdmv, bdmv / "BACKUP"}) {
        if (!write(folder / navelo::kIndexFileName, index) || !write(folder / navelo::kMovieObjectFileName, movieObjects)) return false;
    }

    const navelo::sample::BdjoApplication main{0x00004E56, 0x4001, "Navelo demo", "00000", "demo.Main", {}};
    const navelo::sample::BdjoApplication menu{0x00004E56, 0x4002, "Navelo menu", "00001", "demo.Menu", {"page=1"}};
    return write(bdmv / "BDJO" / "00000.bdjo", navelo::sample::bdjoBytes(main)) &&
           write(bdmv / "BDJO" / "00001.bdjo", navelo::sample::bdjoBytes(menu));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: navelo-make-sample DIR   (writes DIR/BDMV/)\n");
        return 2;
    }
    return makeDisc(fs::path(argv[1]) / "BDMV") ? 0 : 1;
}
