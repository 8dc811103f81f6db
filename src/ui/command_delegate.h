#pragma once
// Draws command grid cells: operands in blue, unused words in grey, invalid
// commands in red, forbidden ones in orange, and the annotation after ";" in
// green italics.
#include <QStyledItemDelegate>

namespace navelo::ui {

class CommandDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace navelo::ui
