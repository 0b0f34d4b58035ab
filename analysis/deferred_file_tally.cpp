#include "deferred_file_tally.h"

#include "name_index.h"
#include "tallies.h"

namespace varnoth {

void DeferredFileTally::add(std::string_view filePath, double megabytes)
{
    if (count_ == depth)
        tallyOldest();
    Upload &upload = queue_[(oldest_ + count_) % depth];
    upload.path.assign(filePath);
    upload.hash = hashText(filePath);
    upload.megabytes = megabytes;
    ++count_;
    state_.FileIndex.prefetchSlot(upload.hash);
    // The upload queued half the queue ago: its slot should be here by now.
    if (count_ > depth / 2)
        state_.FileIndex.prefetchName(queue_[(oldest_ + count_ - 1 - depth / 2) % depth].hash);
}

void DeferredFileTally::flush()
{
    while (count_ > 0)
        tallyOldest();
}

void DeferredFileTally::tallyOldest()
{
    Upload &upload = queue_[oldest_];
    oldest_ = (oldest_ + 1) % depth;
    --count_;
    addFileUpload(state_, upload.path, upload.hash, upload.megabytes);
}

} // namespace varnoth
