#include "bdjo_bytes.h"

#include <stdexcept>
#include <string_view>

namespace navelo::sample {

namespace {

// Big-endian appends; pad() keeps the application fields that follow a
// variable-length text on even file offsets, as readers expect.
class Bytes {
public:
    std::size_t size() const { return b_.size(); }
    void u8(std::uint32_t v) { b_.push_back(static_cast<std::uint8_t>(v)); }
    void u16(std::uint32_t v) {
        u8(v >> 8);
        u8(v);
    }
    void u32(std::uint32_t v) {
        u16(v >> 16);
        u16(v);
    }
    void zeros(std::size_t n) { b_.insert(b_.end(), n, 0); }
    // Exactly width bytes: the text, zero-padded.
    void fixed(std::string_view s, std::size_t width) {
        if (s.size() > width) throw std::invalid_argument("text too long for its field");
        b_.insert(b_.end(), s.begin(), s.end());
        zeros(width - s.size());
    }
    // A length byte and the text.
    void counted(std::string_view s) {
        if (s.size() > 255) throw std::invalid_argument("text too long for a length byte");
        u8(static_cast<std::uint32_t>(s.size()));
        fixed(s, s.size());
    }
    void pad() {
        if (size() % 2 != 0) u8(0);
    }
    void patch32(std::size_t at, std::size_t v) {
        for (int i = 0; i < 4; ++i) b_[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
    }
    std::vector<std::uint8_t> take() { return std::move(b_); }

private:
    std::vector<std::uint8_t> b_;
};

// Header offsets of the section start addresses.
constexpr std::size_t kAppCacheInfoAt = 12;
constexpr std::size_t kAccessiblePlayListsAt = 16;
constexpr std::size_t kAppManagementAt = 20;
constexpr std::size_t kKeyInterestAt = 24;
constexpr std::size_t kFileAccessAt = 28;

// Writes a placeholder length; returns where it is, to be patched with the
// number of bytes that follow it once the section is complete.
std::size_t openLength(Bytes& b) {
    const std::size_t at = b.size();
    b.u32(0);
    return at;
}
void closeLength(Bytes& b, std::size_t at) { b.patch32(at, b.size() - at - 4); }

}  // namespace

std::vector<std::uint8_t> bdjoBytes(const BdjoApplication& app) {
    Bytes b;
    b.fixed("BDJO", 4);
    b.fixed("0200", 4);
    b.u32(0);       // the first address is unused by readers: nothing follows the last section
    b.zeros(20);    // section start addresses, patched below
    b.zeros(16);    // reserved

    // TerminalInfo: no default font, HAVi configuration 1, both masks clear.
    const std::size_t terminal = openLength(b);
    b.fixed("", 5);
    b.u8(1u << 4);
    b.zeros(4);
    closeLength(b, terminal);

    b.patch32(kAppCacheInfoAt, b.size());
    const std::size_t cache = openLength(b);
    b.u8(0);  // no entries
    b.u8(0);
    closeLength(b, cache);

    b.patch32(kAccessiblePlayListsAt, b.size());
    const std::size_t playlists = openLength(b);
    b.u16(1u << 4);  // no PlayList named: access_to_all_flag set, no autostart
    b.zeros(2);
    closeLength(b, playlists);

    b.patch32(kAppManagementAt, b.size());
    const std::size_t table = openLength(b);
    b.u8(1);  // one application
    b.u8(0);
    b.u8(1);  // control code: start with the title
    b.u8(1);  // application type
    b.u32(app.organization_id);
    b.u16(app.application_id);
    b.u8(0);  // descriptor tag
    b.u8(0);
    const std::size_t descriptor = openLength(b);
    b.zeros(4);
    b.u16(1u << 12);  // one profile: profile 1, version 1.0.2
    b.u16(1);
    b.u8(1);
    b.u8(0);
    b.u8(2);
    b.u8(0);
    b.u8(3);                     // priority
    b.u8((1u << 6) | (3u << 4));  // binding 1, visibility 3

    if (app.name.size() > 255 - 4) throw std::invalid_argument("application name too long");
    b.u16(static_cast<std::uint32_t>(app.name.size() + 4));
    b.fixed("eng", 3);
    b.counted(app.name);
    b.pad();
    b.counted("");  // icon locator
    b.pad();
    b.u16(0);  // icon flags
    b.counted(app.base_directory);
    b.pad();
    b.counted("");  // classpath extension
    b.pad();
    b.counted(app.initial_class_name);
    b.pad();
    std::size_t parametersLength = 0;
    for (const auto& p : app.parameters) parametersLength += 1 + p.size();
    if (parametersLength > 255) throw std::invalid_argument("parameters too long");
    b.u8(static_cast<std::uint32_t>(parametersLength));
    for (const auto& p : app.parameters) b.counted(p);
    b.pad();
    closeLength(b, descriptor);
    closeLength(b, table);

    b.patch32(kKeyInterestAt, b.size());
    b.u32(0);  // the title asks for no keys

    b.patch32(kFileAccessAt, b.size());
    b.u16(0);  // no directory paths
    return b.take();
}

}  // namespace navelo::sample
