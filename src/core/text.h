#pragma once
// Small text helpers shared by every view, dump and message.
#include <cstdint>
#include <string>
#include <string_view>

namespace navelo {

// Decimal with leading zeros up to width; longer numbers are written in full.
std::string zeroPad(std::uint64_t value, int width);
// Upper-case hexadecimal with exactly `digits` digits (more when the value needs them).
std::string hexUpper(std::uint64_t value, int digits);
// Reads every hexadecimal digit of text as one number, skipping all other characters.
std::uint32_t readHexLenient(std::string_view text);
// Leading blanks and a sign allowed, digits up to the first other character; no digits give 0.
std::int64_t readDecimalLenient(std::string_view text);
// File name without its last extension (everything from the last '.').
std::string withoutExtension(std::string_view name);
// Disc texts are bytes, one character each (Latin-1); views show them as UTF-8.
std::string latin1ToUtf8(std::string_view bytes);
// The inverse, for texts typed by the user; characters beyond Latin-1 become '?'.
std::string utf8ToLatin1(std::string_view text);

}  // namespace navelo

namespace navelo {

// The format versions every disc file kind is read in: "0100" and "0200" of
// Blu-ray discs and "0300" of Ultra HD Blu-ray discs, which keeps the same layout.
bool isKnownVersion(std::string_view version);

}  // namespace navelo
