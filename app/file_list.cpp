#include "file_list.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "forms/file_exists.h"
#include "native_path.h"

namespace fs = std::filesystem;

namespace varnoth {

namespace {

constexpr int bytesRole = Qt::UserRole;

// "*.log" with the letter case ignored.
bool matchesPattern(const std::string &name)
{
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    return tail == ".log";
}

} // namespace

FileList::FileList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileList::setPath(const std::string &folder)
{
    path_ = folder;
    clear();
    std::vector<NativePath> names;
    std::error_code error;
    for (fs::directory_iterator it(pathFromUtf8(folder), fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error)) {
        std::string name = pathToUtf8(it->path().filename());
        std::error_code kind;
        if (matchesPattern(name) && it->is_regular_file(kind))
            names.push_back(NativePath::fromBytes(std::move(name)));
    }
    std::sort(names.begin(), names.end(), [](const NativePath &a, const NativePath &b) {
        if (const int order = a.text.compare(b.text, Qt::CaseInsensitive))
            return order < 0;
        return a.bytes < b.bytes;
    });
    for (const NativePath &name : names) {
        auto *item = new QListWidgetItem(name.text, this);
        item->setData(bytesRole, QByteArray::fromStdString(name.bytes));
    }
}

std::string FileList::fileName() const
{
    const auto selected = selectedItems();
    return selected.isEmpty() ? std::string() : selected.first()->data(bytesRole).toByteArray().toStdString();
}

} // namespace varnoth
