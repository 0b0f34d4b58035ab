#include "recent_logs.h"

#include <QFileInfo>
#include <QVariantList>

#include "user_state.h"
#include "views/shown_text.h"

namespace varnoth {

namespace {

const QString key = QStringLiteral("logs/recent");

// A path as kept: its bytes, whatever their encoding.
std::vector<NativePath> choiceOf(const QVariant &value)
{
    std::vector<NativePath> logs;
    for (const QVariant &path : value.toList()) {
        const QByteArray bytes = path.toByteArray();
        if (!bytes.isEmpty())
            logs.push_back(NativePath::fromBytes(bytes.toStdString()));
    }
    return logs;
}

QVariant valueOf(const std::vector<NativePath> &logs)
{
    QVariantList paths;
    for (const NativePath &log : logs)
        paths << QByteArray::fromStdString(log.bytes);
    return paths;
}

} // namespace

std::vector<std::vector<NativePath>> RecentLogs::choices()
{
    std::vector<std::vector<NativePath>> all;
    for (const QVariant &choice : UserState().value(key).toList()) {
        std::vector<NativePath> logs = choiceOf(choice);
        if (!logs.empty() && static_cast<int>(all.size()) < most)
            all.push_back(std::move(logs));
    }
    return all;
}

void RecentLogs::add(const std::vector<NativePath> &logs)
{
    if (logs.empty())
        return;
    auto same = [&](const std::vector<NativePath> &other) {
        if (other.size() != logs.size())
            return false;
        for (std::size_t i = 0; i < logs.size(); ++i)
            if (other[i].bytes != logs[i].bytes)
                return false;
        return true;
    };
    QVariantList kept{valueOf(logs)};
    for (const std::vector<NativePath> &choice : choices())
        if (!same(choice) && kept.size() < most)
            kept << valueOf(choice);
    UserState().setValue(key, kept);
}

QString RecentLogs::name(const std::vector<NativePath> &logs)
{
    if (logs.size() == 1)
        return shownText(logs.front().text);
    return QStringLiteral("%1 logs: %2 \u2026 %3")
        .arg(logs.size())
        .arg(shownText(QFileInfo(logs.front().text).fileName()), shownText(QFileInfo(logs.back().text).fileName()));
}

} // namespace varnoth
