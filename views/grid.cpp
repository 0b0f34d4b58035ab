#include "grid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <array>
#include <cmath>

#include "wording/cell_order.h"

namespace varnoth {

Grid::Grid(int columns, const NumberFormat &format, QWidget *parent)
    : QTableView(parent)
    , model_(new GridModel(columns, this))
    , format_(format)
    , designWidths_(static_cast<std::size_t>(columns))
    , elides_(static_cast<std::size_t>(columns), false)
{
    setModel(model_);
    model_->setDataRowCount(1);
    for (int column = 0; column < columns; ++column)
        designWidths_[static_cast<std::size_t>(column)] = columnWidth(column);

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
    setTextElideMode(Qt::ElideMiddle);
    // Tab belongs to the window's tab order; arrows move between cells.
    setTabKeyNavigation(false);
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
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Ctrl+Tab leaves the grid as Tab does, as in other controls that take Tab.
        if (event->modifiers() & Qt::ControlModifier) {
            focusNextPrevChild(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
            return;
        }
        break;
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
    const int before = rows();
    model_->setDataRowCount(std::max(count, 1) - 1);
    clampCurrent();
    if (rows() < before)
        fitColumns(); // added rows are empty and need no room
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
    if (row_ == 0) {
        model_->setHeaderText(col_, std::move(text));
        fitColumn(col_, widestText(col_));
    } else {
        const int width = textWidth(text);
        model_->setCellText(row_ - 1, col_, std::move(text));
        fitColumn(col_, std::max(width, columnWidth(col_) - textMargins()));
    }
}

void Grid::setText(const QString &text)
{
    setTextUtf8(text.toStdString());
}

void Grid::setColWidth(int column, int twips)
{
    designWidths_[static_cast<std::size_t>(column)] = static_cast<int>(std::lround(twips * logicalDpiX() / 1440.0));
    fitColumn(column, widestText(column));
}

void Grid::setColElides(int column)
{
    elides_[static_cast<std::size_t>(column)] = true;
    fitColumn(column, 0);
}

// Room the cell drawing keeps around a text: the style's margin on each side
// and the grid line.
int Grid::textMargins() const
{
    return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + (showGrid() ? 1 : 0);
}

int Grid::textWidth(const std::string &text) const
{
    return static_cast<int>(std::ceil(fontMetrics().horizontalAdvance(QString::fromStdString(text))));
}

// The widest data text of a column. A million rows must stay quick, so
// plain ASCII texts are measured as the sum of their characters' advances
// (never less than the drawn width, kerning only narrows text) and only
// other texts are laid out.
int Grid::widestText(int column) const
{
    if (elides_[static_cast<std::size_t>(column)])
        return 0;
    const QFontMetricsF metrics(font());
    std::array<qreal, 128> advance{};
    for (std::size_t c = 32; c < advance.size(); ++c)
        advance[c] = metrics.horizontalAdvance(QChar(static_cast<char16_t>(c)));
    qreal widest = 0;
    const GridRows &rows = model_->dataRows();
    for (std::size_t row = 0; row < rows.rowCount(); ++row) {
        const std::string &text = rows.cell(row, static_cast<std::size_t>(column));
        qreal width = 0;
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= advance.size()) {
                width = metrics.horizontalAdvance(QString::fromStdString(text));
                break;
            }
            width += advance[byte];
        }
        widest = std::max(widest, width);
    }
    return static_cast<int>(std::ceil(widest));
}

void Grid::fitColumn(int column, int textWidth)
{
    const auto index = static_cast<std::size_t>(column);
    int width = designWidths_[index];
    if (!elides_[index])
        width = std::max({width, horizontalHeader()->sectionSizeHint(column), textWidth + textMargins()});
    if (width != columnWidth(column))
        horizontalHeader()->resizeSection(column, width);
}

void Grid::fitColumns()
{
    for (int column = 0; column < cols(); ++column)
        fitColumn(column, widestText(column));
}

// Over a cell whose text is cut, its whole text; over others the grid's own
// tooltip (the view itself asks the model, which offers none).
bool Grid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid()) {
            const std::string &text = model_->cellText(index.row(), index.column());
            if (textWidth(text) + textMargins() > columnWidth(index.column())) {
                QToolTip::showText(help->globalPos(), QString::fromStdString(text), viewport(), visualRect(index));
                return true;
            }
        }
    }
    return QTableView::viewportEvent(event);
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
    fitColumns();
}

} // namespace varnoth
