#include "log_parts.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <thread>

#include "forms/file_exists.h"

namespace varnoth {
namespace {

// Below this a part is not worth a thread of its own.
constexpr std::uint64_t smallestPart = std::uint64_t{256} << 10;

} // namespace

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

std::vector<ByteRange> splitLog(const LogInput &log, unsigned threads, std::uint64_t partBytes)
{
    std::error_code error;
    const std::uint64_t size =
        log.bytes() ? log.bytes()->size()
                    : static_cast<std::uint64_t>(std::filesystem::file_size(pathFromUtf8(log.path()), error));
    if (error || size == 0) // the read itself reports a file it cannot read
        return {ByteRange{}};
    if (partBytes == 0) {
        const std::uint64_t parts = std::clamp<std::uint64_t>(size / smallestPart, 1, std::max(1u, threads));
        partBytes = (size + parts - 1) / parts;
    }
    // A part starts beyond the first 3 bytes, where a byte order mark may stand.
    partBytes = std::max<std::uint64_t>(partBytes, 4);
    std::vector<ByteRange> parts;
    for (std::uint64_t begin = 0; begin < size; begin += partBytes)
        parts.push_back({begin, begin + partBytes});
    parts.back().end = ByteRange{}.end;
    return parts;
}

void readParts(std::size_t parts, unsigned threads, const std::function<void(std::size_t)> &work)
{
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < parts;)
            work(i);
    };
    std::vector<std::jthread> helpers;
    const std::size_t helperCount = std::min<std::size_t>(threads, parts) - (parts > 0 ? 1 : 0);
    helpers.reserve(helperCount);
    try {
        for (std::size_t i = 0; i < helperCount; ++i)
            helpers.emplace_back(worker);
    } catch (const std::system_error &) {
        // The system has no more threads to give: the parts are read by fewer.
    }
    worker();
}

} // namespace varnoth
