#include <gtest/gtest.h>

#include <random>
#include <unordered_map>

#include "analysis/name_index.h"

using namespace varnoth;

// Many names that differ in one byte, in their length or only by a prefix,
// added in random order with repeats while the index grows: every name keeps
// the position of its first appearance.
TEST(NameIndex, FindsEveryNameThroughGrowth)
{
    std::mt19937 random(5);
    std::vector<std::string> pool = {"", " ", "a", "a "};
    for (int i = 0; i < 30000; ++i) {
        std::string name = "C:\\share\\" + std::to_string(i % 1000);
        name.append(static_cast<std::size_t>(i / 1000), 'x');
        pool.push_back(std::move(name));
    }
    NameIndex index;
    std::vector<std::string> names;
    std::unordered_map<std::string, std::size_t> expected;
    for (int i = 0; i < 100000; ++i) {
        const std::string &name = pool[random() % pool.size()];
        bool added = false;
        const std::size_t at = index.findOrAdd(name, names, added);
        const auto [it, isNew] = expected.emplace(name, expected.size());
        ASSERT_EQ(added, isNew) << name;
        ASSERT_EQ(at, it->second) << name;
        ASSERT_EQ(names[at], name);
    }
    EXPECT_EQ(names.size(), expected.size());
}
