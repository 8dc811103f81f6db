#include "core/save.h"

#include <system_error>

#include "core/file_io.h"

namespace navelo {
namespace fs = std::filesystem;

namespace {

// The previous version is kept by renaming it, so the new file is written from
// scratch and the old one survives as the backup.
void backupStep(Log& log, const SaveOptions& options, const fs::path& file) {
    if (!options.createBackup) return;
    fs::path backup = file;
    backup += ".backup";
    std::error_code ec;
    const bool backupExists = fs::exists(backup, ec);
    if (options.mode == BackupMode::Overwrite && backupExists) fs::remove(backup, ec);
    if (options.mode == BackupMode::OnlyFirst && backupExists) return;
    // Nothing to keep when the file does not exist yet.
    if (!fs::exists(file, ec)) return;
    bool renamed = false;
    // A rename here would silently replace an existing backup; that backup is what "Stop if exists" protects.
    if (!(options.mode == BackupMode::StopIfExists && backupExists)) {
        fs::rename(file, backup, ec);
        renamed = !ec;
    }
    if (!renamed) log.erlog("Cannot create backup file.");
}

}  // namespace

bool saveDiscFile(Log& log, const SaveOptions& options, const SaveTarget& target,
                  std::span<const std::uint8_t> bytes) {
    log.clearErrorFlag();
    log.dlog0("Saving " + target.name);
    const fs::path file = target.folder / target.name;
    backupStep(log, options, file);
    if (log.errorFlag()) return false;
    auto written = writeFileReplacing(file, bytes);
    if (!written) {
        log.erlog(written.error().message);
        return false;
    }
    if (target.navigationFile) log.log(target.name + " saved.");
    log.slogR();
    if (target.navigationFile && options.saveToBackupDir) {
        // The BACKUP copies must stay identical to the files just saved; a failed copy is not reported.
        std::error_code ec;
        fs::copy_file(file, target.bdmvFolder / "BACKUP" / target.name, fs::copy_options::overwrite_existing, ec);
    }
    return true;
}

}  // namespace navelo
