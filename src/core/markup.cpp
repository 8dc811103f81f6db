#include "core/markup.h"

#include "core/text.h"

namespace navelo {

namespace {

RunStyle styleOf(std::string_view tag) {
    RunStyle s;
    if (tag == "b") s.bold = true;
    else if (tag == "i") s.italic = true;
    else if (tag == "u") s.underline = true;
    else if (tag == "s1") s.pointSize = 10;
    else if (tag == "s2") s.pointSize = 12;
    else if (tag == "bl") s.rgb = 0x0000FF;
    else if (tag == "gr") s.rgb = 0x00FF00;
    else if (tag == "re") s.rgb = 0xFF0000;
    else if (tag.substr(0, 2) == "c:") {
        // The digits name a colour with red in the low byte and blue in the high byte.
        const std::uint32_t bgr = readHexLenient(tag.substr(2));
        s.rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
    } else {
        s.pointSize = 8;
    }
    return s;
}

void add(MarkupLine& line, std::string text, const RunStyle& style) {
    if (text.empty()) return;
    line.text += text;
    line.segments.push_back({std::move(text), style});
}

}  // namespace

std::string stripTags(std::string_view markup) {
    std::string out;
    std::size_t i = 0;
    while (i < markup.size()) {
        const auto open = markup.find('[', i);
        if (open == std::string_view::npos) break;
        const auto close = markup.find(']', open);
        // A "[" with no "]" after it is plain text.
        if (close == std::string_view::npos) break;
        out.append(markup.substr(i, open - i));
        i = close + 1;
    }
    out.append(markup.substr(i));
    return out;
}

MarkupLine parseMarkup(std::string_view markup) {
    MarkupLine line;
    std::size_t i = 0;
    while (i < markup.size()) {
        const auto open = markup.find('[', i);
        const auto close = open == std::string_view::npos ? open : markup.find(']', open);
        if (close == std::string_view::npos) break;
        add(line, std::string(markup.substr(i, open - i)), RunStyle{});
        const std::string_view tag = markup.substr(open + 1, close - open - 1);
        const std::string closing = "[/" + std::string(tag) + "]";
        const auto end = tag.empty() || tag[0] == '/' ? std::string_view::npos : markup.find(closing, close + 1);
        if (end == std::string_view::npos) {
            // A stray or unclosed tag is dropped, as the display removes it.
            i = close + 1;
            continue;
        }
        add(line, stripTags(markup.substr(close + 1, end - close - 1)), styleOf(tag));
        i = end + closing.size();
    }
    if (i < markup.size()) add(line, std::string(markup.substr(i)), RunStyle{});
    return line;
}

}  // namespace navelo
