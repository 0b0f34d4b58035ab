#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace varnoth {

// Why a run or a drill-down could not finish. Each consumer puts these into
// its own words (a message box, standard error, a JSON field).

// A line that cannot be cut; its number counts every physical line.
struct Corrupted {
    std::uint64_t line = 0;
};

// Nothing to rank: no file or no folder among the uploads (an empty log, or
// only file lists or paths without folders).
struct NoUploads {};

// The log cannot be opened or read; cause is the program's words for it,
// systemError the system's error number (errno), 0 when there is none.
struct Unreadable {
    std::string cause;
    int systemError = 0;
};

// Any other failure, such as a total too large to count.
struct Failed {
    std::string description;
};

template <class Result> using Outcome = std::variant<Result, Corrupted, NoUploads, Unreadable, Failed>;

template <class Result> const Result *completed(const Outcome<Result> &outcome)
{
    return std::get_if<Result>(&outcome);
}

} // namespace varnoth
