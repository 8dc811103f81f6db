#pragma once
// The command editor of the BDMV tab as operations on the model: one command
// edited field by field, and command lines inserted, deleted or blanked in a
// movie object. Nothing here knows about widgets; every operation says what the
// view has to redraw, so the front end only renders the rows it is told about.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "navigation/command.h"
#include "navigation/movie_object.h"

namespace navelo {

// The two operands of a command: the destination word and the source word.
enum class Operand { Destination, Source };
// The items of the operand type lists cbOP1 / cbOp2, in list order.
enum class OperandType { GPR = 0, PSR = 1, Imm = 2 };
// The three words of a command as the hex fields heOCH, heDEH and heSOH edit them.
enum class CommandWord { Opword, Destination, Source };

inline constexpr std::array<std::string_view, 3> kOperandTypeItems = {"GPR", "PSR", "Imm"};
inline constexpr std::array<std::string_view, 3> kCommandGroupItems = {"Branch", "Compare", "Set"};
inline constexpr std::string_view kCommandGridHint = "Navigation commands";
// An object that already holds this many commands takes no further line.
inline constexpr std::size_t kMaxInsertableCommands = 9999;
// Immediate GoTo, the only command whose target follows inserted and deleted lines.
inline constexpr std::uint32_t kGotoImmediateOpword = 0x20810000;

std::string_view operandTypeText(OperandType type);

// What the editor controls show for one command (sgCommandsClick).
struct CommandEditorView {
    std::uint32_t opword = 0;       // heOCH
    std::uint32_t destination = 0;  // heDEH
    std::uint32_t source = 0;       // heSOH
    // cbCmdGrp: index into kCommandGroupItems; -1 (no selection) for group 3.
    int groupIndex = -1;
    // cbCmdSGrp and cbCmd: the names up to the first empty one, and the selected
    // index (-1 when the field points past the list).
    std::vector<std::string> subGroupItems;
    int subGroupIndex = -1;
    std::vector<std::string> optionItems;
    int optionIndex = -1;
    // cbOP1on / cbOP2on; also whether each operand's type list, value field and hex field are enabled.
    bool operand1On = false;
    bool operand2On = false;
    OperandType operand1Type = OperandType::GPR;  // cbOP1
    OperandType operand2Type = OperandType::GPR;  // cbOp2
    std::uint32_t operand1Value = 0;              // ieOp1
    std::uint32_t operand2Value = 0;              // ieOp2
    // The command grid's hint: kCommandGridHint or "PSR<n>: <description>".
    std::string gridHint;
};

// Reads the command only; the view can be applied to the controls as it is.
CommandEditorView showCommand(const NavigationCommand& command);

// The type an operand's list shows for a command.
OperandType shownOperandType(const NavigationCommand& command, Operand operand);

// Editing by name: group g, sub-group s, option k as chosen from the lists.
void chooseGroup(NavigationCommand& command, unsigned group);
void chooseSubGroup(NavigationCommand& command, unsigned subGroup);
void chooseOption(NavigationCommand& command, unsigned option);

// A type chosen from an operand's type list. The editor is not refreshed
// afterwards, so the list keeps showing the chosen type.
void chooseOperandType(NavigationCommand& command, Operand operand, OperandType type);

// An operand switched on or off; switching the destination off also switches
// the source off, switching the source on also switches the destination on.
// The other operand's state is the one the editor shows for the command.
void switchOperand(NavigationCommand& command, Operand operand, bool on);

// A value field left: shownType is what the operand's type list shows.
void enterOperandValue(NavigationCommand& command, Operand operand, std::uint32_t value, OperandType shownType);
// The number an operand value field holds: a decimal number, possibly signed
// (negative numbers wrap to 32 bits); anything else, or a number that does not
// fit 32 bits, counts as 0.
std::uint32_t operandValueFromText(std::string_view text);

// A hex field left with a new word. An opword of 0 clears the other two words
// as well, so that the command is a clean NOP.
void enterWord(NavigationCommand& command, CommandWord word, std::uint32_t value);

// The command at a selection, or nullptr when no object or no command is
// selected there (edits without a command do nothing).
NavigationCommand* commandAt(TMOBJ& model, std::optional<std::size_t> object, std::optional<std::size_t> command);

// updategotos: every immediate GoTo whose target is greater than `after` has
// its target moved by delta (32-bit arithmetic, as the word holds it).
// Returns the indices of the commands changed.
std::vector<std::size_t> updateGotos(Tmobject& object, std::int64_t after, std::int64_t delta);

// What the command grid has to redraw after a line was inserted or deleted.
struct CommandListEdit {
    // Rows from this command index to the end moved and are numbered anew.
    std::size_t firstRenumberedRow = 0;
    // GoTo commands whose target changed (indices after the edit); some may lie
    // before firstRenumberedRow.
    std::vector<std::size_t> changedGotoRows;
    // The command to select and show next.
    std::size_t selectRow = 0;
    // Commands the object holds now; with none the grid is reset and Start is disabled.
    std::size_t commandCount = 0;
};

// "+" / Insert: a NOP after the last selected command (at the end when nothing
// is selected, so as the only command of an empty object). Refused (nullopt) without such an object or when it already
// holds kMaxInsertableCommands commands.
std::optional<CommandListEdit> insertCommand(TMOBJ& model, std::size_t object, std::optional<std::size_t> lastSelected);

// "-" / Delete: commands first to last (a range past the end is cut to it).
// Immediate GoTo targets at or after `first` are lowered by the number of lines
// deleted, including targets inside the deleted range. Refused (nullopt)
// without such an object or without a command in the range.
std::optional<CommandListEdit> deleteCommands(TMOBJ& model, std::size_t object, std::size_t first, std::size_t last);

// Shift+N: the command becomes NOP. Returns the row to select next (one down,
// the same row at the end), or nullopt without such a command.
std::optional<std::size_t> makeNop(TMOBJ& model, std::size_t object, std::size_t command);

}  // namespace navelo
