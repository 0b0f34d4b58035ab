#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "wording/grid_rows.h"

namespace varnoth {

// The cells of one grid: a header row and the data rows, all plain UTF-8
// texts. The header row is offered as the horizontal header, so the view
// keeps it on top while the data rows scroll.
class GridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GridModel(int columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int columns() const { return static_cast<int>(rows_.columns); }
    int dataRowCount() const { return static_cast<int>(rows_.rowCount()); }

    // Data rows beyond the count are dropped from the end; missing ones are
    // appended empty.
    void setDataRowCount(int count);
    void setDataRows(GridRows rows);
    const GridRows &dataRows() const { return rows_; }

    const std::string &headerText(int column) const { return header_[static_cast<std::size_t>(column)]; }
    void setHeaderText(int column, std::string text);
    const std::string &cellText(int row, int column) const;
    void setCellText(int row, int column, std::string text);

    // Alignment codes of the grid control: 0-8 are left/centre/right by
    // top/centre/bottom, 9 (the default) puts numbers right and text left.
    void setColumnAlignment(int column, int code);
    int columnAlignment(int column) const { return alignments_[static_cast<std::size_t>(column)]; }

    // Puts the data rows in the order given: row i becomes the former row order[i].
    void reorder(const std::vector<std::uint32_t> &order);

private:
    GridRows rows_;
    std::vector<std::string> header_;
    std::vector<int> alignments_;
};

} // namespace varnoth
