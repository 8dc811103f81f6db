#pragma once
// Table models for the tabs' grids. Cell texts come from the core's row
// formatters; a grid that is "reset" shows one empty row.
#include <QAbstractTableModel>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "navigation/command_codec.h"
#include "navigation/movie_object.h"

namespace navelo::ui {

class TextGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TextGridModel(const std::vector<std::string>& header, QObject* parent = nullptr);
    template <std::size_t N>
    TextGridModel(const std::array<std::string_view, N>& header, QObject* parent = nullptr)
        : TextGridModel(std::vector<std::string>(header.begin(), header.end()), parent) {}

    // One empty row: nothing to show.
    void reset();
    void setRows(const std::vector<std::vector<std::string>>& rows);
    void setRow(int row, const std::vector<std::string>& cells);
    bool isReset() const { return reset_; }
    QString cell(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList header_;
    std::vector<QStringList> rows_;
    bool reset_ = true;
};

// The commands of one movie object (or button), rendered as rows are shown,
// so that an object of 65,535 commands opens at once.
class CommandGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CommandGridModel(CommandContext context, QObject* parent = nullptr);

    void setCommands(const std::vector<NavigationCommand>* commands);
    void reset() { setCommands(nullptr); }
    bool isReset() const { return commands_ == nullptr || commands_->empty(); }
    // Renders a row again after its command changed.
    void refreshRow(int row);
    const RenderedCommand* rendered(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    CommandContext context_;
    const std::vector<NavigationCommand>* commands_ = nullptr;
    mutable std::vector<std::optional<RenderedCommand>> cache_;
};

}  // namespace navelo::ui
