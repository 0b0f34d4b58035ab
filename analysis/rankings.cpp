#include "rankings.h"

#include "cell_order.h"
#include "forms/number_forms.h"
#include "forms/number_reading.h"

namespace varnoth {

GridRows topDownloaders(AnalysisState &state, const NumberFormat &format)
{
    GridRows rows(4);
    const std::size_t n = state.DownloaderNames.size();
    rows.cells.reserve(n * 4);
    for (std::size_t i = 0; i < n; ++i) {
        rows.cells.push_back(state.DownloaderNames[i]);
        rows.cells.push_back(plainDecimal(state.DownloaderUploads[i]));
        rows.cells.push_back(formatPattern(state.DownloaderMegabytes[i], Pattern::Megabytes, format));
        rows.cells.push_back(formatPattern(static_cast<double>(state.DownloaderHours[i]), Pattern::TwoDigits, format)
                             + ":" + formatPattern(static_cast<double>(state.DownloaderMinutes[i]), Pattern::TwoDigits, format)
                             + ":" + formatPattern(static_cast<double>(state.DownloaderSeconds[i]), Pattern::TwoDigits, format));

        state.TimeSeconds += static_cast<double>(state.DownloaderSeconds[i]);
        if (state.TimeSeconds >= 60) {
            state.TimeSeconds -= 60;
            state.TimeMinutes = checkedAdd(state.TimeMinutes, 1);
        }
        state.TimeMinutes = checkedAdd(state.TimeMinutes, state.DownloaderMinutes[i]);
        if (state.TimeMinutes >= 60) {
            state.TimeMinutes -= 60;
            state.TimeHours = checkedAdd(state.TimeHours, 1);
        }
        state.TimeHours = checkedAdd(state.TimeHours, state.DownloaderHours[i]);
    }
    sortRows(rows, 1, 3, SortOrder::Descending, format);
    return rows;
}

GridRows mostAccessedFolders(AnalysisState &state, const NumberFormat &format)
{
    GridRows rows(2);
    const std::size_t n = state.FolderNames.size();
    rows.cells.reserve(n * 2);
    for (std::size_t i = 0; i < n; ++i) {
        rows.cells.push_back(state.FolderNames[i]);
        rows.cells.push_back(plainDecimal(state.FolderAccesses[i]));
        state.TotalFolderAccesses += static_cast<double>(state.FolderAccesses[i]);
    }
    sortRows(rows, 1, 1, SortOrder::Descending, format);
    return rows;
}

GridRows mostDownloadedFiles(const AnalysisState &state, const NumberFormat &format)
{
    GridRows rows(2);
    const std::size_t n = state.FileNames.size();
    rows.cells.reserve((n + 2) * 2);
    for (std::size_t i = 0; i < n; ++i) {
        rows.cells.push_back(state.FileNames[i]);
        rows.cells.push_back(plainDecimal(state.FileUploads[i]));
    }
    if (state.DcLstUploads > 0) {
        rows.cells.push_back("MyList.DcLst ");
        rows.cells.push_back(plainDecimal(state.DcLstUploads));
    }
    if (state.Bz2ListUploads > 0) {
        rows.cells.push_back("MyList.bz2 ");
        rows.cells.push_back(plainDecimal(state.Bz2ListUploads));
    }
    sortRows(rows, 1, 1, SortOrder::Descending, format);
    return rows;
}

} // namespace varnoth
