#include "native_path.h"

#include <filesystem>

namespace varnoth {

NativePath NativePath::fromBytes(std::string bytes)
{
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return {std::move(bytes), std::move(text)};
}

NativePath NativePath::fromText(const QString &text)
{
    return {text.toStdString(), text};
}

std::string joinPath(const std::string &folder, const std::string &name)
{
    constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    if (!folder.empty() && (folder.back() == '/' || folder.back() == separator))
        return folder + name;
    return folder + separator + name;
}

} // namespace varnoth
