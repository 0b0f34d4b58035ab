#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis_state.h"

namespace varnoth {

// Hands uploads to the file tally a few lines after their line was cut. On a
// large log the file's slot in the index and the bytes of its name are
// rarely in the processor's caches; the slot is asked for when the upload is
// queued and the name a few uploads later, so both have arrived when the
// lookup comes. Uploads reach the tally in the order they were queued, so
// the tally and its totals are exactly those of counting each at once.
class DeferredFileTally {
public:
    explicit DeferredFileTally(AnalysisState &state) : state_(state) {}

    void add(std::string_view filePath, double megabytes);

    // Tallies every queued upload; call before the tally is read or the pass ends.
    void flush();

private:
    static constexpr std::size_t depth = 8;
    struct Upload {
        std::string path;
        std::uint64_t hash = 0;
        double megabytes = 0;
    };
    void tallyOldest();

    AnalysisState &state_;
    std::array<Upload, depth> queue_;
    std::size_t oldest_ = 0;
    std::size_t count_ = 0;
};

} // namespace varnoth
