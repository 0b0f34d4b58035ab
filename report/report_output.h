#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace varnoth {

// Where a report is written as it is made, piece by piece: the pieces are
// gathered into blocks and each full block is handed to the sink (a file,
// standard output, a text in memory), so that a report of millions of rows
// never stands whole in memory. A failing sink throws; what it threw leaves
// through the writer.
class ReportOutput {
public:
    using Sink = std::function<void(std::string_view)>;

    explicit ReportOutput(Sink sink);
    ReportOutput(const ReportOutput &) = delete;
    ReportOutput &operator=(const ReportOutput &) = delete;

    ReportOutput &operator<<(std::string_view text)
    {
        block_ += text;
        flushIfFull();
        return *this;
    }
    ReportOutput &operator<<(char c)
    {
        block_ += c;
        flushIfFull();
        return *this;
    }
    // The block being gathered, for writers that append to it in place
    // (and then call flushIfFull).
    std::string &block() { return block_; }
    void flushIfFull()
    {
        if (block_.size() >= blockBytes)
            flush();
    }

    // Hands what was gathered to the sink.
    void flush();

    static constexpr std::size_t blockBytes = 1 << 16;

private:
    Sink sink_;
    std::string block_;
};

} // namespace varnoth
