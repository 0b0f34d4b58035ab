#include "deferred_tallies.h"

#include "name_index.h"
#include "prefetch.h"

namespace varnoth {

void DeferredTallies::add(std::string_view filePath, std::size_t folderLength, double bytes)
{
    if (count_ == depth)
        tallyOldest();
    Upload &upload = queue_[(oldest_ + count_) % depth];
    upload.path.assign(filePath);
    upload.folderLength = folderLength;
    upload.pathHash = hashText(filePath);
    upload.bytes = bytes;
    tallies_.fileIndex().prefetchSlot(upload.pathHash);
    ++count_;
    // The upload queued half the queue ago: its slot should be here by now.
    if (count_ > depth / 2)
        prefetchNames(queue_[(oldest_ + count_ - 1 - depth / 2) % depth]);
}

void DeferredTallies::prefetchNames(const Upload &upload) const
{
    const std::size_t file = tallies_.fileIndex().prefetchName(upload.pathHash);
    if (file < tallies_.fileUploads().size())
        prefetchBytes(&tallies_.fileUploads()[file]);
    if (file < folderOfFile_.size())
        prefetchBytes(&folderOfFile_[file]);
}

void DeferredTallies::flush()
{
    while (count_ > 0)
        tallyOldest();
}

void DeferredTallies::tallyOldest()
{
    Upload &upload = queue_[oldest_];
    oldest_ = (oldest_ + 1) % depth;
    --count_;
    const std::size_t file = tallies_.addFileUpload(upload.path, upload.pathHash, upload.bytes);
    if (upload.folderLength == 0)
        return;
    if (file < folderOfFile_.size() && folderOfFile_[file] != 0) {
        tallies_.addFolderAccessAt(folderOfFile_[file] - 1);
        return;
    }
    const std::string_view folder = std::string_view(upload.path).substr(0, upload.folderLength);
    const std::size_t at = tallies_.addFolderAccess(folder, hashText(folder));
    if (file != NameIndex::npos) {
        if (folderOfFile_.size() <= file)
            folderOfFile_.resize(file + 1, 0);
        folderOfFile_[file] = static_cast<std::uint32_t>(at + 1);
    }
}

} // namespace varnoth
