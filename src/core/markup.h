#pragma once
// The log's markup: "[tag]content[/tag]" runs that colour and emphasise parts
// of a line. Parsing is pure: a line becomes a list of styled segments whose
// texts, joined, are the line as displayed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace navelo {

struct RunStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::optional<std::uint32_t> rgb;  // 0xRRGGBB; none: the window-text colour
    int pointSize = 0;                 // 0: the log's base size

    bool operator==(const RunStyle&) const = default;
};

struct StyledSegment {
    std::string text;
    RunStyle style;
};

struct MarkupLine {
    std::string text;                      // the line without its tags
    std::vector<StyledSegment> segments;   // consecutive, covering text exactly
};

MarkupLine parseMarkup(std::string_view markup);
// The text with every tag removed (what the status bar shows).
std::string stripTags(std::string_view markup);

}  // namespace navelo
