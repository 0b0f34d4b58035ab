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
    const bool ranking = progress.phase != RunPhase::CountingLines && progress.phase != RunPhase::ReadingInformation;
    const int share = ranking ? 1000 : static_cast<int>(std::clamp(progress.share, 0.0, 1.0) * 1000);
    if (share == drawn_ && progress.phase == phase_)
        return;
    drawn_ = share;
    phase_ = progress.phase;
    const int filled = share * barWidth / 1000;
    const std::string line = std::string("\r") + phaseName(progress.phase) + " [" + std::string(filled, '#') +
                             std::string(barWidth - filled, '-') + "] " + std::to_string(share / 10) + " %";
    std::fputs(line.c_str(), stream_);
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
