#include "deferred_tallies.h"

#include "name_table.h"

namespace varnoth {

void DeferredTallies::add(std::string_view filePath, std::size_t folderLength, double bytes, bool lasting)
{
    if (count_ == depth)
        tallyOldest();
    Upload &upload = queue_[(oldest_ + count_) % depth];
    if (lasting) {
        upload.path = filePath;
    } else {
        upload.copy.assign(filePath);
        upload.path = upload.copy;
    }
    upload.folderLength = folderLength;
    upload.pathHash = hashText(filePath);
    upload.bytes = bytes;
    upload.guess = 0;
    tallies_.files().prefetchSlot(upload.pathHash);
    ++count_;
    // The upload queued half the queue ago: its slot should be here by now.
    if (count_ > depth / 2) {
        Upload &half = queue_[(oldest_ + count_ - 1 - depth / 2) % depth];
        half.guess = tallies_.files().prefetchEntry(half.pathHash, half.path.size());
    }
}

void DeferredTallies::flush()
{
    while (count_ > 0)
        tallyOldest();
}

void DeferredTallies::tallyOldest()
{
    const Upload &upload = queue_[oldest_];
    oldest_ = (oldest_ + 1) % depth;
    --count_;
    tallies_.addFileUpload(upload.path, upload.folderLength, upload.pathHash, upload.guess, upload.bytes);
}

} // namespace varnoth
