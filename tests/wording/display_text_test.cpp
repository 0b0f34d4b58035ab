// How a name from a log is shown: each class of character that moves the
// cursor, reorders the text or hides itself, and what stays as it is.
#include <gtest/gtest.h>

#include "wording/display_text.h"

using namespace varnoth;

TEST(DisplayText, PrintableByClass)
{
    struct Case {
        const char *what, *text, *shown;
    };
    const Case cases[] = {
        {"escape and bell", "a\x1b[31m\x07", "a\u241B[31m\u2407"},
        {"tab and line feed", "\t\n", "\u2409\u240A"},
        {"DEL and C1", "\x7f\u0085\u009b", "\u2421\uFFFD\uFFFD"},
        {"right-to-left override", "photo\u202Egpj.exe", "photo\uFFFDgpj.exe"},
        {"embeddings and pop", "\u202A\u202B\u202C\u202D", "\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"isolates", "\u2066\u2067\u2068\u2069", "\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"direction marks", "\u200E\u200F\u061C", "\uFFFD\uFFFD\uFFFD"},
        {"zero-width characters", "pay\u200Bpal\u200C\u200D\u2060\uFEFF", "pay\uFFFDpal\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"soft hyphen and fillers", "a\u00ADb\u3164\u115F", "a\uFFFDb\uFFFD\uFFFD"},
        {"line separator, annotation", "\u2028\uFFF9x\uFFFB", "\uFFFD\uFFFDx\uFFFD"},
        {"tags", "\U000E0041\U000E007F", "\uFFFD\uFFFD"},
        {"bytes that are not UTF-8", "caf\xe9", "caf\uFFFD"},
        {"kept: accents, CJK, emoji with its selector", "Zo\u00eb \u65e5\u672c \u2764\uFE0F",
         "Zo\u00eb \u65e5\u672c \u2764\uFE0F"},
        {"kept: a combining accent", "e\u0301", "e\u0301"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(printable(c.text), c.shown) << c.what;
    EXPECT_EQ(printable(std::string("a\0b", 3)), "a\u2400b");
}

TEST(DisplayText, CutToWidth)
{
    EXPECT_EQ(cutToWidth("abcdef", 6), "abcdef");
    EXPECT_EQ(cutToWidth("abcdefg", 6), "abcde\u2026");
    // Wide characters take two columns: none is cut in half.
    EXPECT_EQ(cutToWidth("\u65e5\u672c\u8a9e\u306e\u540d", 6), "\u65e5\u672c\u2026");
    EXPECT_EQ(displayWidth(cutToWidth(std::string(100, 'x'), 60)), 60u);
}
