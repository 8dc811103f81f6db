#pragma once
#include <cstdio>

#include "core/log.h"

namespace navelo::cli {

// Log lines on a stream: the display text, or the raw markup with --markup.
// On a terminal, bold, blue and red runs are coloured.
class CliSink : public LogSink {
public:
    CliSink(std::FILE* out, bool rawMarkup);
    void appendLine(std::string_view markup) override;
    void setPanel(int, std::string_view) override {}
    void showErrorLook(std::string_view) override {}

private:
    std::FILE* out_;
    bool raw_;
    bool colour_;
};

}  // namespace navelo::cli
