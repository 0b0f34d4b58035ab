#pragma once

#include <QString>
#include <QTableView>
#include <string>
#include <vector>

#include "wording/grid_rows.h"
#include "forms/number_format.h"
#include "grid_model.h"

namespace varnoth {

// The grid control of the window: one fixed header row (row 0, drawn as the
// horizontal header so it stays on top while scrolling), no fixed column,
// cells of plain text. Rows are numbered with the header as row 0, as the
// window's code counts them.
//
// A user's click on a data cell makes that cell current (and the selection
// that one cell), then raises cellClicked(). A click on a header cell makes
// that column current at the current row, then raises cellClicked() as well.
// For keyboard users, Space or Enter on the current cell counts as a click
// on it; arrow keys move the current cell without a notification; Tab and
// Shift+Tab (also with Ctrl) leave the grid for the next or previous control.
// Changes made by the program raise nothing.
//
// A column keeps its design width while its texts fit and widens to its
// widest text, header included, when they do not, so numbers are never cut;
// the grid then scrolls sideways. A column of paths (setColElides) keeps its
// width instead and shortens long texts in the middle with "…"; a cut text
// shows whole as the cell's tooltip. Over other cells the grid's own tooltip
// shows.
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
    const GridRows &dataRows() const { return model_->dataRows(); }
    const std::string &cellUtf8(int row, int column) const;

signals:
    void cellClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    // Widens each column that its texts do not fit, down to its design width
    // when they all fit again.
    void fitColumns();
    void fitColumn(int column, int textWidth);
    int textWidth(const std::string &text) const;
    int widestText(int column) const;
    int textMargins() const;

    void userMovedTo(int row, int column);
    void syncViewCurrent();
    void clampCurrent();

    GridModel *model_;
    const NumberFormat &format_;
    int row_ = 1;
    int col_ = 0;
    int colSel_ = 0;
    bool syncing_ = false;
    std::vector<int> designWidths_; // pixels
    std::vector<bool> elides_;
};

} // namespace varnoth
