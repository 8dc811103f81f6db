// The main window driven as a user would: load, look, save, restart.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QDir>
#include <QFile>
#include <QCheckBox>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QTextCursor>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTest>
#include <filesystem>

#include "ui/bdmv_tab.h"
#include "ui/execute_panel.h"
#include "ui/register_panel.h"
#include <QComboBox>
#include <QSpinBox>
#include "ui/log_view.h"
#include "ui/main_window.h"
#include "ui/menu_display_options.h"
#include "ui/options_tab.h"
#include "ui/option_widgets.h"
#include "ui/status_panels.h"
#include "support/disc_builder.h"
#include "support/test_paths.h"

using namespace navelo;
using namespace navelo::test;
using navelo::ui::MainWindow;
namespace fs = std::filesystem;

namespace {

struct Window {
    TempDir store;
    std::unique_ptr<MainWindow> w;

    explicit Window(QStringList args = {}, const fs::path& settingsFile = {}) { open(std::move(args), settingsFile); }
    void open(QStringList args, const fs::path& settingsFile = {}) {
        const fs::path file = settingsFile.empty() ? store / "navelo.ini" : settingsFile;
        w = std::make_unique<MainWindow>(std::move(args),
                                         std::make_unique<QSettings>(QString::fromStdString(file.string()), QSettings::IniFormat));
        w->startUp();
    }
    QString logLine(int i) const { return w->logView()->document()->findBlockByNumber(i).text(); }
    QStringList logLines() const {
        QStringList out;
        for (int i = 0; i < w->logView()->lineCount(); ++i) out << logLine(i);
        return out;
    }
    QTableView* grid(const char* name) const { return w->findChild<QTableView*>(name); }
    QString cell(const char* grid, int row, int column) const {
        auto* g = this->grid(grid);
        return g->model()->data(g->model()->index(row, column)).toString();
    }
};

QStringList arg(const std::string& s) { return {QString::fromStdString(s)}; }

}  // namespace

TEST(MainWindow, LoadsAFolderGivenOnTheCommandLine) {
    TempDir dir;
    const std::string folder = makeDisc(dir / "MOVIE");
    Window win(arg(folder + "index.bdmv"));
    EXPECT_EQ(win.w->windowTitle(), "Navelo v0.27b [MOVIE]");
    EXPECT_EQ(win.logLine(0), "Checking required files and directories...");
    EXPECT_EQ(win.logLine(1), "PLAYLIST folder: OK");
    // "PLAYLIST" blue, " folder: " plain, "OK" bold.
    const QTextBlock block = win.w->logView()->document()->findBlockByNumber(1);
    auto formatAt = [&](int pos) {
        QTextCursor c(block);
        c.setPosition(block.position() + pos + 1);
        return c.charFormat();
    };
    EXPECT_EQ(formatAt(0).foreground().color(), QColor(Qt::blue));
    EXPECT_EQ(formatAt(18).fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(10).fontWeight(), QFont::Bold);
    EXPECT_EQ(win.w->statusPanels()->panelText(0), " Ready. ");

    EXPECT_EQ(win.cell("sgTitles", 1, 3), "Interactive");
    EXPECT_EQ(win.cell("sgObject", 0, 1), "suspend");
    EXPECT_EQ(win.cell("sgCommands", 0, 4), "Move GPR1, 2");
    EXPECT_EQ(win.cell("sgCommands", 0, 2), "00000001 ");
    EXPECT_TRUE(win.grid("sgTitles")->isEnabled());
    EXPECT_EQ(win.w->findChild<QLabel*>("lTitlenum")->text(), "2 + 2 titles");
    EXPECT_EQ(win.w->findChild<QLabel*>("lObjects")->text(), "2 objects");
}

TEST(MainWindow, SaveFollowsTheTabAndTheBackupMode) {
    TempDir dir;
    const std::string folder = makeDisc(dir / "MOVIE");
    const auto original = readFile(folder + "index.bdmv");
    Window win(arg(folder));
    auto* save = win.w->saveButton();
    struct TabCase {
        ui::Tab tab;
        bool visible, enabled;
    };
    for (const TabCase c : {TabCase{ui::Tab::Clipinf, true, false}, TabCase{ui::Tab::Menu, true, false}, TabCase{ui::Tab::Bdjo, true, false},
                            TabCase{ui::Tab::Options, false, false}, TabCase{ui::Tab::Status, false, false},
                            TabCase{ui::Tab::About, false, false}, TabCase{ui::Tab::Bdmv, true, true}}) {
        win.w->showTab(c.tab);
        EXPECT_EQ(save->isVisibleTo(win.w.get()), c.visible) << static_cast<int>(c.tab);
        EXPECT_EQ(save->isEnabled(), c.enabled) << static_cast<int>(c.tab);
    }

    // Default options: the first save keeps the old file as its backup; unchanged models write the same bytes.
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_EQ(readFile(folder + "index.bdmv"), original);
    EXPECT_EQ(readFile(folder + "index.bdmv.backup"), original);
    EXPECT_TRUE(win.logLines().contains("index.bdmv saved."));
    EXPECT_TRUE(win.logLines().contains("MovieObject.bdmv saved."));

    // "Stop if exists" with backups present: both files refuse, and the status bar shows the error.
    win.w->optionsTab()->rgOBackup()->setItemIndex(2);
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_EQ(win.logLines().count("ERROR: Cannot create backup file."), 2);
    EXPECT_TRUE(win.w->statusPanels()->errorLook());
    EXPECT_EQ(win.w->statusPanels()->panelText(1), " Cannot create backup file.");
}

TEST(MainWindow, FailedCheckAndFormatErrorsShowInTheLog) {
    TempDir dir;
    DiscLayout layout;
    layout.movieObject = movieObjectFile({}, {}, "0400");
    const std::string folder = makeDisc(dir / "MOVIE", layout);
    Window win(arg(folder));
    EXPECT_TRUE(win.logLines().contains("ERROR: Format error MovieObject.bdmv"));
    EXPECT_FALSE(win.grid("sgCommands")->isEnabled());
    // The load ends with "Ready.": the error look is gone.
    EXPECT_FALSE(win.w->statusPanels()->errorLook());

    fs::remove_all(fs::path(folder) / "BACKUP");
    win.w->bReadBDMVClick();
    EXPECT_EQ(win.logLines().last(), "Check failed.");
    EXPECT_FALSE(win.w->saveButton()->isEnabled());
    EXPECT_FALSE(win.grid("sgTitles")->isEnabled());
}

TEST(MainWindow, SettingsSurviveARestart) {
    TempDir dir;
    const std::string folder = makeDisc(dir / "MOVIE");
    const fs::path settings = dir / "settings.ini";
    {
        Window win(arg(folder), settings);
        win.w->optionsTab()->rgOBackup()->setItemIndex(1);
        win.w->optionsTab()->cbOSaveBACKUP()->setChecked(true);
        win.w->move(50, 60);
        // Temporary menu files of the run are removed when the window closes.
        writeFile(QDir::temp().filePath("Navelo_00001.resource.tmp").toStdString(), {1});
        win.w->close();
        EXPECT_FALSE(QFile::exists(QDir::temp().filePath("Navelo_00001.resource.tmp")));
    }
    // Two arguments are ignored: "Auto Read" loads the stored folder.
    Window again(QStringList{"a", "b"}, settings);
    EXPECT_EQ(again.w->optionsTab()->rgOBackup()->itemIndex(), 1);
    EXPECT_TRUE(again.w->optionsTab()->cbOSaveBACKUP()->isChecked());
    EXPECT_EQ(again.w->bdmvTab()->folderText().toStdString(), folder);
    EXPECT_TRUE(again.w->disc().checkPassed);
    EXPECT_EQ(again.w->windowTitle(), "Navelo v0.27b [MOVIE]");
}

TEST(MainWindow, EditsCommandsAndSavesThemConsistently) {
    TempDir dir;
    DiscLayout layout;
    layout.movieObject = movieObjectFile({{0, {{0x50000001, 1, 2}, {0, 0, 0}, {0x20810000, 1, 0}}}});
    const std::string folder = makeDisc(dir / "MOVIE", layout);
    Window win(arg(folder));
    auto* commands = win.grid("sgCommands");
    // Group "Branch" for "Move GPR1, GPR2": the opword keeps its operands, loses its options.
    auto* group = win.w->findChild<QComboBox*>("cbCmdGrp");
    commands->selectRow(0);
    emit group->activated(0);
    EXPECT_EQ(win.cell("sgCommands", 0, 1), "40000000");
    EXPECT_EQ(win.cell("sgCommands", 0, 4), "!NOP GPR1, GPR2  ; Invalid opcode");
    // Insert after line 0: the GoTo that pointed at line 1 now points at line 2.
    QTest::mouseClick(win.w->findChild<QToolButton*>("bbNCins"), Qt::LeftButton);
    EXPECT_EQ(win.cell("sgCommands", 3, 4), "GoTo 2");
    EXPECT_EQ(win.cell("sgObject", 0, 4), "4");
    // Delete key on the new line puts it back.
    commands->setFocus();
    commands->selectRow(1);
    QTest::keyClick(commands, Qt::Key_Delete);
    EXPECT_EQ(win.cell("sgCommands", 2, 4), "GoTo 1");
    win.w->optionsTab()->cbOBackup()->setChecked(false);
    QTest::mouseClick(win.w->saveButton(), Qt::LeftButton);
    // What was saved reads back as what is shown.
    Window again(arg(folder));
    EXPECT_EQ(again.cell("sgCommands", 0, 1), "40000000");
    EXPECT_EQ(again.cell("sgObject", 0, 4), "3");
}

TEST(MainWindow, ObjectDeletionReportsBrokenTitleReferences) {
    TempDir dir;
    DiscLayout layout;
    layout.movieObject = movieObjectFile({{0, {}}, {0, {}}, {0, {}}});
    IndexLayout index;
    index.titles = {{1, 0, 0, 2, {}}, {1, 0, 0, 1, {}}};
    layout.index = indexFile(index);
    const std::string folder = makeDisc(dir / "MOVIE", layout);
    Window win(arg(folder));
    win.grid("sgObject")->selectRow(1);
    QTest::mouseClick(win.w->findChild<QToolButton*>("bbObdel"), Qt::LeftButton);
    EXPECT_EQ(win.cell("sgTitles", 0, 4), "1");
    EXPECT_EQ(win.cell("sgTitles", 1, 4), "??");
    EXPECT_TRUE(win.logLines().contains("ERROR: Invalid object reference in Title 2"));
    EXPECT_EQ(win.w->statusPanels()->panelText(1), " See Status");
}

TEST(MainWindow, StartRunsTheObjectAndTraceSteps) {
    TempDir dir;
    DiscLayout layout;
    // GPR1 := 5; GPR1 += 2; Jump Title 3.
    layout.movieObject = movieObjectFile({{0, {{0x50400001, 1, 5}, {0x50400003, 1, 2}, {0x21810000, 3, 0}}}});
    const std::string folder = makeDisc(dir / "MOVIE", layout);
    Window win(arg(folder));
    win.w->optionsTab()->findChild<QSpinBox*>("ieActiDelay")->setValue(0);
    auto* panel = win.w->executePanel();
    ASSERT_TRUE(panel->bStart()->isEnabled());
    QTest::mouseClick(panel->bStart(), Qt::LeftButton);
    EXPECT_EQ(win.w->registers().GPR[1], 7u);
    EXPECT_EQ(win.w->registers().PSR[4], 3u);
    EXPECT_EQ(win.w->statusPanels()->panelText(0), " Ready.  ");

    panel->cbTrace()->setChecked(true);
    QTest::mouseClick(panel->bStart(), Qt::LeftButton);
    EXPECT_EQ(win.w->statusPanels()->panelText(0), " Running trace... ");
    EXPECT_TRUE(win.w->statusPanels()->panelText(1).startsWith(" Line 0000 : 50400001 00000001  00000005  : Move GPR1, 5"))
        << win.w->statusPanels()->panelText(1).toStdString();
    EXPECT_TRUE(win.w->cancelButton()->isEnabled());
    QTest::mouseClick(panel->bStart(), Qt::LeftButton);
    EXPECT_EQ(win.w->registers().GPR[1], 5u);
    QTest::mouseClick(win.w->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(win.w->cancelButton()->isEnabled());
    EXPECT_EQ(win.w->statusPanels()->panelText(0), " Ready.  ");
}

TEST(MainWindow, DoubleClickJumpsToTheNamedLineOrTitle) {
    TempDir dir;
    DiscLayout layout;
    layout.movieObject = movieObjectFile({{0, {{0x20810000, 2, 0}, {0x21810000, 2, 0}, {0, 0, 0}}}, {0, {{0, 0, 0}}}});
    IndexLayout index;
    index.titles = {{1, 0, 0, 0, {}}, {1, 0, 0, 1, {}}};
    layout.index = indexFile(index);
    const std::string folder = makeDisc(dir / "MOVIE", layout);
    Window win(arg(folder));
    auto* commands = win.grid("sgCommands");
    commands->selectRow(0);
    win.w->bdmvTab()->commandsDoubleClick();
    EXPECT_EQ(commands->currentIndex().row(), 2);
    // "Jump Title 2" selects title 2 and shows its movie object 1.
    commands->selectRow(1);
    win.w->bdmvTab()->commandsDoubleClick();
    EXPECT_EQ(win.grid("sgTitles")->currentIndex().row(), 1);
    EXPECT_EQ(win.w->bdmvTab()->selectedObject(), 1);
}

TEST(MainWindow, TickingTraceStopsAnEndlessRun) {
    TempDir dir;
    DiscLayout layout;
    // GPR0 += 1; GoTo 0 — runs until the user stops it.
    layout.movieObject = movieObjectFile({{0, {{0x50400003, 0, 1}, {0x20810000, 0, 0}}}});
    const std::string folder = makeDisc(dir / "MOVIE", layout);
    Window win(arg(folder));
    auto* panel = win.w->executePanel();
    QTimer::singleShot(50, panel->cbTrace(), [panel] { panel->cbTrace()->setChecked(true); });
    QTest::mouseClick(panel->bStart(), Qt::LeftButton);
    // The window kept handling events during the run, so the tick arrived and the run returned.
    EXPECT_TRUE(panel->cbTrace()->isChecked());
    EXPECT_GT(win.w->registers().GPR[0], 0u);
    EXPECT_EQ(win.w->statusPanels()->panelText(0), " Running trace... ");
}

TEST(MainWindow, RealDiscsSaveByteIdenticallyWhenNothingWasEdited) {
    NAVELO_REQUIRE_CORPUS();
    for (const char* name : {"bdpl-disc1", "bdj-sdk", "chaptertool-conan-zero"}) {
        TempDir dir;
        const fs::path source = corpusDir() / "discs" / name / "BDMV";
        fs::create_directories(dir / name);
        fs::copy(source, dir / name / "BDMV", fs::copy_options::recursive);
        // The shared files may come without write bits; the copy must be writable.
        for (const auto& e : fs::recursive_directory_iterator(dir / name)) fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add);
        fs::permissions(dir / name / "BDMV", fs::perms::owner_write, fs::perm_options::add);
        const std::string folder = (dir / name / "BDMV").string() + "/";
        const auto index = readFile(folder + "index.bdmv");
        const auto objects = readFile(folder + "MovieObject.bdmv");
        Window win(arg(folder));
        ASSERT_TRUE(win.w->saveButton()->isEnabled()) << name;
        win.w->optionsTab()->cbOSaveBACKUP()->setChecked(true);
        QTest::mouseClick(win.w->saveButton(), Qt::LeftButton);
        EXPECT_EQ(readFile(folder + "index.bdmv"), index) << name;
        EXPECT_EQ(readFile(folder + "MovieObject.bdmv"), objects) << name;
        EXPECT_EQ(readFile(folder + "BACKUP/index.bdmv"), index) << name;
        EXPECT_EQ(readFile(folder + "index.bdmv.backup"), index) << name;
    }
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
