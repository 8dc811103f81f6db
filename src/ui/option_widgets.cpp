#include "ui/option_widgets.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QColorDialog>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>

namespace navelo::ui {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, Qt::Orientation orientation,
                       QWidget* parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this)) {
    auto* layout = new QBoxLayout(orientation == Qt::Horizontal ? QBoxLayout::LeftToRight
                                                                : QBoxLayout::TopToBottom,
                                  this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(orientation == Qt::Horizontal ? 12 : 2);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], this);
        buttons_->addButton(radio, i);
        layout->addWidget(radio);
    }
    if (orientation == Qt::Horizontal) layout->addStretch(1);
    if (!items.isEmpty()) buttons_->button(0)->setChecked(true);
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) emit itemIndexChanged(id);
    });
}

int RadioGroup::itemIndex() const { return buttons_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* b = buttons_->button(index)) b->setChecked(true);
}

QRadioButton* RadioGroup::item(int index) const {
    return static_cast<QRadioButton*>(buttons_->button(index));
}

int RadioGroup::count() const { return static_cast<int>(buttons_->buttons().size()); }

ColourSelector::ColourSelector(const QString& caption, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setToolTip(caption);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setIconSize(QSize(28, 14));
    // Equal widths line the swatches up in a column; past a point a wider
    // button only looks empty.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMaximumWidth(260);
    updateSwatch();
    connect(this, &QToolButton::clicked, this, &ColourSelector::choose);
}

void ColourSelector::setColour(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    if (rgb == colour_) return;
    colour_ = rgb;
    updateSwatch();
    emit colourChanged(colour_);
}

void ColourSelector::choose() {
    const QColor chosen = QColorDialog::getColor(colour_, this, text());
    if (chosen.isValid()) setColour(chosen);
}

void ColourSelector::updateSwatch() {
    QPixmap swatch(iconSize());
    swatch.fill(colour_);
    QPainter painter(&swatch);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    painter.end();
    setIcon(QIcon(swatch));
}

}  // namespace navelo::ui
