#include "core/log.h"

#include "core/markup.h"

namespace navelo {

void Log::log(std::string_view text) { sink_->appendLine(text); }

void Log::log2(std::string_view text) {
    log(text);
    log("");
}

void Log::dlog(std::string_view text) {
    log(text);
    slog(stripTags(text), 1);
}

void Log::dlog0(std::string_view text) {
    log(text);
    slog(stripTags(text), 0);
    slog("", 1);
}

void Log::slog(std::string_view text, int panel) {
    sink_->setPanel(panel, " " + std::string(text) + " ");
}

void Log::slogR() {
    slog("Ready.", 0);
    slog("", 1);
}

void Log::slogw(std::string_view text, int panel) {
    slog(text, panel);
    sink_->pause(showDelayMs_);
}

void Log::erlog(std::string_view text) {
    log("ERROR: [re]" + std::string(text) + "[/re]");
    erslog(text);
    errorFlag_ = true;
    sink_->beep();
}

void Log::erslog(std::string_view text) { sink_->showErrorLook(" " + std::string(text)); }

}  // namespace navelo
