#pragma once
// Printing what a tab shows: grids and labels, as text or JSON.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "navigation/navigation_rows.h"

namespace navelo::cli {

// Collects the grids and labels of one `show` and prints them in order.
class ShowOutput {
public:
    explicit ShowOutput(bool json) : json_(json) {}
    void grid(const GridText& grid, const std::string& suffix = {});
    void label(const std::string& name, const std::string& value);
    // Extra structure for JSON only (what the text form shows through controls).
    void extra(const std::string& key, nlohmann::json value);
    void print(std::FILE* out) const;

private:
    bool json_;
    std::string text_;
    nlohmann::json doc_ = {{"grids", nlohmann::json::array()}, {"labels", nlohmann::json::object()}};
};

}  // namespace navelo::cli
