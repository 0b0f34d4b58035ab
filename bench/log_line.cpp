#include "log_line.h"

#include <cstdio>

namespace varnoth::bench {
namespace {

void appendTwoDigits(std::string &out, unsigned value)
{
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

} // namespace

void appendDateTime(std::string &out, unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute)
{
    out += std::to_string(year) + "-";
    appendTwoDigits(out, month);
    out += "-";
    appendTwoDigits(out, day);
    out += " ";
    appendTwoDigits(out, hour);
    out += ":";
    appendTwoDigits(out, minute);
    out += ": ";
}

std::string sizeText(std::uint64_t bytes, Random &random)
{
    if (random.below(2) == 0)
        return std::to_string(bytes);
    char text[32];
    const double mib = static_cast<double>(bytes) / 1048576.0;
    if (mib >= 1024)
        std::snprintf(text, sizeof text, "%.2f GiB", mib / 1024);
    else if (mib >= 1)
        std::snprintf(text, sizeof text, "%.2f MiB", mib);
    else
        std::snprintf(text, sizeof text, "%.2f KiB", static_cast<double>(bytes) / 1024.0);
    return text;
}

void appendUploadTail(std::string &out, std::string_view nick, std::string_view size, std::uint64_t sent,
                      std::uint64_t seconds)
{
    out += " uploaded to ";
    out += nick;
    out += ", ";
    out += size;
    out += " (" + std::to_string(sent) + "), ";
    char speed[32];
    std::snprintf(speed, sizeof speed, "%.2f KiB/s", static_cast<double>(sent) / 1024.0 / static_cast<double>(seconds));
    out += speed;
    out += ", " + std::to_string(seconds / 3600) + ":";
    appendTwoDigits(out, static_cast<unsigned>(seconds / 60 % 60));
    out += ":";
    appendTwoDigits(out, static_cast<unsigned>(seconds % 60));
    out += "\r\n";
}

} // namespace varnoth::bench
