#include "ui/grid_models.h"

namespace navelo::ui {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TextGridModel::TextGridModel(const std::vector<std::string>& header, QObject* parent) : QAbstractTableModel(parent) {
    for (const auto& h : header) header_ << q(h);
    rows_.assign(1, QStringList());
}

void TextGridModel::reset() {
    beginResetModel();
    rows_.assign(1, QStringList());
    reset_ = true;
    endResetModel();
}

void TextGridModel::setRows(const std::vector<std::vector<std::string>>& rows) {
    if (rows.empty()) {
        reset();
        return;
    }
    beginResetModel();
    rows_.clear();
    rows_.reserve(rows.size());
    for (const auto& r : rows) {
        QStringList cells;
        for (const auto& c : r) cells << q(c);
        rows_.push_back(cells);
    }
    reset_ = false;
    endResetModel();
}

void TextGridModel::setRow(int row, const std::vector<std::string>& cells) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    QStringList list;
    for (const auto& c : cells) list << q(c);
    rows_[row] = list;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

QString TextGridModel::cell(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column >= rows_[row].size()) return {};
    return rows_[row][column];
}

int TextGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : static_cast<int>(rows_.size()); }

int TextGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : static_cast<int>(header_.size()); }

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return cell(index.row(), index.column());
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= header_.size()) return {};
    return header_[section];
}

CommandGridModel::CommandGridModel(CommandContext context, QObject* parent) : QAbstractTableModel(parent), context_(context) {}

void CommandGridModel::setCommands(const std::vector<NavigationCommand>* commands) {
    beginResetModel();
    commands_ = commands;
    cache_.assign(commands ? commands->size() : 0, std::nullopt);
    endResetModel();
}

void CommandGridModel::refreshRow(int row) {
    if (row < 0 || row >= static_cast<int>(cache_.size())) return;
    cache_[row].reset();
    emit dataChanged(index(row, 0), index(row, 4));
}

const RenderedCommand* CommandGridModel::rendered(int row) const {
    if (isReset() || row < 0 || row >= static_cast<int>(commands_->size())) return nullptr;
    if (cache_.size() != commands_->size()) cache_.assign(commands_->size(), std::nullopt);
    auto& slot = cache_[row];
    if (!slot) slot = renderCommand((*commands_)[row], static_cast<std::size_t>(row), context_);
    return &*slot;
}

int CommandGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return isReset() ? 1 : static_cast<int>(commands_->size());
}

int CommandGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 5; }

QVariant CommandGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const RenderedCommand* r = rendered(index.row());
    if (!r || index.column() < 0 || index.column() > 4) return {};
    return q(r->cells[static_cast<std::size_t>(index.column())]);
}

QVariant CommandGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section > 4) return {};
    return QString::fromUtf8(kCommandGridHeader[static_cast<std::size_t>(section)].data(),
                             static_cast<qsizetype>(kCommandGridHeader[static_cast<std::size_t>(section)].size()));
}

}  // namespace navelo::ui
