#include "core/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <system_error>

#include <fmt/format.h>

namespace navelo {
namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

Expected<std::vector<std::uint8_t>> readWholeFile(const fs::path& path, std::uint64_t maxSize) {
    const std::string name = path.filename().string();
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        return Error{name, 0, {}, fmt::format("Cannot open {}: {}", path.string(), std::strerror(errno))};
    }
    std::error_code ec;
    if (fs::is_directory(path, ec)) return Error{name, 0, {}, fmt::format("Cannot open {}: it is a folder", path.string())};
    const auto size = fs::file_size(path, ec);
    if (ec) return Error{name, 0, {}, fmt::format("Cannot read {}: {}", path.string(), ec.message())};
    if (size > maxSize) {
        return Error{name, 0, {}, fmt::format("Cannot read {}: {} bytes is too large for this kind of file", path.string(), size)};
    }
    std::vector<std::uint8_t> bytes(size);
    const std::size_t got = size ? std::fread(bytes.data(), 1, bytes.size(), f.get()) : 0;
    if (got != size) {
        return Error{name, got, {}, fmt::format("Cannot read {}: {}", path.string(), std::strerror(errno))};
    }
    return bytes;
}

Status writeFileReplacing(const fs::path& path, std::span<const std::uint8_t> bytes) {
    const std::string name = path.filename().string();
    fs::path tmp = path;
    tmp += ".navelo-write";
    {
        FilePtr f(std::fopen(tmp.c_str(), "wb"));
        if (!f) return Error{name, 0, {}, fmt::format("Cannot create {}: {}", path.string(), std::strerror(errno))};
        const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
        const bool flushed = std::fflush(f.get()) == 0;
        if (!written || !flushed) {
            const int err = errno;
            f.reset();
            std::error_code ec;
            fs::remove(tmp, ec);
            return Error{name, 0, {}, fmt::format("Cannot write {}: {}", path.string(), std::strerror(err))};
        }
        if (std::fclose(f.release()) != 0) {
            std::error_code ec;
            fs::remove(tmp, ec);
            return Error{name, 0, {}, fmt::format("Cannot write {}", path.string())};
        }
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) {
        std::error_code ignore;
        fs::remove(tmp, ignore);
        return Error{name, 0, {}, fmt::format("Cannot replace {}: {}", path.string(), ec.message())};
    }
    return Done{};
}

bool isFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

std::vector<FolderEntry> listFiles(const fs::path& folder, const std::string& suffix) {
    std::vector<FolderEntry> out;
    std::error_code ec;
    const std::string want = lowered(suffix);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        if (!it->is_regular_file(sec)) continue;
        std::string name = it->path().filename().string();
        if (!want.empty()) {
            if (name.size() < want.size() || lowered(name.substr(name.size() - want.size())) != want) continue;
        }
        const auto size = it->file_size(sec);
        out.push_back({std::move(name), sec ? 0 : static_cast<std::uint64_t>(size)});
    }
    // The order a disc author sees in the original tool: by name, ignoring case.
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(out.size());
    for (std::size_t i = 0; i < out.size(); ++i) keys.emplace_back(lowered(out[i].name), i);
    std::sort(keys.begin(), keys.end(), [&out](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : out[a.second].name < out[b.second].name;
    });
    std::vector<FolderEntry> sorted;
    sorted.reserve(out.size());
    for (const auto& k : keys) sorted.push_back(std::move(out[k.second]));
    out = std::move(sorted);
    return out;
}

}  // namespace navelo
