#include "deferred_tallies.h"

#include "name_index.h"
#include "tallies.h"

namespace varnoth {
namespace {

void prefetchBytes([[maybe_unused]] const void *at)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(at);
#endif
}

} // namespace

void DeferredTallies::add(std::string_view filePath, std::size_t folderLength, double megabytes)
{
    if (count_ == depth)
        tallyOldest();
    Upload &upload = queue_[(oldest_ + count_) % depth];
    upload.path.assign(filePath);
    upload.folderLength = folderLength;
    upload.pathHash = hashText(filePath);
    upload.megabytes = megabytes;
    state_.FileIndex.prefetchSlot(upload.pathHash);
    if (folderLength != 0) {
        upload.folderHash = hashText(filePath.substr(0, folderLength));
        state_.FolderIndex.prefetchSlot(upload.folderHash);
    }
    ++count_;
    // The upload queued half the queue ago: its slots should be here by now.
    if (count_ > depth / 2)
        prefetchNames(queue_[(oldest_ + count_ - 1 - depth / 2) % depth]);
}

void DeferredTallies::prefetchNames(const Upload &upload) const
{
    const std::size_t file = state_.FileIndex.prefetchName(upload.pathHash);
    if (file < state_.FileUploads.size())
        prefetchBytes(&state_.FileUploads[file]);
    if (upload.folderLength != 0) {
        const std::size_t folder = state_.FolderIndex.prefetchName(upload.folderHash);
        if (folder < state_.FolderAccesses.size())
            prefetchBytes(&state_.FolderAccesses[folder]);
    }
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
    addFileUpload(state_, upload.path, upload.pathHash, upload.megabytes);
    if (upload.folderLength != 0)
        addFolderAccess(state_, std::string_view(upload.path).substr(0, upload.folderLength), upload.folderHash);
}

} // namespace varnoth
