#include "grid_model.h"

#include <algorithm>
#include <cctype>

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
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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
        return QString::fromStdString(headerText(section));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

void GridModel::setDataRowCount(int count)
{
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
    endResetModel();
}

void GridModel::setHeaderText(int column, std::string text)
{
    header_[static_cast<std::size_t>(column)] = std::move(text);
    emit headerDataChanged(Qt::Horizontal, column, column);
}

const std::string &GridModel::cellText(int row, int column) const
{
    return rows_.cell(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
}

void GridModel::setCellText(int row, int column, std::string text)
{
    rows_.cell(static_cast<std::size_t>(row), static_cast<std::size_t>(column)) = std::move(text);
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
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace varnoth
