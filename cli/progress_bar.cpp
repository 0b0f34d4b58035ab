#include "progress_bar.h"

#include <algorithm>
#include <string>

#include "standard_streams.h"

namespace varnoth::cli {
namespace {

constexpr int barWidth = 30;

const char *phaseName(RunPhase phase)
{
    switch (phase) {
    case RunPhase::CountingLines:
        return "Counting lines ";
    case RunPhase::ReadingInformation:
    case RunPhase::ReadingDrilldown:
        return "Reading uploads";
    case RunPhase::CountingDownloaders:
    case RunPhase::CountingFolders:
    case RunPhase::CountingFiles:
        break;
    }
    return "Ranking        ";
}

} // namespace

ProgressBar::ProgressBar(std::FILE *stream)
    : stream_(isTerminal(stream) ? stream : nullptr)
{
}

ProgressBar::~ProgressBar()
{
    clear();
}

ProgressCallback ProgressBar::callback()
{
    if (!stream_)
        return {};
    return [this](const Progress &progress) { draw(progress); };
}

void ProgressBar::draw(const Progress &progress)
{
    // The first pass knows no total yet: it shows how far it has counted.
    if (progress.phase == RunPhase::CountingLines) {
        show(phaseName(progress.phase) + (" " + std::to_string(progress.lineCount)));
        return;
    }
    const bool ranking = progress.phase != RunPhase::ReadingInformation;
    const int share = ranking ? 1000 : static_cast<int>(std::clamp(progress.share, 0.0, 1.0) * 1000);
    const char *name = phaseName(progress.phase);
    if (share == drawnShare_ && name == drawnName_)
        return;
    drawnShare_ = share;
    drawnName_ = name;
    const int filled = share * barWidth / 1000;
    show(name + (" [" + std::string(filled, '#') + std::string(barWidth - filled, '-') + "] ") +
         std::to_string(share / 10) + " %");
}

void ProgressBar::show(const std::string &line)
{
    std::fputs(("\r" + line).c_str(), stream_);
    std::fflush(stream_);
    shown_ = true;
}

void ProgressBar::clear()
{
    if (!shown_)
        return;
    std::fputs(("\r" + std::string(64, ' ') + "\r").c_str(), stream_);
    std::fflush(stream_);
    shown_ = false;
}

} // namespace varnoth::cli
