#include <gtest/gtest.h>

#include "core/field_reader.h"
#include "sound/sound_file.h"
#include "support/disc_builder.h"

using namespace navelo;
using namespace navelo::test;

TEST(SoundFile, ReadsEntriesAndTheirData) {
    FieldReader in(kSoundFileName, soundFile({6, 8}));
    auto r = readSound(in);
    ASSERT_TRUE(r.ok());
    const auto& e = r->model.index.entries;
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].channel_configuration, 3);
    EXPECT_EQ(e[0].sampling_frequency, 1);
    EXPECT_EQ(e[0].bits_per_sample, 1);
    EXPECT_EQ(e[1].sound_data_start_address, 8u);
    EXPECT_EQ(e[1].data, (std::vector<std::uint8_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_FALSE(r->truncated);
    EXPECT_EQ(soundFoundLine(2), " Found [b]2[/b] sound entries");
    EXPECT_EQ(soundFoundLine(1), " Found [b]1[/b] sound entry");
}

TEST(SoundFile, BadHeaderAndDataBeyondTheEnd) {
    auto bytes = soundFile({8});
    bytes[6] = '4';  // version 0400
    FieldReader bad(kSoundFileName, bytes);
    auto r = readSound(bad);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().message, "Format error sound.bdmv");

    ByteBuilder b;
    b.raw(soundFile({8})).patch32(46 + 6, 0x7FFFFFFF);  // a length far beyond the file
    FieldReader in(kSoundFileName, b.bytes());
    auto t = readSound(in);
    ASSERT_TRUE(t.ok());
    EXPECT_TRUE(t->truncated);
    EXPECT_EQ(t->model.index.entries[0].data.size(), 8u);
}
