#pragma once

#include <cstdint>
#include <string>

namespace varnoth::bench {

struct SampleShape {
    std::uint64_t lines = 4000;
    std::uint64_t seed = 1;
};

// Writes a year of one user's sharing as the client logs it, from
// 2003-09-01 to 2004-08-31: a share of music albums (tracks of 3-12 MB),
// films and series (200 MB to 1.5 GB) and documents (under 5 MB); visitors
// who fetch the file list and then a whole album, a film or a few documents;
// more visits in the evening and at weekends, a share that grows popular
// over the year, a summer week with the computer off, a few heavy
// downloaders among many occasional ones. The same shape always gives the
// same bytes. Throws Failure when the file cannot be written.
void generateSampleLog(const std::string &path, const SampleShape &shape);

} // namespace varnoth::bench
