#pragma once
// One HDMV navigation command: 12 bytes held as three big-endian words.
#include <cstdint>

namespace navelo {

struct NavigationCommand {
    std::uint32_t opword = 0;
    std::uint32_t destination = 0;  // operand 1
    std::uint32_t source = 0;       // operand 2

    unsigned operandCount() const { return opword >> 29; }
    unsigned group() const { return (opword >> 27) & 3u; }
    unsigned subGroup() const { return (opword >> 24) & 7u; }
    bool immediate1() const { return (opword >> 23) & 1u; }
    bool immediate2() const { return (opword >> 22) & 1u; }
    unsigned branchOption() const { return (opword >> 16) & 0xFu; }
    unsigned compareOption() const { return (opword >> 8) & 0xFu; }
    unsigned setOption() const { return opword & 0x1Fu; }
    // The option of the command's own group (0 for group 3).
    unsigned option() const {
        switch (group()) {
            case 0: return branchOption();
            case 1: return compareOption();
            case 2: return setOption();
            default: return 0;
        }
    }

    bool operator==(const NavigationCommand&) const = default;
};

}  // namespace navelo
