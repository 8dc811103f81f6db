#include <gtest/gtest.h>

#include <filesystem>

#include "core/save.h"
#include "support/recording_sink.h"
#include "support/test_paths.h"

using namespace navelo;
using navelo::test::readFile;
using navelo::test::TempDir;
using navelo::test::writeFile;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct SaveFixture {
    TempDir dir;
    test::RecordingSink sink;
    Log log{sink};
    SaveFixture() {
        fs::create_directory(dir / "BACKUP");
        writeFile(dir / "index.bdmv", {0});
    }
    bool save(const SaveOptions& o, std::uint8_t content, bool navigation = true) {
        const Bytes bytes{content};
        return saveDiscFile(log, o, {dir.path(), "index.bdmv", dir.path(), navigation}, bytes);
    }
    Bytes file() { return readFile(dir / "index.bdmv"); }
    Bytes backup() { return readFile(dir / "index.bdmv.backup"); }
    bool hasBackup() { return fs::exists(dir / "index.bdmv.backup"); }
};

}  // namespace

TEST(Save, BackupModesOverTwoSaves) {
    struct Case {
        BackupMode mode;
        Bytes backupAfterFirst, backupAfterSecond;
        bool secondWritten;
    };
    const Case cases[] = {
        {BackupMode::OnlyFirst, {0}, {0}, true},
        {BackupMode::Overwrite, {0}, {1}, true},
        {BackupMode::StopIfExists, {0}, {0}, false},
    };
    for (const auto& c : cases) {
        SaveFixture f;
        SaveOptions o;
        o.mode = c.mode;
        ASSERT_TRUE(f.save(o, 1));
        EXPECT_EQ(f.file(), Bytes{1});
        EXPECT_EQ(f.backup(), c.backupAfterFirst);
        EXPECT_EQ(f.sink.plain()[0], "Saving index.bdmv");
        EXPECT_EQ(f.sink.plain()[1], "index.bdmv saved.");
        EXPECT_EQ(f.save(o, 2), c.secondWritten);
        EXPECT_EQ(f.backup(), c.backupAfterSecond);
        EXPECT_EQ(f.file(), c.secondWritten ? Bytes{2} : Bytes{1});
        if (!c.secondWritten) {
            EXPECT_EQ(f.sink.lines.back(), "ERROR: [re]Cannot create backup file.[/re]");
            EXPECT_TRUE(f.sink.errorLook);  // no "Ready." follows a failed backup
        }
    }
}

TEST(Save, NoBackupWhenOffAndCopyIntoBackupFolder) {
    SaveFixture f;
    SaveOptions o;
    o.createBackup = false;
    o.mode = BackupMode::StopIfExists;
    writeFile(f.dir / "index.bdmv.backup", {9});
    o.saveToBackupDir = true;
    ASSERT_TRUE(f.save(o, 3));
    EXPECT_EQ(f.backup(), Bytes{9});
    EXPECT_EQ(readFile(f.dir / "BACKUP" / "index.bdmv"), Bytes{3});
    EXPECT_EQ(f.sink.panel0, " Ready. ");
}

TEST(Save, OtherFilesWriteNoSavedLineAndNoCopy) {
    SaveFixture f;
    SaveOptions o;
    o.saveToBackupDir = true;
    ASSERT_TRUE(f.save(o, 4, false));
    EXPECT_EQ(f.sink.plain(), (std::vector<std::string>{"Saving index.bdmv"}));
    EXPECT_FALSE(fs::exists(f.dir / "BACKUP" / "index.bdmv"));
}

TEST(Save, FailedWriteKeepsThePreviousFile) {
    SaveFixture f;
    SaveOptions o;
    o.createBackup = false;
    // A folder where the new file would be written makes the write fail, even for root.
    fs::create_directory(f.dir / "index.bdmv.navelo-write");
    EXPECT_FALSE(f.save(o, 5));
    EXPECT_EQ(f.file(), Bytes{0});
    EXPECT_TRUE(f.log.errorFlag());
}
