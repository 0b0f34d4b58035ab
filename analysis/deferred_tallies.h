#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tallies.h"

namespace varnoth {

// Hands uploads to the file tally a few lines after their line was cut. On
// a large log the slot of a path in the file index, the bytes of its name
// and its counter are rarely in the processor's caches: the slot is asked
// for when the upload is queued, the name and the counter a few uploads
// later, so all have arrived when the lookup comes.
//
// Uploads reach the tally in the order they were queued, so the tally and
// its totals are exactly those of counting each upload at once.
class DeferredTallies {
public:
    explicit DeferredTallies(Tallies &tallies)
        : tallies_(tallies)
    {
    }

    // The folder is the first folderLength bytes of the path (0: no folder).
    // A path that does not stay (lasting false) is copied; one that does
    // (the bytes of a line) is kept as it is until flush().
    void add(std::string_view filePath, std::size_t folderLength, double bytes, bool lasting = false);

    // Tallies every queued upload; call before the tallies are read.
    void flush();

private:
    static constexpr std::size_t depth = 8;
    struct Upload {
        std::string_view path;
        std::string copy; // the path's bytes when they do not stay
        std::size_t folderLength = 0;
        std::uint64_t pathHash = 0;
        std::uint32_t guess = 0; // where the file's entry may be, from prefetchEntry
        double bytes = 0;
    };
    void tallyOldest();

    Tallies &tallies_;
    std::array<Upload, depth> queue_;
    std::size_t oldest_ = 0;
    std::size_t count_ = 0;
};

} // namespace varnoth
