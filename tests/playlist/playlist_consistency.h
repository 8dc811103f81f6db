#pragma once
// The check every PlayList edit must pass: the model can be written, the
// written bytes read back into the very same model, and every length, count and
// start address the model holds is where the bytes say it is. The lengths are
// followed through the bytes themselves, so a length that is off by a byte
// walks out of step.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/field_reader.h"
#include "playlist/playlist_file.h"

namespace navelo::test {

inline std::uint32_t be16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t{b.at(at)} << 8) | b.at(at + 1);
}
inline std::uint32_t be32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (be16(b, at) << 16) | be16(b, at + 2);
}

// Non-fatal failures; returns the written bytes (empty when not written).
inline std::vector<std::uint8_t> expectConsistent(const TMPLS& m) {
    auto written = writePlayList(m);
    EXPECT_TRUE(written.ok()) << (written.ok() ? "" : written.error().describe());
    if (!written) return {};
    const std::vector<std::uint8_t>& b = *written;

    // The header's addresses and the blocks back to back.
    EXPECT_EQ(be32(b, 8), m.PlayList_start_address);
    EXPECT_EQ(be32(b, 12), m.PlayListMark_start_address);
    EXPECT_EQ(be32(b, 16), m.ExtensionData_start_address);
    EXPECT_EQ(m.PlayList_start_address, 44 + m.AppInfoPlayList.length);
    EXPECT_EQ(be32(b, 40), m.AppInfoPlayList.length);
    const std::size_t pl = m.PlayList_start_address;
    EXPECT_EQ(be32(b, pl), m.PlayList.length);
    EXPECT_EQ(m.PlayList.length, playListContentLength(m.PlayList));
    EXPECT_EQ(m.PlayListMark_start_address, pl + 4 + m.PlayList.length);
    const std::size_t plm = m.PlayListMark_start_address;
    EXPECT_EQ(be32(b, plm), m.PlayListMark.length);
    EXPECT_EQ(be16(b, plm + 4), m.PlayListMark.marks.size());
    EXPECT_EQ(m.PlayListMark.length, 2 + 14 * m.PlayListMark.marks.size());
    const std::size_t marksEnd = plm + 4 + m.PlayListMark.length;
    if (m.ExtensionData_start_address != 0) {
        EXPECT_EQ(m.ExtensionData_start_address, marksEnd);
        EXPECT_EQ(be32(b, m.ExtensionData_start_address), m.ExtensionData.length);
    } else {
        EXPECT_EQ(b.size(), marksEnd + m.trailing.size());
    }

    // Every record walked by its stored length, each length checked in the bytes.
    std::size_t o = pl + 10;
    for (const auto& p : m.PlayList.PlayItems) {
        EXPECT_EQ(be16(b, o), p.length);
        EXPECT_EQ(p.length, playItemContentLength(p));
        const std::size_t stn = o + 34 + (p.is_multi_angle == 1 ? 2 + 10 * (p.multi_clip.angles.size() > 1 ? p.multi_clip.angles.size() - 1 : 0) : 0);
        EXPECT_EQ(be16(b, stn), p.STN_table.length);
        EXPECT_EQ(p.STN_table.length, stnContentLength(p.STN_table));
        EXPECT_EQ(stn + 2 + p.STN_table.length, o + 2 + p.length) << "the STN table ends where its PlayItem ends";
        o += 2 + p.length;
    }
    for (const auto& sp : m.PlayList.SubPaths) {
        EXPECT_EQ(be32(b, o), sp.length);
        EXPECT_EQ(sp.length, subPathContentLength(sp));
        std::size_t s = o + 10;
        for (const auto& item : sp.SubPlayItems) {
            EXPECT_EQ(be16(b, s), item.length);
            EXPECT_EQ(item.length, subPlayItemContentLength(item));
            s += 2 + item.length;
        }
        EXPECT_EQ(s, o + 4 + sp.length) << "the SubPlayItems end where their SubPath ends";
        o += 4 + sp.length;
    }
    EXPECT_EQ(o, pl + 4 + m.PlayList.length) << "the records end where the PlayList ends";

    FieldReader in("00000.mpls", b);
    auto read = readPlayList(in);
    EXPECT_TRUE(read.ok()) << (read.ok() ? "" : read.error().describe());
    if (read.ok()) {
        EXPECT_FALSE(read->truncated) << read->truncated->describe();
        EXPECT_TRUE(read->model == m) << "the written bytes read back into another model";
    }
    return b;
}

}  // namespace navelo::test
