#include "name_index.h"
#include "prefetch.h"

#include <cstring>
#include <limits>

#include "forms/failure.h"

namespace varnoth {

std::uint64_t hashText(std::string_view text)
{
    // Two independent lanes over 16-byte blocks, so that the multiplications
    // of a long path overlap instead of waiting for each other.
    constexpr std::uint64_t k = 0x9E3779B97F4A7C15ull;
    constexpr std::uint64_t k2 = 0xC2B2AE3D27D4EB4Full;
    std::uint64_t a = 0x243F6A8885A308D3ull ^ (text.size() * k);
    std::uint64_t b = 0x13198A2E03707344ull;
    const char *p = text.data();
    std::size_t n = text.size();
    while (n >= 16) {
        std::uint64_t w1, w2;
        std::memcpy(&w1, p, 8);
        std::memcpy(&w2, p + 8, 8);
        a = (a ^ w1) * k;
        b = (b ^ w2) * k2;
        a ^= a >> 29;
        b ^= b >> 31;
        p += 16;
        n -= 16;
    }
    if (n >= 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        a = (a ^ w) * k;
        a ^= a >> 29;
        p += 8;
        n -= 8;
    }
    // The last 0..7 bytes; from a text of 8 bytes or more they are read as
    // the top of its last 8 bytes, so that no byte-by-byte copy is needed.
    std::uint64_t w = 0;
    if (n > 0 && text.size() >= 8) {
        std::memcpy(&w, p + n - 8, 8);
        w >>= 8 * (8 - n);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            w |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    }
    std::uint64_t h = (a ^ w) * k ^ (b * k2);
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ull;
    h ^= h >> 32;
    return h;
}

namespace {

std::uint32_t tagOf(std::uint64_t hash)
{
    return static_cast<std::uint32_t>(hash >> 32);
}

} // namespace

bool NameIndex::holds(const Slot &slot, std::uint64_t hash, std::string_view name) const
{
    if (slot.tag != tagOf(hash))
        return false;
    std::uint32_t length;
    std::memcpy(&length, keys_.data() + slot.at, sizeof length);
    return length == name.size() && std::memcmp(keys_.data() + slot.at + sizeof length, name.data(), name.size()) == 0;
}

std::size_t NameIndex::findOrAdd(std::string_view name, std::vector<std::string> &names, bool &added)
{
    return findOrAdd(name, hashText(name), names, added);
}

std::size_t NameIndex::findOrAdd(std::string_view name, std::uint64_t h, std::vector<std::string> &names, bool &added)
{
    if ((used_ + 1) * 2 > slots_.size())
        grow();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
        Slot &slot = slots_[i];
        if (slot.index == 0) {
            if (names.size() >= std::numeric_limits<std::uint32_t>::max() - 1 ||
                name.size() > std::numeric_limits<std::uint32_t>::max())
                throw Failure(failures::outOfMemory);
            names.emplace_back(name);
            const auto length = static_cast<std::uint32_t>(name.size());
            slot.tag = tagOf(h);
            slot.index = static_cast<std::uint32_t>(names.size());
            slot.at = keys_.size();
            const auto *lengthBytes = reinterpret_cast<const char *>(&length);
            keys_.insert(keys_.end(), lengthBytes, lengthBytes + sizeof length);
            keys_.insert(keys_.end(), name.begin(), name.end());
            ++used_;
            added = true;
            return names.size() - 1;
        }
        if (holds(slot, h, name)) {
            added = false;
            return slot.index - 1;
        }
    }
}

void NameIndex::prefetchSlot(std::uint64_t hash) const
{
    if (!slots_.empty())
        prefetchBytes(&slots_[hash & (slots_.size() - 1)]);
}

std::size_t NameIndex::prefetchName(std::uint64_t hash) const
{
    if (slots_.empty())
        return npos;
    const Slot &slot = slots_[hash & (slots_.size() - 1)];
    if (slot.index == 0)
        return npos;
    // The length and the name's first bytes; a long name goes on into the next cache line.
    prefetchBytes(keys_.data() + slot.at);
    if (slot.at + 64 < keys_.size())
        prefetchBytes(keys_.data() + slot.at + 64);
    return slot.index - 1;
}

void NameIndex::grow()
{
    decltype(slots_) old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot &slot : old) {
        if (slot.index == 0)
            continue;
        std::uint32_t length;
        std::memcpy(&length, keys_.data() + slot.at, sizeof length);
        const std::uint64_t h = hashText(std::string_view(keys_.data() + slot.at + sizeof length, length));
        std::size_t i = h & mask;
        while (slots_[i].index != 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

} // namespace varnoth
