#include "grid_model.h"

#include <algorithm>
#include <cctype>

#include "row_filter.h"
#include "shown_text.h"

namespace varnoth {

namespace {

bool looksNumeric(const std::string &text)
{
    bool digit = false;
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if (c != '.' && c != ',' && c != '-' && c != ' ' && c != '+')
            return false;
    }
    return digit;
}

Qt::Alignment alignmentFor(int code, const std::string &text)
{
    if (code == 9)
        return Qt::AlignVCenter | (looksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft);
    static constexpr Qt::AlignmentFlag horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::AlignmentFlag vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontal[code / 3] | vertical[code % 3];
}

} // namespace

GridModel::GridModel(int columns, QObject *parent)
    : QAbstractTableModel(parent)
    , rows_(static_cast<std::size_t>(columns))
    , header_(static_cast<std::size_t>(columns))
    , alignments_(static_cast<std::size_t>(columns), 9)
{
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : dataRowCount();
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columns();
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const std::string &text = cellText(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return shownText(text);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignmentFor(columnAlignment(index.column()), text));
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return shownText(headerText(section));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

void GridModel::setDataRowCount(int count)
{
    if (filtered_) {
        beginResetModel();
        filter_.clear();
        applyFilter(false);
        endResetModel();
    }
    count = std::max(count, 0);
    const int current = dataRowCount();
    if (count > current) {
        beginInsertRows({}, current, count - 1);
        rows_.cells.resize(static_cast<std::size_t>(count) * rows_.columns);
        endInsertRows();
    } else if (count < current) {
        beginRemoveRows({}, count, current - 1);
        rows_.cells.resize(static_cast<std::size_t>(count) * rows_.columns);
        endRemoveRows();
    }
}

void GridModel::setDataRows(GridRows rows)
{
    rows.columns = rows_.columns;
    rows.cells.resize(rows.rowCount() * rows.columns);
    beginResetModel();
    rows_ = std::move(rows);
    keys_ = filterable_ ? FilterKeys(rows_, 0) : FilterKeys();
    applyFilter(false);
    endResetModel();
}

void GridModel::setFilter(const QString &text)
{
    if (text == filter_)
        return;
    const bool narrowing = filtered_ && TextMatcher(text).narrows(TextMatcher(filter_));
    filter_ = text;
    beginResetModel();
    applyFilter(narrowing);
    endResetModel();
}

int GridModel::shownRow(std::size_t index) const
{
    if (!filtered_)
        return index < rows_.rowCount() ? static_cast<int>(index) : -1;
    const auto found = std::lower_bound(shown_.begin(), shown_.end(), index);
    return found != shown_.end() && *found == index ? static_cast<int>(found - shown_.begin()) : -1;
}

void GridModel::applyFilter(bool narrowing)
{
    const TextMatcher matcher(filter_);
    filtered_ = !matcher.empty();
    if (!filtered_) {
        std::vector<std::uint32_t>().swap(shown_);
        if (!filterable_)
            keys_ = {};
        return;
    }
    if (keys_.size() != rows_.rowCount())
        keys_ = FilterKeys(rows_, 0);
    shown_ = keys_.matchingRows(matcher, narrowing ? &shown_ : nullptr);
}

void GridModel::setFilterable(bool filterable)
{
    filterable_ = filterable;
    keys_ = filterable ? FilterKeys(rows_, 0) : FilterKeys();
}

void GridModel::setHeaderText(int column, std::string text)
{
    header_[static_cast<std::size_t>(column)] = std::move(text);
    emit headerDataChanged(Qt::Horizontal, column, column);
}

const std::string &GridModel::cellText(int row, int column) const
{
    return rows_.cell(dataIndex(row), static_cast<std::size_t>(column));
}

void GridModel::setCellText(int row, int column, std::string text)
{
    rows_.cell(dataIndex(row), static_cast<std::size_t>(column)) = std::move(text);
    if (column == 0 && !keys_.empty())
        keys_ = FilterKeys(rows_, 0);
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed);
}

void GridModel::setColumnAlignment(int column, int code)
{
    alignments_[static_cast<std::size_t>(column)] = std::clamp(code, 0, 9);
    if (dataRowCount() > 0)
        emit dataChanged(index(0, column), index(dataRowCount() - 1, column), {Qt::TextAlignmentRole});
}

void GridModel::reorder(const std::vector<std::uint32_t> &order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    rows_.reorder(order);
    if (!keys_.empty())
        keys_.reorder(order);
    if (filtered_) {
        std::vector<bool> wasShown(order.size(), false);
        for (const std::uint32_t row : shown_)
            wasShown[row] = true;
        shown_.clear();
        for (std::uint32_t row = 0; row < order.size(); ++row)
            if (wasShown[order[row]])
                shown_.push_back(row);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace varnoth
