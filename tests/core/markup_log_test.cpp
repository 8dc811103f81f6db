#include <gtest/gtest.h>

#include "core/log.h"
#include "core/markup.h"
#include "support/recording_sink.h"

using namespace navelo;

TEST(Markup, TagsStyleTheirContentOnly) {
    const auto line = parseMarkup("[bl]PLAYLIST[/bl] folder: [b]OK[/b]");
    EXPECT_EQ(line.text, "PLAYLIST folder: OK");
    ASSERT_EQ(line.segments.size(), 3u);
    EXPECT_EQ(line.segments[0].text, "PLAYLIST");
    EXPECT_EQ(line.segments[0].style.rgb, 0x0000FFu);
    EXPECT_EQ(line.segments[1].text, " folder: ");
    EXPECT_EQ(line.segments[1].style, RunStyle{});
    EXPECT_TRUE(line.segments[2].style.bold);
}

TEST(Markup, EveryTagHasItsEffect) {
    struct Case {
        const char* markup;
        RunStyle style;
    };
    RunStyle bold, italic, under, s1, s2, green, red, other, colour;
    bold.bold = true;
    italic.italic = true;
    under.underline = true;
    s1.pointSize = 10;
    s2.pointSize = 12;
    green.rgb = 0x00FF00;
    red.rgb = 0xFF0000;
    other.pointSize = 8;
    colour.rgb = 0xFF0000;  // low byte of the digits is red
    const Case cases[] = {{"[b]x[/b]", bold},   {"[i]x[/i]", italic}, {"[u]x[/u]", under},  {"[s1]x[/s1]", s1},
                          {"[s2]x[/s2]", s2},   {"[gr]x[/gr]", green}, {"[re]x[/re]", red}, {"[zz]x[/zz]", other},
                          {"[c:0000FF]x[/c:0000FF]", colour}};
    for (const auto& c : cases) {
        const auto line = parseMarkup(c.markup);
        ASSERT_EQ(line.segments.size(), 1u) << c.markup;
        EXPECT_EQ(line.text, "x");
        EXPECT_EQ(line.segments[0].style, c.style) << c.markup;
    }
    EXPECT_EQ(parseMarkup("[c:ff-00-00]x[/c:ff-00-00]").segments[0].style.rgb, 0x0000FFu);
}

TEST(Markup, PlainLongAndMalformedTextsAreKept) {
    EXPECT_EQ(parseMarkup("no tags here").text, "no tags here");
    EXPECT_TRUE(parseMarkup("").segments.empty());
    const std::string longText(300, 'x');
    const auto line = parseMarkup("[b]a[/b]" + longText);
    EXPECT_EQ(line.segments[1].text.size(), 300u);
    // A bracket with no closing bracket stays text; an unclosed tag is dropped.
    EXPECT_EQ(parseMarkup("a [b").text, "a [b");
    EXPECT_EQ(parseMarkup("[b]open").text, "open");
    EXPECT_EQ(stripTags("a [b"), "a [b");
    EXPECT_EQ(stripTags("Reading [bl]00001.mpls[/bl]"), "Reading 00001.mpls");
}

TEST(Log, StatusOperationsFrameAndClearPanels) {
    test::RecordingSink sink;
    Log log(sink);
    log.dlog0("Reading [bl]00001.mpls[/bl]");
    EXPECT_EQ(sink.lines.back(), "Reading [bl]00001.mpls[/bl]");
    EXPECT_EQ(sink.panel0, " Reading 00001.mpls ");
    EXPECT_EQ(sink.panel1, "  ");  // an empty text between its two blanks
    log.dlog("x[b]y[/b]");
    EXPECT_EQ(sink.panel1, " xy ");
    log.log2("two");
    EXPECT_EQ(sink.lines.back(), "");
    log.log("");
    EXPECT_EQ(sink.lines.size(), 5u);
}

TEST(Log, ErlogMarksTheErrorUntilTheNextStatus) {
    test::RecordingSink sink;
    Log log(sink);
    log.erlog("Cannot create backup file.");
    EXPECT_EQ(sink.lines.back(), "ERROR: [re]Cannot create backup file.[/re]");
    EXPECT_EQ(sink.panel1, " Cannot create backup file.");
    EXPECT_TRUE(sink.errorLook);
    EXPECT_EQ(sink.beeps, 1);
    EXPECT_TRUE(log.errorFlag());
    log.slogR();
    EXPECT_FALSE(sink.errorLook);
    EXPECT_EQ(sink.panel0, " Ready. ");
    EXPECT_TRUE(log.errorFlag());  // only the writers clear it
}
