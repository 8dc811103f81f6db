#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace navelo::test {

// The shared folder of real disc files, or empty when it is not there.
std::filesystem::path corpusDir();
// Skips the calling test when the shared folder of real disc files is absent.
#define NAVELO_REQUIRE_CORPUS()                                              \
    do {                                                                    \
        if (::navelo::test::corpusDir().empty()) GTEST_SKIP() << "no disc corpus"; \
    } while (0)

// Every BDMV folder of the corpus's discs/ (sorted).
std::vector<std::filesystem::path> corpusBdmvFolders();

// A fresh folder under the system temp folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> readFile(const std::filesystem::path& path);

}  // namespace navelo::test
