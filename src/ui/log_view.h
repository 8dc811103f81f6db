#pragma once
// The Status tab's log: one styled paragraph per log line.
#include <QTextEdit>
#include <string_view>

namespace navelo::ui {

class LogView : public QTextEdit {
    Q_OBJECT
public:
    explicit LogView(QWidget* parent = nullptr);
    // Appends one line, its markup turned into styled runs.
    void appendMarkup(std::string_view markup);
    void clearLog();
    int lineCount() const { return hasLines_ ? document()->blockCount() : 0; }

private:
    bool hasLines_ = false;
};

}  // namespace navelo::ui
