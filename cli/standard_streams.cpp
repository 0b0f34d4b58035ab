#include "standard_streams.h"

#include <string>

#include "wording/display_text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace varnoth::cli {

bool isTerminal(std::FILE *stream)
{
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return ::isatty(fileno(stream)) != 0;
#endif
}

bool namesStandardOutput(std::string_view path)
{
    return path.empty() || path == "-" || path == "/dev/stdout" || path == "/dev/fd/1" || path == "/proc/self/fd/1";
}

void printError(std::string_view program, std::initializer_list<std::string_view> parts)
{
    std::string line(program);
    for (std::string_view part : parts)
        line += ": " + printable(part);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void binaryStandardOutput()
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

} // namespace varnoth::cli
