#pragma once
// The status log and status bar as every operation sees them. Operations write
// through Log; a front end (GUI, CLI, test) supplies the LogSink that shows it.
#include <string>
#include <string_view>

namespace navelo {

class LogSink {
public:
    virtual ~LogSink() = default;
    // One log line, still carrying its markup.
    virtual void appendLine(std::string_view markup) = 0;
    // The full text of status panel 0 or 1 (already framed by blanks); ends any error look.
    virtual void setPanel(int panel, std::string_view text) = 0;
    // The error look: red "ERROR" box in panel 0, text in panel 1.
    virtual void showErrorLook(std::string_view panel1Text) = 0;
    virtual void beep() {}
    // Waits the given milliseconds while keeping the front end responsive.
    virtual void pause(int /*milliseconds*/) {}
};

// A sink that drops everything (for reads whose messages nobody wants).
class NullLogSink : public LogSink {
public:
    void appendLine(std::string_view) override {}
    void setPanel(int, std::string_view) override {}
    void showErrorLook(std::string_view) override {}
};

class Log {
public:
    explicit Log(LogSink& sink) : sink_(&sink) {}

    void log(std::string_view text);
    void log2(std::string_view text);
    void dlog(std::string_view text);
    void dlog0(std::string_view text);
    void slog(std::string_view text, int panel);
    void slogR();
    void slogw(std::string_view text, int panel);
    void erlog(std::string_view text);
    void erslog(std::string_view text);

    bool errorFlag() const { return errorFlag_; }
    void clearErrorFlag() { errorFlag_ = false; }
    void setShowDelay(int milliseconds) { showDelayMs_ = milliseconds; }
    int showDelay() const { return showDelayMs_; }
    LogSink& sink() { return *sink_; }

private:
    LogSink* sink_;
    bool errorFlag_ = false;
    int showDelayMs_ = 500;
};

}  // namespace navelo
