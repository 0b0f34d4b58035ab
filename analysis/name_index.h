#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnoth {

// A hash index over a list of distinct names kept in order of first
// appearance: finding a name costs the same whether the list holds ten names
// or a million. Names are compared exactly, letter case included.
class NameIndex {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // The index of name in names, or npos.
    std::size_t find(std::string_view name, const std::vector<std::string> &names) const;

    // The index of name in names; a new name is appended to names first.
    std::size_t findOrAdd(std::string_view name, std::vector<std::string> &names, bool &added);

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t index = 0; // position in names + 1; 0 = empty slot
    };
    void grow();

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

std::uint64_t hashText(std::string_view text);

} // namespace varnoth
