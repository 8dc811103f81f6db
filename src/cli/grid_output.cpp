#include "cli/grid_output.h"

namespace navelo::cli {

namespace {

void appendRow(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i) out += '\t';
        out += cells[i];
    }
    out += '\n';
}

}  // namespace

void ShowOutput::grid(const GridText& grid, const std::string& suffix) {
    const std::string name = suffix.empty() ? grid.name : grid.name + " " + suffix;
    if (json_) {
        doc_["grids"].push_back({{"name", name}, {"header", grid.header}, {"rows", grid.rows}});
        return;
    }
    text_ += "# " + name + "\n";
    appendRow(text_, grid.header);
    for (const auto& r : grid.rows) appendRow(text_, r);
}

void ShowOutput::label(const std::string& name, const std::string& value) {
    if (json_) {
        doc_["labels"][name] = value;
        return;
    }
    text_ += name + "=" + value + "\n";
}

void ShowOutput::extra(const std::string& key, nlohmann::json value) {
    if (json_) doc_[key] = std::move(value);
}

void ShowOutput::print(std::FILE* out) const {
    const std::string s = json_ ? doc_.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n" : text_;
    std::fwrite(s.data(), 1, s.size(), out);
}

}  // namespace navelo::cli
