#include "row_filter.h"

#include <algorithm>
#include <bit>

namespace varnoth {
namespace {

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

TextMatcher::TextMatcher(const QString &needle)
    : folded_(needle.toCaseFolded())
{
    for (std::size_t c = 0; c < lower_.size(); ++c)
        lower_[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    const QByteArray utf8 = folded_.toUtf8();
    if (isAscii({utf8.constData(), static_cast<std::size_t>(utf8.size())}))
        ascii_ = utf8.toStdString();
}

bool TextMatcher::matches(std::string_view text) const
{
    if (folded_.isEmpty())
        return true;
    if (ascii_.empty()) // a needle beyond ASCII
        return !isAscii(text) && QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                                     .contains(folded_, Qt::CaseInsensitive);
    const std::size_t length = ascii_.size();
    if (text.size() < length)
        return false;
    const auto *needle = reinterpret_cast<const unsigned char *>(ascii_.data());
    const auto *haystack = reinterpret_cast<const unsigned char *>(text.data());
    const std::size_t last = text.size() - length;
    for (std::size_t at = 0; at <= last; ++at) {
        if (lower_[haystack[at]] != needle[0])
            continue;
        std::size_t i = 1;
        while (i < length && lower_[haystack[at + i]] == needle[i])
            ++i;
        if (i == length)
            return true;
    }
    return false;
}

bool TextMatcher::begins(std::string_view text) const
{
    if (ascii_.empty() && !folded_.isEmpty())
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
            .startsWith(folded_, Qt::CaseInsensitive);
    if (text.size() < ascii_.size())
        return false;
    for (std::size_t i = 0; i < ascii_.size(); ++i)
        if (lower_[static_cast<unsigned char>(text[i])] != static_cast<unsigned char>(ascii_[i]))
            return false;
    return true;
}

FilterKeys::FilterKeys(const GridRows &rows, std::size_t column)
{
    std::size_t length = 0;
    for (std::size_t row = 0; row < rows.rowCount(); ++row)
        length += rows.cell(row, column).size();
    text_.reserve(length);
    starts_.reserve(rows.rowCount() + 1);
    for (std::size_t row = 0; row < rows.rowCount(); ++row) {
        starts_.push_back(text_.size());
        text_ += rows.cell(row, column);
    }
    starts_.push_back(text_.size());
}

void FilterKeys::reorder(const std::vector<std::uint32_t> &order)
{
    std::vector<std::uint32_t> keyOfRow(order.size());
    std::vector<std::uint32_t> rowOfKey(order.size());
    for (std::uint32_t row = 0; row < order.size(); ++row) {
        keyOfRow[row] = static_cast<std::uint32_t>(keyOf(order[row]));
        rowOfKey[keyOfRow[row]] = row;
    }
    keyOfRow_ = std::move(keyOfRow);
    rowOfKey_ = std::move(rowOfKey);
}

// A few rows are looked up one by one. Otherwise the block is read front to
// back and the rows found are marked in a bit set (small enough to stay in
// the processor's cache), then gathered in row order.
std::vector<std::uint32_t> FilterKeys::matchingRows(const TextMatcher &matcher,
                                                    const std::vector<std::uint32_t> *within) const
{
    std::vector<std::uint32_t> found;
    const std::size_t count = size();
    if (within && within->size() < count / 16) {
        for (const std::uint32_t row : *within)
            if (matcher.matches(key(keyOf(row))))
                found.push_back(row);
        return found;
    }
    const std::size_t words = (count + 63) / 64;
    const auto bit = [](std::size_t index) { return std::uint64_t(1) << (index % 64); };
    std::vector<std::uint64_t> allowed;
    if (within) {
        allowed.assign(words, 0);
        for (const std::uint32_t row : *within)
            allowed[row / 64] |= bit(row);
    }
    std::vector<std::uint64_t> hits(words, 0);
    std::size_t hitCount = 0;
    for (std::size_t index = 0; index < count; ++index) {
        const std::uint32_t row = rowOf(index);
        if (within && !(allowed[row / 64] & bit(row)))
            continue;
        if (matcher.matches(key(index))) {
            hits[row / 64] |= bit(row);
            ++hitCount;
        }
    }
    found.reserve(hitCount);
    for (std::size_t word = 0; word < words; ++word)
        for (std::uint64_t rest = hits[word]; rest != 0; rest &= rest - 1)
            found.push_back(static_cast<std::uint32_t>(word * 64 + static_cast<std::size_t>(std::countr_zero(rest))));
    return found;
}

} // namespace varnoth
