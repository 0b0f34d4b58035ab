#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTableView>
#include <optional>
#include <string>
#include <vector>

#include "forms/number_format.h"
#include "grid_model.h"
#include "wording/grid_rows.h"

namespace varnoth {

// The grid control of the window: one fixed header row (row 0, drawn as the
// horizontal header so it stays on top while scrolling), no fixed column,
// cells of plain text. Rows are numbered with the header as row 0, as the
// window's code counts them; with a filter in force they are the rows shown.
//
// A user's click on a data cell makes that cell current (and the selection
// that one cell), then raises cellClicked(); with Shift or Ctrl it only
// extends the selection (and moves the current cell). A
// click on a header cell makes that column current at the current row, then
// raises cellClicked() as well. For keyboard users, Space or Enter on the
// current cell counts as a click on it. Every move of the current cell by
// the user (arrows, Home/End, Page keys, type-ahead, a click) raises
// currentMoved(). Tab and Shift+Tab (also with Ctrl) leave the grid for the
// next or previous control. Ctrl+C copies the selected rows (see
// copySelectedRows), Ctrl+A selects every row. Changes made by the program
// raise nothing.
//
// A column keeps its design width while its texts fit and widens to its
// widest text, header included, when they do not, so numbers are never cut;
// no text widens a column past 40 % of the grid's width, and a longer text
// is cut in the middle with "…". A column of paths (setColElides) keeps its
// width and cuts long texts the same way. A cut text shows whole as the
// cell's (or the header's) tooltip; over other cells the grid's own tooltip
// shows. Once the grid has a design width (setDesignWidth), column 0 takes
// what the grid is wider than that, and gives up to a third of its own
// width where the columns would not fit the grid.
//
// Names from a log are drawn through the display rule for names; the texts
// read back (text(), cellUtf8(), copied rows) are the exact ones.
class Grid : public QTableView {
    Q_OBJECT

public:
    Grid(int columns, const NumberFormat &format, QWidget *parent = nullptr);

    int rows() const { return model_->dataRowCount() + 1; }
    // Raising the count appends empty rows; lowering it drops the last rows.
    // The header row always stays.
    void setRows(int count);
    int cols() const { return model_->columns(); }

    int row() const { return row_; }
    void setRow(int row);
    int col() const { return col_; }
    void setCol(int column);

    QString text() const;
    void setText(const QString &text);
    const std::string &textUtf8() const;
    void setTextUtf8(std::string text);

    // The last column of the selection; set after the current column.
    int colSel() const { return colSel_; }
    void setColSel(int column);

    // Column width in twips (1440 per inch at the widget's logical DPI): the
    // design width, widened where the column's texts need more.
    void setColWidth(int column, int twips);
    // The grid's own width in the window's design, in pixels: what it is
    // wider than that goes to column 0.
    void setDesignWidth(int pixels);
    // The column keeps its width and elides texts that do not fit.
    void setColElides(int column);
    int colWidth(int column) const;
    // Alignment code 0-9 of the grid control (0 = left-top, 9 = general).
    void setColAlignment(int column, int code);

    // Generic sort: code 1 ascending, code 2 descending, by the columns from
    // the current column to the last column of the selection; the data rows
    // move as whole rows, the header stays. Other codes do nothing.
    void sort(int code);

    // Replaces every data row at once (for large results).
    void setDataRows(GridRows rows);
    // Replaces the data rows with those of fresher results, keeping what the
    // user did: a sort applied last is applied again, the current cell
    // stays on the row whose first cell holds the same text (the first row
    // when that row is gone) and the list stays scrolled where it was.
    void refreshDataRows(GridRows rows);
    const GridRows &dataRows() const { return model_->dataRows(); }
    const std::string &cellUtf8(int row, int column) const;

    // Narrows the rows shown to those whose first cell holds text, letter
    // case ignored (empty: every row). The current cell stays on its row
    // while that row is shown, else goes to the first row; then
    // filterChanged() and currentMoved() are raised.
    void setFilter(const QString &text);
    // Keeps the list ready for quick filtering (a copy of its first column).
    void setFilterable(bool filterable) { model_->setFilterable(filterable); }
    // Data rows shown and in all.
    int shownRowCount() const { return model_->dataRowCount(); }
    int totalRowCount() const { return model_->totalRowCount(); }

    // The rows as tab-separated text with the header line first (the exact
    // texts): the selected rows, or the current one when none is selected;
    // or every row shown. Put on the clipboard by the copy functions.
    std::string selectedRowsText() const;
    std::string allRowsText() const;
    void copySelectedRows() const;
    void copyAllRows() const;
    // The header texts and the rows shown, in their order (for a CSV of the list).
    std::vector<std::string> headerTexts() const;
    std::vector<std::size_t> shownDataRows() const;

    // Type-ahead: the next row (from the current one while a search goes
    // on) whose cell in the current column begins with what was typed,
    // letter case ignored. Reads the cells' texts, so a million rows stay
    // quick.
    void keyboardSearch(const QString &search) override;

signals:
    void cellClicked();
    void currentMoved();
    void filterChanged(int shown, int total);
    // The user asks for the grid's context menu at globalPos, over data row
    // `row` (0 when not over a row), which is then current.
    void contextMenuWanted(int row, const QPoint &globalPos);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Sets each column's width from its design width, its header, its
    // widest text (measureColumns) and the grid's width.
    void fitColumns();
    void measureColumns();
    int textWidth(const std::string &text) const;
    int widestText(int column) const;
    int textMargins() const;
    std::string rowsText(const std::vector<std::size_t> &dataRows) const;

    void userMovedTo(int row, int column);
    void headerClicked(int section);
    void syncViewCurrent();
    void clampCurrent();

    GridModel *model_;
    const NumberFormat &format_;
    int row_ = 1;
    int col_ = 0;
    int colSel_ = 0;
    bool syncing_ = false;
    bool extendingSelection_ = false;
    std::vector<int> designWidths_; // pixels
    std::vector<int> widest_;       // the widest text of each column, in pixels
    std::vector<bool> elides_;
    int designWidth_ = 0;
    int pressedSection_ = -1;
    struct AppliedSort {
        int code, first, last;
    };
    std::optional<AppliedSort> lastSort_; // the sort the rows stand in, until new rows come
    QString typed_;                       // type-ahead typed so far
    QElapsedTimer typedLately_;           // since the last type-ahead key
};

} // namespace varnoth
