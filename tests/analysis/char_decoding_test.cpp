#include <gtest/gtest.h>

#include <random>

#include "analysis/char_decoding.h"
#include "forms/simd.h"

using namespace varnoth;

namespace {

// UTF-8 as its definition states it: decode each sequence and reject
// overlong forms, surrogates and code points above U+10FFFF.
bool referenceValid(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size())
            return false;
        char32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto b = static_cast<unsigned char>(s[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n;
    }
    return true;
}

} // namespace

TEST(Utf8, RejectsWhatIsNotWellFormed)
{
    const std::pair<std::string, bool> cases[] = {
        {"plain", true},
        {"Zoë 日本 😀", true},
        {"\xC0\xAF", false},         // overlong "/"
        {"\xE0\x80\xAF", false},     // overlong, three bytes
        {"\xE0\x9F\xBF", false},     // overlong U+07FF
        {"\xF0\x80\x80\xAF", false}, // overlong, four bytes
        {"\xED\xA0\x80", false},     // U+D800, a surrogate
        {"\xED\x9F\xBF", true},      // U+D7FF
        {"\xF4\x8F\xBF\xBF", true},  // U+10FFFF
        {"\xF4\x90\x80\x80", false}, // U+110000
        {"\xF5\x80\x80\x80", false},
        {"\xC3", false},
        {"\x80", false},
        {"a\xE2\x82", false},
        {"\xF0\x9F\x98", false}, // a four-byte character cut off
    };
    // Alone, and inside ASCII long enough for the 32-byte check, on each SIMD path.
    simd::onEachPath([&] {
        for (const auto &[text, valid] : cases) {
            EXPECT_EQ(isValidUtf8(text), valid) << text;
            for (std::size_t before : {0, 1, 30, 31, 32, 63})
                EXPECT_EQ(isValidUtf8(std::string(before, 'a') + text + std::string(35 - before % 3, 'b')), valid)
                    << before << text;
            // At the very end, where a character may be cut off.
            for (std::size_t before = 26; before <= 34; ++before)
                EXPECT_EQ(isValidUtf8(std::string(before, 'a') + text), valid) << before << text;
        }
    });
}

TEST(Utf8, AgreesWithTheDefinitionOnRandomBytes)
{
    simd::onEachPath([] {
        std::mt19937 random(3);
        const char *const characters[] = {"é", "日", "😀", "\xED\x9F\xBF", "\xF4\x8F\xBF\xBF"};
        for (int i = 0; i < 200000; ++i) {
            // ASCII stretches long and short, between runs of whole characters
            // and stray high bytes, so that the ASCII skip and the runs are both crossed.
            const unsigned rare = 2 + random() % 40;
            std::string s;
            for (std::size_t n = random() % 100; s.size() < n;) {
                if (random() % rare != 0)
                    s += static_cast<char>(random() % 0x80);
                else if (random() % 3 != 0)
                    s += characters[random() % std::size(characters)];
                else
                    s += static_cast<char>(0x80 + random() % 0x80);
            }
            ASSERT_EQ(isValidUtf8(s), referenceValid(s)) << i;
        }
    });
}

TEST(Windows1252, DecodesTheHighBytes)
{
    std::string out;
    appendWindows1252("\x80 \xE9 \x9F \x81", out);
    EXPECT_EQ(out, "€ é Ÿ \xC2\x81");
    EXPECT_EQ(windows1252Utf8Length("\x80 \xE9 \x9F \x81"), out.size());
}
