#pragma once

#include <cstdio>
#include <initializer_list>
#include <string_view>

namespace varnoth::cli {

// Whether a stream is a terminal (and not a file or a pipe).
bool isTerminal(std::FILE *stream);

// Whether an output path means standard output: "-", "/dev/stdout" and its
// other names (/dev/fd/1, /proc/self/fd/1), which would otherwise be opened
// as a file (and a link to a regular file replaced).
bool namesStandardOutput(std::string_view path);

// "PROGRAM: PART: PART" and a line end on standard error, each part shown by
// the rule of printable(): a path, an option value or a name from a log
// never passes a control character (an escape, a bell) or a bidirectional
// override to the terminal.
void printError(std::string_view program, std::initializer_list<std::string_view> parts);

// Makes standard output pass bytes unchanged (Windows would otherwise turn
// LF into CR LF); nothing to do elsewhere.
void binaryStandardOutput();

} // namespace varnoth::cli
