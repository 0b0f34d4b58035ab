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
    NameTable::Entry &e = downloaderNames_.entry(downloaderNames_.findOrAdd(nick, added));
    if (added) {
        e.link = static_cast<std::uint32_t>(downloaders_.size());
        downloaders_.emplace_back();
    }
    DownloaderTally &d = downloaders_[e.link];
    d.uploads = checkedAdd(d.uploads, 1);
    d.bytes.add(bytes);
    d.time.add(duration);
}

void Tallies::addFileUpload(std::string_view filePath, std::size_t folderLength, std::uint64_t hash,
                            std::uint32_t guess, double bytes)
{
    if (isFileList(filePath)) {
        fileListBytes_.add(bytes);
        std::int64_t &count = filePath == dcLstFileList ? dcLstUploads_ : bz2ListUploads_;
        count = checkedAdd(count, 1);
        return;
    }
    bool added = false;
    NameTable::Entry &file = files_.entry(files_.findOrAdd(filePath, hash, guess, added));
    if (added)
        file.link = static_cast<std::uint32_t>(folderLength);
    file.count = checkedAdd(file.count, 1);
}

void Tallies::countFolders()
{
    files_.forEach([&](const NameTable::Entry &file) {
        if (file.link == 0)
            return;
        bool added = false;
        NameTable::Entry &folder = folders_.entry(folders_.findOrAdd(file.name().substr(0, file.link), added));
        folder.count = checkedAdd(folder.count, file.count);
    });
}

namespace {

// Adds the counts of later's names to those of table, new names last in
// later's order (with their links), so that the order of first appearance holds.
void appendCounts(NameTable &table, NameTable &later)
{
    later.drain([&](const NameTable::Entry &e) {
        bool added = false;
        NameTable::Entry &mine = table.entry(table.findOrAdd(e.name(), added));
        if (added)
            mine.link = e.link;
        mine.count = checkedAdd(mine.count, e.count);
    });
}

} // namespace

void Tallies::append(Tallies &&later)
{
    later.downloaderNames_.drain([&](const NameTable::Entry &e) {
        bool added = false;
        NameTable::Entry &mine = downloaderNames_.entry(downloaderNames_.findOrAdd(e.name(), added));
        DownloaderTally &theirs = later.downloaders_[e.link];
        if (added) {
            mine.link = static_cast<std::uint32_t>(downloaders_.size());
            downloaders_.push_back(std::move(theirs));
            return;
        }
        DownloaderTally &d = downloaders_[mine.link];
        d.uploads = checkedAdd(d.uploads, theirs.uploads);
        d.bytes.add(theirs.bytes);
        d.time.append(theirs.time);
    });
    appendCounts(files_, later.files_);
    appendCounts(folders_, later.folders_);
    dcLstUploads_ = checkedAdd(dcLstUploads_, later.dcLstUploads_);
    bz2ListUploads_ = checkedAdd(bz2ListUploads_, later.bz2ListUploads_);
    fileListBytes_.add(later.fileListBytes_);
}

void Tallies::dropIndexes()
{
    downloaderNames_.dropIndex();
    files_.dropIndex();
    folders_.dropIndex();
}

} // namespace varnoth
