#pragma once
// The main window: eight tabs, the bottom row of buttons, the status bar and
// the run's models. Widgets call the core; they hold no format logic.
#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "core/load/load_sequence.h"
#include "core/log.h"
#include "interpreter/engine.h"
#include "interpreter/player_registers.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QSettings;
class QTabWidget;
class QTextBrowser;

namespace navelo::ui {

class BdmvTab;
class ClipinfTab;
class ExecutePanel;
class RegisterPanel;
class GuiLogSink;
class LogView;
class MenuDisplayOptions;
class OptionsTab;
class PlaylistTab;
class StatusPanels;

enum class Tab { Bdmv = 0, Playlist, Clipinf, Menu, Bdjo, Options, Status, About };

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // arguments: the command line without the program name; settings: the
    // per-user store (tests hand in an isolated one).
    MainWindow(QStringList arguments, std::unique_ptr<QSettings> settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    Log& log() { return *log_; }
    const LoadedDisc& disc() const { return disc_; }
    BdmvTab* bdmvTab() const { return bdmvTab_; }
    ClipinfTab* clipinfTab() const { return clipinfTab_; }
    PlaylistTab* playlistTab() const { return playlistTab_; }
    OptionsTab* optionsTab() const { return optionsTab_; }
    StatusPanels* statusPanels() const { return panels_; }
    LogView* logView() const { return logView_; }
    QTabWidget* pages() const { return pages_; }
    QPushButton* saveButton() const { return bSave_; }
    QPushButton* cancelButton() const { return bCancel_; }
    ExecutePanel* executePanel() const { return executePanel_; }
    RegisterPanel* registerPanel() const { return registerPanel_; }
    PlayerRegisters& registers() { return regs_; }
    Engine& engine() { return engine_; }

    // The start-up sequence; runs once when the window is first shown.
    void startUp();
    void bReadBDMVClick();
    void bSaveClick();
    void PageControlChange();
    void showTab(Tab tab);
    void bStartClick();
    void bCancelClick();
    void resetRegisters();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildStatusTab();
    QWidget* buildAboutTab();
    QWidget* buildMenuTab();
    QWidget* emptyPage(const QString& name, const QString& note);
    void regRead();
    void regWrite();
    void removeTemporaryFiles();
    bool indexsave();
    bool mobjsave();
    // A command names a PlayList: show it, and the PlayItem when a row is given.
    void showPlayList(const QString& name, int playItemRow);
    // Shows where a run stopped: status, the next command in trace mode, the registers.
    void afterRun(const RunResult& result);
    void traceStepAt(int row);

    QStringList arguments_;
    std::unique_ptr<QSettings> settings_;
    bool started_ = false;

    QTabWidget* pages_;
    BdmvTab* bdmvTab_;
    ClipinfTab* clipinfTab_;
    PlaylistTab* playlistTab_;
    OptionsTab* optionsTab_;
    MenuDisplayOptions* menuOptions_;
    LogView* logView_;
    StatusPanels* panels_;
    std::unique_ptr<GuiLogSink> sink_;
    std::unique_ptr<Log> log_;

    QPushButton* bSave_;
    QPushButton* bCancel_;
    QPushButton* bFind_;
    QProgressBar* progressBar_;
    ExecutePanel* executePanel_;
    RegisterPanel* registerPanel_;
    bool closing_ = false;

    PlayerRegisters regs_;
    Engine engine_{regs_};

    LoadedDisc disc_;
};

}  // namespace navelo::ui
