#pragma once
// The emulated player's register file: 4096 general purpose and 128 player
// status registers, with the reset values, the dumps written to the log and
// the rules of the register panel's four fields.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace navelo {

inline constexpr std::size_t kGprCount = 4096;
inline constexpr std::size_t kPsrCount = 128;

enum class RegisterBank { Gpr, Psr };

struct PlayerRegisters {
    std::array<std::uint32_t, kGprCount> GPR{};
    std::array<std::uint32_t, kPsrCount> PSR{};

    // Indices are reduced to the bank's range the way commands address
    // registers (GPR: low 12 bits, PSR: low 7 bits), so no access is out of range.
    std::uint32_t& gpr(std::uint32_t n) { return GPR[n & 0xFFFu]; }
    std::uint32_t gpr(std::uint32_t n) const { return GPR[n & 0xFFFu]; }
    std::uint32_t& psr(std::uint32_t n) { return PSR[n & 0x7Fu]; }
    std::uint32_t psr(std::uint32_t n) const { return PSR[n & 0x7Fu]; }
    std::uint32_t& at(RegisterBank bank, std::uint32_t n) { return bank == RegisterBank::Gpr ? gpr(n) : psr(n); }
    std::uint32_t at(RegisterBank bank, std::uint32_t n) const { return bank == RegisterBank::Gpr ? gpr(n) : psr(n); }

    bool operator==(const PlayerRegisters&) const = default;
};

// The settings a reset reads (the Options tab keeps them; they act only at the next reset).
struct RegisterResetSettings {
    bool realValues = false;          // "Init PSRs with 'real' values"
    std::uint16_t countryCode = 0x5553;  // "US"
    int regionIndex = 0;              // 0 = A, 1 = B, 2 = C
};

// Zeroes every register, then writes the player's start-up values.
void ResetRegs(PlayerRegisters& regs, const RegisterResetSettings& settings);

// The "PSRs" and "GPRs" dumps: log lines with markup, in the order they are written.
std::vector<std::string> psrDumpLines(const PlayerRegisters& regs);
std::vector<std::string> gprDumpLines(const PlayerRegisters& regs);

// ---------------------------------------------------------------------------
// Register panel fields. The GUI only wires widgets to these rules.

constexpr std::size_t registerCount(RegisterBank bank) { return bank == RegisterBank::Gpr ? kGprCount : kPsrCount; }
// Width of the zero-filled number field: 4 digits for GPRs, 3 for PSRs.
constexpr int registerNumberDigits(RegisterBank bank) { return bank == RegisterBank::Gpr ? 4 : 3; }

// A number outside the bank's range turns the field back to 0.
std::uint32_t acceptRegisterNumber(RegisterBank bank, std::int64_t number);
// The number field's text, read leniently (sign and leading blanks allowed; no digits give 0).
std::uint32_t registerNumberFromText(RegisterBank bank, std::string_view text);
// The zero-filled text the number field shows when it is not being edited.
std::string registerNumberText(RegisterBank bank, std::uint32_t number);

// The value field takes the low 32 bits of the hexadecimal digits typed (other characters are ignored).
std::uint32_t registerValueFromText(std::string_view text);
// Eight upper-case hexadecimal digits.
std::string registerValueText(std::uint32_t value);

}  // namespace navelo
