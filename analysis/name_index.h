#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "large_table_allocator.h"

namespace varnoth {

// A hash index over a list of distinct names kept in order of first
// appearance: finding a name costs the same whether the list holds ten names
// or a million. Names are compared exactly, letter case included.
//
// A log names its files in random order, so on a large log nearly every
// lookup misses the processor's caches. The index therefore keeps its own
// compact copy of the names: a lookup reads one slot and then the name's
// bytes right where the slot points, instead of walking from the slot to the
// list's string object and from there to its separately allocated text.
class NameIndex {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // The index of name in names; a new name is appended to names first.
    std::size_t findOrAdd(std::string_view name, std::vector<std::string> &names, bool &added);

    // The same with the name's hashText() computed beforehand.
    std::size_t findOrAdd(std::string_view name, std::uint64_t hash, std::vector<std::string> &names, bool &added);

    // Ask the processor to fetch, ahead of a lookup, the slot where a name
    // with this hash would be, and (once that slot has arrived) the bytes
    // of the name that slot points to. prefetchName returns that name's
    // position in names, the likely outcome of the lookup, or npos.
    void prefetchSlot(std::uint64_t hash) const;
    std::size_t prefetchName(std::uint64_t hash) const;

private:
    struct Slot {
        std::uint32_t tag = 0;   // the upper half of the name's hash
        std::uint32_t index = 0; // position in names + 1; 0 = empty slot
        std::uint64_t at = 0;    // where the name's length and bytes begin in keys_
    };
    bool holds(const Slot &slot, std::uint64_t hash, std::string_view name) const;
    void grow();

    std::vector<Slot, LargeTableAllocator<Slot>> slots_;
    std::vector<char, LargeTableAllocator<char>> keys_; // each name as a 4-byte length followed by its bytes
    std::size_t used_ = 0;
};

std::uint64_t hashText(std::string_view text);

} // namespace varnoth
