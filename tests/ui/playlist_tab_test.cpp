// The PLAYLIST tab driven through the main window: read a PlayList from the
// list, follow the selections, save it, and refuse files that are not PlayLists.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <filesystem>

#include "core/field_reader.h"
#include "playlist/playlist_consistency.h"
#include "playlist/playlist_file.h"
#include "playlist/playlist_fixtures.h"
#include "support/disc_builder.h"
#include "support/test_paths.h"
#include "ui/bdmv_tab.h"
#include "ui/log_view.h"
#include "ui/main_window.h"
#include "ui/menu_display_options.h"
#include "ui/options_tab.h"
#include "ui/option_widgets.h"
#include "ui/playlist_tab.h"
#include "ui/status_panels.h"

using namespace navelo;
using namespace navelo::test;
using navelo::ui::MainWindow;
namespace fs = std::filesystem;
namespace fx = navelo::test::mpls;

namespace {

// A disc whose 00001.mpls is the rich fixture (three PlayItems, two SubPaths,
// five marks, ExtensionData) and whose 00000.mpls is given by the test.
struct PlayListDisc {
    TempDir dir;
    std::string folder;
    std::vector<std::uint8_t> rich = fx::file(fx::richFile());
    std::unique_ptr<MainWindow> w;

    explicit PlayListDisc(const std::vector<std::uint8_t>& other = {0}) {
        folder = makeDisc(dir / "MOVIE");
        writeFile(playList("00001"), rich);
        writeFile(playList("00000"), other);
        w = std::make_unique<MainWindow>(QStringList{QString::fromStdString(folder)},
                                         std::make_unique<QSettings>(QString::fromStdString((dir / "navelo.ini").string()),
                                                                     QSettings::IniFormat));
        w->startUp();
    }
    fs::path playList(const std::string& name) const { return fs::path(folder) / "PLAYLIST" / (name + ".mpls"); }
    ui::PlaylistTab* tab() const { return w->playlistTab(); }
    template <typename T>
    T* find(const char* name) const {
        T* widget = w->findChild<T*>(name);
        EXPECT_TRUE(widget) << name;
        return widget;
    }
    QTableView* grid(const char* name) const { return find<QTableView>(name); }
    QStringList row(const char* name, int r) const {
        auto* g = grid(name);
        QStringList cells;
        for (int c = 0; c < g->model()->columnCount(); ++c) cells << g->model()->data(g->model()->index(r, c)).toString();
        return cells;
    }
    int rows(const char* name) const { return grid(name)->model()->rowCount(); }
    bool shown(const char* name) const { return find<QWidget>(name)->isVisibleTo(tab()); }
    QString text(const char* name) const { return find<QLineEdit>(name)->text(); }
    QString item(const char* name) const { return find<QComboBox>(name)->currentText(); }
    bool checked(const char* name) const { return find<QCheckBox>(name)->isChecked(); }
    QStringList logLines() const {
        QStringList out;
        for (int i = 0; i < w->logView()->lineCount(); ++i) out << w->logView()->document()->findBlockByNumber(i).text();
        return out;
    }
    // Presses Save on the PLAYLIST tab and reads the written file back; the
    // file must be one the writer makes again byte for byte.
    TMPLS saveAndReadBack() {
        w->showTab(ui::Tab::Playlist);
        EXPECT_TRUE(w->saveButton()->isEnabled());
        QTest::mouseClick(w->saveButton(), Qt::LeftButton);
        const auto bytes = readFile(playList("00001"));
        auto in = FieldReader::open(playList("00001"));
        EXPECT_TRUE(in.ok());
        if (!in) return {};
        auto read = readPlayList(*in);
        EXPECT_TRUE(read.ok());
        if (!read) return {};
        EXPECT_FALSE(read->truncated);
        EXPECT_EQ(expectConsistent(read->model), bytes);
        return read->model;
    }
    void click(const char* button) { QTest::mouseClick(find<QToolButton>(button), Qt::LeftButton); }
    void selectRow(const char* name, int r) {
        auto* g = grid(name);
        g->setCurrentIndex(g->model()->index(r, 0));
        g->selectRow(r);
    }
    // Chooses a PlayList as the user does: pick it in the list, press Read.
    void read(const QString& name) {
        ASSERT_TRUE(tab()->selectPlaylist(name));
        QTest::mouseClick(find<QPushButton>("bReadPL"), Qt::LeftButton);
    }
};

QStringList cells(std::initializer_list<const char*> texts) {
    QStringList out;
    for (const char* t : texts) out << t;
    return out;
}

TEST(PlaylistTab, ReadingAPlayListFillsEveryViewAndLogsItsCounts) {
    PlayListDisc disc;
    disc.w->showTab(ui::Tab::Playlist);
    EXPECT_FALSE(disc.w->saveButton()->isEnabled());  // nothing read yet
    const int before = disc.w->logView()->lineCount();
    disc.read("00001");

    const QStringList log = disc.logLines().mid(before);
    EXPECT_EQ(log, cells({"Reading 00001.mpls", "3 PlayItem(s), 2 SubPath(s) and 5 PlayListMark(s) found.", ""}));
    // The file name is blue, the counts bold.
    const QTextBlock reading = disc.w->logView()->document()->findBlockByNumber(before);
    QTextCursor at(reading);
    at.setPosition(reading.position() + 9);
    EXPECT_EQ(at.charFormat().foreground().color(), QColor(Qt::blue));
    EXPECT_EQ(disc.w->statusPanels()->panelText(0), " Ready. ");

    // AppInfoPlayList: shuffle, count 7, the two mask words and the flags of 0xA000.
    EXPECT_EQ(disc.item("cbAIpbt"), "Shuffle");
    EXPECT_EQ(disc.text("ieAIpbc"), "7");
    EXPECT_EQ(disc.text("heAIUO"), "80000200");
    EXPECT_EQ(disc.text("heAIUO2"), "40000001");
    EXPECT_TRUE(disc.checked("cbUO31"));
    EXPECT_TRUE(disc.checked("cbUO9"));
    EXPECT_FALSE(disc.checked("cbUO30"));
    EXPECT_TRUE(disc.checked("cbUO2_30"));
    EXPECT_TRUE(disc.checked("cbAIRA"));
    EXPECT_FALSE(disc.checked("cbAIAM"));
    EXPECT_TRUE(disc.checked("cbAIBM"));
    EXPECT_EQ(disc.find<QLabel>("lMExtDat")->text(), "1 entry, 28 bytes");

    // The first PlayItem is selected: its three angles, its STN counts and its primary video.
    ASSERT_EQ(disc.rows("sgPLitem"), 3);
    EXPECT_EQ(disc.row("sgPLitem", 1),
              cells({"001", "00002", "M2TS", "00:00:20.000", "00:00:40.000", "00:00:20.000", "3CB805FF", "40000000", "0"}));
    EXPECT_TRUE(disc.grid("sgPLitem")->isEnabled());
    EXPECT_TRUE(disc.shown("sgPIangles"));
    EXPECT_EQ(disc.row("sgPIangles", 2), cells({"3", "00012", "M2TS", "2"}));
    EXPECT_EQ(disc.row("sgSTN", 0), cells({"1", "2", "2", "1", "1", "2", "1"}));
    EXPECT_EQ(disc.row("sgStreamEntry", 0), cells({"001", "PlayItem", "1011", "", "", "", "AVC, 1080p, 23.976"}));
    EXPECT_TRUE(disc.shown("heMainPID"));
    EXPECT_EQ(disc.text("heMainPID"), "1011");
    EXPECT_FALSE(disc.shown("ieSubPath"));
    EXPECT_EQ(disc.item("coVideo"), "AVC");

    // The first SubPath with its multi-clip SubPlayItem and three clip entries.
    EXPECT_EQ(disc.row("sgSubPath", 0), cells({"000", "IG menu", "Yes", "1"}));
    EXPECT_EQ(disc.item("cbSubPathType"), "IG menu");
    EXPECT_EQ(disc.find<QComboBox>("cbSPrepeat")->currentIndex(), -1);  // a repeat word of 0x0100 is no item
    EXPECT_EQ(disc.row("sgSubPlayItem", 0)[4], "Yes");
    EXPECT_TRUE(disc.shown("sgAngles"));
    EXPECT_EQ(disc.rows("sgAngles"), 3);

    EXPECT_EQ(disc.rows("sgPlayListMark"), 5);
    EXPECT_EQ(disc.row("sgPlayListMark", 1), cells({"001", "link point", "001", "00:00:20.000", "1011", "45000"}));
    EXPECT_EQ(disc.item("cmPLMtype"), "entry-mark");

    // Save follows the PlayList read; the editors are open for it.
    EXPECT_TRUE(disc.w->saveButton()->isVisibleTo(disc.w.get()));
    EXPECT_TRUE(disc.w->saveButton()->isEnabled());
    EXPECT_EQ(disc.w->saveButton()->toolTip(), "Save 00001.mpls");
    EXPECT_TRUE(disc.find<QWidget>("cbAIpbt")->isEnabled());
    EXPECT_TRUE(disc.find<QWidget>("bbPLMins")->isEnabled());
}

TEST(PlaylistTab, SelectionsShowTheRecordsThatBelongToThem) {
    PlayListDisc disc;
    disc.read("00001");

    // A PlayItem without angles hides the angle grid and shows its own STN table.
    disc.grid("sgPLitem")->selectRow(1);
    EXPECT_FALSE(disc.shown("sgPIangles"));
    EXPECT_EQ(disc.row("sgSTN", 0), cells({"1", "0", "0", "0", "0", "0", "0"}));

    // Back on PlayItem 0, the "Au" column lists the primary audio streams.
    disc.grid("sgPLitem")->selectRow(0);
    auto* stn = disc.grid("sgSTN");
    stn->setCurrentIndex(stn->model()->index(0, 1));
    ASSERT_EQ(disc.rows("sgStreamEntry"), 2);
    EXPECT_EQ(disc.row("sgStreamEntry", 1),
              cells({"002", "SubPath", "", "01", "02", "1101", "Dolby Lossless, St.+M-ch., c:48, e:192 kHz, jpn"}));
    EXPECT_TRUE(disc.shown("coAudio"));
    EXPECT_FALSE(disc.shown("coVideo"));
    EXPECT_EQ(disc.item("coAudio"), "DD");
    disc.grid("sgStreamEntry")->selectRow(1);
    EXPECT_FALSE(disc.shown("heMainPID"));
    EXPECT_EQ(disc.text("ieSubPath"), "1");
    EXPECT_EQ(disc.text("heSubPID"), "1101");
    EXPECT_EQ(disc.item("coLang"), "jpn");
    // The PiP column lists the item after the PG items of the shared list.
    stn->setCurrentIndex(stn->model()->index(0, 6));
    EXPECT_EQ(disc.row("sgStreamEntry", 0), cells({"001", "IM PIP", "1202", "000A", "", "", "deu"}));

    // The second SubPath: two SubPlayItems, none with clip entries.
    disc.grid("sgSubPath")->selectRow(1);
    EXPECT_EQ(disc.rows("sgSubPlayItem"), 2);
    EXPECT_EQ(disc.row("sgSubPlayItem", 1)[1], "00004");
    EXPECT_EQ(disc.item("cbSubPathType"), "IM Sync");
    EXPECT_FALSE(disc.shown("sgAngles"));

    disc.grid("sgPlayListMark")->selectRow(2);
    EXPECT_EQ(disc.text("iePLMsec"), "30");
    EXPECT_EQ(disc.text("iePLMPI"), "1");

    // A Play PL_PI command of the BDMV tab jumps to the PlayList and its PlayItem.
    disc.w->showTab(ui::Tab::Bdmv);
    emit disc.w->bdmvTab()->playListRequested("00001", 2);
    EXPECT_EQ(disc.w->pages()->currentIndex(), static_cast<int>(ui::Tab::Playlist));
    EXPECT_EQ(disc.grid("sgPLitem")->currentIndex().row(), 2);
    EXPECT_EQ(disc.row("sgPIangles", 0), cells({"1", "00003", "M2TS", "0"}));
}

TEST(PlaylistTab, DoubleClicksJumpToTheClipList) {
    PlayListDisc disc;
    disc.read("00001");
    auto* clips = disc.find<QComboBox>("cbClipinf");
    disc.grid("sgPLitem")->setCurrentIndex(disc.grid("sgPLitem")->model()->index(1, 0));
    disc.tab()->clipDoubleClick(disc.grid("sgPLitem"));
    EXPECT_EQ(disc.w->pages()->currentIndex(), static_cast<int>(ui::Tab::Clipinf));
    EXPECT_EQ(clips->currentText(), "00002");
    // A clip the folder does not list leaves the clip list without a selection.
    disc.w->showTab(ui::Tab::Playlist);
    disc.grid("sgSubPath")->setCurrentIndex(disc.grid("sgSubPath")->model()->index(1, 0));
    disc.tab()->sgSubPathClick();
    disc.grid("sgSubPlayItem")->setCurrentIndex(disc.grid("sgSubPlayItem")->model()->index(1, 0));
    disc.tab()->clipDoubleClick(disc.grid("sgSubPlayItem"));
    EXPECT_EQ(disc.w->pages()->currentIndex(), static_cast<int>(ui::Tab::Clipinf));
    EXPECT_EQ(clips->currentIndex(), -1);
}

TEST(PlaylistTab, SaveWritesTheSameBytesAndKeepsTheBackup) {
    PlayListDisc disc;
    disc.read("00001");
    disc.w->showTab(ui::Tab::Playlist);
    const int before = disc.w->logView()->lineCount();
    QTest::mouseClick(disc.w->saveButton(), Qt::LeftButton);
    EXPECT_EQ(readFile(disc.playList("00001")), disc.rich);
    EXPECT_EQ(readFile(disc.playList("00001").string() + ".backup"), disc.rich);
    EXPECT_EQ(disc.logLines().mid(before), cells({"Saving 00001.mpls"}));
    EXPECT_EQ(disc.w->statusPanels()->panelText(0), " Ready. ");

    // "Stop if exists" with the backup present: the file stays as it is.
    disc.w->optionsTab()->rgOBackup()->setItemIndex(2);
    QTest::mouseClick(disc.w->saveButton(), Qt::LeftButton);
    EXPECT_EQ(disc.logLines().last(), "ERROR: Cannot create backup file.");
    EXPECT_TRUE(disc.w->statusPanels()->errorLook());
}

TEST(PlaylistTab, AModelTheWriterRefusesIsNotWritten) {
    // A PlayList length two bytes short of its content reads, but cannot be written.
    auto bytes = fx::file(fx::File{});
    ByteBuilder patched;
    patched.raw(bytes);
    const std::uint32_t length = (bytes[fx::kPlayListAt] << 24) | (bytes[fx::kPlayListAt + 1] << 16) |
                                 (bytes[fx::kPlayListAt + 2] << 8) | bytes[fx::kPlayListAt + 3];
    patched.patch32(fx::kPlayListAt, length - 2);
    PlayListDisc disc(patched);
    disc.read("00000");
    ASSERT_TRUE(disc.tab()->hasPlayItems());
    disc.w->showTab(ui::Tab::Playlist);
    QTest::mouseClick(disc.w->saveButton(), Qt::LeftButton);
    EXPECT_TRUE(disc.logLines().last().startsWith("ERROR: PlayList not written: the PlayList length")) << disc.logLines().last().toStdString();
    EXPECT_EQ(disc.logLines().at(disc.logLines().size() - 2), "Saving 00000.mpls");
    EXPECT_EQ(readFile(disc.playList("00000")), patched.bytes());
    EXPECT_FALSE(fs::exists(disc.playList("00000").string() + ".backup"));
}

TEST(PlaylistTab, AFileThatIsNotAPlayListChangesNoView) {
    fx::File future;
    future.version = "0400";
    PlayListDisc disc(fx::file(future));
    disc.read("00001");
    disc.grid("sgPLitem")->selectRow(1);
    // With "Auto Read" on, choosing an entry in the list reads it.
    auto* list = disc.find<QComboBox>("cbPlaylist");
    const int other = list->findText("00000");
    list->setCurrentIndex(other);
    emit list->activated(other);
    EXPECT_EQ(disc.logLines().last(), "ERROR: Invalid format: 00000.mpls");
    EXPECT_TRUE(disc.w->statusPanels()->errorLook());
    // The PlayList read before is still held and shown, selection included.
    EXPECT_EQ(disc.tab()->model().PlayList.PlayItems.size(), 3u);
    EXPECT_EQ(disc.rows("sgPLitem"), 3);
    EXPECT_EQ(disc.grid("sgPLitem")->currentIndex().row(), 1);
    EXPECT_EQ(disc.row("sgSTN", 0), cells({"1", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(disc.rows("sgPlayListMark"), 5);
    EXPECT_EQ(disc.text("heAIUO"), "80000200");
}

TEST(PlaylistTab, GroupHeightsAreKeptBetweenRuns) {
    TempDir dir;
    const QString store = QString::fromStdString((dir / "navelo.ini").string());
    {
        MainWindow w({}, std::make_unique<QSettings>(store, QSettings::IniFormat));
        w.startUp();
        w.playlistTab()->setGroupHeights(200, 120, 150);
        w.close();
    }
    QSettings written(store, QSettings::IniFormat);
    EXPECT_EQ(written.value("PlayListHeight").toInt(), 200);
    EXPECT_EQ(written.value("SubPathHeight").toInt(), 120);
    EXPECT_EQ(written.value("PlayListMarkHeight").toInt(), 150);
    MainWindow again({}, std::make_unique<QSettings>(store, QSettings::IniFormat));
    again.startUp();
    EXPECT_EQ(again.playlistTab()->playListHeight(), 200);
    EXPECT_EQ(again.playlistTab()->subPathHeight(), 120);
    EXPECT_EQ(again.playlistTab()->playListMarkHeight(), 150);
}

}  // namespace

TEST(PlaylistTab, AMarkInsertedWithTheButtonIsSavedAndTheFileStaysConsistent) {
    PlayListDisc disc;
    disc.read("00001");
    const TMPLS before = disc.tab()->model();
    disc.selectRow("sgPlayListMark", 1);
    disc.click("bbPLMins");
    EXPECT_EQ(disc.rows("sgPlayListMark"), 6);
    EXPECT_EQ(disc.row("sgPlayListMark", 2), cells({"002", "entry-mark", "000", "00:00:00.000", "FFFF", "0"}));
    EXPECT_EQ(disc.row("sgPlayListMark", 3)[0], "003");
    EXPECT_EQ(disc.grid("sgPlayListMark")->currentIndex().row(), 2);
    EXPECT_EQ(disc.text("iePLMPI"), "0");

    // The editor changes the selected mark and its row.
    disc.find<QLineEdit>("iePLMmin")->setText("75");
    emit disc.find<QLineEdit>("iePLMmin")->editingFinished();
    EXPECT_EQ(disc.text("iePLMmin"), "59");
    EXPECT_EQ(disc.row("sgPlayListMark", 2)[3], "00:59:00.000");

    const TMPLS saved = disc.saveAndReadBack();
    ASSERT_EQ(saved.PlayListMark.marks.size(), 6u);
    EXPECT_EQ(saved.PlayListMark.marks[2].mark_time_stamp, 59u * 60 * 45000);
    EXPECT_EQ(saved.PlayListMark.marks[2].entry_ES_PID, 0xFFFF);
    EXPECT_EQ(saved.PlayListMark.length, 2u + 14 * 6);
    EXPECT_EQ(saved.ExtensionData_start_address, before.ExtensionData_start_address + 14);

    // Del in the grid removes the selected range and selects the row above it.
    disc.selectRow("sgPlayListMark", 2);
    QTest::keyClick(disc.grid("sgPlayListMark"), Qt::Key_Delete);
    EXPECT_EQ(disc.rows("sgPlayListMark"), 5);
    EXPECT_EQ(disc.grid("sgPlayListMark")->currentIndex().row(), 1);
    EXPECT_EQ(disc.saveAndReadBack().PlayListMark.marks.size(), 5u);
}

TEST(PlaylistTab, UserOperationBoxesAndWordsEditTheMaskThatIsSaved) {
    PlayListDisc disc;
    disc.read("00001");
    emit disc.find<QLineEdit>("heAIUO2")->editingFinished();
    EXPECT_EQ(disc.tab()->model().AppInfoPlayList.UO_mask_table.word2, 0x40000001u);
    disc.find<QCheckBox>("cbUO0")->click();
    EXPECT_EQ(disc.text("heAIUO"), "80000201");
    auto* word2 = disc.find<QLineEdit>("heAIUO2");
    word2->setFocus();
    word2->selectAll();
    QTest::keyClicks(word2, "FFFFFFFF");
    EXPECT_TRUE(disc.checked("cbUO2_30"));
    QTest::keyClick(word2, Qt::Key_Return);
    EXPECT_EQ(disc.text("heAIUO2"), "40000000");
    ASSERT_TRUE(disc.checked("cbAIRA"));
    disc.find<QCheckBox>("cbAIRA")->click();
    disc.find<QComboBox>("cbAIpbt")->setCurrentIndex(1);
    emit disc.find<QComboBox>("cbAIpbt")->activated(1);

    const TMPLS saved = disc.saveAndReadBack();
    // Leaving the field again without typing keeps the word as it is.
    emit word2->editingFinished();
    EXPECT_EQ(disc.tab()->model().AppInfoPlayList.UO_mask_table.word2, 0x40000000u);
    EXPECT_EQ(saved.AppInfoPlayList.UO_mask_table.word1, 0x80000201u);
    EXPECT_EQ(saved.AppInfoPlayList.UO_mask_table.word2, 0x40000000u);
    EXPECT_EQ(saved.AppInfoPlayList.PlayList_playback_type, 2);
    EXPECT_EQ(saved.AppInfoPlayList.PlayList_random_access_flag, 0);
}

TEST(PlaylistTab, StreamsAreInsertedEditedAndDeletedPerKind) {
    PlayListDisc disc;
    disc.read("00001");
    const TMPLS before = disc.tab()->model();
    auto* stn = disc.grid("sgSTN");
    stn->setCurrentIndex(stn->model()->index(0, 1));  // "Au"
    EXPECT_EQ(disc.rows("sgStreamEntry"), 2);
    EXPECT_TRUE(disc.find<QToolButton>("bbInsSTN")->isEnabled());
    disc.click("bbInsSTN");
    EXPECT_EQ(disc.rows("sgStreamEntry"), 3);
    EXPECT_EQ(disc.grid("sgStreamEntry")->currentIndex().row(), 1);
    EXPECT_EQ(stn->model()->data(stn->model()->index(0, 1)).toString().toInt(), 3);
    EXPECT_EQ(disc.text("heMainPID"), "1100");

    // The main PID of the new item, typed and left.
    auto* pid = disc.find<QLineEdit>("heMainPID");
    pid->setFocus();
    pid->selectAll();
    QTest::keyClicks(pid, "1105");
    QTest::keyClick(pid, Qt::Key_Return);
    EXPECT_EQ(disc.row("sgStreamEntry", 1)[2], "1105");

    TMPLS saved = disc.saveAndReadBack();
    EXPECT_EQ(saved.PlayList.PlayItems[0].STN_table.number_of_primary_audio_stream_entries, 3);
    ASSERT_EQ(saved.PlayList.PlayItems[0].STN_table.primary_audio.size(), 3u);
    EXPECT_EQ(saved.PlayList.PlayItems[0].STN_table.primary_audio[1].entry.ref_to_stream_PID_of_mainClip, 0x1105);
    EXPECT_EQ(saved.PlayList.PlayItems[0].STN_table.primary_audio[1].attributes.language_code, "eng");
    EXPECT_EQ(saved.PlayList.length, before.PlayList.length + 16);
    EXPECT_EQ(saved.PlayListMark_start_address, before.PlayListMark_start_address + 16);

    QTest::keyClick(disc.grid("sgStreamEntry"), Qt::Key_Delete);
    EXPECT_EQ(disc.rows("sgStreamEntry"), 2);
    EXPECT_EQ(disc.grid("sgStreamEntry")->currentIndex().row(), 0);
    saved = disc.saveAndReadBack();
    EXPECT_EQ(saved.PlayList.length, before.PlayList.length);
}

TEST(PlaylistTab, ChaptersImportedThroughTheTabBecomeTheSavedMarks) {
    PlayListDisc disc;
    disc.read("00001");
    const fs::path chapters = disc.dir / "chapters.txt";
    writeFile(chapters, std::vector<std::uint8_t>{'0', '\r', '\n', '4', '5', '0', '0', '0', '\r', '\n', '9', '0', '0', '0', '0', '\r', '\n'});
    disc.w->optionsTab()->rgChapterFormat()->setItemIndex(0);
    const int before = disc.w->logView()->lineCount();
    ASSERT_TRUE(disc.tab()->importChapters(QString::fromStdString(chapters.string())));
    EXPECT_GT(disc.w->logView()->lineCount(), before);
    EXPECT_EQ(disc.rows("sgPlayListMark"), 3);
    EXPECT_EQ(disc.row("sgPlayListMark", 1)[2], "001");

    const TMPLS saved = disc.saveAndReadBack();
    ASSERT_EQ(saved.PlayListMark.marks.size(), 3u);
    EXPECT_EQ(saved.PlayListMark.marks[1].ref_to_PlayItem_id, 1);
    EXPECT_EQ(saved.PlayListMark.marks[1].mark_time_stamp, 900000u);
    EXPECT_EQ(saved.PlayListMark.marks[2].mark_time_stamp, 945000u);

    // Exported again in the same format: the same lines.
    const fs::path out = disc.dir / "out.txt";
    ASSERT_TRUE(disc.tab()->exportChapters(QString::fromStdString(out.string())));
    EXPECT_EQ(readFile(out), readFile(chapters));

    // A file that cannot be read is an error in the log; the marks stay.
    EXPECT_FALSE(disc.tab()->importChapters(QString::fromStdString((disc.dir / "missing.txt").string())));
    EXPECT_TRUE(disc.logLines().last().startsWith("ERROR"));
    EXPECT_EQ(disc.rows("sgPlayListMark"), 3);
}

TEST(PlaylistTab, SubPathsAreInsertedRetypedAndDeleted) {
    PlayListDisc disc;
    disc.read("00001");
    const TMPLS before = disc.tab()->model();
    disc.selectRow("sgSubPath", 0);
    disc.click("bbSPins");
    EXPECT_EQ(disc.rows("sgSubPath"), 3);
    EXPECT_EQ(disc.grid("sgSubPath")->currentIndex().row(), 1);
    EXPECT_EQ(disc.item("cbSubPathType"), "IG menu");
    auto* type = disc.find<QComboBox>("cbSubPathType");
    type->setCurrentIndex(2);
    emit type->activated(2);
    EXPECT_TRUE(disc.find<QComboBox>("cbSPrepeat")->isEnabled());
    TMPLS saved = disc.saveAndReadBack();
    ASSERT_EQ(saved.PlayList.SubPaths.size(), 3u);
    EXPECT_EQ(saved.PlayList.SubPaths[1].SubPath_type, 2);
    EXPECT_EQ(saved.PlayList.length, before.PlayList.length + 40);

    QTest::keyClick(disc.grid("sgSubPath"), Qt::Key_Delete);
    EXPECT_EQ(disc.rows("sgSubPath"), 2);
    saved = disc.saveAndReadBack();
    EXPECT_EQ(saved.PlayList.length, before.PlayList.length);
}

TEST(PlaylistTab, CellsAreTypedOverOnlyInEditMode) {
    PlayListDisc disc;
    disc.read("00001");
    auto* items = disc.grid("sgPLitem");
    auto* model = items->model();
    EXPECT_FALSE(model->flags(model->index(0, 7)) & Qt::ItemIsEditable);
    disc.tab()->setEditMode(items, true);
    EXPECT_TRUE(disc.tab()->editMode(items));
    ASSERT_TRUE(model->flags(model->index(0, 7)) & Qt::ItemIsEditable);
    model->setData(model->index(0, 7), "FFFFFFFF", Qt::EditRole);
    EXPECT_EQ(disc.row("sgPLitem", 0)[7], "40000000");

    // An IN-time change asks its questions; Yes to all moves the marks too.
    QStringList asked;
    disc.tab()->setQuestionAnswer([&asked](const QString& question) {
        asked << question;
        return true;
    });
    const std::uint32_t markTime = disc.tab()->model().PlayListMark.marks[1].mark_time_stamp;
    model->setData(model->index(1, 3), "00:00:21.000", Qt::EditRole);
    EXPECT_EQ(asked.size(), 3);
    EXPECT_EQ(asked.value(0), "Do you want to update OUT time?");
    EXPECT_EQ(disc.tab()->model().PlayListMark.marks[1].mark_time_stamp, markTime + 45000);

    auto* sub = disc.grid("sgSubPlayItem");
    disc.tab()->setEditMode(sub, true);
    sub->model()->setData(sub->model()->index(0, 3), "7", Qt::EditRole);
    EXPECT_EQ(disc.row("sgSubPlayItem", 0)[3], "1");

    const TMPLS saved = disc.saveAndReadBack();
    EXPECT_EQ(saved.PlayList.PlayItems[0].UO_mask_table.word2, 0x40000000u);
    EXPECT_EQ(saved.PlayList.PlayItems[1].IN_time, 21u * 45000);

    disc.tab()->setEditMode(items, false);
    EXPECT_FALSE(model->flags(model->index(0, 7)) & Qt::ItemIsEditable);
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
