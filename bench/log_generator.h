#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace varnoth::bench {

// How often each file and downloader comes up.
struct Popularity {
    enum class Kind {
        Cubic, // the k-th most popular of n at about (k/n)^(-2/3): a few very popular ones
        Zipf,  // the k-th most popular at 1/k^exponent; paths of 40 to 120 characters
        Each,  // every file in turn, each once until all have come (for many distinct paths)
    };
    Kind kind = Kind::Cubic;
    double exponent = 1.1;
};

struct GeneratorShape {
    std::uint64_t lines = 1000;
    std::uint32_t downloaders = 200;
    std::uint32_t files = 100000;
    std::uint32_t folders = 5000;
    std::uint64_t seed = 1;
    Popularity popularity;
};

// Reads "cubic", "each" or "zipf:S" (S a positive exponent, such as 1.1).
std::optional<Popularity> readPopularity(const std::string &text);

// Writes a synthetic upload log: popular files and busy downloaders are more
// frequent than others, paths and nicks are varied (some non-ASCII), sizes
// come with exact or short size texts, and about 2 % of the uploads are the
// client's file list. The same shape always gives the same bytes.
// Throws Failure when the file cannot be written.
void generateLog(const std::string &path, const GeneratorShape &shape);

} // namespace varnoth::bench
