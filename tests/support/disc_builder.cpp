#include "support/disc_builder.h"

#include "support/test_paths.h"

namespace navelo::test {
namespace fs = std::filesystem;

std::vector<std::uint8_t> movieObjectFile(const std::vector<ObjectLayout>& objects, const std::vector<std::uint8_t>& extension,
                                          const std::string& version) {
    std::uint32_t length = 6;
    for (const auto& o : objects) length += 4 + 12 * static_cast<std::uint32_t>(o.commands.size());
    ByteBuilder b;
    b.text("MOBJ").text(version).u32(extension.empty() ? 0 : 44 + length).zeros(28);
    b.u32(length).u32(0).u16(static_cast<std::uint32_t>(objects.size()));
    for (const auto& o : objects) {
        b.u16(o.flags).u16(static_cast<std::uint32_t>(o.commands.size()));
        for (const auto& c : o.commands) b.u32(c.op).u32(c.dst).u32(c.src);
    }
    b.raw(extension);
    return b;
}

namespace {
void entry(ByteBuilder& b, const EntryLayout& e, bool title) {
    b.u32((static_cast<std::uint32_t>(e.objectType) << 30) | (title ? static_cast<std::uint32_t>(e.accessType) << 28 : 0));
    b.u16(static_cast<std::uint32_t>(e.playbackType) << 14);
    if (e.objectType == 1) {
        b.u16(e.object).u32(0);
    } else {
        b.fixed(e.bdjo, 5).u8(0);
    }
}
}  // namespace

std::vector<std::uint8_t> indexFile(const IndexLayout& s) {
    const auto n = static_cast<std::uint32_t>(s.titles.size());
    const std::uint32_t indexesLength = 26 + 12 * n;
    ByteBuilder b;
    b.text("INDX").text("0200").u32(78).u32(s.extension.empty() ? 0 : 78 + 4 + indexesLength).zeros(24);
    b.u32(34).u16(0).fixed(s.provider, 32);
    b.u32(indexesLength);
    entry(b, s.firstPlayback, false);
    entry(b, s.topMenu, false);
    b.u16(s.titleCountField >= 0 ? static_cast<std::uint32_t>(s.titleCountField) : n);
    for (const auto& t : s.titles) entry(b, t, true);
    b.raw(s.extension);
    return b;
}

std::vector<std::uint8_t> extensionBlock(const std::vector<std::uint8_t>& data) {
    ByteBuilder b;
    b.u32(8 + 12 + static_cast<std::uint32_t>(data.size())).u32(24).zeros(3).u8(1);
    b.u16(1).u16(1).u32(24).u32(static_cast<std::uint32_t>(data.size()));
    b.raw(data);
    return b;
}

std::vector<std::uint8_t> soundFile(const std::vector<std::uint32_t>& sizes) {
    const auto n = static_cast<std::uint32_t>(sizes.size());
    ByteBuilder b;
    b.text("BCLK").text("0200").u32(46 + 10 * n).u32(0).zeros(24);
    b.u32(2 + 10 * n).u8(0).u8(n);
    std::uint32_t start = 0;
    for (auto size : sizes) {
        b.u8(0x31).u8(0x40).u32(start).u32(size);
        start += size + (size % 4 ? 2 : 0);
    }
    for (auto size : sizes) {
        for (std::uint32_t i = 0; i < size; ++i) b.u8(i);
        if (size % 4) b.zeros(2);
    }
    return b;
}

std::string makeDisc(const fs::path& root, const DiscLayout& layout) {
    const fs::path bdmv = root / "BDMV";
    for (const char* d : {"PLAYLIST", "CLIPINF", "STREAM"}) fs::create_directories(bdmv / d);
    if (layout.backupFolder) fs::create_directories(bdmv / "BACKUP");
    for (const auto& p : layout.playlists) writeFile(bdmv / "PLAYLIST" / (p + ".mpls"), {0});
    for (const auto& c : layout.clips) writeFile(bdmv / "CLIPINF" / (c + ".clpi"), {0});
    for (const auto& s : layout.streams) writeFile(bdmv / "STREAM" / (s + ".m2ts"), std::vector<std::uint8_t>(192, 0x47));
    for (const auto& j : layout.bdjo) writeFile(bdmv / "BDJO" / (j + ".bdjo"), {0});
    if (layout.sound) writeFile(bdmv / "AUXDATA" / "sound.bdmv", soundFile({8, 6}));
    auto mobj = layout.movieObject;
    if (mobj.empty()) {
        mobj = movieObjectFile({{0x8000, {{0x50400001, 1, 2}, {0x22000000, 0, 0}}}, {0x4000, {}}});
    }
    auto index = layout.index;
    if (index.empty()) {
        IndexLayout s;
        s.titles = {{1, 0, 0, 0, {}}, {1, 0, 1, 1, {}}};
        index = indexFile(s);
    }
    writeFile(bdmv / "MovieObject.bdmv", mobj);
    writeFile(bdmv / "index.bdmv", index);
    return bdmv.string() + "/";
}

}  // namespace navelo::test
