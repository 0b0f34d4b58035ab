#include "folder_list.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "forms/file_exists.h"

namespace fs = std::filesystem;

namespace varnoth {

namespace {

constexpr int bytesRole = Qt::UserRole;
constexpr int depthRole = Qt::UserRole + 1;

// Draws an entry indented by its depth. The indentation is not part of the
// entry's text, so that type-ahead and screen readers meet the folder's name.
class IndentedEntries : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.adjust(indent(option, index), 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(option, index), 0);
    }

private:
    static int indent(const QStyleOptionViewItem &option, const QModelIndex &index)
    {
        return index.data(depthRole).toInt() * 2 * option.fontMetrics.horizontalAdvance(QLatin1Char(' '));
    }
};

struct Subfolder {
    std::string bytes;
    QString name;
    bool hidden;
};

// The subfolders of folder: the others by name, letter case ignored, then
// the hidden ones by name. A folder that cannot be read lists nothing.
std::vector<Subfolder> subfoldersOf(const fs::path &folder)
{
    std::vector<Subfolder> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error)) {
        std::error_code kind;
        if (!it->is_directory(kind))
            continue;
        const NativePath name = NativePath::fromBytes(pathToUtf8(it->path().filename()));
        found.push_back({pathToUtf8(it->path()), name.text, name.bytes.starts_with('.')});
    }
    std::sort(found.begin(), found.end(), [](const Subfolder &a, const Subfolder &b) {
        if (a.hidden != b.hidden)
            return b.hidden;
        if (const int order = a.name.compare(b.name, Qt::CaseInsensitive))
            return order < 0;
        return a.bytes < b.bytes;
    });
    return found;
}

} // namespace

FolderList::FolderList(QWidget *parent)
    : QListWidget(parent)
{
    setItemDelegate(new IndentedEntries(this));
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { setPath(item->data(bytesRole).toByteArray().toStdString()); });
}

void FolderList::addEntry(const std::string &bytes, const QString &name, int depth)
{
    auto *item = new QListWidgetItem(name, this);
    item->setData(bytesRole, QByteArray::fromStdString(bytes));
    item->setData(depthRole, depth);
}

void FolderList::setPath(const std::string &bytes)
{
    std::error_code error;
    fs::path folder = fs::absolute(pathFromUtf8(bytes), error).lexically_normal();
    if (!folder.has_filename() && folder != folder.root_path())
        folder = folder.parent_path(); // "/a/b/" is the folder "/a/b"
    const std::string opened = pathToUtf8(folder.make_preferred());
    const bool changed = opened != path_.bytes;
    path_ = NativePath::fromBytes(opened);

    clear();
    std::vector<fs::path> chain;
    for (fs::path step = folder;; step = step.parent_path()) {
        chain.insert(chain.begin(), step);
        if (!step.has_relative_path() || step.parent_path() == step)
            break;
    }
    int depth = 0;
    for (const fs::path &step : chain) {
        const bool root = !step.has_relative_path();
        addEntry(pathToUtf8(step), NativePath::fromBytes(pathToUtf8(root ? step : step.filename())).text, depth++);
    }
    setCurrentRow(count() - 1);
    for (const Subfolder &sub : subfoldersOf(folder))
        addEntry(sub.bytes, sub.name, depth);
    if (changed)
        emit pathChanged();
}

} // namespace varnoth
