#include "tallies.h"

#include <cmath>

#include "forms/number_reading.h"

namespace varnoth {
namespace {

// Adds a duration part to a whole-number counter; the sum is made whole,
// halves going to the even neighbour.
std::int64_t addPart(std::int64_t counter, double part)
{
    if (part == std::trunc(part) && std::fabs(part) < 9007199254740992.0)
        return checkedAdd(counter, static_cast<std::int64_t>(part));
    return storeWhole(static_cast<double>(counter) + part);
}

} // namespace

bool isFileList(std::string_view filePath)
{
    return filePath == dcLstFileList || filePath == bz2FileList;
}

void Tallies::addDownloaderUpload(std::string_view nick, double megabytes, const DurationParts &duration)
{
    bool added = false;
    const std::size_t k = downloaderIndex_.findOrAdd(nick, downloaderNames_, added);
    if (added) {
        downloaders_.push_back(
            {1, megabytes, {addPart(0, duration.hours), addPart(0, duration.minutes), addPart(0, duration.seconds)}});
        return;
    }
    DownloaderTally &d = downloaders_[k];
    d.uploads = checkedAdd(d.uploads, 1);
    d.megabytes += megabytes;
    UploadTime &t = d.time;
    t.seconds = addPart(t.seconds, duration.seconds);
    if (t.seconds >= 60) {
        t.seconds -= 60;
        t.minutes = checkedAdd(t.minutes, 1);
    }
    t.minutes = addPart(t.minutes, duration.minutes);
    if (t.minutes >= 60) {
        t.minutes -= 60;
        t.hours = checkedAdd(t.hours, 1);
    }
    t.hours = addPart(t.hours, duration.hours);
}

std::size_t Tallies::addFileUpload(std::string_view filePath, std::uint64_t hash, double megabytes)
{
    if (isFileList(filePath)) {
        fileListMegabytes_ += megabytes;
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

} // namespace varnoth
