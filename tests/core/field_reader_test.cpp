#include <gtest/gtest.h>

#include "core/field_reader.h"
#include "core/record_buffer.h"

using navelo::BlockOutput;
using navelo::FieldReader;
using navelo::RecordBuffer;

namespace {
FieldReader reader(std::vector<std::uint8_t> b) { return FieldReader("test.bin", std::move(b)); }
}  // namespace

TEST(FieldReader, NumbersAreBigEndian) {
    auto r = reader({0x12, 0x34, 0x49, 0x4E, 0x44, 0x58, 0xFF, 0xFF, 0xFF, 0xAB});
    EXPECT_EQ(r.readword(), 0x1234);
    EXPECT_EQ(r.readlword(), 0x494E4458u);
    EXPECT_EQ(r.read3byte(), 16777215u);
    EXPECT_EQ(r.readbyte(), 0xAB);
    EXPECT_TRUE(r.atEnd());
    EXPECT_FALSE(r.overrun());
}

TEST(FieldReader, ReadstringCutsAtZeroAndPadsWithBlanks) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::size_t count;
        std::string expected;
    };
    const Case cases[] = {
        {{'M', 'O', 'B', 'J'}, 4, "MOBJ"},
        {{0x41, 0x00, 0x42, 0x43}, 4, "A"},
        {{0, 0, 0, 0}, 4, ""},
        {{'0', '0', '1'}, 5, "001  "},  // three bytes left: two blanks
    };
    for (const auto& c : cases) {
        auto r = reader(c.bytes);
        EXPECT_EQ(r.readstring(c.count), c.expected);
        EXPECT_EQ(r.position(), c.bytes.size());
    }
}

TEST(FieldReader, ReadsPastTheEndGiveZeroAndStopAtTheEnd) {
    auto r = reader({0x01, 0x02});
    EXPECT_EQ(r.readlword(), 0x01020000u);
    EXPECT_EQ(r.position(), 2u);
    EXPECT_TRUE(r.overrun());
    r.seek(1000);
    EXPECT_EQ(r.readword(), 0);
    // A block read is bounded by the file, whatever length is asked for.
    r.seek(1);
    EXPECT_EQ(r.readBytes(0xFFFFFFFFull).size(), 1u);
}

TEST(RecordBuffer, PlacesFieldsAndPadsTexts) {
    RecordBuffer b;
    b.setLength(16);
    b.writeword(0x1FFFF, 0);
    b.writelong(0x494E4458, 2);
    b.writestr("abc", 6, 5);
    b.writestr("ABCDEFGH", 11, 4);
    b.writebyte(0x1FF, 15);
    const std::vector<std::uint8_t> expected = {0xFF, 0xFF, 'I', 'N', 'D', 'X', 'a', 'b', 'c', 0, 0, 'A', 'B', 'C', 'D', 0xFF};
    EXPECT_EQ(std::vector<std::uint8_t>(b.block().begin(), b.block().end()), expected);
    EXPECT_THROW(b.writelong(0, 14), std::logic_error);
    BlockOutput out;
    out.append(b, 2);
    EXPECT_EQ(out.bytes(), (std::vector<std::uint8_t>{0xFF, 0xFF}));
}
