#include "open_file.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "native_file.h"

namespace varnoth {
namespace {

FileState stateOf(const struct stat &s)
{
    return {{static_cast<std::uint64_t>(s.st_dev), static_cast<std::uint64_t>(s.st_ino)},
            static_cast<std::uint64_t>(s.st_size),
            static_cast<std::int64_t>(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec,
            S_ISREG(s.st_mode)};
}

} // namespace

OpenFile::OpenFile(const std::string &utf8Path)
{
    if (utf8Path.find('\0') != std::string::npos)
        throwFileFailure(ENOENT);
    // Without O_NONBLOCK, opening a pipe that no program writes to would
    // wait for one, beyond the reach of a cancel.
    descriptor_ = ::open(utf8Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor_ < 0)
        throwFileFailure(errno);
    struct stat s {};
    if (::fstat(descriptor_, &s) != 0 || S_ISDIR(s.st_mode)) {
        const int error = S_ISDIR(s.st_mode) ? EISDIR : errno;
        ::close(descriptor_);
        descriptor_ = -1;
        throwFileFailure(error);
    }
}

OpenFile OpenFile::standardInput()
{
    OpenFile file;
    file.descriptor_ = STDIN_FILENO;
    file.owned_ = false;
    return file;
}

OpenFile::~OpenFile()
{
    if (descriptor_ >= 0 && owned_)
        ::close(descriptor_);
}

OpenFile::OpenFile(OpenFile &&other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1))
    , owned_(other.owned_)
{
}

OpenFile &OpenFile::operator=(OpenFile &&other) noexcept
{
    if (this != &other) {
        if (descriptor_ >= 0 && owned_)
            ::close(descriptor_);
        descriptor_ = std::exchange(other.descriptor_, -1);
        owned_ = other.owned_;
    }
    return *this;
}

FileState OpenFile::state() const
{
    struct stat s {};
    if (::fstat(descriptor_, &s) != 0)
        throwFileFailure(errno);
    return stateOf(s);
}

std::size_t OpenFile::readAt(std::uint64_t offset, char *data, std::size_t size) const
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(descriptor_, data + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwFileFailure(errno);
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::ptrdiff_t OpenFile::readSome(char *data, std::size_t size, int waitMs) const
{
    // Waiting in poll() rather than in read() keeps a stream that gives
    // nothing (a pipe without a writer, a quiet terminal) within reach of a
    // cancel. A pipe opened before any program writes to it is neither
    // readable nor hung up until one does.
    pollfd p{descriptor_, POLLIN, 0};
    const int ready = ::poll(&p, 1, waitMs);
    if (ready < 0 && errno != EINTR)
        throwFileFailure(errno);
    if (ready <= 0)
        return -1;
    const ssize_t n = ::read(descriptor_, data, size);
    if (n < 0) {
        if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
            return -1;
        throwFileFailure(errno);
    }
    return n;
}

bool stateOfPath(const std::string &utf8Path, FileState &state)
{
    struct stat s {};
    if (utf8Path.find('\0') != std::string::npos || ::stat(utf8Path.c_str(), &s) != 0)
        return false;
    state = stateOf(s);
    return true;
}

} // namespace varnoth
