#include "settings_file.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "failure.h"
#include "file_exists.h"
#include "native_file.h"
#include "number_reading.h"
#include "output_file.h"
#include "text.h"

namespace varnoth {
namespace {

constexpr std::size_t maxSettingsBytes = 1 << 20;

std::optional<std::string> readContent(const std::string &path)
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
    return content;
}

// The lines of a text, each ended by CR LF, LF or a lone CR.
std::vector<std::string_view> linesOf(std::string_view content)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
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

// OutputFile writes ".quillon.ini.<random>.tmp" first; a write
// that was killed before its rename leaves such a file behind.
constexpr std::string_view temporaryPrefix = ".quillon.ini.";
constexpr std::string_view temporarySuffix = ".tmp";

void removeLeftoverTemporaries(const std::filesystem::path &dir)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const std::string name = pathToUtf8(it->path().filename());
        if (name.starts_with(temporaryPrefix) && name.ends_with(temporarySuffix)) {
            std::error_code ignored;
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

void writeInto(const std::string &folder, const std::string &content)
{
    const std::filesystem::path dir = pathFromUtf8(folder);
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error)
        throwFileFailure(error.default_error_condition().value());
    removeLeftoverTemporaries(dir);
    writeFileAtomically(settingsPath(folder), content);
}

// One folder's settings file, or nothing when it is missing, unreadable or
// has fewer lines than its header calls for.
std::optional<Settings> readFrom(const std::string &path)
{
    if (!fileExists(path))
        return std::nullopt;
    const auto content = readContent(path);
    return content ? readSettingsText(*content) : std::nullopt;
}

} // namespace

std::int64_t addLinesAnalyzed(std::int64_t total, std::int64_t lines)
{
    return lines >= maxLinesAnalyzed - total ? maxLinesAnalyzed : total + lines;
}

std::int64_t readLinesAnalyzed(std::string_view line)
{
    std::string text; // blanks, tabs and line feeds dropped, as the lenient reading does
    for (char c : line) {
        if (c != ' ' && c != '\t' && c != '\n')
            text += c;
    }
    std::size_t digits = 0;
    while (digits < text.size() && isDigit(text[digits]))
        ++digits;
    if (digits > 0 && (digits == text.size() || (text[digits] != '.' && text[digits] != 'e' && text[digits] != 'E'))) {
        std::int64_t total = 0;
        for (std::size_t i = 0; i < digits; ++i) {
            if (total > (maxLinesAnalyzed - (text[i] - '0')) / 10)
                return maxLinesAnalyzed;
            total = total * 10 + (text[i] - '0');
        }
        return total;
    }
    const double value = lenientNumber(text);
    if (!std::isfinite(value) || !(value > 0))
        return 0;
    if (value >= static_cast<double>(maxLinesAnalyzed))
        return maxLinesAnalyzed;
    return storeWhole(value);
}

std::optional<Settings> readSettingsText(std::string_view content)
{
    const std::vector<std::string_view> lines = linesOf(content);
    if (lines.size() < 2)
        return std::nullopt;
    Settings settings;
    settings.header = lines[0];
    settings.logPath = lines[1];
    if (settings.header == settingsHeader) {
        if (lines.size() < 3)
            return std::nullopt;
        settings.totalLinesAnalyzed = readLinesAnalyzed(lines[2]);
    }
    return settings;
}

std::string settingsText(const std::string &logPath, std::int64_t totalLinesAnalyzed)
{
    const std::int64_t total = std::clamp<std::int64_t>(totalLinesAnalyzed, 0, maxLinesAnalyzed);
    return std::string(settingsHeader) + "\r\n" + logPath + "\r\n " + std::to_string(total) + " \r\n";
}

bool settingsCanHold(std::string_view logPath)
{
    return logPath.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::optional<Settings> readSettings(const std::vector<std::string> &folders)
{
    std::optional<Settings> newest;
    std::filesystem::file_time_type newestTime;
    for (const std::string &folder : folders) {
        const std::string path = settingsPath(folder);
        auto settings = readFrom(path);
        if (!settings)
            continue;
        std::error_code error;
        const auto written = std::filesystem::last_write_time(pathFromUtf8(path), error);
        // Strictly newer: of two files written at the same time the earlier folder wins.
        if (!newest || (!error && written > newestTime)) {
            newest = std::move(settings);
            newestTime = error ? std::filesystem::file_time_type::min() : written;
        }
    }
    return newest;
}

std::string writeSettings(const std::vector<std::string> &folders, const std::string &logPath,
                          std::int64_t totalLinesAnalyzed)
{
    if (!settingsCanHold(logPath))
        throw Failure(failures::lineBreakInPath);
    const std::string content = settingsText(logPath, totalLinesAnalyzed);
    // When every folder refuses, the last one's reason is reported: it is the
    // per-user folder, the one that is meant to take the file, while a program
    // folder that cannot be written is the usual case for an installed program.
    std::optional<Failure> last;
    for (const std::string &folder : folders) {
        try {
            writeInto(folder, content);
            return settingsPath(folder);
        } catch (const Failure &failure) {
            last = failure;
        }
    }
    throw last ? *last : Failure("Path not found");
}

} // namespace varnoth
