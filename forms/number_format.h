#pragma once

#include <string>

namespace varnoth {

// The user's number settings: what a decimal point and a digit group separator
// look like where numbers are shown to the user or typed by the user.
// The separators are UTF-8 texts (one character each, possibly multi-byte).
struct NumberFormat {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";

    static NumberFormat c() { return {}; }
};

} // namespace varnoth
