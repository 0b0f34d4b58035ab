#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "native_file.h"

namespace varnoth {

// One physical line of a text file.
struct TextLine {
    std::string_view bytes;  // without its line break
    std::uint64_t number = 0; // 1-based, counting every physical line
    bool ascii = true;        // no byte above 127
    bool tooLong = false;     // longer than LineReader::maxLineBytes; bytes holds its start
};

// Reads a text file line by line in large blocks. Lines end at CR LF, LF or a
// lone CR; a UTF-8 byte order mark at the start of the file is dropped.
// Memory stays bounded: a line longer than maxLineBytes is handed over cut
// short and flagged, and the reader skips the rest of it.
class LineReader {
public:
    static constexpr std::size_t maxLineBytes = std::size_t{1} << 20;
    static constexpr std::size_t blockBytes = std::size_t{1} << 20;

    explicit LineReader(const std::string &utf8Path); // throws Failure
    ~LineReader();

    // The next line, or false at the end of the file. Throws Failure on a read error.
    bool next(TextLine &line);

    // As next(), but without looking for bytes above 127: line.ascii is set
    // whatever the line holds. For passes that only count lines.
    bool nextRaw(TextLine &line);

    // Bytes of the file consumed so far.
    std::uint64_t bytesConsumed() const { return consumed_; }

private:
    static constexpr std::size_t bufferBytes = maxLineBytes + blockBytes;

    template <bool TrackHigh>
    bool read(TextLine &line);
    bool refill();

    std::unique_ptr<NativeFile> file_;
    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0; // start of the current line in buffer_
    std::size_t end_ = 0;   // end of valid data in buffer_
    bool eof_ = false;
    bool atStart_ = true;
    bool skipping_ = false; // inside the rest of a too-long line
    std::uint64_t lineNumber_ = 0;
    std::uint64_t consumed_ = 0;
};

} // namespace varnoth
