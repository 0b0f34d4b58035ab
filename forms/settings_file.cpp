#include "settings_file.h"

#include <system_error>

#include "atomic_file.h"
#include "failure.h"
#include "file_exists.h"
#include "native_file.h"
#include "number_forms.h"
#include "number_reading.h"

namespace varnoth {
namespace {

constexpr std::size_t maxSettingsBytes = 1 << 20;

std::optional<std::vector<std::string>> readLines(const std::string &path)
{
    std::string content;
    try {
        NativeFile file(path, NativeFile::Mode::Read);
        char block[4096];
        while (std::size_t n = file.read(block, sizeof block)) {
            content.append(block, n);
            if (content.size() > maxSettingsBytes)
                return std::nullopt;
        }
    } catch (const Failure &) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(content.substr(start));
            break;
        }
        lines.push_back(content.substr(start, end - start));
        start = end + ((content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string settingsPath(const std::string &folder)
{
    return pathToUtf8(pathFromUtf8(folder) / settingsFileName);
}

void writeInto(const std::string &folder, const std::string &content)
{
    std::error_code error;
    std::filesystem::create_directories(pathFromUtf8(folder), error);
    writeFileAtomically(settingsPath(folder), content);
}

} // namespace

std::optional<Settings> readSettings(const std::vector<std::string> &folders)
{
    for (const std::string &folder : folders) {
        const std::string path = settingsPath(folder);
        if (!fileExists(path))
            continue;
        const auto lines = readLines(path);
        if (!lines || lines->size() < 2)
            continue;
        Settings settings;
        settings.header = (*lines)[0];
        settings.logPath = (*lines)[1];
        if (settings.header == settingsHeader) {
            if (lines->size() < 3)
                continue;
            settings.totalLinesAnalyzed = lenientNumber((*lines)[2]);
        }
        return settings;
    }
    return std::nullopt;
}

std::string writeSettings(const std::vector<std::string> &folders, const std::string &logPath,
                          double totalLinesAnalyzed, const NumberFormat &format)
{
    const std::string content = std::string(settingsHeader) + "\r\n" + logPath + "\r\n"
                                + numericPrintForm(totalLinesAnalyzed, format) + "\r\n";
    std::optional<Failure> first;
    for (const std::string &folder : folders) {
        try {
            writeInto(folder, content);
            return settingsPath(folder);
        } catch (const Failure &failure) {
            if (!first)
                first = failure;
        }
    }
    throw first ? *first : Failure("Path not found");
}

} // namespace varnoth
