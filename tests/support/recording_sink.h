#pragma once
// A log sink that records what a front end would show, for assertions.
#include <string>
#include <vector>

#include "core/log.h"
#include "core/markup.h"

namespace navelo::test {

class RecordingSink : public LogSink {
public:
    std::vector<std::string> lines;  // raw markup, one per log call
    std::string panel0, panel1;
    bool errorLook = false;
    int beeps = 0;

    void appendLine(std::string_view markup) override { lines.emplace_back(markup); }
    void setPanel(int panel, std::string_view text) override {
        (panel == 0 ? panel0 : panel1) = text;
        errorLook = false;
    }
    void showErrorLook(std::string_view text) override {
        panel1 = text;
        errorLook = true;
    }
    void beep() override { ++beeps; }

    // The log lines as displayed, without tags.
    std::vector<std::string> plain() const {
        std::vector<std::string> out;
        for (const auto& l : lines) out.push_back(stripTags(l));
        return out;
    }
};

}  // namespace navelo::test
