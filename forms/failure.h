#pragma once

#include <stdexcept>
#include <string>

namespace varnoth {

// A run-time failure that ends a command through its error message, e.g.
// "Overflow", "Permission denied". The text is shown to the user as it is.
class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string &description)
        : std::runtime_error(description)
    {
    }
    std::string description() const { return what(); }
};

// The system refused to open, read or write a file; the description is its
// cause in the program's words, systemError the system's error number (errno),
// 0 when there is none.
class FileFailure : public Failure {
public:
    explicit FileFailure(const std::string &description, int systemError = 0)
        : Failure(description)
        , systemError_(systemError)
    {
    }
    int systemError() const { return systemError_; }

private:
    int systemError_;
};

namespace failures {
inline const char *const overflow = "Overflow";
inline const char *const typeMismatch = "Type mismatch";
inline const char *const divisionByZero = "Division by zero";
inline const char *const outOfMemory = "Out of memory";
inline const char *const lineBreakInPath = "Path holds a line break or a NUL character";
} // namespace failures

} // namespace varnoth
