#include "output_file.h"

#include <cerrno>
#include <cstdio>
#include <random>

#include "failure.h"
#include "file_exists.h"
#include "native_file.h"

#ifdef _WIN32
#include <filesystem>
#include <system_error>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace varnoth {
namespace {

constexpr std::size_t bufferBytes = 1 << 16;
constexpr std::size_t defaultNameMax = 255;

// ".NAME.XXXXXXXX.tmp" in at most nameMax bytes: the name is cut (at the
// start of a UTF-8 character) when the whole would be longer.
std::string temporaryName(std::string_view name, std::uint32_t random, std::size_t nameMax)
{
    char tail[16];
    std::snprintf(tail, sizeof tail, ".%08x.tmp", static_cast<unsigned>(random));
    const std::size_t room = nameMax > 1 + 13 ? nameMax - 1 - 13 : 1;
    if (name.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name = name.substr(0, cut);
    }
    return "." + std::string(name) + tail;
}

std::uint32_t randomNumber()
{
    static thread_local std::mt19937 engine{std::random_device{}()};
    return static_cast<std::uint32_t>(engine());
}

} // namespace

#ifndef _WIN32

// One open target: a temporary file to rename over the path, or the path
// itself written directly.
class OutputFile::Target {
public:
    Target(const std::string &path, const std::vector<std::string> &logsBeingRead)
    {
        try {
            prepare(path, logsBeingRead);
        } catch (...) {
            release(); // no destructor runs for a target that was never made
            throw;
        }
    }

    ~Target() { release(); }

    void write(std::string_view bytes)
    {
        if (buffer_.size() + bytes.size() > bufferBytes)
            flush();
        if (bytes.size() >= bufferBytes)
            writeAll(bytes);
        else
            buffer_ += bytes;
    }

    void commit()
    {
        flush();
        if (temporary_.empty()) {
            const int fd = fd_;
            fd_ = -1;
            if (::close(fd) != 0)
                throwFileFailure(errno);
            return;
        }
        if (::fsync(fd_) != 0)
            throwFileFailure(errno);
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            throwFileFailure(errno);
        if (::renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0)
            throwFileFailure(errno);
        temporary_.clear();
        ::fsync(folder_); // the rename itself to disk; a folder that cannot be synced is no failure
    }

private:
    void prepare(const std::string &path, const std::vector<std::string> &logsBeingRead)
    {
        if (path.find('\0') != std::string::npos)
            throwFileFailure(EINVAL);
        struct stat found {};
        const std::string final = followLinks(path, found);
        if (exists_) {
            for (const std::string &log : logsBeingRead) {
                struct stat read {};
                if (::stat(log.c_str(), &read) == 0 && read.st_dev == found.st_dev && read.st_ino == found.st_ino)
                    throw FileFailure(isTheLogBeingRead);
            }
        }
        if (exists_ && S_ISDIR(found.st_mode))
            throwFileFailure(EISDIR);
        if (exists_ && S_ISSOCK(found.st_mode))
            throw FileFailure("is a socket");
        if (exists_ && S_ISBLK(found.st_mode))
            throw FileFailure("is a block device");
        if (exists_ && !S_ISREG(found.st_mode)) {
            // A device or a FIFO: written where it is.
            fd_ = ::open(final.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
            if (fd_ < 0)
                throwFileFailure(errno);
            return;
        }
        // A file the user may not write is refused, and so is one that no
        // one may write, which root's own permission would not stop.
        if (exists_ && ::access(final.c_str(), W_OK) != 0)
            throwFileFailure(errno);
        if (exists_ && (found.st_mode & 0222) == 0)
            throwFileFailure(EACCES);
        openTemporary(final, found);
    }

    // Closes what is open and removes a temporary file that was not put in place.
    void release()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!temporary_.empty())
            ::unlinkat(folder_, temporary_.c_str(), 0);
        if (folder_ >= 0)
            ::close(folder_);
        fd_ = folder_ = -1;
        temporary_.clear();
    }

    // The path that a chain of symbolic links at path leads to, and what is
    // there (exists_ false when nothing is).
    std::string followLinks(std::string path, struct stat &found)
    {
        for (int links = 0; links <= 40; ++links) {
            if (::lstat(path.c_str(), &found) != 0) {
                if (errno != ENOENT)
                    throwFileFailure(errno);
                exists_ = false;
                return path;
            }
            if (!S_ISLNK(found.st_mode)) {
                exists_ = true;
                return path;
            }
            std::string target(static_cast<std::size_t>(found.st_size > 0 ? found.st_size : 256) + 1, '\0');
            const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
            if (length < 0)
                throwFileFailure(errno);
            target.resize(static_cast<std::size_t>(length));
            const std::size_t slash = path.rfind('/');
            // A relative link is read from the folder that holds it.
            path = target.starts_with('/') || slash == std::string::npos ? target : path.substr(0, slash + 1) + target;
        }
        throwFileFailure(ELOOP);
    }

    void openTemporary(const std::string &path, const struct stat &old)
    {
        const std::size_t slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
        name_ = slash == std::string::npos ? path : path.substr(slash + 1);
        folder_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder_ < 0)
            throwFileFailure(errno);
        const long nameMax = ::fpathconf(folder_, _PC_NAME_MAX);
        const std::size_t limit = nameMax > 0 ? static_cast<std::size_t>(nameMax) : defaultNameMax;
        for (int attempt = 0; fd_ < 0; ++attempt) {
            std::string name = temporaryName(name_, randomNumber(), limit);
            fd_ = ::openat(folder_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0)
                temporary_ = std::move(name);
            else if (errno != EEXIST || attempt == 100)
                throwFileFailure(errno);
        }
        if (exists_) {
            // The old file's owner where the system lets us give it, then its
            // permissions (a change of owner may clear the set-id bits).
            if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
                (void)!::fchown(fd_, old.st_uid, old.st_gid);
            if (::fchmod(fd_, old.st_mode & 07777) != 0)
                throwFileFailure(errno);
        }
    }

    void flush()
    {
        writeAll(buffer_);
        buffer_.clear();
    }

    void writeAll(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                throwFileFailure(n < 0 ? errno : EIO);
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }

    bool exists_ = false;
    int folder_ = -1;
    int fd_ = -1;
    std::string name_;      // the file's name in folder_
    std::string temporary_; // the temporary file's name, while there is one
    std::string buffer_;
};

#else

// Windows: a temporary file beside the path, renamed over it; a folder is refused.
class OutputFile::Target {
public:
    Target(const std::string &path, const std::vector<std::string> &logsBeingRead)
        : path_(pathFromUtf8(path))
    {
        std::error_code error;
        if (std::filesystem::is_directory(path_, error))
            throwFileFailure(EISDIR);
        for (const std::string &log : logsBeingRead) {
            if (std::filesystem::equivalent(pathFromUtf8(log), path_, error))
                throw FileFailure(isTheLogBeingRead);
        }
        temporary_ = path_;
        temporary_.replace_filename(
            pathFromUtf8(temporaryName(pathToUtf8(path_.filename()), randomNumber(), defaultNameMax)));
        file_ = std::make_unique<NativeFile>(pathToUtf8(temporary_), NativeFile::Mode::Write);
    }
    ~Target()
    {
        file_.reset();
        if (!temporary_.empty()) {
            std::error_code ignored;
            std::filesystem::remove(temporary_, ignored);
        }
    }
    void write(std::string_view bytes) { file_->write(bytes.data(), bytes.size()); }
    void commit()
    {
        file_->close();
        std::error_code error;
        std::filesystem::rename(temporary_, path_, error);
        if (error)
            throwFileFailure(error.value());
        temporary_.clear();
    }

private:
    std::filesystem::path path_;
    std::filesystem::path temporary_;
    std::unique_ptr<NativeFile> file_;
};

#endif

OutputFile::OutputFile(const std::string &utf8Path, const std::vector<std::string> &logsBeingRead)
    : target_(std::make_unique<Target>(utf8Path, logsBeingRead))
{
}

OutputFile::~OutputFile() = default;

void OutputFile::write(std::string_view bytes)
{
    target_->write(bytes);
}

void OutputFile::commit()
{
    target_->commit();
}

void writeFileAtomically(const std::string &utf8Path, std::string_view content)
{
    OutputFile file(utf8Path);
    file.write(content);
    file.commit();
}

} // namespace varnoth
