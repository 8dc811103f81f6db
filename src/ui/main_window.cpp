#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include "core/folder_check.h"
#include "core/save.h"
#include "ui/bdmv_tab.h"
#include "ui/clipinf_tab.h"
#include "ui/execute_panel.h"
#include "ui/register_panel.h"
#include "ui/gui_log_sink.h"
#include "ui/log_view.h"
#include "ui/menu_display_options.h"
#include "ui/options_tab.h"
#include "ui/playlist_tab.h"
#include "ui/status_panels.h"

namespace navelo::ui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

const char* kAboutText = R"(<h2>Navelo v0.27b</h2>
<p>Navelo opens the <b>BDMV</b> folder of a Blu-ray movie disc and shows its navigation:
titles, first playback and top menu, movie objects and every HDMV navigation command as
readable text, checked for validity.</p>
<p>Files are written back byte for byte where nothing was changed, and every save can keep
a backup of the previous version.</p>
<p>Tessaly Software</p>)";

const char* kHistory = R"(0.27b
 - BDMV tab: titles, first playback, top menu, movie objects and their
   commands drawn by validity; every field editable, lines and objects
   inserted and deleted with GoTo targets and title references kept right.
 - The emulated player: Start, Trace and Cancel, the register panel and the
   PSR and GPR dumps.
 - PLAYLIST tab: PlayItems, angles, STN tables, SubPaths, marks and
   user-operation masks, all editable; chapter lists in three formats.
 - Program lists (.lst and .bin).
 - Options and settings kept between runs; Save with three backup policies
   and the copy into BACKUP.
 - navelo-cli: load, show, resave, run, export-program, chapters.)";

}  // namespace

MainWindow::MainWindow(QStringList arguments, std::unique_ptr<QSettings> settings, QWidget* parent)
    : QMainWindow(parent), arguments_(std::move(arguments)), settings_(std::move(settings)) {
    setObjectName("TfMain");
    logView_ = new LogView;
    panels_ = new StatusPanels(statusBar());
    sink_ = std::make_unique<GuiLogSink>(logView_, panels_);
    log_ = std::make_unique<Log>(*sink_);

    auto* central = new QWidget;
    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(4, 4, 4, 2);
    pages_ = new QTabWidget;
    pages_->setObjectName("PageControl");
    // The selected tab reads dark blue under an amber strip; the others grey-blue.
    pages_->setStyleSheet(
        "QTabBar::tab { color: rgb(102,102,153); padding: 4px 12px; }"
        "QTabBar::tab:selected { color: rgb(0,0,136); border-top: 3px solid rgb(255,187,0); }");

    bdmvTab_ = new BdmvTab(*log_);
    optionsTab_ = new OptionsTab;
    pages_->addTab(bdmvTab_, "&BDMV");
    playlistTab_ = new PlaylistTab(*log_);
    pages_->addTab(playlistTab_, "&PLAYLIST");
    clipinfTab_ = new ClipinfTab;
    pages_->addTab(clipinfTab_, "&CLIPINF");
    pages_->addTab(buildMenuTab(), "&Menu");
    pages_->addTab(emptyPage("tsBDJO", "BD-J objects are not shown by this version yet."), "BD&JO");
    pages_->addTab(optionsTab_, "&Options");
    pages_->addTab(buildStatusTab(), "S&tatus");
    pages_->addTab(buildAboutTab(), "&About");
    v->addWidget(pages_, 1);
    optionsTab_->pairWith(menuOptions_);

    auto* bottom = new QHBoxLayout;
    bSave_ = new QPushButton("&Save");
    bSave_->setObjectName("bSave");
    bSave_->setToolTip("Save index.bdmv and MovieObject.bdmv");
    bCancel_ = new QPushButton("Cancel");
    bCancel_->setObjectName("bCancel");
    bCancel_->setEnabled(false);
    bFind_ = new QPushButton("Find");
    bFind_->setObjectName("bFind");
    bFind_->setEnabled(false);
    bFind_->setToolTip("Find where this is used");
    progressBar_ = new QProgressBar;
    progressBar_->setObjectName("ProgressBar");
    progressBar_->hide();
    bottom->addWidget(bSave_);
    bottom->addWidget(bCancel_);
    bottom->addWidget(bFind_);
    executePanel_ = new ExecutePanel;
    registerPanel_ = new RegisterPanel(regs_);
    bottom->addWidget(progressBar_, 1);
    bottom->addStretch(1);
    bottom->addWidget(executePanel_);
    bottom->addSpacing(12);
    bottom->addWidget(registerPanel_);
    v->addLayout(bottom);
    setCentralWidget(central);

    bdmvTab_->setAutoRead([this] { return optionsTab_->autoRead(); });
    connect(bdmvTab_, &BdmvTab::readRequested, this, &MainWindow::bReadBDMVClick);
    playlistTab_->setAutoRead([this] { return optionsTab_->autoRead(); });
    playlistTab_->setFolder([this] { return bdmvTab_->folderText().toStdString(); });
    // Save follows the PlayList held and the name selected.
    auto playListSave = [this] {
        if (static_cast<Tab>(pages_->currentIndex()) == Tab::Playlist) PageControlChange();
    };
    connect(playlistTab_, &PlaylistTab::playListRead, this, playListSave);
    connect(playlistTab_, &PlaylistTab::selectionChanged, this, playListSave);
    connect(playlistTab_, &PlaylistTab::modelsEdited, this, playListSave);
    connect(playlistTab_, &PlaylistTab::clipRequested, this, [this](const QString& name) {
        showTab(Tab::Clipinf);
        clipinfTab_->selectClip(name);
    });
    playlistTab_->setChapterOptions([this] { return optionsTab_->chapterFormat(); }, [this] { return optionsTab_->workDir(); });
    connect(bdmvTab_, &BdmvTab::playListRequested, this, &MainWindow::showPlayList);
    connect(bSave_, &QPushButton::clicked, this, &MainWindow::bSaveClick);
    connect(pages_, &QTabWidget::currentChanged, this, &MainWindow::PageControlChange);
    connect(bCancel_, &QPushButton::clicked, this, &MainWindow::bCancelClick);
    connect(executePanel_, &ExecutePanel::startClicked, this, &MainWindow::bStartClick);
    connect(executePanel_, &ExecutePanel::lineEntered, this, [this](std::int32_t line) { engine_.setLine(line); });
    connect(executePanel_->cbTrace(), &QCheckBox::toggled, this, [this](bool on) { engine_.setTrace(on); });
    connect(bdmvTab_, &BdmvTab::objectShown, this, [this](int index, bool hasCommands) {
        executePanel_->cbObject()->setCurrentIndex(index);
        if (static_cast<Tab>(pages_->currentIndex()) == Tab::Bdmv) executePanel_->bStart()->setEnabled(hasCommands);
    });
    connect(bdmvTab_, &BdmvTab::commandClicked, this, [this](int row) {
        if (executePanel_->cbTrace()->isChecked()) traceStepAt(row);
    });
    EngineCallbacks callbacks;
    callbacks.message = [this](const std::string& text) { log_->slogw(text, 1); };
    callbacks.processEvents = [] { QApplication::processEvents(); };
    // Closing the window ends a run that is still going.
    callbacks.cancelRequested = [this] { return closing_; };
    callbacks.lineChanged = [this](std::int32_t line) { executePanel_->showLine(line); };
    engine_.setCallbacks(std::move(callbacks));

    setWindowTitle(q(navelo::windowTitle()));
    move(172, 203);
    resize(897, 547);
    setMinimumSize(913 - 16, 585 - 38);
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::emptyPage(const QString& name, const QString& note) {
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* v = new QVBoxLayout(page);
    auto* label = new QLabel(note);
    label->setAlignment(Qt::AlignCenter);
    label->setEnabled(false);
    v->addWidget(label);
    return page;
}

QWidget* MainWindow::buildMenuTab() {
    auto* page = new QWidget;
    page->setObjectName("tsMenu");
    auto* v = new QVBoxLayout(page);
    menuOptions_ = new MenuDisplayOptions(nullptr, 5);
    v->addWidget(menuOptions_);
    auto* label = new QLabel("Interactive Graphics menus are not shown by this version yet.");
    label->setAlignment(Qt::AlignCenter);
    label->setEnabled(false);
    v->addWidget(label, 1);
    return page;
}

QWidget* MainWindow::buildStatusTab() {
    auto* page = new QWidget;
    page->setObjectName("tsStatus");
    auto* v = new QVBoxLayout(page);
    v->addWidget(logView_, 1);
    auto* row = new QHBoxLayout;
    auto* clear = new QPushButton("Clear");
    clear->setObjectName("bClear");
    auto* psrs = new QPushButton("PS&Rs");
    psrs->setObjectName("bPSRs");
    psrs->setToolTip("Write the player status registers to the log");
    auto* gprs = new QPushButton("&GPRs");
    gprs->setObjectName("bGPRs");
    gprs->setToolTip("Write the general purpose registers that are not 0 to the log");
    auto* reset = new QPushButton("Re&set Regs");
    reset->setObjectName("bResetRegs");
    reset->setToolTip("Reset all registers");
    row->addWidget(clear);
    row->addStretch(1);
    row->addWidget(psrs);
    row->addWidget(gprs);
    row->addWidget(reset);
    connect(psrs, &QPushButton::clicked, this, [this] {
        for (const auto& line : psrDumpLines(regs_)) log_->log(line);
    });
    connect(gprs, &QPushButton::clicked, this, [this] {
        for (const auto& line : gprDumpLines(regs_)) log_->log(line);
    });
    connect(reset, &QPushButton::clicked, this, &MainWindow::resetRegisters);
    v->addLayout(row);
    connect(clear, &QPushButton::clicked, logView_, &LogView::clearLog);
    return page;
}

QWidget* MainWindow::buildAboutTab() {
    auto* page = new QWidget;
    page->setObjectName("tsAbout");
    auto* v = new QVBoxLayout(page);
    auto* about = new QTextBrowser;
    about->setObjectName("reAbout");
    about->setHtml(kAboutText);
    about->setAlignment(Qt::AlignCenter);
    auto* history = new QTextBrowser;
    history->setObjectName("reHistory");
    history->setPlainText(kHistory);
    v->addWidget(about, 1);
    v->addWidget(new QLabel("Change history"));
    v->addWidget(history, 1);
    return page;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Let the window appear before a folder is loaded.
    if (!started_) QTimer::singleShot(0, this, &MainWindow::startUp);
}

void MainWindow::startUp() {
    if (started_) return;
    started_ = true;
    pages_->setCurrentIndex(static_cast<int>(Tab::Bdmv));
    regRead();
    log_->slogR();
    setWindowTitle(q(navelo::windowTitle()));
    if (arguments_.size() == 1) {
        bdmvTab_->folderField()->setText(q(bdmvFolderFromArgument(arguments_.front().toStdString())));
        bReadBDMVClick();
    } else if (optionsTab_->autoRead() && !bdmvTab_->folderText().isEmpty()) {
        bReadBDMVClick();
    }
    PageControlChange();
}

void MainWindow::bReadBDMVClick() {
    log_->setShowDelay(optionsTab_->showDelayMs());
    bdmvTab_->resetViews();
    playlistTab_->resetViews();
    disc_ = loadDisc(bdmvTab_->folderText().toStdString(), *log_);
    playlistTab_->setPlaylists(disc_.checkPassed ? disc_.playlists : std::vector<std::string>{});
    playlistTab_->setListEnabled(disc_.checkPassed && disc_.indexRead);
    clipinfTab_->setClips(disc_.checkPassed ? disc_.clips : std::vector<std::string>{});
    clipinfTab_->setListEnabled(disc_.checkPassed && disc_.indexRead);
    if (disc_.checkPassed) {
        executePanel_->setObjectCount(disc_.movieObjectRead ? static_cast<int>(disc_.movieObject.objects.mobjs.size()) : 0);
        bdmvTab_->showDisc(&disc_);
        setWindowTitle(q(navelo::windowTitle(disc_.volumeTitle)));
        optionsTab_->setBdmvDir(q(disc_.folder));
    } else {
        bdmvTab_->showDisc(nullptr);
    }
    PageControlChange();
}

bool MainWindow::indexsave() {
    const std::string folder = withTrailingSeparator(bdmvTab_->folderText().toStdString());
    return saveDiscFile(*log_, optionsTab_->saveOptions(), {folder, kIndexFileName, folder, true}, writeIndex(disc_.index));
}

bool MainWindow::mobjsave() {
    const std::string folder = withTrailingSeparator(bdmvTab_->folderText().toStdString());
    if (!disc_.movieObjectRead) {
        // Writing an unreadable file's empty model over it would lose it.
        log_->log("MovieObject.bdmv was not read, so it is not saved.");
        return false;
    }
    return saveDiscFile(*log_, optionsTab_->saveOptions(), {folder, kMovieObjectFileName, folder, true},
                        writeMovieObject(disc_.movieObject));
}

void MainWindow::bSaveClick() {
    if (!bSave_->isEnabled()) return;
    switch (static_cast<Tab>(pages_->currentIndex())) {
        case Tab::Bdmv:
            indexsave();
            mobjsave();
            break;
        case Tab::Playlist:
            playlistTab_->plsave(optionsTab_->saveOptions(), withTrailingSeparator(bdmvTab_->folderText().toStdString()));
            break;
        default:
            break;
    }
}

void MainWindow::showPlayList(const QString& name, int playItemRow) {
    // A name the list does not hold shows nothing rather than another PlayList.
    if (!playlistTab_->selectPlaylist(name)) return;
    playlistTab_->readSelected();
    showTab(Tab::Playlist);
    if (playItemRow >= 0) playlistTab_->selectPlayItemRow(playItemRow);
}

void MainWindow::PageControlChange() {
    executePanel_->bStart()->setEnabled(false);
    bSave_->hide();
    bSave_->setEnabled(false);
    bFind_->hide();
    executePanel_->hide();
    registerPanel_->hide();
    switch (static_cast<Tab>(pages_->currentIndex())) {
        case Tab::Bdmv: {
            bSave_->show();
            bSave_->setToolTip("Save the bdmv files");
            bSave_->setEnabled(disc_.checkPassed && disc_.indexRead && bdmvTab_->hasNavigationData());
            executePanel_->show();
            registerPanel_->show();
            const auto* program = bdmvTab_->selectedCommands();
            executePanel_->bStart()->setEnabled(program && !program->empty());
            break;
        }
        case Tab::Status:
            registerPanel_->show();
            break;
        case Tab::Playlist:
            bSave_->show();
            bSave_->setToolTip(q(savePlayListHint(playlistTab_->currentName().toStdString())));
            bSave_->setEnabled(playlistTab_->hasPlayItems());
            bFind_->show();
            break;
        case Tab::Clipinf:
            bSave_->show();
            bFind_->show();
            break;
        case Tab::Menu:
        case Tab::Bdjo:
            bSave_->show();
            break;
        default:
            break;
    }
}

void MainWindow::showTab(Tab tab) { pages_->setCurrentIndex(static_cast<int>(tab)); }

void MainWindow::resetRegisters() {
    RegisterResetSettings settings;
    settings.realValues = optionsTab_->initRealPsrs();
    settings.countryCode = optionsTab_->countryCode();
    settings.regionIndex = optionsTab_->region();
    ResetRegs(regs_, settings);
    registerPanel_->refresh();
}

void MainWindow::bStartClick() {
    if (static_cast<Tab>(pages_->currentIndex()) != Tab::Bdmv) return;
    const auto* program = bdmvTab_->selectedCommands();
    if (!program || program->empty()) return;
    log_->setShowDelay(optionsTab_->showDelayMs());
    engine_.setTrace(executePanel_->cbTrace()->isChecked());
    if (!(engine_.trace() && engine_.traceRunning())) executePanel_->cbObject()->setCurrentIndex(bdmvTab_->selectedObject());
    afterRun(engine_.start(*program));
}

void MainWindow::traceStepAt(int row) {
    const auto* program = bdmvTab_->selectedCommands();
    if (!program || row < 0 || row >= static_cast<int>(program->size())) return;
    engine_.setTrace(true);
    engine_.setLine(row);
    executePanel_->showLine(row);
    afterRun(engine_.ExecComm(*program));
}

void MainWindow::bCancelClick() {
    if (!engine_.traceRunning()) return;
    const auto* program = bdmvTab_->selectedCommands();
    afterRun(engine_.cancelTrace(program ? *program : CommandList{}));
}

void MainWindow::afterRun(const RunResult& result) {
    bCancel_->setEnabled(result.traceRunning);
    executePanel_->setStepping(result.showTrace);
    executePanel_->showLine(engine_.line());
    log_->slog(result.showTrace ? kRunningTraceStatus : kRunDoneStatus, 0);
    const bool onBdmv = static_cast<Tab>(pages_->currentIndex()) == Tab::Bdmv;
    if (result.showTrace && onBdmv) {
        const int next = static_cast<int>(result.position);
        bdmvTab_->selectCommandRow(next);
        if (const RenderedCommand* row = bdmvTab_->commandRow(next)) {
            log_->slog(traceLineText(result.position, *row), 1);
            const TraceRegisterFocus focus = traceRegisterFocus(*row);
            if (focus.gpr) registerPanel_->selectRegister(RegisterBank::Gpr, *focus.gpr);
            if (focus.psr) registerPanel_->selectRegister(RegisterBank::Psr, *focus.psr);
        }
    }
    if (!result.traceRunning) log_->slog("", 1);
    if (result.reselectLine && onBdmv) bdmvTab_->selectCommandRow(engine_.line());
    registerPanel_->refresh();
}

void MainWindow::regRead() {
    if (!settings_) return;
    const AppSettings s = AppSettings::load(*settings_);
    if (s.width && s.height) resize(*s.width, *s.height);
    if (s.top && s.left) move(*s.left, *s.top);
    if (s.windowState == 2) setWindowState(windowState() | Qt::WindowMaximized);
    bdmvTab_->folderField()->setText(s.bdmvDir);
    optionsTab_->apply(s);
    bdmvTab_->setObjectPanelHeight(s.objectHeight);
    playlistTab_->setGroupHeights(s.playListHeight, s.subPathHeight, s.playListMarkHeight);
}

void MainWindow::regWrite() {
    if (!settings_) return;
    AppSettings s;
    optionsTab_->collect(s);
    s.windowState = isMaximized() ? 2 : (isMinimized() ? 1 : 0);
    if (!isMaximized()) {
        s.top = y();
        s.left = x();
        s.width = width();
        s.height = height();
    }
    s.bdmvDir = bdmvTab_->folderText();
    s.objectHeight = bdmvTab_->objectPanelHeight();
    s.playListHeight = playlistTab_->playListHeight();
    s.subPathHeight = playlistTab_->subPathHeight();
    s.playListMarkHeight = playlistTab_->playListMarkHeight();
    s.save(*settings_);
    settings_->sync();
}

void MainWindow::removeTemporaryFiles() {
    QDir temp(QDir::tempPath());
    for (const QString& name : temp.entryList({"Navelo_*"}, QDir::Files | QDir::Hidden | QDir::System)) temp.remove(name);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    closing_ = true;
    regWrite();
    disc_ = LoadedDisc{};
    removeTemporaryFiles();
    QMainWindow::closeEvent(event);
}

}  // namespace navelo::ui
