#include "ui/command_delegate.h"

#include <QPainter>

namespace navelo::ui {

namespace {
const QColor kOrange(255, 170, 0);
const QColor kMediumGrey(160, 160, 164);
}  // namespace

void CommandDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QString text = index.data().toString();
    const QString line = index.siblingAtColumn(4).data().toString();
    const bool selected = option.state & QStyle::State_Selected;
    const bool focused = option.state & QStyle::State_HasFocus;
    const bool marked = line.startsWith('!') || line.startsWith('*');
    const QPalette& pal = option.palette;

    QColor background = pal.color(QPalette::Base);
    QColor foreground = pal.color(QPalette::Text);
    QFont font = option.font;
    font.setBold(false);
    font.setItalic(false);
    if (index.column() == 4 && (selected || marked)) font.setBold(true);

    if (!marked) {
        if (index.column() == 1) foreground = Qt::blue;
        if (index.column() == 2 || index.column() == 3) foreground = text.contains(' ') ? QColor(Qt::blue) : kMediumGrey;
        if (selected) {
            background = pal.color(QPalette::Highlight);
            foreground = pal.color(QPalette::HighlightedText);
        }
    } else {
        const QColor mark = line.startsWith('!') ? QColor(Qt::red) : kOrange;
        foreground = mark;
        if (selected) {
            background = mark;
            foreground = pal.color(QPalette::HighlightedText);
        }
    }

    painter->save();
    painter->fillRect(option.rect, background);
    painter->setFont(font);
    painter->setPen(foreground);
    const QRect r = option.rect.adjusted(2, 0, -2, 0);
    const int semicolon = text.indexOf(';');
    if (semicolon < 0) {
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, text.trimmed());
    } else {
        const QString first = text.left(semicolon);
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, first);
        const int x = painter->fontMetrics().horizontalAdvance(first);
        QFont italic = font;
        italic.setItalic(true);
        painter->setFont(italic);
        if (!selected && !focused) painter->setPen(QColor(0, 128, 0));
        painter->drawText(r.adjusted(x, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text.mid(semicolon > 0 ? semicolon - 1 : 0));
    }
    painter->restore();
}

}  // namespace navelo::ui
