#pragma once
// Small factories so every tab builds its controls the same way: named for
// tests and settings, with their hints.
#include <QAbstractItemModel>
#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <array>
#include <string_view>

namespace navelo::ui {

QTableView* makeGrid(const char* name, const char* hint, QAbstractItemModel* model, QWidget* parent = nullptr);
QComboBox* makeCombo(const char* name, const char* hint, QWidget* parent = nullptr);

template <std::size_t N>
void setItems(QComboBox* combo, const std::array<std::string_view, N>& items) {
    combo->clear();
    for (auto item : items) combo->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
}

// A combo box selection that ignores indices beyond its items (no selection then).
void selectIndex(QComboBox* combo, int index);
// "Reset": one empty row, disabled.
void setGridEnabled(QTableView* grid, bool enabled);

// The caption of a file's ExtensionData() and its (for now disabled) Edit
// button, appended to a row as every tab shows them.
struct ExtensionDataRow {
    QLabel* caption;
    QPushButton* edit;
};
ExtensionDataRow addExtensionDataRow(QBoxLayout* row, const char* captionName, const char* editName, const char* hint);

}  // namespace navelo::ui
