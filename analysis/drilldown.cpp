#include "drilldown.h"

#include <cmath>
#include <functional>
#include <new>

#include "forms/failure.h"
#include "forms/line_reader.h"
#include "forms/number_forms.h"
#include "forms/number_reading.h"
#include "forms/text.h"
#include "line_cutter.h"
#include "messages.h"
#include "progress_pacer.h"

namespace varnoth {
namespace {

RunObserver silentObserver;

// Reads the log once, cutting every line as the views do, and hands each cut
// line to keep(), which adds a row when the line matches. keep() returns
// false for a line that cannot be used.
DrilldownResult readMatches(const std::string &path, AnalysisState &state, RunObserver *observer,
                            const std::function<bool(const CutLine &, GridRows &)> &keep)
{
    RunObserver &watch = observer ? *observer : silentObserver;
    DrilldownResult result;
    try {
        state.LinesCompleted = 0;
        watch.progress(0, state.LineCount);
        LineReader reader(path);
        LineCutter cutter;
        ProgressPacer pacer(state.LineCount);
        TextLine line;
        while (reader.next(line)) {
            if (isBlank(line.bytes))
                continue;
            state.LinesCompleted = checkedAdd(state.LinesCompleted, 1);
            const CutLine &cut = cutter.cut(line, LineCutter::Mode::View);
            if (cut.status != CutStatus::Ok || !keep(cut, result.rows)) {
                result.message = messages::corruptedView;
                return result;
            }
            if (pacer.due(state.LinesCompleted))
                watch.progress(state.LinesCompleted, state.LineCount);
        }
        watch.progress(state.LinesCompleted, state.LineCount);
        result.completed = true;
    } catch (const Failure &failure) {
        result.message = messages::generalFailure(failure.description());
    } catch (const std::bad_alloc &) {
        result.message = messages::generalFailure(failures::outOfMemory);
    }
    return result;
}

} // namespace

DrilldownResult personalStats(const std::string &path, std::string_view nick, AnalysisState &state,
                              const NumberFormat &format, RunObserver *observer)
{
    return readMatches(path, state, observer, [&](const CutLine &cut, GridRows &rows) {
        if (cut.Nick != nick)
            return true;
        const double bytes = lenientNumber(cut.ByteText);
        if (!std::isfinite(bytes))
            return false;
        rows.cells.emplace_back(cut.FilePath);
        rows.cells.push_back(formatPattern(bytes / 1000000.0, Pattern::TwoDecimals, format));
        rows.cells.emplace_back(cut.DurationText);
        return true;
    });
}

DrilldownResult fileStats(const std::string &path, std::string_view file, AnalysisState &state,
                          const NumberFormat &format, RunObserver *observer)
{
    (void)format;
    return readMatches(path, state, observer, [&](const CutLine &cut, GridRows &rows) {
        if (cut.FilePath != file)
            return true;
        rows.cells.emplace_back(cut.Nick);
        rows.cells.emplace_back(cut.DurationText);
        rows.cells.emplace_back(firstChars(cut.DateTimeText, 16));
        return true;
    });
}

} // namespace varnoth
