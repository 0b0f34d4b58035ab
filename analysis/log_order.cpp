#include "log_order.h"

#include <algorithm>
#include <optional>
#include <string>

#include "calendar_date.h"
#include "opened_log.h"

namespace varnoth {
namespace {

// How far into a log its first dated line is looked for.
constexpr std::size_t lookedAt = std::size_t{1} << 20;

// The date and time of the log's first dated line ("2004-01-31 23:59"),
// which sort as texts do; nothing when none is found.
std::optional<std::string> firstMoment(const LogInput &input)
{
    try {
        const OpenedLog log(input);
        if (log.stream() && !log.gzip())
            return std::nullopt; // read once, and not here
        std::string start(lookedAt, '\0');
        const auto stream = log.openStream();
        std::size_t size = 0;
        while (size < start.size()) {
            const std::ptrdiff_t n = stream->read(start.data() + size, start.size() - size, 0);
            if (n <= 0)
                break;
            size += static_cast<std::size_t>(n);
        }
        start.resize(size);
        LineReader reader(start, {}, true);
        TextLine line;
        while (reader.next(line)) {
            if (lineDate(line.bytes))
                return std::string(line.bytes.substr(0, 16));
        }
    } catch (...) {
        // A log that cannot be read is named in the message of the read itself.
    }
    return std::nullopt;
}

} // namespace

std::vector<LogInput> inReadingOrder(std::vector<LogInput> logs)
{
    struct Keyed {
        std::optional<std::string> moment;
        LogInput log;
    };
    std::vector<Keyed> keyed;
    for (LogInput &log : logs)
        keyed.push_back({firstMoment(log), std::move(log)});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        if (a.moment.has_value() != b.moment.has_value())
            return a.moment.has_value();
        if (a.moment && *a.moment != *b.moment)
            return *a.moment < *b.moment;
        return a.log.path() < b.log.path();
    });
    std::vector<LogInput> ordered;
    for (Keyed &k : keyed)
        ordered.push_back(std::move(k.log));
    return ordered;
}

} // namespace varnoth
