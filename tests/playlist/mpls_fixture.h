#pragma once
// Small .mpls files for tests, laid out byte by byte from the file format with
// ByteBuilder; every length and start address is counted from the bytes here,
// independent of the production writer.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/byte_builder.h"

namespace navelo::test::mpls {

using Bytes = std::vector<std::uint8_t>;

inline Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes clipRef(const std::string& name, std::uint8_t stc = 0, const std::string& codec = "M2TS") {
    return ByteBuilder().fixed(name, 5).fixed(codec, 4).u8(stc);
}

// stream_entry of each layout; 10 bytes.
inline Bytes entryPlayItem(std::uint16_t pid) { return ByteBuilder().u8(9).u8(1).u16(pid).zeros(6); }
inline Bytes entrySubPath(std::uint8_t subPath, std::uint8_t subClip, std::uint16_t pid) {
    return ByteBuilder().u8(9).u8(2).u8(subPath).u8(subClip).u16(pid).zeros(4);
}
inline Bytes entryImPip(std::uint8_t subPath, std::uint16_t pid) {
    return ByteBuilder().u8(9).u8(3).u8(subPath).u16(pid).zeros(5);
}

// stream_attributes of each class; 6 bytes.
inline Bytes videoAttr(std::uint8_t coding, std::uint8_t format, std::uint8_t rate) {
    return ByteBuilder().u8(5).u8(coding).u8(format << 4 | rate).zeros(3);
}
inline Bytes audioAttr(std::uint8_t coding, std::uint8_t presentation, std::uint8_t frequency, const std::string& lang) {
    return ByteBuilder().u8(5).u8(coding).u8(presentation << 4 | frequency).fixed(lang, 3);
}
inline Bytes graphicsAttr(std::uint8_t coding, const std::string& lang) {
    return ByteBuilder().u8(5).u8(coding).fixed(lang, 3).u8(0);
}

// A reference list: count, reserved byte, references, a pad byte when odd.
inline Bytes refs(const std::vector<std::uint8_t>& r) {
    ByteBuilder b;
    b.u8(static_cast<std::uint32_t>(r.size())).u8(0).raw(r);
    if (r.size() % 2) b.u8(0);
    return b;
}

struct Stn {
    // In file order: primary video, primary audio, PG/textST, IG, secondary audio, secondary video, PiP PG/textST.
    std::array<std::uint8_t, 7> counts{};
    Bytes items;  // in file order
};

inline Bytes stn(const Stn& s) {
    ByteBuilder b;
    b.u16(static_cast<std::uint32_t>(14 + s.items.size())).u16(0);
    for (auto c : s.counts) b.u8(c);
    return b.zeros(5).raw(s.items);
}

// One primary video item, the usual minimum.
inline Stn videoOnly(std::uint16_t pid = 0x1011) {
    return {{1, 0, 0, 0, 0, 0, 0}, cat({entryPlayItem(pid), videoAttr(0x1B, 6, 1)})};
}

struct PlayItem {
    std::string clip = "00001";
    std::uint16_t flags = 1;  // multi-angle bit 4, connection condition bits 3-0
    std::uint8_t stc = 0;
    std::uint32_t in = 0;
    std::uint32_t out = 45000;
    std::uint32_t uo1 = 0;
    std::uint32_t uo2 = 0;
    std::uint8_t randomAccess = 0;
    std::uint8_t stillMode = 0;
    std::uint16_t stillTime = 0;
    // Written when bit 4 of flags is set: number_of_angles, the flags byte, the further angles.
    std::uint8_t angles = 0;
    std::uint8_t angleFlags = 0;
    std::vector<Bytes> angleRefs;
    Stn table = videoOnly();
};

inline Bytes playItem(const PlayItem& p) {
    ByteBuilder body;
    body.fixed(p.clip, 5).fixed("M2TS", 4).u16(p.flags).u8(p.stc).u32(p.in).u32(p.out).u32(p.uo1).u32(p.uo2);
    body.u8(p.randomAccess).u8(p.stillMode).u16(p.stillTime);
    if (p.flags & 0x10) {
        body.u8(p.angles).u8(p.angleFlags);
        for (const auto& r : p.angleRefs) body.raw(r);
    }
    body.raw(stn(p.table));
    return ByteBuilder().u16(static_cast<std::uint32_t>(body.size())).raw(body.bytes());
}

struct SubPlayItem {
    std::string clip = "00002";
    std::uint32_t connection = 1 << 1;  // the 32-bit word: bit 0 multi, bits 8-1 connection condition
    std::uint8_t stc = 0;
    std::uint32_t in = 0;
    std::uint32_t out = 45000;
    std::uint16_t syncPlayItem = 0;
    std::uint32_t syncPts = 0;
    // Written when bit 0 of connection is set.
    std::uint8_t clipEntries = 0;
    std::uint8_t reserved = 0;
    std::vector<Bytes> clipRefs;
};

inline Bytes subPlayItem(const SubPlayItem& s) {
    ByteBuilder body;
    body.fixed(s.clip, 5).fixed("M2TS", 4).u32(s.connection).u8(s.stc).u32(s.in).u32(s.out).u16(s.syncPlayItem).u32(s.syncPts);
    if (s.connection & 1) {
        body.u8(s.clipEntries).u8(s.reserved);
        for (const auto& r : s.clipRefs) body.raw(r);
    }
    return ByteBuilder().u16(static_cast<std::uint32_t>(body.size())).raw(body.bytes());
}

struct SubPath {
    std::uint8_t type = 3;
    std::uint16_t repeat = 0;
    std::vector<SubPlayItem> items{SubPlayItem{}};
};

inline Bytes subPath(const SubPath& s) {
    ByteBuilder body;
    body.u8(0).u8(s.type).u16(s.repeat).u8(0).u8(static_cast<std::uint32_t>(s.items.size()));
    for (const auto& i : s.items) body.raw(subPlayItem(i));
    return ByteBuilder().u32(static_cast<std::uint32_t>(body.size())).raw(body.bytes());
}

struct Mark {
    std::uint8_t type = 1;
    std::uint16_t playItem = 0;
    std::uint32_t time = 0;
    std::uint16_t pid = 0xFFFF;
    std::uint32_t duration = 0;
};

struct File {
    std::string magic = "MPLS";
    std::string version = "0200";
    std::uint8_t playbackType = 1;
    std::uint16_t playbackCount = 0;
    std::uint32_t uo1 = 0;
    std::uint32_t uo2 = 0;
    std::uint16_t appFlags = 0;
    std::vector<PlayItem> items{PlayItem{}};
    std::vector<SubPath> subPaths;
    std::vector<Mark> marks{Mark{}};
    Bytes extension;  // a whole ExtensionData block, or empty for none
    Bytes trailing;   // bytes after everything else
};

inline Bytes playList(const File& f) {
    ByteBuilder body;
    body.u16(0).u16(static_cast<std::uint32_t>(f.items.size())).u16(static_cast<std::uint32_t>(f.subPaths.size()));
    for (const auto& p : f.items) body.raw(playItem(p));
    for (const auto& s : f.subPaths) body.raw(subPath(s));
    return ByteBuilder().u32(static_cast<std::uint32_t>(body.size())).raw(body.bytes());
}

inline Bytes marks(const File& f) {
    ByteBuilder b;
    b.u32(static_cast<std::uint32_t>(2 + 14 * f.marks.size())).u16(static_cast<std::uint32_t>(f.marks.size()));
    for (const auto& m : f.marks) b.u8(0).u8(m.type).u16(m.playItem).u32(m.time).u16(m.pid).u32(m.duration);
    return b;
}

inline Bytes file(const File& f) {
    const Bytes pl = playList(f);
    const Bytes plm = marks(f);
    const std::uint32_t plAt = 40 + 18;
    const auto plmAt = static_cast<std::uint32_t>(plAt + pl.size());
    const auto extAt = f.extension.empty() ? 0u : static_cast<std::uint32_t>(plmAt + plm.size());
    ByteBuilder b;
    b.fixed(f.magic, 4).fixed(f.version, 4).u32(plAt).u32(plmAt).u32(extAt).zeros(20);
    b.u32(14).u8(0).u8(f.playbackType).u16(f.playbackCount).u32(f.uo1).u32(f.uo2).u16(f.appFlags);
    return b.raw(pl).raw(plm).raw(f.extension).raw(f.trailing);
}

// An ExtensionData block with one entry and the given data bytes.
inline Bytes extensionBlock(const Bytes& data) {
    return ByteBuilder()
        .u32(static_cast<std::uint32_t>(8 + 12 + data.size()))
        .u32(24)
        .zeros(3)
        .u8(1)
        .u16(0x1000)
        .u16(0x0100)
        .u32(24)
        .u32(static_cast<std::uint32_t>(data.size()))
        .raw(data);
}

// Offsets inside a file built by file() with default AppInfoPlayList.
inline constexpr std::size_t kPlayListAt = 58;
inline constexpr std::size_t kFirstPlayItemAt = kPlayListAt + 10;

}  // namespace navelo::test::mpls
