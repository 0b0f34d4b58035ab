#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "wording/grid_rows.h"

namespace varnoth {

// Whether a text holds a needle, letter case ignored, over many UTF-8 texts
// at a time (a list's filter field). A needle whose case folding is plain
// ASCII is matched byte by byte, which keeps a million rows quick: a byte of
// a multi-byte character never equals an ASCII one. Other needles are
// compared with Qt's case-insensitive search, and only against texts that
// are not plain ASCII, the only ones that can hold them.
class TextMatcher {
public:
    explicit TextMatcher(const QString &needle);

    bool empty() const { return folded_.isEmpty(); }
    bool matches(std::string_view text) const;
    // Whether text begins with the needle (type-ahead).
    bool begins(std::string_view text) const;
    // Whether every text this matcher takes is also taken by other.
    bool narrows(const TextMatcher &other) const { return folded_.contains(other.folded_); }

private:
    QString folded_;
    std::string ascii_; // the folded needle when it is ASCII, else empty
    std::array<unsigned char, 256> lower_{};
};

// The texts a filter searches, one per row, kept end to end in one block in
// the order the rows had when they were set. Read in row order, the cells
// themselves lie all over the heap once sorted, and a search would wait on
// memory for each; the block is read front to back whatever the order.
class FilterKeys {
public:
    FilterKeys() = default;
    FilterKeys(const GridRows &rows, std::size_t column);

    bool empty() const { return starts_.empty(); }
    std::size_t size() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    // The rows moved: row i is now the former row order[i].
    void reorder(const std::vector<std::uint32_t> &order);

    // The rows among within (every row when within is null) whose text the
    // matcher takes, in row order.
    std::vector<std::uint32_t> matchingRows(const TextMatcher &matcher, const std::vector<std::uint32_t> *within) const;

private:
    std::string_view key(std::size_t index) const
    {
        return std::string_view(text_).substr(starts_[index], starts_[index + 1] - starts_[index]);
    }
    std::uint32_t rowOf(std::size_t key) const
    {
        return rowOfKey_.empty() ? static_cast<std::uint32_t>(key) : rowOfKey_[key];
    }
    std::size_t keyOf(std::uint32_t row) const { return keyOfRow_.empty() ? row : keyOfRow_[row]; }

    std::string text_;
    std::vector<std::size_t> starts_;
    // Where the rows went since; empty while they are in their first order.
    std::vector<std::uint32_t> rowOfKey_;
    std::vector<std::uint32_t> keyOfRow_;
};

} // namespace varnoth
