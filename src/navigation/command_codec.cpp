#include "navigation/command_codec.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <span>

#include <fmt/format.h>

#include "core/text.h"

namespace navelo {

namespace {

// ---------------------------------------------------------------------------
// Name tables

constexpr std::array<std::string_view, 3> kGroupNames = {"Branch", "Compare", "Set"};

constexpr std::array<std::array<std::string_view, 3>, 3> kSubGroupNames = {{
    {"GoTo", "Jump", "Play"},
    {"-", "", ""},
    {"Set", "SetSystem", ""},
}};

constexpr std::string_view kGoToOptions[] = {"NOP", "GoTo", "Break"};
constexpr std::string_view kJumpOptions[] = {"Jump Object", "Jump Title", "Call Object", "Call Title", "Resume"};
constexpr std::string_view kPlayOptions[] = {"Play PL",      "Play PL_PI", "Play PL_MK",
                                             "Terminate PL", "Link PI",    "Link MK"};
constexpr std::string_view kCompareOptions[] = {"--", "BC", "EQ", "NE", "GE", "GT", "LE", "LT"};
constexpr std::string_view kSetOptions[] = {"---", "Move", "Swap", "Add", "Sub", "Mul", "Div", "Mod",
                                            "Rnd", "And", "Or", "Xor", "Bit Set", "Bit Clear", "Shift Left",
                                            "Shift Right"};
constexpr std::string_view kSetSystemOptions[] = {"---", "SetStream", "SetNVTimer", "SetButtonPage",
                                                  "EnableButton", "DisableButton", "SetSecondaryStream",
                                                  "PopUpMenu Off", "Still On", "Still Off"};

// Only the named sub-groups have option lists; every other slot stays empty.
constexpr std::array<std::array<std::span<const std::string_view>, 8>, 3> kOptionNames = {{
    {kGoToOptions, kJumpOptions, kPlayOptions},
    {kCompareOptions},
    {kSetOptions, kSetSystemOptions},
}};

constexpr std::array<std::string_view, kDescribedPsrCount> kPsrDescriptions = {
    "Interactive Graphics Stream Number (b7-b0) {1-32,$ff}",
    "Primary Audio Stream Number (b7-b0) {1-32,$ff}",
    "PG and PiP PG TextST Stream Number (b31: disp_s, b30: PIP_PG_textST_valid, b27-b16: PiP PG TextST, b11-b0: PG "
    "TextST) {0-255,$fff}",
    "Angle Number (b7-b0) {1-9}",
    "Title Number (b15-b0) {1-999,$ffff}",
    "Chapter Number (b15-b0) {1-999,$ffff}",
    "PlayList id (b15-b0) {0-1999}",
    "PlayItem id (b15-b0) {0-998}",
    "Presentation Time in 45kHz {0-$ffffffff}",
    "Navigation Timer (b15-b0) {0-300} sec",
    "Selected Button id (b15-b0) {0-$1fdf,$ffff}",
    "Menu Page id (b7-b0) {0-$fe}",
    "User Style Number (b7-b0) {1-25,$ff}",
    "Parental Level (b7-b0) {0-255} age",
    // Deliberately without its closing parenthesis.
    "Sec. Audio and Sec. Video Stream Number (b31: disp_v, b30: disp_a, b27-b24: sec. video size, b15-b8: "
    "sec.video, b7-b0: sec.audio",
    "Player Capability for Audio (b15-b14: MLP, b13-b12: DD Lossless, b11-b10: DTS-HD ext., b9-b8: DTS-HD core, "
    "b7-b6: DD+ dep., b5-b4: DD+ ind., b3-b0: LPCM)",
    "Language Code for Audio (b23-b0)",
    "Language code for PG and Text subtitle (b23-b0)",
    "Language Code for Menu (b23-b0)",
    "Country Code (b15-b0)",
    "Region Code (b7-b0) {1,2,4}",
    "reserved",  // 21
    "reserved",  // 22
    "reserved",  // 23
    "reserved",  // 24
    "reserved",  // 25
    "reserved",  // 26
    "reserved",  // 27
    "reserved",  // 28
    "Player Capability for Video (b1: 50Hz and 25Hz, b0: HD sec video)",
    "Player Capability for Text Subtitle",
    "Player Profile / Version number (b19-b16: profile {0,1,3,8}, b15-b0: player version {$0200})",
    "reserved",  // 32
    "reserved",  // 33
    "reserved",  // 34
    "reserved",  // 35
    "Back-up Register for PSR4",
    "Back-up Register for PSR5",
    "Back-up Register for PSR6",
    "Back-up Register for PSR7",
    "Back-up Register for PSR8",
    "reserved",  // 41
    "Back-up Register for PSR10",
    "Back-up Register for PSR11",
    "Back-up Register for PSR12",
};

// ---------------------------------------------------------------------------
// Opword sets. Kept sorted so a lookup is a binary search: whole programs of
// up to 65,535 commands are rendered at once.

constexpr std::size_t kValidOpwordCount = 120;

constexpr std::array<std::uint32_t, kValidOpwordCount> kValidOpwords = [] {
    std::array<std::uint32_t, kValidOpwordCount> set{};
    std::size_t n = 0;
    auto add = [&](std::uint32_t w) {
        if (n == set.size()) throw "too many valid opwords";
        set[n++] = w;
    };
    // Branch group.
    for (std::uint32_t w : {0x00000000u, 0x20010000u, 0x20810000u, 0x00020000u,               // NOP, GoTo, Break
                            0x21000000u, 0x21800000u, 0x21010000u, 0x21810000u,               // Jump Object/Title
                            0x21020000u, 0x21820000u, 0x21030000u, 0x21830000u, 0x01040000u,  // Call, Resume
                            0x22000000u, 0x22800000u,                                         // Play PL
                            0x42010000u, 0x42810000u, 0x42410000u, 0x42C10000u,               // Play PL_PI
                            0x42020000u, 0x42820000u, 0x42420000u, 0x42C20000u,               // Play PL_MK
                            0x02030000u,                                                      // Terminate PL
                            0x22040000u, 0x22840000u, 0x22050000u, 0x22850000u})              // Link PI, Link MK
        add(w);
    // SetSystem with operands: either operand may be immediate for the stream,
    // timer and page options; the button options take one operand.
    for (std::uint32_t k : {1u, 2u, 3u, 6u})
        for (std::uint32_t base : {0x51000000u, 0x51800000u, 0x51400000u, 0x51C00000u}) add(base + k);
    for (std::uint32_t k : {4u, 5u})
        for (std::uint32_t base : {0x31000000u, 0x31800000u}) add(base + k);
    // Forms without operands.
    for (std::uint32_t k = 1; k <= 9; ++k) add(0x11000000u + k);
    for (std::uint32_t k = 1; k <= 5; ++k) add(0x10000000u + k);
    for (std::uint32_t k = 1; k <= 7; ++k) add(0x08000000u + (k << 8));
    // Set and Compare with two operands.
    for (std::uint32_t k = 1; k <= 15; ++k) {
        add(0x50000000u + k);
        add(0x50400000u + k);
    }
    for (std::uint32_t k = 1; k <= 7; ++k)
        for (std::uint32_t base : {0x48000000u, 0x48C00000u, 0x48400000u}) add(base + (k << 8));
    if (n != set.size()) throw "too few valid opwords";
    std::sort(set.begin(), set.end());
    return set;
}();
static_assert(std::adjacent_find(kValidOpwords.begin(), kValidOpwords.end()) == kValidOpwords.end(),
              "valid opwords must be distinct");

// Commands that only make sense during PlayList playback or with buttons on screen.
constexpr std::array<std::uint32_t, 12> kForbiddenInMovieObjects = {
    0x02030000u, 0x22050000u, 0x22850000u, 0x22040000u, 0x22840000u, 0x31000004u,
    0x31800004u, 0x31000005u, 0x31800005u, 0x11000007u, 0x11000008u, 0x11000009u,
};

// A button must not start PlayList playback directly.
constexpr std::array<std::uint32_t, 10> kForbiddenInButtons = {
    0x22000000u, 0x22800000u, 0x42010000u, 0x42810000u, 0x42410000u,
    0x42C10000u, 0x42020000u, 0x42820000u, 0x42420000u, 0x42C20000u,
};

// ---------------------------------------------------------------------------
// Operand texts

using Out = std::back_insert_iterator<std::string>;

// A value in parentheses marks a flag bit that is clear.
void appendFlagged(std::string& out, bool flag, std::uint32_t value) {
    if (flag) fmt::format_to(Out(out), "{}", value);
    else fmt::format_to(Out(out), "({})", value);
}

void appendFlaggedGpr(std::string& out, bool flag, std::uint32_t value) {
    if (flag) fmt::format_to(Out(out), "GPR{}", value);
    else fmt::format_to(Out(out), "(GPR{})", value);
}

bool bit(std::uint32_t word, unsigned n) { return (word >> n) & 1u; }

// Plain register or immediate text of one operand; a PSR operand becomes the
// annotated register.
void appendOperand(std::string& out, bool immediate, std::uint32_t word, std::optional<unsigned>& psr) {
    if (immediate) {
        fmt::format_to(Out(out), "{}", word);
    } else if (bit(word, 31)) {
        psr = word & 0x7Fu;
        fmt::format_to(Out(out), "PSR{}", *psr);
    } else {
        fmt::format_to(Out(out), "GPR{}", word & 0xFFFu);
    }
}

constexpr std::uint32_t kSetStream = 1, kSetButtonPage = 3, kSetSecondaryStream = 6;

// SetStream, SetButtonPage and SetSecondaryStream pack several fields into each
// operand word. Returns their SetSystem option, or 0 for any other opword.
std::uint32_t packedSetSystemOption(std::uint32_t opword) {
    const std::uint32_t withoutFlags = opword & ~0x00C00000u;
    for (std::uint32_t k : {kSetStream, kSetButtonPage, kSetSecondaryStream})
        if (withoutFlags == 0x51000000u + k) return k;
    return 0;
}

void appendPackedDestination(std::string& out, std::uint32_t option, bool immediate, std::uint32_t d) {
    const bool e = bit(d, 31), f = bit(d, 15);
    out += ' ';
    switch (option) {
        case kSetStream:
            if (immediate) {
                appendFlagged(out, e, (d >> 16) & 0xFFu);
                out += ", ";
                appendFlagged(out, f, d & 0xFFFu);
            } else {
                appendFlaggedGpr(out, e, (d >> 16) & 0xFFFu);
                out += ", ";
                appendFlaggedGpr(out, f, d & 0xFFFu);
            }
            break;
        case kSetButtonPage:
            if (immediate) appendFlagged(out, e, d & 0xFFFFu);
            else appendFlaggedGpr(out, e, d & 0xFFFu);
            break;
        case kSetSecondaryStream:
            // The first field is a plain number in both forms.
            appendFlagged(out, e, (d >> 16) & 0xFu);
            out += ", ";
            if (immediate) appendFlagged(out, f, d & 0xFFu);
            else appendFlaggedGpr(out, f, d & 0xFFFu);
            break;
        default: break;
    }
}

void appendPackedSource(std::string& out, std::uint32_t option, bool immediate, std::uint32_t s) {
    const bool g = bit(s, 31), h = bit(s, 15);
    out += ", ";
    switch (option) {
        case kSetStream:
            if (immediate) {
                appendFlagged(out, g, (s >> 16) & 0xFFu);
                out += ", ";
                appendFlagged(out, h, s & 0xFFu);
            } else {
                appendFlaggedGpr(out, g, (s >> 16) & 0xFFFu);
                out += ", ";
                appendFlaggedGpr(out, h, s & 0xFFu);
            }
            break;
        case kSetButtonPage:
            if (immediate) appendFlagged(out, g, s & 0xFFu);
            else appendFlaggedGpr(out, g, (s >> 16) & 0xFFFu);
            break;
        case kSetSecondaryStream:
            if (immediate) {
                appendFlagged(out, g, (s >> 16) & 0xFFu);
                out += ", ";
                appendFlagged(out, h, s & 0xFFFu);
            } else {
                appendFlaggedGpr(out, g, (s >> 16) & 0xFFFu);
                out += ", ";
                appendFlaggedGpr(out, h, s & 0xFFFu);
            }
            break;
        default: break;
    }
}

// The language or country code characters of PSR 16-19; zero bytes are padding.
std::string codeCharacters(std::uint32_t word) {
    std::string bytes;
    for (unsigned shift : {16u, 8u, 0u}) {
        const auto c = static_cast<char>((word >> shift) & 0xFFu);
        if (c != 0) bytes += c;
    }
    return latin1ToUtf8(bytes);
}

}  // namespace

std::string_view commandGroupName(unsigned group) { return group < kGroupNames.size() ? kGroupNames[group] : ""; }

std::string_view commandSubGroupName(unsigned group, unsigned subGroup) {
    if (group >= kSubGroupNames.size() || subGroup >= kSubGroupNames[group].size()) return "";
    return kSubGroupNames[group][subGroup];
}

std::string_view commandOptionName(unsigned group, unsigned subGroup, unsigned option) {
    if (group >= kOptionNames.size() || subGroup >= kOptionNames[group].size()) return "";
    const auto names = kOptionNames[group][subGroup];
    return option < names.size() ? names[option] : "";
}

std::string_view psrDescription(unsigned psr) { return psr < kPsrDescriptions.size() ? kPsrDescriptions[psr] : ""; }

bool isValidOpword(std::uint32_t opword) {
    return std::binary_search(kValidOpwords.begin(), kValidOpwords.end(), opword);
}

bool isForbiddenOpword(std::uint32_t opword, CommandContext context) {
    const std::span<const std::uint32_t> set =
        context == CommandContext::MovieObject ? std::span<const std::uint32_t>(kForbiddenInMovieObjects)
                                               : std::span<const std::uint32_t>(kForbiddenInButtons);
    return std::find(set.begin(), set.end(), opword) != set.end();
}

RenderedCommand renderCommand(const NavigationCommand& command, std::size_t index, CommandContext context) {
    const std::uint32_t op = command.opword, d = command.destination, s = command.source;
    const unsigned count = command.operandCount();

    std::optional<unsigned> psr;
    std::string operand1, operand2;
    if (count != 0) {
        operand1 = " ";
        appendOperand(operand1, command.immediate1(), d, psr);
    }
    if (count >= 2) {
        operand2 = ", ";
        appendOperand(operand2, command.immediate2(), s, psr);
    }
    // Only these three opwords pack fields into their operands; they all have
    // two operands. Their register forms hold no plain PSR worth describing.
    if (const std::uint32_t packed = packedSetSystemOption(op)) {
        operand1.clear();
        appendPackedDestination(operand1, packed, command.immediate1(), d);
        operand2.clear();
        appendPackedSource(operand2, packed, command.immediate2(), s);
        if (!command.immediate1() || !command.immediate2()) psr.reset();
    }

    RenderedCommand r;
    r.valid = isValidOpword(op);
    r.forbidden = r.valid && isForbiddenOpword(op, context);

    std::string& line = r.cells[4];
    line.reserve(64);
    if (!r.valid) line += '!';
    else if (r.forbidden) line += '*';
    line += commandOptionName(command.group(), command.subGroup(), command.option());
    line += operand1;
    line += operand2;
    if (!r.valid) line += "  ; Invalid opcode";
    else if (r.forbidden) line += "  ; Forbidden opcode";

    if (r.valid && psr && *psr < kDescribedPsrCount) {
        fmt::format_to(Out(line), "       ;PSR{}: {}", *psr, kPsrDescriptions[*psr]);
        if (*psr >= 16 && *psr <= 19) {
            // When the register is the destination, the code to compare or
            // move is in the source word.
            const bool psrDestination = operand1.starts_with(" PSR");
            line += "  [";
            line += codeCharacters(psrDestination ? s : d);
            line += ']';
        }
    }

    r.cells[0] = zeroPad(index, 4);
    r.cells[1] = hexUpper(op, 8);
    r.cells[2] = hexUpper(d, 8);
    if (count != 0) r.cells[2] += ' ';
    r.cells[3] = hexUpper(s, 8);
    if (count == 2) r.cells[3] += ' ';
    return r;
}

}  // namespace navelo
