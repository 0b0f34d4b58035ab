#pragma once

#include <cstdint>

namespace varnoth::bench {

// The process's peak resident memory in bytes, or 0 where the system does not tell.
std::uint64_t peakMemoryBytes();

} // namespace varnoth::bench
