#pragma once

#include <cstdio>

namespace varnoth::cli {

// Whether a stream is a terminal (and not a file or a pipe).
bool isTerminal(std::FILE *stream);

// Makes standard output pass bytes unchanged (Windows would otherwise turn
// LF into CR LF); nothing to do elsewhere.
void binaryStandardOutput();

} // namespace varnoth::cli
