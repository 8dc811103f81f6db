#include "core/folder_check.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace navelo {
namespace fs = std::filesystem;

namespace {

// The label of the file system mounted at mountPoint, from the udev label links.
std::string labelOfMount(const std::string& mountPoint) {
    std::ifstream mounts("/proc/self/mounts");
    std::string line, device;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string dev, dir;
        fields >> dev >> dir;
        if (dir == mountPoint) device = dev;
    }
    if (device.empty()) return {};
    std::error_code ec;
    const fs::path devPath = fs::weakly_canonical(device, ec);
    for (fs::directory_iterator it("/dev/disk/by-label", ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code lec;
        if (fs::weakly_canonical(it->path(), lec) == devPath) {
            std::string label = it->path().filename().string();
            std::transform(label.begin(), label.end(), label.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            return label;
        }
    }
    return {};
}

}  // namespace

std::string withTrailingSeparator(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

std::string volumeTitle(const std::string& folderText) {
    std::error_code aec;
    const std::string bdmvFolder =
        withTrailingSeparator(fs::path(folderText).is_absolute() ? folderText : fs::absolute(folderText, aec).string());
    // Drop "/BDMV/" and keep the last component of what is left.
    std::string rest = bdmvFolder.size() >= 6 ? bdmvFolder.substr(0, bdmvFolder.size() - 6) : std::string();
    const auto sep = rest.rfind('/');
    std::string name = sep == std::string::npos ? rest : rest.substr(sep + 1);
    if (!name.empty()) return name;
    // BDMV sits at the root of a volume: the volume's label names the disc.
    std::error_code ec;
    const fs::path volumeRoot = fs::weakly_canonical(fs::path(bdmvFolder) / "..", ec);
    return labelOfMount(volumeRoot.string());
}

std::string windowTitle() { return std::string("Navelo v") + kVersionText; }

std::string windowTitle(const std::string& title) { return windowTitle() + " [" + title + "]"; }

}  // namespace navelo

namespace navelo {

std::string bdmvFolderFromChoice(std::string chosen) {
    chosen = withTrailingSeparator(std::move(chosen));
    if (chosen.size() < 5 || chosen.compare(chosen.size() - 5, 4, "BDMV") != 0) chosen += "BDMV/";
    return chosen;
}

std::string bdmvFolderFromArgument(const std::string& argument) {
    std::error_code ec;
    const fs::path p(argument);
    if (fs::is_directory(p, ec)) {
        const bool holdsNavigation = fs::exists(p / "index.bdmv", ec) || fs::exists(p / "MovieObject.bdmv", ec);
        const std::string name = p.has_filename() ? p.filename().string() : p.parent_path().filename().string();
        if (name == "BDMV" || holdsNavigation) return withTrailingSeparator(argument);
        if (fs::is_directory(p / "BDMV", ec)) return withTrailingSeparator(argument) + "BDMV/";
    }
    // A file (or a sub-folder) inside the BDMV folder: its folder part.
    const auto sep = argument.find_last_of('/', argument.size() > 1 && argument.back() == '/' ? argument.size() - 2 : std::string::npos);
    if (sep == std::string::npos) return "./";
    return argument.substr(0, sep + 1);
}

}  // namespace navelo
