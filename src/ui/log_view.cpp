#include "ui/log_view.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "core/markup.h"

namespace navelo::ui {

LogView::LogView(QWidget* parent) : QTextEdit(parent) {
    setObjectName("reLog");
    setReadOnly(true);
    setLineWrapMode(QTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont f = font();
    f.setPointSize(9);
    setFont(f);
}

void LogView::appendMarkup(std::string_view markup) {
    const MarkupLine line = parseMarkup(markup);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // The document starts with one empty paragraph: the first line goes there.
    if (hasLines_) cursor.insertBlock();
    hasLines_ = true;
    for (const auto& seg : line.segments) {
        QTextCharFormat fmt;
        fmt.setFontWeight(seg.style.bold ? QFont::Bold : QFont::Normal);
        fmt.setFontItalic(seg.style.italic);
        fmt.setFontUnderline(seg.style.underline);
        if (seg.style.rgb) fmt.setForeground(QColor::fromRgb(*seg.style.rgb));
        else fmt.setForeground(palette().color(QPalette::Text));
        if (seg.style.pointSize) fmt.setFontPointSize(seg.style.pointSize);
        cursor.insertText(QString::fromStdString(seg.text), fmt);
    }
    // Keep the newest line in view.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void LogView::clearLog() {
    clear();
    hasLines_ = false;
}

}  // namespace navelo::ui
