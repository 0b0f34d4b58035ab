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
    return filePath == "MyList.DcLst " || filePath == "MyList.bz2 ";
}

bool addDownloaderUpload(AnalysisState &state, std::string_view nick, double megabytes,
                         const DurationParts &duration)
{
    bool added = false;
    const std::size_t k = state.DownloaderIndex.findOrAdd(nick, state.DownloaderNames, added);
    if (added) {
        state.DownloaderUploads.push_back(1);
        state.DownloaderMegabytes.push_back(megabytes);
        state.DownloaderHours.push_back(addPart(0, duration.hours));
        state.DownloaderMinutes.push_back(addPart(0, duration.minutes));
        state.DownloaderSeconds.push_back(addPart(0, duration.seconds));
        state.DownloaderCount = static_cast<std::int64_t>(state.DownloaderNames.size());
        return false;
    }
    state.DownloaderUploads[k] = checkedAdd(state.DownloaderUploads[k], 1);
    state.DownloaderMegabytes[k] += megabytes;
    bool hourCarry = false;
    std::int64_t &seconds = state.DownloaderSeconds[k];
    std::int64_t &minutes = state.DownloaderMinutes[k];
    std::int64_t &hours = state.DownloaderHours[k];
    seconds = addPart(seconds, duration.seconds);
    if (seconds >= 60) {
        seconds -= 60;
        minutes = checkedAdd(minutes, 1);
    }
    minutes = addPart(minutes, duration.minutes);
    if (minutes >= 60) {
        minutes -= 60;
        hours = checkedAdd(hours, 1);
        hourCarry = true;
    }
    hours = addPart(hours, duration.hours);
    return hourCarry;
}

void addFileUpload(AnalysisState &state, std::string_view filePath, double megabytes)
{
    addFileUpload(state, filePath, hashText(filePath), megabytes);
}

std::size_t addFileUpload(AnalysisState &state, std::string_view filePath, std::uint64_t pathHash, double megabytes)
{
    if (filePath == "MyList.DcLst ") {
        state.MyListMegabytes += megabytes;
        state.DcLstUploads = checkedAdd(state.DcLstUploads, 1);
        return NameIndex::npos;
    }
    if (filePath == "MyList.bz2 ") {
        state.MyListMegabytes += megabytes;
        state.Bz2ListUploads = checkedAdd(state.Bz2ListUploads, 1);
        return NameIndex::npos;
    }
    bool added = false;
    const std::size_t k = state.FileIndex.findOrAdd(filePath, pathHash, state.FileNames, added);
    if (added) {
        state.FileUploads.push_back(1);
        state.FileCount = static_cast<std::int64_t>(state.FileNames.size());
    } else {
        state.FileUploads[k] = checkedAdd(state.FileUploads[k], 1);
    }
    return k;
}

void addFolderAccess(AnalysisState &state, std::string_view folder)
{
    addFolderAccess(state, folder, hashText(folder));
}

std::size_t addFolderAccess(AnalysisState &state, std::string_view folder, std::uint64_t folderHash)
{
    bool added = false;
    const std::size_t k = state.FolderIndex.findOrAdd(folder, folderHash, state.FolderNames, added);
    if (added) {
        state.FolderAccesses.push_back(1);
        state.FolderCount = static_cast<std::int64_t>(state.FolderNames.size());
    } else {
        addFolderAccessAt(state, k);
    }
    return k;
}

void addFolderAccessAt(AnalysisState &state, std::size_t folderIndex)
{
    state.FolderAccesses[folderIndex] = checkedAdd(state.FolderAccesses[folderIndex], 1);
}

} // namespace varnoth
