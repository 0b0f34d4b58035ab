#include "file_exists.h"

#include <system_error>

namespace varnoth {

std::filesystem::path pathFromUtf8(const std::string &utf8Path)
{
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t *>(utf8Path.data()), utf8Path.size()));
}

std::string pathToUtf8(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char *>(text.data()), text.size());
}

bool fileExists(const std::string &utf8Path)
{
    if (utf8Path.empty() || utf8Path.find('\0') != std::string::npos)
        return false;
    std::error_code error;
    return std::filesystem::is_regular_file(pathFromUtf8(utf8Path), error);
}

} // namespace varnoth
