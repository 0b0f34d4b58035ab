#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <variant>

namespace varnoth {

// Why a run or a drill-down could not finish. Each consumer puts these into
// its own words (a message box, standard error, a JSON field).

// A line that cannot be cut; its number counts every physical line of its
// log. When several logs are read as one, log names the log as it was
// given; with one log it is empty.
struct Corrupted {
    std::uint64_t line = 0;
    std::string log;
};

// Nothing to rank: no file or no folder among the uploads (an empty log, or
// only file lists or paths without folders).
struct NoUploads {};

// The log cannot be opened or read; cause is the program's words for it,
// systemError the system's error number (errno), 0 when there is none. When
// several logs are read as one, log names the one that failed.
struct Unreadable {
    std::string cause;
    int systemError = 0;
    std::string log;
};

// Any other failure, such as a total too large to count.
struct Failed {
    std::string description;
};

// A log became shorter, or another file took its place, while it was read:
// what was read no longer describes it.
struct LogChanged {
    std::string log; // the log as it was given
};

// The read was stopped before its end; nothing it read is kept.
struct Cancelled {};

template <class Result>
using Outcome = std::variant<Result, Corrupted, NoUploads, Unreadable, Failed, LogChanged, Cancelled>;

template <class Result> const Result *completed(const Outcome<Result> &outcome)
{
    return std::get_if<Result>(&outcome);
}

// The same way of not completing, for an outcome of another kind; the
// outcome must not have completed.
template <class To, class From> Outcome<To> notCompleted(const Outcome<From> &outcome)
{
    return std::visit(
        [](const auto &o) -> Outcome<To> {
            if constexpr (std::is_same_v<std::decay_t<decltype(o)>, From>)
                return Failed{"Completed"};
            else
                return o;
        },
        outcome);
}

} // namespace varnoth
