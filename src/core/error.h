#pragma once
// Failures travel as values: the file, the byte offset and the structure path
// say exactly where a disc file went wrong.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace navelo {

struct Error {
    std::string file;      // file name as the user knows it (e.g. "index.bdmv")
    std::uint64_t offset = 0;
    std::string path;      // structure path, e.g. "MovieObjects/mobj[3]/command[7]"
    std::string message;   // the message as the log shows it

    std::string describe() const;
};

// A value or an Error.
template <typename T>
class Expected {
public:
    Expected(T value) : v_(std::move(value)) {}
    Expected(Error error) : v_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(v_); }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<T>(v_); }
    const T& value() const { return std::get<T>(v_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Error& error() const { return std::get<Error>(v_); }

private:
    std::variant<T, Error> v_;
};

// For operations with no value to return.
struct Done {};
using Status = Expected<Done>;

}  // namespace navelo
