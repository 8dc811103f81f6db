#include "ui/widgets.h"

#include <QHeaderView>

namespace navelo::ui {

QTableView* makeGrid(const char* name, const char* hint, QAbstractItemModel* model, QWidget* parent) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    if (hint) grid->setToolTip(hint);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->setAlternatingRowColors(false);
    grid->verticalHeader()->hide();
    // Fixed row heights keep grids of tens of thousands of rows fast.
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setEnabled(false);
    return grid;
}

QComboBox* makeCombo(const char* name, const char* hint, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    if (hint) combo->setToolTip(hint);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    return combo;
}

void selectIndex(QComboBox* combo, int index) { combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1); }

void setGridEnabled(QTableView* grid, bool enabled) { grid->setEnabled(enabled); }

ExtensionDataRow addExtensionDataRow(QBoxLayout* row, const char* captionName, const char* editName, const char* hint) {
    ExtensionDataRow r{new QLabel, new QPushButton("Edit")};
    r.caption->setObjectName(captionName);
    r.edit->setObjectName(editName);
    r.edit->setToolTip(hint);
    r.edit->setEnabled(false);
    row->addWidget(new QLabel("ExtensionData:"));
    row->addWidget(r.caption);
    row->addWidget(r.edit);
    return r;
}

}  // namespace navelo::ui
