#include "read_threads.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <system_error>
#include <thread>

namespace varnoth {

unsigned readThreads(const AnalysisOptions &options)
{
    if (options.threads != 0)
        return options.threads;
    return std::max(1u, std::thread::hardware_concurrency());
}

unsigned threadsSetting(const char *text)
{
    if (!text)
        return 0;
    const std::string_view digits(text);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || value > 1024)
        return 0;
    return value;
}

ReadMethod readMethodSetting(const char *text)
{
    const std::string_view name(text ? text : "");
    if (name == "mapped")
        return ReadMethod::Map;
    if (name == "buffered")
        return ReadMethod::Buffer;
    return AnalysisOptions{}.readMethod;
}

} // namespace varnoth
