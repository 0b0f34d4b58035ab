#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis_state.h"

namespace varnoth {

// Hands uploads to the file and folder tallies a few lines after their line
// was cut. On a large log the slots of a path and its folder in their indexes,
// the bytes of their names and their counters are rarely in the processor's
// caches: the slots are asked for when the upload is queued, the names and
// the counters a few uploads later, so all have arrived when the lookups
// come. Uploads reach the tallies in the order they were queued, each file
// before its folder, so the tallies and their totals are exactly those of
// counting each upload at once.
class DeferredTallies {
public:
    explicit DeferredTallies(AnalysisState &state) : state_(state) {}

    // The folder is the first folderLength bytes of the path (0: no folder).
    void add(std::string_view filePath, std::size_t folderLength, double megabytes);

    // Tallies every queued upload; call before the tallies are read.
    void flush();

private:
    static constexpr std::size_t depth = 8;
    struct Upload {
        std::string path;
        std::size_t folderLength = 0;
        std::uint64_t pathHash = 0;
        std::uint64_t folderHash = 0;
        double megabytes = 0;
    };
    void prefetchNames(const Upload &upload) const;
    void tallyOldest();

    AnalysisState &state_;
    std::array<Upload, depth> queue_;
    std::size_t oldest_ = 0;
    std::size_t count_ = 0;
};

} // namespace varnoth
