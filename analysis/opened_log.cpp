#include "opened_log.h"

#include "gzip_stream.h"

namespace varnoth {

OpenedLog::OpenedLog(LogInput input)
    : input_(std::move(input))
{
    if (input_.bytes()) {
        opened_.regular = true;
        opened_.size = input_.bytes()->size();
        gzip_ = startsAsGzip(input_.bytes()->substr(0, 2));
        return;
    }
    file_.emplace(input_.isStandardInput() ? OpenFile::standardInput() : OpenFile(input_.path()));
    opened_ = file_->state();
    seekable_ = opened_.regular && !input_.isStandardInput();
    if (seekable_) {
        char first[2];
        gzip_ = startsAsGzip(std::string_view(first, file_->readAt(0, first, sizeof first)));
    }
}

std::uint64_t OpenedLog::sizeNow() const
{
    if (!file_)
        return input_.bytes()->size();
    return seekable_ ? file_->state().size : 0;
}

std::unique_ptr<ByteStream> OpenedLog::openStream() const
{
    std::unique_ptr<ByteStream> bytes;
    if (file_)
        bytes = std::make_unique<FileStream>(*file_, seekable_);
    else
        bytes = std::make_unique<MemoryStream>(*input_.bytes());
    if (gzip_)
        return std::make_unique<GzipStream>(std::move(bytes));
    return bytes;
}

} // namespace varnoth
