#include "support/test_paths.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace navelo::test {
namespace fs = std::filesystem;

fs::path corpusDir() {
    std::error_code ec;
    fs::path p = NAVELO_CORPUS_DIR;
    if (fs::is_directory(p / "discs", ec)) return fs::canonical(p, ec);
    return {};
}

std::vector<fs::path> corpusBdmvFolders() {
    std::vector<fs::path> out;
    const fs::path root = corpusDir();
    if (root.empty()) return out;
    for (const auto& d : fs::directory_iterator(root / "discs")) {
        if (fs::is_directory(d.path() / "BDMV")) out.push_back(d.path() / "BDMV");
    }
    std::sort(out.begin(), out.end());
    return out;
}

TempDir::TempDir() {
    std::random_device rd;
    for (int i = 0; i < 100; ++i) {
        fs::path p = fs::temp_directory_path() / ("navelo-test-" + std::to_string(rd()));
        if (fs::create_directory(p)) {
            path_ = p;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

void writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::uint8_t> readFile(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

}  // namespace navelo::test
