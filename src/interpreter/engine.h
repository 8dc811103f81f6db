#pragma once
// The command execution engine: runs a list of HDMV navigation commands
// against the register file, straight through or one command per step.
// Register arithmetic, compares, jumps and stream selection act for real;
// playback and title or object jumps are reported as messages. The menu
// commands act through MenuHooks while the menu view is shown.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/player_registers.h"
#include "navigation/command.h"
#include "navigation/command_codec.h"

namespace navelo {

using CommandList = std::vector<NavigationCommand>;

// Status panel 0 after a run: a stepped run waiting for the next "Start", or done.
inline constexpr std::string_view kRunningTraceStatus = "Running trace...";
inline constexpr std::string_view kRunDoneStatus = "Ready. ";

// What the menu simulation provides so that SetButtonPage, EnableButton and
// DisableButton act on the shown menu. The engine checks every page and button
// index against the counts below before passing it on, so implementations are
// only ever called with indices inside their tables.
class MenuHooks {
public:
    virtual ~MenuHooks() = default;

    // The menu view is the one shown; otherwise the menu commands do not act on it.
    virtual bool menuShown() const = 0;
    // Pages of the current IG stream, addressed by their position in the list.
    virtual std::size_t pageCount() const = 0;
    // Length of the button table of a page (page < pageCount()).
    virtual std::size_t buttonTableLength(std::size_t page) const = 0;

    // The button state table of the current page, indexed by button id.
    virtual std::size_t buttonStateCount() const = 0;
    virtual unsigned buttonBog(std::size_t button) const = 0;
    virtual void setButtonShown(std::size_t button, bool shown) = 0;
    // Rebuilds the button state table for another page.
    virtual void setButtonStates(std::size_t page) = 0;

    // "Show OutEffects() effects" is on and the page has at least one out-effect.
    virtual bool hasOutEffectsToPlay(std::size_t page) const = 0;
    // Clears the page and plays the page's out-effects.
    virtual void playOutEffects(std::size_t page) = 0;
    // Selects the page in the page list, runs the page change and draws the page.
    virtual void showPage(std::size_t page) = 0;
    // Draws a button in its normal state.
    virtual void drawButton(std::size_t button) = 0;
    // Draws button PSR10 in its selected state (nothing when PSR10 is outside the table).
    virtual void drawSelectedButton() = 0;
    // Stops showing a disabled button: clears its area.
    virtual void deleteButton(std::size_t button) = 0;

    // The commands of an auto-action button of a page, or nothing for an ordinary button.
    virtual std::optional<CommandList> autoActionCommands(std::size_t page, std::size_t button) const = 0;
    // The button selector shows the button whose commands now run.
    virtual void showRunningButton(std::size_t button) = 0;
};

struct EngineCallbacks {
    // A message for status panel 1 ("Play PL 3", "Jump Title 1", ...). The GUI
    // shows it with the log's slogw, which also holds the run for the show delay.
    std::function<void(const std::string&)> message = {};
    // Runs before every command: the GUI lets pending window events run here.
    std::function<void()> processEvents = {};
    // Asked before every command; true stops the run before that command.
    std::function<bool()> cancelRequested = {};
    // `line` moved during the run (the "Command line" field shows it).
    std::function<void(std::int32_t)> lineChanged = {};
};

enum class RunStop {
    NothingToRun,    // `line` was outside the list: nothing executed (opens or closes a stepped run)
    EndOfList,       // run past the last command, or a GoTo/skip beyond it
    EndedByCommand,  // Jump Object/Title, SetButtonPage, Break, ...
    TraceStep,       // "Trace" is on: stopped behind one command
    Cancelled,       // the cancel check asked to stop
};

struct RunResult {
    RunStop stop = RunStop::NothingToRun;
    // Where the run stopped; while a stepped run is open, the next command's index.
    std::int64_t position = 0;
    std::uint64_t executed = 0;  // commands executed by this run
    bool traceRunning = false;   // a stepped run is open ("Cancel" enabled)
    // "Trace" is on with a stepped run open: panel 0 shows kRunningTraceStatus,
    // "Start" turns bold and the next command is shown; otherwise panel 0 shows kRunDoneStatus.
    bool showTrace = false;
    // The run ended more than one command beyond `line`: the grid selects row `line` + 1 again.
    bool reselectLine = false;
};

class Engine {
public:
    explicit Engine(PlayerRegisters& registers) : regs_(&registers) {}
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    void setCallbacks(EngineCallbacks callbacks) { callbacks_ = std::move(callbacks); }
    // nullptr (the default) behaves as a menu that is not shown.
    void setMenuHooks(MenuHooks* hooks) { hooks_ = hooks; }

    // "Trace" is read after every command, so ticking it stops a running list.
    void setTrace(bool on) { trace_ = on; }
    bool trace() const { return trace_; }
    // Where the next run or step starts (the "Command line" field).
    std::int32_t line() const { return line_; }
    void setLine(std::int32_t line) { line_ = line; }
    bool traceRunning() const { return traceRunning_; }
    // The Rnd generator's state: 0 when the engine is made, never reseeded.
    std::uint32_t randomState() const { return randomState_; }

    PlayerRegisters& registers() { return *regs_; }
    const PlayerRegisters& registers() const { return *regs_; }

    // Runs the program (copied on entry) from `line`.
    RunResult ExecComm(const CommandList& program);
    // "Start" on the BDMV tab: continues an open stepped run from `line` (one
    // command with "Trace" on, the rest of the list with it off); otherwise
    // starts at line 0, or opens a stepped run at -1 in trace mode.
    RunResult start(const CommandList& program);
    // A run the menu simulation starts for a button: always from the beginning.
    RunResult startFresh(const CommandList& program);
    // "Cancel" of a stepped run: closes it without executing anything.
    RunResult cancelTrace(const CommandList& program);

    // Operand values and stores, as the commands see them.
    std::uint32_t getop1(const NavigationCommand& command) const;
    std::uint32_t getop2(const NavigationCommand& command) const;
    void setdst(const NavigationCommand& command, std::uint32_t value);
    void setsrc(const NavigationCommand& command, std::uint32_t value);

private:
    struct RunState;
    enum class Flow { Continue, End };

    std::uint32_t operandValue(const NavigationCommand& command, std::uint32_t word, bool immediate) const;
    Flow execute(const NavigationCommand& command, RunState& run);
    void setStream(std::uint32_t value1, std::uint32_t value2);
    Flow setButtonPage(const NavigationCommand& command, std::uint32_t value1, std::uint32_t value2, RunState& run);
    void enableButton(std::uint32_t value1, RunState& run);
    void disableButton(std::uint32_t value1);
    void hideBog(unsigned bog);
    bool menuShown() const { return hooks_ != nullptr && hooks_->menuShown(); }
    std::uint32_t nextRandom(std::uint32_t range);
    void message(const std::string& text);

    PlayerRegisters* regs_;
    MenuHooks* hooks_ = nullptr;
    EngineCallbacks callbacks_;
    bool trace_ = false;
    std::int32_t line_ = 0;
    bool traceRunning_ = false;
    std::uint32_t randomState_ = 0;
};

// Status panel 1 while a stepped run waits: "Line 0003 : " + the opcode,
// destination and source cells + " : " + the command line of the next row.
std::string traceLineText(std::int64_t position, const RenderedCommand& row);

// The register panel follows the next command: the destination word names the
// GPR number when the command line mentions a GPR, the PSR number when it
// mentions a PSR; a number outside the bank gives 0, as in the panel.
struct TraceRegisterFocus {
    std::optional<std::uint32_t> gpr;
    std::optional<std::uint32_t> psr;
};
TraceRegisterFocus traceRegisterFocus(const RenderedCommand& row);

}  // namespace navelo
