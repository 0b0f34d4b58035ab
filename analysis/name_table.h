#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "large_table_allocator.h"

namespace varnoth {

// Whether the n bytes at a and at b are the same.
bool sameBytes(const char *a, const char *b, std::size_t n);

// Storage for names that are written once and read often: each name with a
// small header, one after another in large blocks, so that a name costs
// little more than its bytes. A name stays where it was put until the
// storage is destroyed (moving the storage moves no name).
class NameBlocks {
public:
    // Where a record begins: the block in the upper bits, the offset below.
    using Location = std::uint32_t;

    NameBlocks() = default;
    NameBlocks(NameBlocks &&) noexcept = default;
    NameBlocks &operator=(NameBlocks &&) noexcept = default;

    // A record's offset in its block takes this many bits: blocks hold at most 2 MiB.
    static constexpr unsigned offsetBits = 21;

    // Room for a record of `size` bytes (a multiple of 8, at most 2 MiB),
    // after the records allocated before it. Throws Failure("Out of memory")
    // beyond 4 GiB of names.
    Location allocate(std::size_t size);
    char *at(Location location) const { return blocks_[location >> offsetBits].data + (location & offsetMask); }

    // Keeps the records allocated so far where they are for as long as the
    // share lives, even beyond the storage: views of the names (the rows of
    // a report) can outlive the tally. Records allocated later are kept too.
    std::shared_ptr<const void> share() const { return owner_; }

    // Calls f(location) for every record in the order they were allocated;
    // sizeOf(location) tells a record's size.
    template <class F, class Size> void walk(F f, Size sizeOf) const
    {
        for (std::size_t b = 0; b < blocks_.size(); ++b)
            walkBlock(b, f, sizeOf);
    }

    // The same, freeing each block once its records are done (unless a
    // share keeps them); the storage is empty afterwards.
    template <class F, class Size> void drain(F f, Size sizeOf)
    {
        const bool alone = owner_.use_count() == 1;
        for (std::size_t b = 0; b < blocks_.size(); ++b) {
            walkBlock(b, f, sizeOf);
            if (alone)
                free(owner_->blocks[b]);
        }
        blocks_.clear();
        owner_.reset();
    }

private:
    static constexpr Location offsetMask = (Location{1} << offsetBits) - 1;
    struct Block {
        char *data = nullptr;
        std::size_t size = 0;
        std::size_t used = 0;
    };
    // The owner of the blocks' memory, which it frees when the last share ends.
    struct Owner {
        std::vector<Block> blocks;
        ~Owner()
        {
            for (Block &block : blocks)
                free(block);
        }
    };
    template <class F, class Size> void walkBlock(std::size_t b, F &f, Size &sizeOf) const
    {
        for (std::size_t offset = 0; offset < blocks_[b].used;) {
            const auto location = static_cast<Location>((b << offsetBits) | offset);
            f(location);
            offset += sizeOf(location);
        }
    }
    static void free(Block &block);
    std::vector<Block> blocks_; // the same blocks as the owner's, looked up without a detour
    std::shared_ptr<Owner> owner_;
};

// The distinct names of a tally in order of first appearance, each with a
// count, found through a hash index: finding a name costs the same whether
// the table holds ten names or a million. Names are compared exactly,
// letter case included. The count sits beside the name's bytes, so a lookup
// that finds the name has its count at hand.
class NameTable {
public:
    using Location = NameBlocks::Location;

    struct Entry {
        std::uint32_t length = 0;
        std::uint32_t link = 0; // the table user's own: 0 for a new entry
        std::int64_t count = 0;
        std::string_view name() const { return {reinterpret_cast<const char *>(this + 1), length}; }
    };

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // The entry of name (hash: its hashText()), added with a count of 0 when new.
    Location findOrAdd(std::string_view name, std::uint64_t hash, bool &added);
    Location findOrAdd(std::string_view name, bool &added);

    Entry &entry(Location location) { return *reinterpret_cast<Entry *>(blocks_.at(location)); }
    const Entry &entry(Location location) const { return *reinterpret_cast<const Entry *>(blocks_.at(location)); }

    // Calls f(entry) for every entry in order of first appearance.
    template <class F> void forEach(F f) const
    {
        blocks_.walk([&](Location at) { f(entry(at)); }, [this](Location at) { return sizeFor(entry(at).length); });
    }

    // The same, freeing the table as it goes; afterwards the table is empty.
    template <class F> void drain(F f)
    {
        slots_ = decltype(slots_)();
        blocks_.drain([&](Location at) { f(entry(at)); }, [this](Location at) { return sizeFor(entry(at).length); });
        size_ = 0;
    }

    // Asks the processor to fetch, ahead of a lookup, the slot where a name
    // with this hash would be, and (once that slot has arrived) the entry of
    // a name with this hash and length. prefetchEntry returns that entry's
    // location + 1 (0 when there is none) as a guess for findOrAdd.
    void prefetchSlot(std::uint64_t hash) const;
    std::uint32_t prefetchEntry(std::uint64_t hash, std::size_t length) const;

    // findOrAdd with a guess from prefetchEntry, taken when its entry holds
    // the name (entries never move, so an old guess is still an entry).
    Location findOrAdd(std::string_view name, std::uint64_t hash, std::uint32_t guess, bool &added)
    {
        if (guess != 0) {
            const Entry &e = entry(guess - 1);
            if (e.length == name.size() &&
                sameBytes(reinterpret_cast<const char *>(&e + 1), name.data(), name.size())) {
                added = false;
                return guess - 1;
            }
        }
        return findOrAdd(name, hash, added);
    }

    // The entry of name, when the table holds it (hash: its hashText()).
    std::optional<Location> find(std::string_view name) const;

    // Frees the hash index once no name will be added: entries stay, and
    // find() goes through them one by one.
    void dropIndex() { slots_ = decltype(slots_)(); }

    // Keeps the names where they are for views of them to outlive the table.
    std::shared_ptr<const void> shareNames() const { return blocks_.share(); }

private:
    struct Slot {
        std::uint32_t tag = 0; // the upper half of the name's hash
        std::uint32_t at = 0;  // the entry's location + 1; 0 = empty slot
    };
    static std::size_t sizeFor(std::size_t length) { return (sizeof(Entry) + length + 7) / 8 * 8; }
    bool holds(const Slot &slot, std::uint32_t tag, std::string_view name) const;
    void grow();

    std::vector<Slot, LargeTableAllocator<Slot>> slots_;
    NameBlocks blocks_;
    std::size_t size_ = 0;
};

std::uint64_t hashText(std::string_view text);

} // namespace varnoth
