#pragma once
// A minimal BD-J object file for the sample disc: one application, every
// PlayList accessible, no cache entries, no key interest, no file access.
// The project has no .bdjo writer (the files are only ever read), so the bytes
// are laid out here field by field.
#include <cstdint>
#include <string>
#include <vector>

namespace navelo::sample {

struct BdjoApplication {
    std::uint32_t organization_id = 0;
    std::uint16_t application_id = 0;
    std::string name;                     // one name, language "eng"
    std::string base_directory;           // the JAR folder entry, five digits
    std::string initial_class_name;
    std::vector<std::string> parameters;  // each up to 255 characters
};

std::vector<std::uint8_t> bdjoBytes(const BdjoApplication& app);

}  // namespace navelo::sample
