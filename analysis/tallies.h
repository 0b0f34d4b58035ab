#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "duration.h"
#include "exact_sum.h"
#include "name_table.h"
#include "upload_time_log.h"

namespace varnoth {

// The client's own file list, in its two forms, counted apart from the real
// files. Paths are compared whole, with the blank that ends them.
inline constexpr std::string_view dcLstFileList = "MyList.DcLst ";
inline constexpr std::string_view bz2FileList = "MyList.bz2 ";
bool isFileList(std::string_view filePath);

// What one downloader took: uploads, bytes and upload time.
struct DownloaderTally {
    std::int64_t uploads = 0;
    ExactSum bytes;
    UploadTimeLog time;

    double megabytes() const { return bytes.value() / 1000000.0; }
};

// The counts of a stretch of the log: per downloader, per file and per
// folder, each in order of first appearance and looked up through a hash
// index, and the uploads of the client's file lists. Every count is 64-bit;
// a count that would leave that range throws Failure("Overflow"). Byte
// counts are summed exactly, so the tallies of consecutive stretches joined
// by append() are exactly those of counting the whole at once.
class Tallies {
public:
    // A returning downloader's seconds and minutes carry at 60; a new
    // downloader's first upload is stored as it comes.
    void addDownloaderUpload(std::string_view nick, double bytes, const DurationParts &duration);

    // Counts one upload of a path (hash: its hashText(); guess: from
    // files().prefetchEntry(), or 0) whose folder is its first folderLength
    // bytes (0: none): the file-list counters for the client's file list,
    // otherwise the file tally.
    void addFileUpload(std::string_view filePath, std::size_t folderLength, std::uint64_t hash, double bytes)
    {
        addFileUpload(filePath, folderLength, hash, 0, bytes);
    }
    void addFileUpload(std::string_view filePath, std::size_t folderLength, std::uint64_t hash, std::uint32_t guess,
                       double bytes);

    // Counts the folders once the files of the stretch are counted. A path's
    // folder follows from the path alone, so every upload of a file is an
    // access to its folder, and a folder first appears with the first of its
    // files: the folder tally is that of counting each upload's folder as it
    // comes, without a folder lookup per line.
    void countFolders();

    // Adds the counts of the stretch of the log that follows this one's,
    // freeing later's tables as they are taken.
    void append(Tallies &&later);

    // Frees the hash indexes once every upload is counted.
    void dropIndexes();

    // A downloader's entry in downloaderNames() links to its place in
    // downloaders(); a file's entry in files() to the length of its folder.
    const NameTable &downloaderNames() const { return downloaderNames_; }
    const std::vector<DownloaderTally> &downloaders() const { return downloaders_; }
    const NameTable &files() const { return files_; }
    const NameTable &folders() const { return folders_; }
    NameTable &files() { return files_; }
    NameTable &folders() { return folders_; }
    std::int64_t dcLstUploads() const { return dcLstUploads_; }
    std::int64_t bz2ListUploads() const { return bz2ListUploads_; }
    const ExactSum &fileListBytes() const { return fileListBytes_; }

private:
    NameTable downloaderNames_;
    std::vector<DownloaderTally> downloaders_;
    NameTable files_;
    NameTable folders_;
    std::int64_t dcLstUploads_ = 0;
    std::int64_t bz2ListUploads_ = 0;
    ExactSum fileListBytes_;
};

} // namespace varnoth
