#include <gtest/gtest.h>

#include "core/text.h"

using namespace navelo;

TEST(Text, NumberHelpers) {
    EXPECT_EQ(zeroPad(7, 3), "007");
    EXPECT_EQ(zeroPad(12345, 3), "12345");
    EXPECT_EQ(hexUpper(0xab, 8), "000000AB");
    EXPECT_EQ(readHexLenient("$12 ab-Z"), 0x12ABu);
    EXPECT_EQ(readHexLenient("xyz"), 0u);
    struct Case {
        const char* text;
        std::int64_t value;
    };
    for (const Case c : {Case{"  42abc", 42}, Case{"-7", -7}, Case{"+3", 3}, Case{"abc", 0}, Case{"", 0}, Case{" - 5", 0}}) {
        EXPECT_EQ(readDecimalLenient(c.text), c.value) << c.text;
    }
}

TEST(Text, NamesAndEncodings) {
    EXPECT_EQ(withoutExtension("00001.mpls"), "00001");
    EXPECT_EQ(withoutExtension("a.b.c"), "a.b");
    EXPECT_EQ(withoutExtension("noext"), "noext");
    EXPECT_EQ(latin1ToUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(utf8ToLatin1("caf\xC3\xA9"), "caf\xE9");
    EXPECT_EQ(utf8ToLatin1("\xE2\x82\xAC"), "?");
}
