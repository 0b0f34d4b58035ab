#pragma once

#include <QString>
#include <vector>

#include "native_path.h"

namespace varnoth {

// The logs chosen lately (each choice one log or several read as one),
// newest first, at most eight, kept in the user's per-user state.
class RecentLogs {
public:
    static constexpr int most = 8;

    static std::vector<std::vector<NativePath>> choices();
    // Puts a choice first (taking it out of where it stood before).
    static void add(const std::vector<NativePath> &logs);

    // How a choice is named in the menu: its path, or "3 logs: FIRST … LAST"
    // by their file names.
    static QString name(const std::vector<NativePath> &logs);
};

} // namespace varnoth
