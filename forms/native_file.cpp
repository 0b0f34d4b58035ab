#include "native_file.h"

#include <cerrno>

#include "failure.h"

#ifdef _WIN32
#include <filesystem>
#else
#include <unistd.h>
#endif

namespace varnoth {

std::string describeSystemError(int error)
{
    switch (error) {
    case ENOENT:
        return "File not found";
    case ENOTDIR:
        return "Path not found";
    case EACCES:
    case EPERM:
        return "Permission denied";
    case EROFS:
        return "Read-only file system";
    case EISDIR:
        return "Path/File access error";
    case ENOMEM:
        return failures::outOfMemory;
    case ENOSPC:
        return "Disk full";
    case EMFILE:
    case ENFILE:
        return "Too many files";
    default:
        return "Device I/O error";
    }
}

void throwFileFailure(int error)
{
    throw FileFailure(describeSystemError(error), error);
}

NativeFile::NativeFile(const std::string &utf8Path, Mode mode)
{
    errno = 0;
#ifdef _WIN32
    const std::filesystem::path path(
        std::u8string(reinterpret_cast<const char8_t *>(utf8Path.data()), utf8Path.size()));
    file_ = _wfopen(path.c_str(), mode == Mode::Read ? L"rb" : L"wb");
#else
    file_ = std::fopen(utf8Path.c_str(), mode == Mode::Read ? "rb" : "wb");
#endif
    if (!file_)
        throwFileFailure(errno);
    if (mode == Mode::Read)
        std::setvbuf(file_, nullptr, _IONBF, 0); // callers read in large blocks
}

NativeFile::~NativeFile()
{
    if (file_)
        std::fclose(file_);
}

std::size_t NativeFile::read(char *data, std::size_t size)
{
    errno = 0;
    const std::size_t n = std::fread(data, 1, size, file_);
    if (n < size && std::ferror(file_))
        throwFileFailure(errno);
    return n;
}

void NativeFile::seek(std::uint64_t offset)
{
    errno = 0;
#ifdef _WIN32
    const bool ok = _fseeki64(file_, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    const bool ok = fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
    if (!ok)
        throw FileFailure(describeSystemError(errno));
}

void NativeFile::write(const char *data, std::size_t size)
{
    errno = 0;
    if (std::fwrite(data, 1, size, file_) != size)
        throwFileFailure(errno);
}

void NativeFile::close()
{
    if (!file_)
        return;
    errno = 0;
    bool ok = std::fflush(file_) == 0;
#ifndef _WIN32
    ok = ok && ::fsync(fileno(file_)) == 0;
#endif
    const int error = errno;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (!ok)
        throwFileFailure(error ? error : errno);
}

} // namespace varnoth
