#include "grid.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <utility>

#include "row_filter.h"
#include "wording/cell_order.h"
#include "wording/copied_rows.h"
#include "shown_text.h"

namespace varnoth {

namespace {

// No text column grows past this share of the grid's width.
constexpr double widestColumnShare = 0.4;

} // namespace

Grid::Grid(int columns, const NumberFormat &format, QWidget *parent)
    : QTableView(parent)
    , model_(new GridModel(columns, this))
    , format_(format)
    , designWidths_(static_cast<std::size_t>(columns))
    , widest_(static_cast<std::size_t>(columns), 0)
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
    // The grid handles header clicks itself (headerClicked): the header's
    // own would select the whole column and move the current row.
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->viewport()->installEventFilter(this);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setTextElideMode(Qt::ElideMiddle);

    setSortingEnabled(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideMiddle);
    // Tab belongs to the window's tab order; arrows move between cells.
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The view would scroll to every new current cell; only the user's moves do.
    setAutoScroll(false);

    // The view has made the clicked cell current and selected it already. A
    // click with Shift or Ctrl only extends the selection.
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        if (index.isValid() && isEnabled() && !extendingSelection_) {
            row_ = index.row() + 1;
            col_ = index.column();
            colSel_ = col_;
            emit cellClicked();
        }
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (syncing_ || !current.isValid())
            return;
        row_ = current.row() + 1;
        col_ = current.column();
        colSel_ = col_;
        scrollTo(current);
        emit currentMoved();
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
    emit currentMoved();
    emit cellClicked();
}

void Grid::headerClicked(int section)
{
    userMovedTo(row_, section);
}

// A press and release in the same header section, away from the edges where
// the header resizes its sections, is a click on that header cell.
bool Grid::eventFilter(QObject *watched, QEvent *event)
{
    QHeaderView *header = horizontalHeader();
    if (watched == header->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const int x = mouse->position().toPoint().x();
        const int section = header->logicalIndexAt(x);
        if (mouse->button() == Qt::LeftButton && section >= 0) {
            const int grip = header->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
            const int left = header->sectionViewportPosition(section);
            const bool onEdge = x < left + grip || x > left + header->sectionSize(section) - grip;
            if (event->type() == QEvent::MouseButtonPress)
                pressedSection_ = onEdge ? -1 : section;
            else if (std::exchange(pressedSection_, -1) == section && !onEdge)
                headerClicked(section);
        }
    } else if (watched == header->viewport() && event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int section = header->logicalIndexAt(help->pos().x());
        if (section >= 0) {
            const std::string &text = model_->headerText(section);
            if (textWidth(text) + textMargins() > header->sectionSize(section)) {
                QToolTip::showText(help->globalPos(), shownText(text), header);
                return true;
            }
        }
    }
    return QTableView::eventFilter(watched, event);
}

void Grid::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelectedRows();
        return;
    }
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

void Grid::mouseReleaseEvent(QMouseEvent *event)
{
    extendingSelection_ = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    QTableView::mouseReleaseEvent(event);
    extendingSelection_ = false;
}

void Grid::contextMenuEvent(QContextMenuEvent *event)
{
    QModelIndex index;
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Mouse) {
        index = indexAt(event->pos());
    } else if (row_ >= 1) { // the menu key: the current cell
        index = model_->index(row_ - 1, col_);
        at = viewport()->mapToGlobal(visualRect(index).center());
    }
    emit contextMenuWanted(index.isValid() ? index.row() + 1 : 0, at);
}

void Grid::keyboardSearch(const QString &search)
{
    if (search.isEmpty() || shownRowCount() == 0)
        return;
    const bool goesOn = typedLately_.isValid() && typedLately_.elapsed() <= QApplication::keyboardInputInterval();
    typed_ = goesOn && typed_ != search ? typed_ + search : search;
    typedLately_.start();
    const TextMatcher matcher(typed_);
    const int count = shownRowCount();
    const int from = std::max(row_, 1) - 1 + (typed_.size() > 1 ? 0 : 1);
    for (int step = 0; step < count; ++step) {
        const int row = (from + step) % count;
        if (matcher.begins(model_->cellText(row, col_))) {
            selectionModel()->setCurrentIndex(model_->index(row, col_), QItemSelectionModel::ClearAndSelect);
            return;
        }
    }
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
    const bool filtered = model_->filtered();
    model_->setDataRowCount(std::max(count, 1) - 1);
    clampCurrent();
    if (rows() < before) { // added rows are empty and need no room
        measureColumns();
        fitColumns();
    }
    if (filtered)
        emit filterChanged(shownRowCount(), totalRowCount());
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
    const auto column = static_cast<std::size_t>(col_);
    if (row_ == 0) {
        model_->setHeaderText(col_, std::move(text));
    } else {
        widest_[column] = std::max(widest_[column], elides_[column] ? 0 : textWidth(text));
        model_->setCellText(row_ - 1, col_, std::move(text));
    }
    fitColumns();
}

void Grid::setText(const QString &text)
{
    setTextUtf8(text.toStdString());
}

void Grid::setColWidth(int column, int twips)
{
    designWidths_[static_cast<std::size_t>(column)] = static_cast<int>(std::lround(twips * logicalDpiX() / 1440.0));
    fitColumns();
}

void Grid::setDesignWidth(int pixels)
{
    designWidth_ = pixels;
    fitColumns();
}

void Grid::setColElides(int column)
{
    elides_[static_cast<std::size_t>(column)] = true;
    widest_[static_cast<std::size_t>(column)] = 0;
    fitColumns();
}

// Room the cell drawing keeps around a text: the style's margin on each side
// and the grid line.
int Grid::textMargins() const
{
    return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + (showGrid() ? 1 : 0);
}

int Grid::textWidth(const std::string &text) const
{
    return static_cast<int>(std::ceil(fontMetrics().horizontalAdvance(shownText(text))));
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
            if (byte < 32 || byte >= advance.size()) {
                width = metrics.horizontalAdvance(shownText(text));
                break;
            }
            width += advance[byte];
        }
        widest = std::max(widest, width);
    }
    return static_cast<int>(std::ceil(widest));
}

// Each column's width: its design width; unless it elides, widened to its
// header and to its widest text, the text up to a share of the grid's
// width. Column 0 then takes what the grid is wider than its design width,
// less what the other columns widened by, or, where the columns are wider
// than the grid, gives up to a third of its design width, so that the
// figures beside it stay in view.
void Grid::fitColumns()
{
    const int cap = static_cast<int>(viewport()->width() * widestColumnShare);
    std::vector<int> widths(designWidths_);
    int widened = 0;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        if (!elides_[column])
            widths[column] = std::max({widths[column], horizontalHeader()->sectionSizeHint(static_cast<int>(column)),
                                       std::min(widest_[column] + textMargins(), cap)});
        if (column > 0)
            widened += widths[column] - designWidths_[column];
    }
    if (designWidth_ > 0) {
        widths[0] = std::max(widths[0], designWidths_[0] + width() - designWidth_ - widened);
        const int over = std::accumulate(widths.begin(), widths.end(), 0) - viewport()->width();
        const int least = designWidths_[0] * 2 / 3;
        if (over > 0 && widths[0] > least)
            widths[0] = std::max(least, widths[0] - over);
    }
    for (std::size_t column = 0; column < widths.size(); ++column)
        if (widths[column] != columnWidth(static_cast<int>(column)))
            horizontalHeader()->resizeSection(static_cast<int>(column), widths[column]);
}

void Grid::measureColumns()
{
    for (int column = 0; column < cols(); ++column)
        widest_[static_cast<std::size_t>(column)] = widestText(column);
}

void Grid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    fitColumns();
}

// Over a cell whose text is cut, its whole text; over others the grid's own
// tooltip (the view itself asks the model, which offers none).
bool Grid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Resize) // a scroll bar came or went
        fitColumns();
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid()) {
            const std::string &text = model_->cellText(index.row(), index.column());
            if (textWidth(text) + textMargins() > columnWidth(index.column())) {
                QToolTip::showText(help->globalPos(), shownText(text), viewport(),
                                   visualRect(index));
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
    lastSort_ = AppliedSort{code, static_cast<int>(first), static_cast<int>(last)};
    syncViewCurrent();
}

void Grid::setDataRows(GridRows rows)
{
    lastSort_.reset();
    model_->setDataRows(std::move(rows));
    clampCurrent();
    syncViewCurrent();
    measureColumns();
    fitColumns();
    if (model_->filtered())
        emit filterChanged(shownRowCount(), totalRowCount());
}

void Grid::refreshDataRows(GridRows rows)
{
    const bool hadRow = row_ >= 1 && row_ < this->rows();
    const std::string key = hadRow ? cellUtf8(row_, 0) : std::string();
    const int column = col_, selectionEnd = colSel_;
    const int scrolled = verticalScrollBar()->value();
    const std::optional<AppliedSort> sorted = lastSort_;
    setDataRows(std::move(rows));
    if (sorted) {
        col_ = sorted->first;
        colSel_ = sorted->last;
        sort(sorted->code);
    }
    int found = 1;
    if (hadRow) {
        for (int row = 1; row < this->rows(); ++row) {
            if (cellUtf8(row, 0) == key) {
                found = row;
                break;
            }
        }
    }
    row_ = found;
    col_ = std::min(column, cols() - 1);
    colSel_ = std::min(selectionEnd, cols() - 1);
    clampCurrent();
    syncViewCurrent();
    verticalScrollBar()->setValue(scrolled);
}

void Grid::setFilter(const QString &text)
{
    const bool hadRow = row_ >= 1 && row_ < rows();
    const std::size_t current = hadRow ? model_->dataIndex(row_ - 1) : 0;
    model_->setFilter(text);
    const int kept = hadRow ? model_->shownRow(current) : -1;
    row_ = kept >= 0 ? kept + 1 : 1;
    clampCurrent();
    syncViewCurrent();
    if (row_ >= 1)
        scrollTo(model_->index(row_ - 1, col_));
    emit filterChanged(shownRowCount(), totalRowCount());
    emit currentMoved();
}

std::vector<std::string> Grid::headerTexts() const
{
    std::vector<std::string> texts;
    for (int column = 0; column < cols(); ++column)
        texts.push_back(model_->headerText(column));
    return texts;
}

std::vector<std::size_t> Grid::shownDataRows() const
{
    std::vector<std::size_t> shown(static_cast<std::size_t>(shownRowCount()));
    for (std::size_t row = 0; row < shown.size(); ++row)
        shown[row] = model_->dataIndex(static_cast<int>(row));
    return shown;
}

std::string Grid::rowsText(const std::vector<std::size_t> &dataRows) const
{
    return tabSeparatedRows(headerTexts(), model_->dataRows(), dataRows);
}

std::string Grid::selectedRowsText() const
{
    std::vector<bool> selected(static_cast<std::size_t>(shownRowCount()), false);
    for (const QItemSelectionRange &range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            selected[static_cast<std::size_t>(row)] = true;
    if (row_ >= 1 && std::find(selected.begin(), selected.end(), true) == selected.end())
        selected[static_cast<std::size_t>(row_ - 1)] = true;
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < selected.size(); ++row)
        if (selected[row])
            rows.push_back(model_->dataIndex(static_cast<int>(row)));
    return rowsText(rows);
}

std::string Grid::allRowsText() const
{
    return rowsText(shownDataRows());
}

void Grid::copySelectedRows() const
{
    QApplication::clipboard()->setText(QString::fromStdString(selectedRowsText()));
}

void Grid::copyAllRows() const
{
    QApplication::clipboard()->setText(QString::fromStdString(allRowsText()));
}

} // namespace varnoth
