#include "interpreter/engine.h"

#include <climits>
#include <string>

#include "core/text.h"

namespace navelo {

namespace {

constexpr std::uint32_t kImmediateFlags = 0x00C00000u;
constexpr std::uint32_t kNoSelection = 0xFFFFu;

// Opwords of the SetSystem register forms whose register operands are packed
// from several GPRs (immediate flags cleared).
constexpr std::uint32_t kSetStream = 0x51000001u;
constexpr std::uint32_t kSetButtonPage = 0x51000003u;
constexpr std::uint32_t kSetSecondaryStream = 0x51000006u;

std::uint32_t withoutImmediateFlags(std::uint32_t opword) { return opword & ~kImmediateFlags; }

bool isCompare(std::uint32_t opword) { return opword >= 0x48000100u && opword <= 0x48C00700u; }
// Set with two operands, any immediate flags, set option 1 to 15.
bool isSet(std::uint32_t opword) { return (opword & 0xFF3FFFF0u) == 0x50000000u && (opword & 0xFu) != 0; }

}  // namespace

struct Engine::RunState {
    CommandList list;                           // the run's own copy; an auto-action button replaces it
    std::int64_t p = 0;                         // the command being executed
    std::int64_t next = 0;                      // the command after it
    bool condition = false;                     // result of the last compare of this run
    std::uint32_t pendingSelection = kNoSelection;  // set by EnableButton, applied at the end of the run

    std::int64_t count() const { return static_cast<std::int64_t>(list.size()); }
};

// ---------------------------------------------------------------------------
// Operands

std::uint32_t Engine::operandValue(const NavigationCommand& c, std::uint32_t w, bool immediate) const {
    if (c.operandCount() == 0) return 0xDEADBEEFu;
    if (immediate) return w;
    const auto& r = *regs_;
    // The three SetSystem register forms pack their values from GPRs.
    switch (withoutImmediateFlags(c.opword)) {
        case kSetStream:
            return (w & 0x8000C000u) | ((r.gpr(w >> 16) & 0xFFu) << 16) | (r.gpr(w) & 0xFFFu);
        case kSetButtonPage:
            return (w & 0x80000000u) | (r.gpr(w) & 0xFFFFu);
        case kSetSecondaryStream:
            return (w & 0xC08F0000u) | (r.gpr(w) & 0xFFu);
        default:
            return (w & 0x80000000u) ? r.psr(w) : r.gpr(w);
    }
}

std::uint32_t Engine::getop1(const NavigationCommand& c) const { return operandValue(c, c.destination, c.immediate1()); }

std::uint32_t Engine::getop2(const NavigationCommand& c) const { return operandValue(c, c.source, c.immediate2()); }

void Engine::setdst(const NavigationCommand& c, std::uint32_t value) {
    if (c.operandCount() == 0 || c.immediate1()) return;
    const std::uint32_t w = c.destination;
    ((w & 0x80000000u) ? regs_->psr(w) : regs_->gpr(w)) = value;
}

void Engine::setsrc(const NavigationCommand& c, std::uint32_t value) {
    if (c.operandCount() == 0 || c.immediate2()) return;
    const std::uint32_t w = c.source;
    ((w & 0x80000000u) ? regs_->psr(w) : regs_->gpr(w)) = value;
}

// ---------------------------------------------------------------------------
// Runs

RunResult Engine::start(const CommandList& program) {
    // An open stepped run always continues from `line`: with "Trace" unticked
    // the rest of the list runs straight through.
    if (!traceRunning_) {
        line_ = trace_ ? -1 : 0;
        if (callbacks_.lineChanged) callbacks_.lineChanged(line_);
    }
    return ExecComm(program);
}

RunResult Engine::startFresh(const CommandList& program) {
    line_ = trace_ ? -1 : 0;
    if (callbacks_.lineChanged) callbacks_.lineChanged(line_);
    return ExecComm(program);
}

RunResult Engine::cancelTrace(const CommandList& program) {
    // A line beyond every list: the run finds nothing to execute and closes
    // the stepped run. Disc lists hold at most 0xFFFF commands (a 16-bit count).
    line_ = program.size() < 0xFFFF ? 0xFFFF : INT32_MAX;
    return ExecComm(program);
}

RunResult Engine::ExecComm(const CommandList& program) {
    RunState run;
    run.list = program;
    run.p = line_;
    RunResult result;

    if (run.p >= 0 && run.p < run.count()) {
        for (;;) {
            if (callbacks_.processEvents) callbacks_.processEvents();
            if (callbacks_.cancelRequested && callbacks_.cancelRequested()) {
                result.stop = RunStop::Cancelled;
                // Behind the last executed command, like a run that ended.
                run.p = run.count();
                break;
            }
            // By value: the command may replace the list it came from.
            const NavigationCommand command = run.list[static_cast<std::size_t>(run.p)];
            run.next = run.p + 1;
            ++result.executed;
            const Flow flow = execute(command, run);
            if (flow == Flow::End) {
                result.stop = RunStop::EndedByCommand;
                run.p = run.count();
                break;
            }
            run.p = run.next;
            if (run.p >= run.count()) {
                result.stop = RunStop::EndOfList;
                break;
            }
            line_ = static_cast<std::int32_t>(run.p);
            if (callbacks_.lineChanged) callbacks_.lineChanged(line_);
            if (trace_) {
                result.stop = RunStop::TraceStep;
                break;
            }
        }
    }

    auto& psr = regs_->PSR;
    if (run.pendingSelection != kNoSelection && psr[10] == kNoSelection) {
        psr[10] = run.pendingSelection;
        if (hooks_ != nullptr) hooks_->drawSelectedButton();
    }
    if (run.p < 0) {
        run.p = 0;
        line_ = 0;
        if (callbacks_.lineChanged) callbacks_.lineChanged(line_);
    }
    traceRunning_ = run.p < run.count();
    result.position = run.p;
    result.traceRunning = traceRunning_;
    result.showTrace = traceRunning_ && trace_;
    result.reselectLine = run.p > static_cast<std::int64_t>(line_) + 1;
    return result;
}

// ---------------------------------------------------------------------------
// Commands

void Engine::message(const std::string& text) {
    if (callbacks_.message) callbacks_.message(text);
}

std::uint32_t Engine::nextRandom(std::uint32_t range) {
    randomState_ = randomState_ * 0x08088405u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(range) * randomState_) >> 32);
}

Engine::Flow Engine::execute(const NavigationCommand& c, RunState& run) {
    const std::uint32_t op = c.opword;
    const std::uint32_t v1 = getop1(c);
    const std::uint32_t v2 = getop2(c);
    auto& psr = regs_->PSR;
    // Messages show the operand values in unsigned decimal.
    const auto n1 = [v1] { return std::to_string(v1); };
    const auto n2 = [v2] { return std::to_string(v2); };

    switch (op) {
        case 0x20010000u:
        case 0x20810000u:  // GoTo; a target beyond the list (unsigned) ends the run there
            run.next = v1;
            return Flow::Continue;
        case 0x21000000u:
        case 0x21800000u:
            message("Jump Object " + n1());
            return Flow::End;
        case 0x21010000u:
        case 0x21810000u:
            psr[4] = v1;
            message("Jump Title " + n1());
            return Flow::End;
        case 0x21020000u:
        case 0x21820000u:
            message("Call Object " + n1());
            return Flow::Continue;
        case 0x21030000u:
        case 0x21830000u:
            psr[4] = v1;
            message("Call Title " + n1());
            return Flow::Continue;
        case 0x01040000u:
            message("Resume");
            return Flow::Continue;
        case 0x22000000u:
        case 0x22800000u:
            psr[6] = v1;
            message("Play PL " + n1());
            return Flow::Continue;
        case 0x42010000u:
        case 0x42410000u:
        case 0x42810000u:
        case 0x42C10000u:
            psr[6] = v1;
            psr[7] = v2;
            message("Play PLatPI " + n1() + ", " + n2());
            return Flow::Continue;
        case 0x42020000u:
        case 0x42420000u:
        case 0x42820000u:
        case 0x42C20000u:
            psr[6] = v1;
            psr[5] = v2;
            message("Play PLatMK " + n1() + ", " + n2());
            return Flow::Continue;
        case 0x02030000u:
            message("Terminate PL");
            return Flow::Continue;
        case 0x22040000u:
        case 0x22840000u:
            psr[7] = v1;
            message("Link PI " + n1());
            return Flow::Continue;
        case 0x22050000u:
        case 0x22850000u:
            psr[5] = v1 + 1u;
            message("Link MK " + n1());
            return Flow::Continue;
        case 0x31000004u:
        case 0x31800004u:
            enableButton(v1, run);
            return Flow::Continue;
        case 0x31000005u:
        case 0x31800005u:
            disableButton(v1);
            return Flow::Continue;
        case 0x11000007u:
            message("Pop up Menu Off");
            return Flow::Continue;
        case 0x11000008u:
            message("Still On");
            return Flow::Continue;
        case 0x11000009u:
            message("Still Off");
            return Flow::Continue;
        case 0x20000000u:  // GoTo sub-group without a branch option: nothing sensible to continue with
        case 0x00020000u:  // Break: a player stops the program here
            return Flow::End;
        default:
            break;
    }

    if (isCompare(op)) {
        switch ((op >> 8) & 7u) {
            case 1: run.condition = (v1 & v2) != 0; break;
            case 2: run.condition = v1 == v2; break;
            case 3: run.condition = v1 != v2; break;
            case 4: run.condition = v1 >= v2; break;
            case 5: run.condition = v1 > v2; break;
            case 6: run.condition = v1 <= v2; break;
            case 7: run.condition = v1 < v2; break;
            default: break;  // no option: the previous compare of this run decides
        }
        if (!run.condition) run.next = run.p + 2;
        return Flow::Continue;
    }

    if (isSet(op)) {
        std::uint32_t result = 0;
        switch (op & 0xFu) {
            case 1: result = v2; break;
            case 2:
                setdst(c, v2);
                setsrc(c, v1);
                return Flow::Continue;
            case 3: result = v1 + v2; break;
            case 4: result = v1 - v2; break;
            case 5: result = v1 * v2; break;
            case 6: result = v2 == 0 ? 0xFFFFFFFFu : v1 / v2; break;
            case 7: result = v2 == 0 ? 0xFFFFFFFFu : v1 % v2; break;
            case 8: result = nextRandom(v2); break;
            case 9: result = v1 & v2; break;
            case 10: result = v1 | v2; break;
            case 11: result = v1 ^ v2; break;
            case 12: result = v1 | (1u << (v2 % 32)); break;
            case 13: result = v1 & ~(1u << (v2 % 32)); break;
            case 14: result = v1 << (v2 % 32); break;
            case 15: result = v1 >> (v2 % 32); break;
            default: break;
        }
        setdst(c, result);
        return Flow::Continue;
    }

    switch (withoutImmediateFlags(op)) {
        case kSetStream:
            setStream(v1, v2);
            return Flow::Continue;
        case kSetButtonPage:
            return setButtonPage(c, v1, v2, run);
        default:
            // NOP, SetNVTimer, SetSecondaryStream, unknown and reserved-bit opwords.
            return Flow::Continue;
    }
}

void Engine::setStream(std::uint32_t v1, std::uint32_t v2) {
    auto& psr = regs_->PSR;
    if (v1 & 0x80000000u) psr[1] = (v1 >> 16) & 0xFFu;
    if (v1 & 0x00008000u) psr[2] = (psr[2] & 0x0FFF0000u) | (v1 & 0xFFFu) | (((v1 >> 14) & 1u) << 31);
    if (v2 & 0x80000000u) psr[0] = (v2 >> 16) & 0xFFu;
    if (v2 & 0x00008000u) psr[3] = v2 & 0xFFu;
}

void Engine::hideBog(unsigned bog) {
    const std::size_t states = hooks_->buttonStateCount();
    for (std::size_t i = 0; i < states; ++i) {
        if (hooks_->buttonBog(i) == bog) hooks_->setButtonShown(i, false);
    }
}

Engine::Flow Engine::setButtonPage(const NavigationCommand& c, std::uint32_t v1, std::uint32_t v2, RunState& run) {
    if (!menuShown()) {
        message("SetButtonPage ");
        return Flow::End;
    }
    MenuHooks& menu = *hooks_;
    auto& psr = regs_->PSR;
    const std::uint32_t oldButton = psr[10] & 0xFFFFu;
    const std::uint32_t oldPage = psr[11] & 0xFFFFu;
    const bool pageFlag = (c.source & 0x80000000u) != 0;
    const bool buttonFlag = (c.destination & 0x80000000u) != 0;

    if (pageFlag && (v2 & 0xFFu) < menu.pageCount()) psr[11] = v2 & 0xFFu;
    // PSR11 may name no page (written by hand or by a Move); then no table of it is read.
    const bool pageExists = psr[11] < menu.pageCount();
    if (buttonFlag && pageExists && (v1 & 0xFFFFu) < menu.buttonTableLength(psr[11])) psr[10] = v1 & 0xFFFFu;
    if (psr[11] != oldPage && pageExists) menu.setButtonStates(psr[11]);

    const std::size_t states = menu.buttonStateCount();
    const bool selectionExists = psr[10] < states;
    if (selectionExists) {
        hideBog(menu.buttonBog(psr[10]));
        menu.setButtonShown(psr[10], true);
    }
    if (pageFlag) {
        if ((c.source & 0x40000000u) == 0 && oldPage < menu.pageCount() && menu.hasOutEffectsToPlay(oldPage)) {
            menu.playOutEffects(oldPage);
        }
        if (pageExists) menu.showPage(psr[11]);
    } else if (buttonFlag) {
        if (oldButton < states && selectionExists && menu.buttonBog(oldButton) != menu.buttonBog(psr[10])) {
            menu.drawButton(oldButton);
        }
        menu.drawSelectedButton();
    }

    if (pageExists && psr[10] < menu.buttonTableLength(psr[11])) {
        if (auto commands = menu.autoActionCommands(psr[11], psr[10])) {
            run.list = std::move(*commands);
            menu.showRunningButton(psr[10]);
            run.next = 0;
            return Flow::Continue;
        }
    }
    return Flow::End;
}

void Engine::enableButton(std::uint32_t v1, RunState& run) {
    if (!menuShown()) return;
    const std::uint32_t b = v1 & 0xFFFFu;
    const std::size_t states = hooks_->buttonStateCount();
    if (b >= states) return;
    auto& psr = regs_->PSR;
    const unsigned bog = hooks_->buttonBog(b);
    if (psr[10] < states && hooks_->buttonBog(psr[10]) == bog) {
        psr[10] = kNoSelection;
        run.pendingSelection = b;
    }
    hideBog(bog);
    hooks_->setButtonShown(b, true);
    hooks_->drawButton(b);
}

void Engine::disableButton(std::uint32_t v1) {
    if (!menuShown()) return;
    const std::uint32_t b = v1 & 0xFFFFu;
    if (b >= hooks_->buttonStateCount()) return;
    hooks_->setButtonShown(b, false);
    hooks_->deleteButton(b);
}

// ---------------------------------------------------------------------------
// Trace display

std::string traceLineText(std::int64_t position, const RenderedCommand& row) {
    const auto& cell = row.cells;
    return "Line " + zeroPad(static_cast<std::uint64_t>(position < 0 ? 0 : position), 4) + " : " + cell[1] + " " +
           cell[2] + " " + cell[3] + " : " + cell[4];
}

TraceRegisterFocus traceRegisterFocus(const RenderedCommand& row) {
    TraceRegisterFocus focus;
    const std::uint32_t destination = readHexLenient(row.cells[2]);
    const std::string& text = row.cells[4];
    if (text.find("GPR") != std::string::npos) focus.gpr = acceptRegisterNumber(RegisterBank::Gpr, destination);
    if (text.find("PSR") != std::string::npos) focus.psr = acceptRegisterNumber(RegisterBank::Psr, destination);
    return focus;
}

}  // namespace navelo
