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
