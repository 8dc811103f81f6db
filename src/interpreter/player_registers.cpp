#include "interpreter/player_registers.h"

#include <fmt/format.h>

#include "core/text.h"
#include "navigation/command_codec.h"

namespace navelo {

void ResetRegs(PlayerRegisters& regs, const RegisterResetSettings& settings) {
    regs.GPR.fill(0);
    regs.PSR.fill(0);
    auto& psr = regs.PSR;
    const bool real = settings.realValues;
    psr[0] = 1;
    psr[1] = real ? 0x1u : 0xFFu;
    psr[2] = real ? 0x0FFF0001u : 0x0FFF0FFFu;
    psr[3] = 1;
    psr[4] = real ? 0x0u : 0xFFFFu;
    psr[5] = real ? 0x1u : 0xFFFFu;
    psr[8] = 0xFFFFFFFFu;
    psr[10] = 0xFFFFu;
    psr[12] = 0xFFu;
    psr[14] = 0xFFFFu;
    psr[15] = 0xAAu;
    psr[16] = psr[17] = psr[18] = 0x00656E67u;  // "eng"
    psr[19] = settings.countryCode;
    // Only A, B and C exist; an index the radio group cannot show (none
    // selected, or a damaged setting) resets as region A rather than as a
    // shift by a meaningless amount.
    const int region = settings.regionIndex >= 0 && settings.regionIndex <= 2 ? settings.regionIndex : 0;
    psr[20] = 1u << region;
    psr[29] = 3;
    psr[30] = 0x0001F0F8u;
    psr[31] = 0x00030200u;
    psr[43] = 0xFFFFu;
    psr[48] = psr[49] = psr[50] = 0xFFFFFFFFu;
    psr[61] = 0xFFFF0000u;
}

namespace {

std::string registerItem(std::string_view bank, std::size_t n, std::uint32_t value) {
    return fmt::format("[b]{}{}[/b]: {} ({})", bank, n, hexUpper(value, 8), value);
}

std::string psrLine(const PlayerRegisters& regs, unsigned n) {
    std::string line = registerItem("PSR", n, regs.PSR[n]) + " - ";
    const std::string_view description = psrDescription(n);
    if (description != "reserved") line += description;
    return line;
}

// Items of non-zero registers, `perLine` to a line, a shorter last line for the rest.
template <std::size_t N>
void appendItemLines(std::vector<std::string>& lines, std::string_view bank, const std::array<std::uint32_t, N>& values,
                     std::size_t first, std::size_t perLine) {
    std::string line;
    std::size_t items = 0;
    for (std::size_t n = first; n < N; ++n) {
        if (values[n] == 0) continue;
        line += registerItem(bank, n, values[n]) + "   ";
        if (++items == perLine) {
            lines.push_back(std::move(line));
            line.clear();
            items = 0;
        }
    }
    if (items != 0) lines.push_back(std::move(line));
}

}  // namespace

std::vector<std::string> psrDumpLines(const PlayerRegisters& regs) {
    std::vector<std::string> lines;
    for (unsigned n = 0; n <= 20; ++n) lines.push_back(psrLine(regs, n));
    for (unsigned n = 21; n <= 31; ++n) {
        if (regs.PSR[n] != 0) lines.push_back(psrLine(regs, n));
    }
    appendItemLines(lines, "PSR", regs.PSR, 32, 6);
    return lines;
}

std::vector<std::string> gprDumpLines(const PlayerRegisters& regs) {
    std::vector<std::string> lines;
    appendItemLines(lines, "GPR", regs.GPR, 0, 5);
    return lines;
}

std::uint32_t acceptRegisterNumber(RegisterBank bank, std::int64_t number) {
    return number >= 0 && static_cast<std::uint64_t>(number) < registerCount(bank) ? static_cast<std::uint32_t>(number)
                                                                                   : 0;
}

std::uint32_t registerNumberFromText(RegisterBank bank, std::string_view text) {
    return acceptRegisterNumber(bank, readDecimalLenient(text));
}

std::string registerNumberText(RegisterBank bank, std::uint32_t number) {
    return zeroPad(number, registerNumberDigits(bank));
}

std::uint32_t registerValueFromText(std::string_view text) { return readHexLenient(text); }

std::string registerValueText(std::uint32_t value) { return hexUpper(value, 8); }

}  // namespace navelo
