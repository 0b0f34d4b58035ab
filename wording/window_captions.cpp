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
    return std::string(lastChars(file, 60)) + " Has been Uploaded to :";
}

} // namespace varnoth
