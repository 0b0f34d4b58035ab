#include "deferred_tallies.h"

#include "name_table.h"

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
    tallies_.files().prefetchSlot(upload.pathHash);
    ++count_;
    // The upload queued half the queue ago: its slot should be here by now.
    if (count_ > depth / 2)
        tallies_.files().prefetchEntry(queue_[(oldest_ + count_ - 1 - depth / 2) % depth].pathHash);
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
    NameTable::Entry *file = tallies_.addFileUpload(upload.path, upload.pathHash, upload.bytes);
    if (upload.folderLength == 0)
        return;
    // A file links to its folder's location + 1 once it has been counted there.
    if (file && file->link != 0) {
        tallies_.addFolderAccessAt(file->link - 1);
        return;
    }
    const std::string_view folder = std::string_view(upload.path).substr(0, upload.folderLength);
    const NameTable::Location at = tallies_.addFolderAccess(folder, hashText(folder));
    if (file)
        file->link = at + 1;
}

} // namespace varnoth
