#include "name_table.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "forms/failure.h"
#include "forms/simd.h"
#include "prefetch.h"

namespace varnoth {

namespace {

std::uint64_t load64(const char *p)
{
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

std::uint64_t load32(const char *p)
{
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
}

} // namespace

std::uint64_t hashText(std::string_view text)
{
    // Short texts (nicks, most folders) are read as two words that may
    // overlap, without a loop; longer ones in two independent lanes over
    // 16-byte blocks, so that the multiplications of a long path overlap
    // instead of waiting for each other, and then as their last 16 bytes.
    constexpr std::uint64_t k = 0x9E3779B97F4A7C15ull;
    constexpr std::uint64_t k2 = 0xC2B2AE3D27D4EB4Full;
    const char *p = text.data();
    const std::size_t n = text.size();
    std::uint64_t a = 0x243F6A8885A308D3ull ^ (n * k);
    std::uint64_t b = 0x13198A2E03707344ull;
    if (n > 16) {
        for (std::size_t i = 0; i + 16 < n; i += 16) {
            a = (a ^ load64(p + i)) * k;
            b = (b ^ load64(p + i + 8)) * k2;
            a ^= a >> 29;
            b ^= b >> 31;
        }
        a ^= load64(p + n - 16);
        b ^= load64(p + n - 8);
    } else if (n >= 8) {
        a ^= load64(p);
        b ^= load64(p + n - 8);
    } else if (n >= 4) {
        a ^= load32(p);
        b ^= load32(p + n - 4);
    } else if (n > 0) {
        a ^= static_cast<unsigned char>(p[0]) |
             (static_cast<std::uint64_t>(static_cast<unsigned char>(p[n / 2])) << 8) |
             (static_cast<std::uint64_t>(static_cast<unsigned char>(p[n - 1])) << 16);
    }
    std::uint64_t h = (a * k) ^ (b * k2);
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ull;
    h ^= h >> 32;
    return h;
}

bool sameBytes(const char *a, const char *b, std::size_t n)
{
    if (n >= 16) {
#ifdef VARNOTH_SSE2
        auto same16 = [&](std::size_t at) {
            return _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(a + at)),
                                                    _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + at)))) ==
                   0xFFFF;
        };
        for (std::size_t i = 0; i + 16 < n; i += 16) {
            if (!same16(i))
                return false;
        }
        return same16(n - 16);
#else
        return std::memcmp(a, b, n) == 0;
#endif
    }
    if (n >= 8)
        return load64(a) == load64(b) && load64(a + n - 8) == load64(b + n - 8);
    if (n >= 4)
        return load32(a) == load32(b) && load32(a + n - 4) == load32(b + n - 4);
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

namespace {

constexpr std::size_t firstBlock = std::size_t{4} << 10;
constexpr std::size_t largestBlock = std::size_t{1} << NameBlocks::offsetBits;
constexpr std::size_t mostBlocks = 2047; // every location + 1 fits 32 bits

std::uint32_t tagOf(std::uint64_t hash)
{
    return static_cast<std::uint32_t>(hash >> 32);
}

} // namespace

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
        if (!owner_)
            owner_ = std::make_shared<Owner>();
        Block block;
        block.size = std::max(planned, size);
        owner_->blocks.reserve(owner_->blocks.size() + 1);
        block.data = static_cast<char *>(allocateLargeTable(block.size));
        owner_->blocks.push_back(block);
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
    return e.length == name.size() && sameBytes(reinterpret_cast<const char *>(&e + 1), name.data(), name.size());
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

std::uint32_t NameTable::prefetchEntry(std::uint64_t hash, std::size_t length) const
{
    if (slots_.empty())
        return 0;
    // The name's slot is nearly always its first slot or one of the next few.
    const std::size_t mask = slots_.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t i = hash & mask, probes = 0; probes < 4; i = (i + 1) & mask, ++probes) {
        const Slot &slot = slots_[i];
        if (slot.at == 0)
            return 0;
        if (slot.tag == tag) {
            // The count and the name, up to its last byte.
            const char *record = blocks_.at(slot.at - 1);
            prefetchBytes(record);
            prefetchBytes(record + 64);
            prefetchBytes(record + sizeof(Entry) + length - 1);
            return slot.at;
        }
    }
    return 0;
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

std::optional<NameTable::Location> NameTable::find(std::string_view name) const
{
    if (slots_.empty()) {
        std::optional<Location> found;
        blocks_.walk(
            [&](Location at) {
                const Entry &e = entry(at);
                if (!found && e.length == name.size() &&
                    sameBytes(reinterpret_cast<const char *>(&e + 1), name.data(), name.size()))
                    found = at;
            },
            [this](Location at) { return sizeFor(entry(at).length); });
        return found;
    }
    const std::uint64_t hash = hashText(name);
    const std::size_t mask = slots_.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot &slot = slots_[i];
        if (slot.at == 0)
            return std::nullopt;
        if (holds(slot, tag, name))
            return slot.at - 1;
    }
}

} // namespace varnoth
