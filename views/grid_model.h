#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <string>
#include <vector>

#include "row_filter.h"
#include "wording/grid_rows.h"

namespace varnoth {

// The cells of one grid: a header row and the data rows, all plain UTF-8
// texts. The header row is offered as the horizontal header, so the view
// keeps it on top while the data rows scroll. A filter narrows the rows the
// view sees to those whose first cell holds a text: the model then shows a
// list of row numbers into the data rows, which stay whole and in place.
//
// Texts are shown through the display rule for names (printable): a name
// from a log cannot reorder or hide what is drawn around it. cellText and
// headerText keep the exact texts.
class GridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GridModel(int columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int columns() const { return static_cast<int>(rows_.columns); }
    // The rows shown: every data row, or those the filter lets through.
    int dataRowCount() const { return filtered_ ? static_cast<int>(shown_.size()) : totalRowCount(); }
    int totalRowCount() const { return static_cast<int>(rows_.rowCount()); }
    // The data row that shown row `row` is.
    std::size_t dataIndex(int row) const
    {
        return filtered_ ? shown_[static_cast<std::size_t>(row)] : static_cast<std::size_t>(row);
    }

    // The shown row that data row `index` is; -1 when the filter hides it.
    int shownRow(std::size_t index) const;

    // Data rows beyond the count are dropped from the end; missing ones are
    // appended empty. The filter is let go first.
    void setDataRowCount(int count);
    // New data rows, narrowed by the filter in force.
    void setDataRows(GridRows rows);
    const GridRows &dataRows() const { return rows_; }

    // Shows only the rows whose first cell holds text, letter case ignored;
    // an empty text shows every row. Text that extends the filter in force
    // searches only the rows it shows.
    void setFilter(const QString &text);
    bool filtered() const { return filtered_; }
    // Keeps the first cells ready for a filter (FilterKeys): a list of a
    // million rows then answers each keystroke quickly.
    void setFilterable(bool filterable);

    const std::string &headerText(int column) const { return header_[static_cast<std::size_t>(column)]; }
    void setHeaderText(int column, std::string text);
    // Cells of the shown rows.
    const std::string &cellText(int row, int column) const;
    void setCellText(int row, int column, std::string text);

    // Alignment codes of the grid control: 0-8 are left/centre/right by
    // top/centre/bottom, 9 (the default) puts numbers right and text left.
    void setColumnAlignment(int column, int code);
    int columnAlignment(int column) const { return alignments_[static_cast<std::size_t>(column)]; }

    // Puts the data rows in the order given: row i becomes the former row
    // order[i]. The filter keeps the same rows, in their new order.
    void reorder(const std::vector<std::uint32_t> &order);

private:
    void applyFilter(bool narrowing);

    GridRows rows_;
    bool filterable_ = false;
    FilterKeys keys_; // column 0 of a filterable list
    QString filter_;
    bool filtered_ = false;
    std::vector<std::uint32_t> shown_;
    std::vector<std::string> header_;
    std::vector<int> alignments_;
};

} // namespace varnoth
