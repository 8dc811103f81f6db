#include "cli/cli_sink.h"

#include <unistd.h>

#include <string>

#include "core/markup.h"

namespace navelo::cli {

CliSink::CliSink(std::FILE* out, bool rawMarkup)
    : out_(out), raw_(rawMarkup), colour_(!rawMarkup && isatty(fileno(out))) {}

void CliSink::appendLine(std::string_view markup) {
    std::string line;
    if (raw_) {
        line = markup;
    } else if (!colour_) {
        line = stripTags(markup);
    } else {
        for (const auto& seg : parseMarkup(markup).segments) {
            std::string codes;
            if (seg.style.bold) codes += ";1";
            if (seg.style.rgb == 0x0000FFu) codes += ";34";
            if (seg.style.rgb == 0xFF0000u) codes += ";31";
            if (seg.style.rgb == 0x00FF00u) codes += ";32";
            if (codes.empty()) {
                line += seg.text;
            } else {
                line += "\033[" + codes.substr(1) + "m" + seg.text + "\033[0m";
            }
        }
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out_);
}

}  // namespace navelo::cli
