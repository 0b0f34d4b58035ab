#include "window_captions.h"

#include "forms/number_forms.h"
#include "forms/text.h"

namespace varnoth {

const char *phaseCaption(RunPhase phase)
{
    switch (phase) {
    case RunPhase::CountingLines:
    case RunPhase::ReadingInformation:
        return "Varnoth : Analyzing. - Reading Information -";
    case RunPhase::CountingDownloaders:
        return "Varnoth : Analyzing. - Counting individual downloaders -";
    case RunPhase::CountingFolders:
        return "Varnoth : Analyzing. - Counting Folder access times -";
    case RunPhase::CountingFiles:
        return "Varnoth : Analyzing. - Counting total unique filenames -";
    case RunPhase::ReadingDrilldown:
        break;
    }
    return "Varnoth";
}

std::string linesCompletedCaption(std::int64_t linesCompleted, std::int64_t lineCount)
{
    return "Lines Completed : " + plainDecimal(linesCompleted) + " / " + plainDecimal(lineCount);
}

std::string personalStatsTitle(std::string_view nick)
{
    return "Stats for : " + std::string(nick);
}

std::string personalStatsHeader(std::string_view nick)
{
    return "Files Uploaded To " + std::string(nick);
}

std::string fileStatsTitle(std::string_view file)
{
    return fileStatsWholeTitle(lastChars(file, 60));
}

std::string fileStatsWholeTitle(std::string_view file)
{
    return std::string(file) + " Has been Uploaded to :";
}

std::string exportedCaption(std::string_view path)
{
    return "Varnoth : Exported to " + std::string(path);
}

std::string exportedFilesCaption(std::size_t count, std::string_view folder)
{
    return "Varnoth : " + std::to_string(count) + " files exported to " + std::string(folder);
}

std::string replaceFilesQuestion(const std::vector<std::string> &files, const std::vector<bool> &exist)
{
    std::string question = files.size() == 1 ? "This file exists already:\n"
                                             : "Export writes these files; those marked (exists) are there already:\n";
    for (std::size_t i = 0; i < files.size(); ++i)
        question += files[i] + (files.size() > 1 && exist[i] ? " (exists)\n" : "\n");
    return question + (files.size() == 1 ? "\nReplace it?" : "\nReplace the files that exist?");
}

std::string filterCountCaption(std::int64_t shown, std::int64_t total)
{
    return plainDecimal(shown) + " of " + plainDecimal(total);
}

} // namespace varnoth
