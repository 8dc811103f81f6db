#include "navigation/command_editing.h"

#include <algorithm>
#include <utility>

#include <fmt/format.h>

#include "navigation/command_codec.h"

namespace navelo {

namespace {

constexpr std::uint32_t kRegisterIsPsr = 0x80000000;  // bit 31 of a register operand
constexpr std::uint32_t kImmediate1 = 1u << 23;
constexpr std::uint32_t kImmediate2 = 1u << 22;
// The PSR hint of the grid names registers below this one only.
constexpr unsigned kHintedPsrLimit = 41;
// SetStream and SetSecondaryStream with a register destination show it as immediate.
constexpr std::uint32_t kSetStreamSourceImmediate = 0x51400001;
constexpr std::uint32_t kSetSecondaryStreamSourceImmediate = 0x51400006;

std::uint32_t& wordOf(NavigationCommand& c, Operand operand) {
    return operand == Operand::Destination ? c.destination : c.source;
}

std::uint32_t immediateFlag(Operand operand) { return operand == Operand::Destination ? kImmediate1 : kImmediate2; }

// The check box states the editor shows: the low two bits of the operand count.
bool shownOn(const NavigationCommand& c, Operand operand) {
    const unsigned low = c.operandCount() & 3u;
    return operand == Operand::Destination ? low != 0 : low >= 2;
}

// Keeps MovieObjects() length and a present ExtensionData() address in step
// with bytes added to or removed from the objects.
void moveObjectBytes(TMOBJ& m, std::int64_t delta) {
    const auto d = static_cast<std::uint32_t>(delta);
    m.objects.length += d;
    if (m.ExtensionData_start_address != 0) m.ExtensionData_start_address += d;
}

template <typename NameOf>
std::vector<std::string> namesUpToFirstEmpty(unsigned limit, NameOf nameOf) {
    std::vector<std::string> out;
    for (unsigned i = 0; i < limit; ++i) {
        const std::string_view name = nameOf(i);
        if (name.empty()) break;
        out.emplace_back(name);
    }
    return out;
}

int indexIn(const std::vector<std::string>& items, unsigned index) {
    return index < items.size() ? static_cast<int>(index) : -1;
}

}  // namespace

std::string_view operandTypeText(OperandType type) { return kOperandTypeItems[static_cast<std::size_t>(type)]; }

OperandType shownOperandType(const NavigationCommand& c, Operand operand) {
    const bool immediate = (c.opword & immediateFlag(operand)) != 0 || c.opword == kSetStreamSourceImmediate ||
                           c.opword == kSetSecondaryStreamSourceImmediate;
    if (immediate) return OperandType::Imm;
    const std::uint32_t word = operand == Operand::Destination ? c.destination : c.source;
    return (word & kRegisterIsPsr) != 0 ? OperandType::PSR : OperandType::GPR;
}

CommandEditorView showCommand(const NavigationCommand& c) {
    CommandEditorView v;
    v.opword = c.opword;
    v.destination = c.destination;
    v.source = c.source;
    const unsigned group = c.group();
    if (group < kCommandGroupItems.size()) {
        v.groupIndex = static_cast<int>(group);
        v.subGroupItems = namesUpToFirstEmpty(8, [group](unsigned s) { return commandSubGroupName(group, s); });
        v.subGroupIndex = indexIn(v.subGroupItems, c.subGroup());
        const unsigned sub = c.subGroup();
        v.optionItems = namesUpToFirstEmpty(32, [group, sub](unsigned k) { return commandOptionName(group, sub, k); });
        v.optionIndex = indexIn(v.optionItems, c.option());
    }
    v.operand1On = shownOn(c, Operand::Destination);
    v.operand2On = shownOn(c, Operand::Source);
    v.gridHint = std::string(kCommandGridHint);

    // The source operand comes second, so its PSR wins the hint.
    const auto operandView = [&v](OperandType type, std::uint32_t word, std::uint32_t& value) {
        value = word;
        if (type == OperandType::GPR) {
            value = word & 0xFFFu;
        } else if (type == OperandType::PSR) {
            value = word & 0x7Fu;
            if (value < kHintedPsrLimit) v.gridHint = fmt::format("PSR{}: {}", value, psrDescription(value));
        }
    };
    v.operand1Type = shownOperandType(c, Operand::Destination);
    operandView(v.operand1Type, c.destination, v.operand1Value);
    v.operand2Type = shownOperandType(c, Operand::Source);
    operandView(v.operand2Type, c.source, v.operand2Value);
    return v;
}

void chooseGroup(NavigationCommand& c, unsigned group) {
    c.opword = ((group & 3u) << 27) + (c.opword & 0xE7C00000u);
}

void chooseSubGroup(NavigationCommand& c, unsigned subGroup) {
    c.opword = ((subGroup & 7u) << 24) + (c.opword & 0xF8C00000u);
}

void chooseOption(NavigationCommand& c, unsigned option) {
    switch (c.group()) {
        case 0: c.opword = (c.opword & 0xFFF00000u) + ((option & 0xFu) << 16); break;
        case 1: c.opword = (c.opword & 0xFFF00000u) + ((option & 0xFu) << 8); break;
        case 2: c.opword = (c.opword & 0xFFF00000u) + (option & 0x1Fu); break;
        default: break;  // group 3 has no options
    }
}

void chooseOperandType(NavigationCommand& c, Operand operand, OperandType type) {
    const std::uint32_t flag = immediateFlag(operand);
    c.opword &= ~flag;
    std::uint32_t& word = wordOf(c, operand);
    switch (type) {
        case OperandType::Imm: c.opword |= flag; break;
        case OperandType::GPR: word &= ~kRegisterIsPsr; break;
        case OperandType::PSR: word |= kRegisterIsPsr; break;
    }
}

void switchOperand(NavigationCommand& c, Operand operand, bool on) {
    bool first = shownOn(c, Operand::Destination);
    bool second = shownOn(c, Operand::Source);
    if (operand == Operand::Destination) {
        first = on;
        if (!on) second = false;
    } else {
        second = on;
        if (on) first = true;
    }
    const std::uint32_t count = (first ? 1u : 0u) + (second ? 1u : 0u);
    c.opword = (c.opword & 0x1FFFFFFFu) + (count << 29);
}

void enterOperandValue(NavigationCommand& c, Operand operand, std::uint32_t value, OperandType shownType) {
    // Setting bit 31 rather than adding it keeps a typed value that already has it.
    wordOf(c, operand) = shownType == OperandType::PSR ? value | kRegisterIsPsr : value;
}

std::uint32_t operandValueFromText(std::string_view text) {
    const auto isBlank = [](char ch) { return ch == ' ' || ch == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return 0;
    std::uint64_t value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') return 0;
        value = value * 10 + static_cast<std::uint64_t>(ch - '0');
        if (value > 0xFFFFFFFFull) return 0;
    }
    if (negative) {
        if (value > 0x80000000ull) return 0;
        return static_cast<std::uint32_t>(0x100000000ull - value);
    }
    return static_cast<std::uint32_t>(value);
}

void enterWord(NavigationCommand& c, CommandWord word, std::uint32_t value) {
    switch (word) {
        case CommandWord::Opword:
            c.opword = value;
            if (value == 0) c = NavigationCommand{};
            break;
        case CommandWord::Destination: c.destination = value; break;
        case CommandWord::Source: c.source = value; break;
    }
}

NavigationCommand* commandAt(TMOBJ& model, std::optional<std::size_t> object, std::optional<std::size_t> command) {
    if (!object || !command || *object >= model.objects.mobjs.size()) return nullptr;
    auto& commands = model.objects.mobjs[*object].navigation_commands;
    return *command < commands.size() ? &commands[*command] : nullptr;
}

std::vector<std::size_t> updateGotos(Tmobject& object, std::int64_t after, std::int64_t delta) {
    std::vector<std::size_t> changed;
    const auto d = static_cast<std::uint32_t>(delta);
    for (std::size_t i = 0; i < object.navigation_commands.size(); ++i) {
        auto& c = object.navigation_commands[i];
        if (c.opword == kGotoImmediateOpword && static_cast<std::int64_t>(c.destination) > after) {
            c.destination += d;
            changed.push_back(i);
        }
    }
    return changed;
}

std::optional<CommandListEdit> insertCommand(TMOBJ& model, std::size_t object, std::optional<std::size_t> lastSelected) {
    if (object >= model.objects.mobjs.size()) return std::nullopt;
    Tmobject& o = model.objects.mobjs[object];
    auto& commands = o.navigation_commands;
    if (commands.size() >= kMaxInsertableCommands) return std::nullopt;
    std::size_t at = commands.size();
    if (!commands.empty() && lastSelected) at = std::min(*lastSelected, commands.size() - 1) + 1;
    commands.insert(commands.begin() + static_cast<std::ptrdiff_t>(at), NavigationCommand{});
    o.number_of_navigation_commands = static_cast<std::uint16_t>(commands.size());
    moveObjectBytes(model, 12);

    CommandListEdit edit;
    edit.changedGotoRows = updateGotos(o, static_cast<std::int64_t>(at) - 1, +1);
    edit.firstRenumberedRow = at;
    edit.selectRow = at;
    edit.commandCount = commands.size();
    return edit;
}

std::optional<CommandListEdit> deleteCommands(TMOBJ& model, std::size_t object, std::size_t first, std::size_t last) {
    if (object >= model.objects.mobjs.size()) return std::nullopt;
    Tmobject& o = model.objects.mobjs[object];
    auto& commands = o.navigation_commands;
    if (first > last) std::swap(first, last);
    if (first >= commands.size()) return std::nullopt;
    last = std::min(last, commands.size() - 1);
    const std::size_t k = last - first + 1;
    commands.erase(commands.begin() + static_cast<std::ptrdiff_t>(first),
                   commands.begin() + static_cast<std::ptrdiff_t>(last + 1));
    o.number_of_navigation_commands = static_cast<std::uint16_t>(commands.size());
    moveObjectBytes(model, -12 * static_cast<std::int64_t>(k));

    CommandListEdit edit;
    edit.changedGotoRows =
        updateGotos(o, static_cast<std::int64_t>(first) - 1, -static_cast<std::int64_t>(k));
    edit.firstRenumberedRow = first;
    edit.selectRow = first > 0 ? first - 1 : 0;
    edit.commandCount = commands.size();
    return edit;
}

std::optional<std::size_t> makeNop(TMOBJ& model, std::size_t object, std::size_t command) {
    NavigationCommand* c = commandAt(model, object, command);
    if (!c) return std::nullopt;
    *c = NavigationCommand{};
    const std::size_t count = model.objects.mobjs[object].navigation_commands.size();
    return std::min(command + 1, count - 1);
}

}  // namespace navelo
