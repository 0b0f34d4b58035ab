#include "grid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "analysis/cell_order.h"

namespace varnoth {

Grid::Grid(int columns, const NumberFormat &format, QWidget *parent)
    : QTableView(parent)
    , model_(new GridModel(columns, this))
    , format_(format)
{
    setModel(model_);
    model_->setDataRowCount(1);

    // Fixed row heights and no row header keep a million rows cheap to lay
    // out, fill, sort and scroll.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumSectionSize(4);

    setSortingEnabled(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The view would scroll to every new current cell; only the user's moves do.
    setAutoScroll(false);

    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            userMovedTo(index.row() + 1, index.column());
    });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { userMovedTo(row_, section); });
    // Keyboard navigation moves the current cell without a notification.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (syncing_ || !current.isValid())
            return;
        row_ = current.row() + 1;
        col_ = current.column();
        colSel_ = col_;
        scrollTo(current);
    });
}

void Grid::userMovedTo(int row, int column)
{
    if (!isEnabled())
        return;
    row_ = row;
    col_ = column;
    colSel_ = column;
    clampCurrent();
    syncViewCurrent();
    emit cellClicked();
}

void Grid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            userMovedTo(row_, col_);
            return;
        }
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

void Grid::clampCurrent()
{
    row_ = std::clamp(row_, 0, rows() - 1);
    col_ = std::clamp(col_, 0, cols() - 1);
    colSel_ = std::clamp(colSel_, 0, cols() - 1);
}

// Moving the current cell in code leaves the scroll position alone, as the
// program expects of the grid; only the user's own clicks and keys scroll.
void Grid::syncViewCurrent()
{
    syncing_ = true;
    const int top = verticalScrollBar()->value();
    const int left = horizontalScrollBar()->value();
    if (row_ >= 1) {
        const QModelIndex index = model_->index(row_ - 1, col_);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    } else {
        selectionModel()->clearSelection();
    }
    verticalScrollBar()->setValue(top);
    horizontalScrollBar()->setValue(left);
    syncing_ = false;
}

void Grid::setRows(int count)
{
    model_->setDataRowCount(std::max(count, 1) - 1);
    clampCurrent();
}

void Grid::setRow(int row)
{
    row_ = row;
    clampCurrent();
    syncViewCurrent();
}

void Grid::setCol(int column)
{
    col_ = column;
    colSel_ = column;
    clampCurrent();
    syncViewCurrent();
}

void Grid::setColSel(int column)
{
    colSel_ = std::clamp(column, 0, cols() - 1);
}

const std::string &Grid::cellUtf8(int row, int column) const
{
    return row == 0 ? model_->headerText(column) : model_->cellText(row - 1, column);
}

const std::string &Grid::textUtf8() const
{
    return cellUtf8(row_, col_);
}

QString Grid::text() const
{
    return QString::fromStdString(textUtf8());
}

void Grid::setTextUtf8(std::string text)
{
    if (row_ == 0)
        model_->setHeaderText(col_, std::move(text));
    else
        model_->setCellText(row_ - 1, col_, std::move(text));
}

void Grid::setText(const QString &text)
{
    setTextUtf8(text.toStdString());
}

void Grid::setColWidth(int column, int twips)
{
    const int pixels = static_cast<int>(std::lround(twips * logicalDpiX() / 1440.0));
    horizontalHeader()->resizeSection(column, pixels);
}

int Grid::colWidth(int column) const
{
    return static_cast<int>(std::lround(columnWidth(column) * 1440.0 / logicalDpiX()));
}

void Grid::setColAlignment(int column, int code)
{
    model_->setColumnAlignment(column, code);
}

void Grid::sort(int code)
{
    if (code != 1 && code != 2)
        return;
    const auto first = static_cast<std::size_t>(std::min(col_, colSel_));
    const auto last = static_cast<std::size_t>(std::max(col_, colSel_));
    const auto order = sortedOrder(model_->dataRows(), first, last, static_cast<SortOrder>(code), format_);
    model_->reorder(order);
    syncViewCurrent();
}

void Grid::setDataRows(GridRows rows)
{
    model_->setDataRows(std::move(rows));
    clampCurrent();
    syncViewCurrent();
}

} // namespace varnoth
