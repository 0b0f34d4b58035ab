#include <gtest/gtest.h>

#include <random>
#include <unordered_map>

#include "analysis/name_table.h"

using namespace varnoth;

// Many names that differ in one byte, in their length or only by a prefix,
// some longer than the first block of names, added in random order with
// repeats while the table grows: every name keeps the position of its first
// appearance, the order is kept, and a drained table hands over every count.
TEST(NameTable, FindsEveryNameThroughGrowth)
{
    std::mt19937 random(5);
    std::vector<std::string> pool = {"", " ", "a", "a ", std::string(70000, 'x'), std::string(70001, 'x')};
    for (int i = 0; i < 30000; ++i) {
        std::string name = "C:\\share\\" + std::to_string(i % 1000);
        name.append(static_cast<std::size_t>(i / 1000), 'x');
        pool.push_back(std::move(name));
    }
    NameTable table;
    std::vector<std::string> order;
    std::unordered_map<std::string, std::size_t> expected;
    for (int i = 0; i < 100000; ++i) {
        const std::string &name = pool[random() % pool.size()];
        bool added = false;
        NameTable::Entry &entry = table.entry(table.findOrAdd(name, added));
        ++entry.count;
        const auto [it, isNew] = expected.emplace(name, expected.size());
        if (isNew) {
            entry.link = static_cast<std::uint32_t>(order.size());
            order.push_back(name);
        }
        ASSERT_EQ(added, isNew) << name;
        ASSERT_EQ(entry.link, it->second) << name;
        ASSERT_EQ(entry.name(), name);
    }
    ASSERT_EQ(table.size(), expected.size());
    std::vector<std::string> seen;
    std::int64_t counted = 0;
    table.drain([&](const NameTable::Entry &e) {
        seen.emplace_back(e.name());
        counted += e.count;
    });
    EXPECT_EQ(seen, order);
    EXPECT_EQ(counted, 100000);
    EXPECT_TRUE(table.empty());
}
