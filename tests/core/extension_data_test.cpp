#include <gtest/gtest.h>

#include "core/extension_data.h"
#include "core/field_reader.h"
#include "core/record_buffer.h"
#include "support/byte_builder.h"

using namespace navelo;
using navelo::test::ByteBuilder;

namespace {
std::vector<std::uint8_t> roundTrip(const std::vector<std::uint8_t>& bytes, TExtensionData* out = nullptr) {
    FieldReader in("x", bytes);
    auto block = ReadExtensionData(in);
    if (out) *out = block;
    BlockOutput o;
    WriteExtensionData(block, o);
    return o.bytes();
}
}  // namespace

TEST(ExtensionData, EmptyBlockIsFourZeroBytes) {
    TExtensionData block;
    FieldReader in("x", ByteBuilder().u32(0).u32(0xDEADBEEF));
    block = ReadExtensionData(in);
    EXPECT_EQ(in.position(), 4u);
    EXPECT_EQ(ExtDatCap(block), "no ExtensionData()");
    BlockOutput o;
    WriteExtensionData(block, o);
    EXPECT_EQ(o.bytes(), (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST(ExtensionData, BlockWithoutEntriesKeepsItsData) {
    const std::vector<std::uint8_t> bytes = ByteBuilder().u32(20).u32(12).zeros(3).u8(0).zeros(12);
    TExtensionData block;
    EXPECT_EQ(roundTrip(bytes, &block), bytes);
    EXPECT_EQ(ExtDatCap(block), "no ExtensionData()");
    EXPECT_EQ(block.data.size(), 12u);
}

TEST(ExtensionData, EntriesPaddingAndDataRoundTripWithReservedZeroed) {
    ByteBuilder b;
    b.u32(60).u32(40).raw({0x01, 0x02, 0x03}).u8(2);
    b.u16(0x1000).u16(0x0100).u32(40).u32(8);
    b.u16(0x2000).u16(0x0200).u32(48).u32(16);
    b.zeros(4).text("AAAAAAAABBBBBBBBBBBBBBBB");
    TExtensionData block;
    auto again = roundTrip(b, &block);
    ASSERT_EQ(block.entries.size(), 2u);
    EXPECT_EQ(block.entries[1].ID1, 0x2000);
    EXPECT_EQ(block.data.size(), 28u);
    auto expected = b.bytes();
    expected[8] = expected[9] = expected[10] = 0;  // reserved bytes are written as zero
    EXPECT_EQ(again, expected);
    EXPECT_EQ(ExtDatCap(block), "2 entries, 64 bytes");
}

TEST(ExtensionData, CaptionCountsEntriesAndWholeBlock) {
    TExtensionData one;
    one.length = 24;
    one.number_of_ext_data_entries = 1;
    EXPECT_EQ(ExtDatCap(one), "1 entry, 28 bytes");
    one.length = 100;
    one.number_of_ext_data_entries = 3;
    EXPECT_EQ(ExtDatCap(one), "3 entries, 104 bytes");
}
