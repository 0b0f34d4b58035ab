#pragma once

#include <bit>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "native_file.h"
#include "open_file.h"
#include "simd.h"

namespace varnoth {

// One physical line of a text file.
struct TextLine {
    std::string_view bytes;   // without its line break
    std::uint64_t number = 0; // 1-based, counting every physical line
    bool ascii = true;        // no byte above 127
    bool tooLong = false;     // longer than LineReader::maxLineBytes; bytes holds its start
    bool ended = true;        // a line break follows it (false: the last bytes of what was read)

    // Empty or only blanks and tabs. A line too long to hold is never blank,
    // whatever its start holds: it is a line that cannot be read.
    bool blank() const;
};

// A log to read: a file named by its path (UTF-8, or the system's bytes),
// standard input, or bytes already in memory, read as if they were a
// file's (for tests and fuzzing; they must outlive every reader of them).
class LogInput {
public:
    LogInput(std::string path)
        : path_(std::move(path))
    {
    }
    LogInput(const char *path)
        : path_(path)
    {
    }
    static LogInput inMemory(std::string_view bytes, std::string name = "")
    {
        LogInput input(std::move(name));
        input.bytes_ = bytes;
        return input;
    }
    static LogInput standardInput()
    {
        LogInput input("-");
        input.standardInput_ = true;
        return input;
    }
    // The log as it was named: its path, "-" for standard input.
    const std::string &path() const { return path_; }
    const std::optional<std::string_view> &bytes() const { return bytes_; }
    bool isStandardInput() const { return standardInput_; }

private:
    std::string path_;
    std::optional<std::string_view> bytes_;
    bool standardInput_ = false;
};

// A part of a file: the lines that begin at byte offsets in [begin, end).
// A line begins at offset 0 and after every line break, so the parts of a
// file split at any offsets hold each line exactly once.
struct ByteRange {
    std::uint64_t begin = 0;
    std::uint64_t end = UINT64_MAX;
};

// Reads a text file line by line in large blocks. Lines end at CR LF, LF or a
// lone CR; a UTF-8 byte order mark at the start of the file is dropped.
// Memory stays bounded: a line longer than maxLineBytes is handed over cut
// short and flagged, and the reader skips the rest of it.
class LineReader {
public:
    static constexpr std::size_t maxLineBytes = std::size_t{1} << 20;
    static constexpr std::size_t blockBytes = std::size_t{1} << 20;
    // Bytes read from the file at a time: few enough to be still in the
    // processor's cache when the lines are cut.
    static constexpr std::size_t readBytes = std::size_t{128} << 10;

    // Reads the lines of one part of the file (all of it by default); line
    // numbers then count the physical lines of that part. Throws FileFailure.
    explicit LineReader(const LogInput &input, ByteRange range = {});
    // The lines of one part of bytes in memory: a mapped file or a stretch
    // of a stream. A byte order mark is dropped only where the bytes begin
    // a log (logStart and range.begin 0).
    LineReader(std::string_view bytes, ByteRange range, bool logStart);
    // The lines of one part of an open file, read through a buffer; no
    // byte at or beyond hardEnd is read, however long the file has become.
    LineReader(const OpenFile &file, ByteRange range, std::uint64_t hardEnd);
    ~LineReader();

    // The next line, or false at the end of the file. Throws FileFailure on a read error.
    bool next(TextLine &line);

    // Bytes of the file consumed so far.
    std::uint64_t bytesConsumed() const { return consumed_; }

    // The bytes of the lines handed out stay where they are until the reader
    // makes room for more of the file (every readBytes or so; never for a
    // log in memory): then, before they move, beforeMove is called, so that
    // a user of earlier lines can finish with them.
    void whenBytesMove(std::function<void()> beforeMove) { beforeMove_ = std::move(beforeMove); }

private:
    static constexpr std::size_t bufferBytes = maxLineBytes + blockBytes;

    bool refill();

    // Whether the next line begins at or beyond the end of the part.
    bool pastEnd() const { return base_ + begin_ >= limit_; }

    // The first CR or LF in [p, end), or end. Sets a bit in `high` when a
    // byte above 127 stands before it, so that the line's ASCII flag is known.
    const char *findBreak(const char *p, const char *end, std::uint64_t &high);

    // 64 bytes classified while looking for a line break: where the breaks
    // and the bytes above 127 stand.
    struct Window {
        const char *start = nullptr;
        std::uint64_t breaks = 0;
        std::uint64_t high = 0;
    };

    // Takes the window just classified into window_: true with p at its
    // first line break, else false with p after it. Sets a bit in high for
    // a byte above 127 before the break.
    VARNOTH_ALWAYS_INLINE bool breakInWindow(const char *&p, std::uint64_t &high)
    {
        if (window_.breaks != 0) {
            const int at = std::countr_zero(window_.breaks);
            high |= window_.high & ((std::uint64_t{1} << at) - 1);
            p += at;
            return true;
        }
        high |= window_.high;
        p += 64;
        return false;
    }
    // The 64-byte steps of findBreak with the processor's 32-byte
    // instructions: true at a break, false where fewer than 64 bytes remain.
    bool windowsAvx2(const char *&p, const char *end, std::uint64_t &high);

    Window window_;

    std::function<void()> beforeMove_;
    void startInMemory(std::string_view bytes, std::uint64_t from, bool dropMark);
    void startInFile(std::uint64_t from);

    std::unique_ptr<OpenFile> ownFile_; // a file opened by path, for the reader alone
    const OpenFile *file_ = nullptr;
    std::uint64_t hardEnd_ = UINT64_MAX;
    std::unique_ptr<char[]> buffer_;
    const char *data_ = nullptr; // the bytes that lines are cut from: buffer_, or the bytes in memory
    std::uint64_t base_ = 0;     // file offset of data_[0]
    std::uint64_t limit_ = UINT64_MAX;
    std::size_t begin_ = 0; // start of the current line in buffer_
    std::size_t end_ = 0;   // end of valid data in buffer_
    bool eof_ = false;
    bool atStart_ = true;
    bool skipping_ = false; // inside the rest of a too-long line
    std::uint64_t lineNumber_ = 0;
    std::uint64_t consumed_ = 0;
};

} // namespace varnoth
