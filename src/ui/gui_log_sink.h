#pragma once
#include "core/log.h"
#include "ui/log_view.h"
#include "ui/status_panels.h"

namespace navelo::ui {

// Sends the log to the Status tab's view and the status bar.
class GuiLogSink : public LogSink {
public:
    GuiLogSink(LogView* view, StatusPanels* panels) : view_(view), panels_(panels) {}
    void appendLine(std::string_view markup) override { view_->appendMarkup(markup); }
    void setPanel(int panel, std::string_view text) override { panels_->setPanel(panel, text); }
    void showErrorLook(std::string_view text) override { panels_->showErrorLook(text); }
    void beep() override;
    void pause(int milliseconds) override;

private:
    LogView* view_;
    StatusPanels* panels_;
};

}  // namespace navelo::ui
