#include "tallies.h"

#include "forms/number_reading.h"

namespace varnoth {

bool isFileList(std::string_view filePath)
{
    return filePath == dcLstFileList || filePath == bz2FileList;
}

void Tallies::addDownloaderUpload(std::string_view nick, double bytes, const DurationParts &duration)
{
    bool added = false;
    const std::size_t k = downloaderIndex_.findOrAdd(nick, downloaderNames_, added);
    if (added)
        downloaders_.emplace_back();
    DownloaderTally &d = downloaders_[k];
    d.uploads = checkedAdd(d.uploads, 1);
    d.bytes.add(bytes);
    d.time.add(duration);
}

std::size_t Tallies::addFileUpload(std::string_view filePath, std::uint64_t hash, double bytes)
{
    if (isFileList(filePath)) {
        fileListBytes_.add(bytes);
        std::int64_t &count = filePath == dcLstFileList ? dcLstUploads_ : bz2ListUploads_;
        count = checkedAdd(count, 1);
        return NameIndex::npos;
    }
    bool added = false;
    const std::size_t k = fileIndex_.findOrAdd(filePath, hash, fileNames_, added);
    if (added)
        fileUploads_.push_back(1);
    else
        fileUploads_[k] = checkedAdd(fileUploads_[k], 1);
    return k;
}

std::size_t Tallies::addFolderAccess(std::string_view folder, std::uint64_t hash)
{
    bool added = false;
    const std::size_t k = folderIndex_.findOrAdd(folder, hash, folderNames_, added);
    if (added)
        folderAccesses_.push_back(1);
    else
        addFolderAccessAt(k);
    return k;
}

void Tallies::addFolderAccessAt(std::size_t folder)
{
    folderAccesses_[folder] = checkedAdd(folderAccesses_[folder], 1);
}

namespace {

// Adds the counts of later's names to those of names, new names last in
// later's order, so that the order of first appearance holds.
void appendCounts(NameIndex &index, std::vector<std::string> &names, std::vector<std::int64_t> &counts,
                  const std::vector<std::string> &laterNames, const std::vector<std::int64_t> &laterCounts)
{
    for (std::size_t i = 0; i < laterNames.size(); ++i) {
        bool added = false;
        const std::size_t k = index.findOrAdd(laterNames[i], names, added);
        if (added)
            counts.push_back(laterCounts[i]);
        else
            counts[k] = checkedAdd(counts[k], laterCounts[i]);
    }
}

} // namespace

void Tallies::append(const Tallies &later)
{
    for (std::size_t i = 0; i < later.downloaderNames_.size(); ++i) {
        bool added = false;
        const std::size_t k = downloaderIndex_.findOrAdd(later.downloaderNames_[i], downloaderNames_, added);
        if (added) {
            downloaders_.push_back(later.downloaders_[i]);
            continue;
        }
        DownloaderTally &d = downloaders_[k];
        const DownloaderTally &e = later.downloaders_[i];
        d.uploads = checkedAdd(d.uploads, e.uploads);
        d.bytes.add(e.bytes);
        d.time.append(e.time);
    }
    appendCounts(fileIndex_, fileNames_, fileUploads_, later.fileNames_, later.fileUploads_);
    appendCounts(folderIndex_, folderNames_, folderAccesses_, later.folderNames_, later.folderAccesses_);
    dcLstUploads_ = checkedAdd(dcLstUploads_, later.dcLstUploads_);
    bz2ListUploads_ = checkedAdd(bz2ListUploads_, later.bz2ListUploads_);
    fileListBytes_.add(later.fileListBytes_);
}

} // namespace varnoth
