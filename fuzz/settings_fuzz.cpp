// libFuzzer target over the settings file reader: any content of
// quillon.ini gives settings or nothing, a total within 0 and its 18-digit
// maximum, and settings that fit the file read back as they were written.

#include <cstdint>
#include <string_view>

#include "expect.h"
#include "forms/settings_file.h"

using namespace varnoth;
using fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char *>(data), size);
    const std::int64_t total = readLinesAnalyzed(content);
    expect(total >= 0 && total <= maxLinesAnalyzed, "a total is a whole number of at most 18 digits");
    expect(addLinesAnalyzed(total, total) <= maxLinesAnalyzed, "a total stays at its largest");
    const auto settings = readSettingsText(content);
    if (!settings)
        return 0;
    expect(settings->totalLinesAnalyzed >= 0 && settings->totalLinesAnalyzed <= maxLinesAnalyzed,
           "a read total is within its range");
    expect((settings->header + settings->logPath).find_first_of("\r\n") == std::string::npos,
           "a line holds no line break");
    if (settings->header != settingsHeader)
        expect(settings->totalLinesAnalyzed == 0, "another header leaves the total unread");
    if (settingsCanHold(settings->logPath)) {
        const auto again = readSettingsText(settingsText(settings->logPath, settings->totalLinesAnalyzed));
        expect(again && again->header == settingsHeader && again->logPath == settings->logPath &&
                   again->totalLinesAnalyzed == settings->totalLinesAnalyzed,
               "written settings read back as they were");
    }
    return 0;
}
