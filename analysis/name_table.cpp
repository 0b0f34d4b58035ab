#include "name_table.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "forms/failure.h"
#include "prefetch.h"

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

constexpr std::size_t firstBlock = std::size_t{64} << 10;
constexpr std::size_t largestBlock = std::size_t{1} << NameBlocks::offsetBits;
constexpr std::size_t mostBlocks = 2047; // every location + 1 fits 32 bits

std::uint32_t tagOf(std::uint64_t hash)
{
    return static_cast<std::uint32_t>(hash >> 32);
}

} // namespace

NameBlocks::~NameBlocks()
{
    for (Block &block : blocks_)
        free(block);
}

void NameBlocks::free(Block &block)
{
    freeLargeTable(block.data, block.size);
    block.data = nullptr;
}

NameBlocks::Location NameBlocks::allocate(std::size_t size)
{
    if (blocks_.empty() || blocks_.back().size - blocks_.back().used < size) {
        if (blocks_.size() == mostBlocks)
            throw Failure(failures::outOfMemory);
        // Blocks grow from small to large, so that a small log takes little memory.
        const std::size_t planned = blocks_.empty() ? firstBlock : std::min(largestBlock, 2 * blocks_.back().size);
        Block block;
        block.size = std::max(planned, size);
        block.data = static_cast<char *>(allocateLargeTable(block.size));
        blocks_.push_back(block);
    }
    Block &last = blocks_.back();
    const auto location = static_cast<Location>(((blocks_.size() - 1) << offsetBits) | last.used);
    last.used += size;
    return location;
}

bool NameTable::holds(const Slot &slot, std::uint32_t tag, std::string_view name) const
{
    if (slot.tag != tag)
        return false;
    const Entry &e = entry(slot.at - 1);
    return e.length == name.size() && std::memcmp(&e + 1, name.data(), name.size()) == 0;
}

NameTable::Location NameTable::findOrAdd(std::string_view name, bool &added)
{
    return findOrAdd(name, hashText(name), added);
}

NameTable::Location NameTable::findOrAdd(std::string_view name, std::uint64_t hash, bool &added)
{
    // At most three slots in four are used, so that a search meets an empty slot soon.
    if ((size_ + 1) * 4 > slots_.size() * 3)
        grow();
    const std::size_t mask = slots_.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot &slot = slots_[i];
        if (slot.at == 0) {
            if (size_ >= 0xFFFFFFFFu || name.size() >= largestBlock / 2)
                throw Failure(failures::outOfMemory);
            const Location at = blocks_.allocate(sizeFor(name.size()));
            char *record = blocks_.at(at);
            new (record) Entry{static_cast<std::uint32_t>(name.size()), 0, 0};
            std::memcpy(record + sizeof(Entry), name.data(), name.size());
            slot = {tag, at + 1};
            ++size_;
            added = true;
            return at;
        }
        if (holds(slot, tag, name)) {
            added = false;
            return slot.at - 1;
        }
    }
}

void NameTable::prefetchSlot(std::uint64_t hash) const
{
    if (!slots_.empty())
        prefetchBytes(&slots_[hash & (slots_.size() - 1)]);
}

void NameTable::prefetchEntry(std::uint64_t hash) const
{
    if (slots_.empty())
        return;
    const Slot &slot = slots_[hash & (slots_.size() - 1)];
    if (slot.at == 0)
        return;
    // The count and the name's first bytes; a long name goes on into the next cache line.
    const char *record = blocks_.at(slot.at - 1);
    prefetchBytes(record);
    prefetchBytes(record + 64);
}

void NameTable::grow()
{
    decltype(slots_) old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot &slot : old) {
        if (slot.at == 0)
            continue;
        std::size_t i = hashText(entry(slot.at - 1).name()) & mask;
        while (slots_[i].at != 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

NameBlocks NameTable::takeNames()
{
    slots_ = decltype(slots_)();
    size_ = 0;
    return std::move(blocks_);
}

} // namespace varnoth
