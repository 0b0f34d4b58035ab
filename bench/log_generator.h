#pragma once

#include <cstdint>
#include <string>

namespace varnoth::bench {

struct GeneratorShape {
    std::uint64_t lines = 1000;
    std::uint32_t downloaders = 200;
    std::uint32_t files = 100000;
    std::uint32_t folders = 5000;
    std::uint64_t seed = 1;
};

// Writes a synthetic upload log: popular files and busy downloaders are more
// frequent than others, paths and nicks are varied (some non-ASCII), sizes
// come with exact or short size texts, and about 2 % of the uploads are the
// client's file list. The same shape always gives the same bytes.
// Throws Failure when the file cannot be written.
void generateLog(const std::string &path, const GeneratorShape &shape);

} // namespace varnoth::bench
