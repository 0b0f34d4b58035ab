#include "atomic_file.h"

#include <filesystem>
#include <random>
#include <system_error>

#include "failure.h"
#include "file_exists.h"
#include "native_file.h"

namespace varnoth {

void writeFileAtomically(const std::string &utf8Path, std::string_view content)
{
    const std::filesystem::path target = pathFromUtf8(utf8Path);
    std::random_device device;
    std::filesystem::path temporary = target;
    temporary.replace_filename("." + pathToUtf8(target.filename()) + "." + std::to_string(device()) + ".tmp");
    std::error_code error;
    try {
        NativeFile file(pathToUtf8(temporary), NativeFile::Mode::Write);
        file.write(content.data(), content.size());
        file.close();
    } catch (...) {
        std::filesystem::remove(temporary, error);
        throw;
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        const int cause = error.value();
        std::filesystem::remove(temporary, error);
        throwFileFailure(cause);
    }
}

} // namespace varnoth
