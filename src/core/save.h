#pragma once
// Writing a disc file in place with the user's backup policy.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "core/log.h"

namespace navelo {

enum class BackupMode { OnlyFirst = 0, Overwrite = 1, StopIfExists = 2 };

struct SaveOptions {
    bool createBackup = true;      // "Create backup files"
    BackupMode mode = BackupMode::OnlyFirst;
    bool saveToBackupDir = false;  // "Save to BACKUP dir"
};

struct SaveTarget {
    std::filesystem::path folder;       // F: the folder that holds the file
    std::string name;                   // N: the file name
    std::filesystem::path bdmvFolder;   // for the copy into BACKUP
    bool navigationFile = false;        // index.bdmv / MovieObject.bdmv: " saved." line and BACKUP copy
};

// Clears the error flag, announces the save, runs the backup step, writes the
// bytes and reports. Returns true when the file was written.
bool saveDiscFile(Log& log, const SaveOptions& options, const SaveTarget& target,
                  std::span<const std::uint8_t> bytes);

}  // namespace navelo
