#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "forms/failure.h"
#include "forms/line_count.h"
#include "forms/line_reader.h"
#include "forms/simd.h"

using namespace varnoth;

namespace {

struct ReadLine {
    std::string text;
    std::uint64_t number;
    bool ascii;
    bool tooLong;
};

std::vector<ReadLine> readAll(const std::string &content)
{
    // One file per test: ctest runs the tests of this program side by side.
    const auto path = std::filesystem::temp_directory_path() /
                      (std::string("varnoth_line_reader_") +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
    std::ofstream(path, std::ios::binary) << content;
    LineReader reader(path.string());
    std::vector<ReadLine> lines;
    TextLine line;
    while (reader.next(line))
        lines.push_back({std::string(line.bytes), line.number, line.ascii, line.tooLong});
    std::filesystem::remove(path);
    return lines;
}

std::vector<std::string> texts(const std::vector<ReadLine> &lines)
{
    std::vector<std::string> out;
    for (const auto &l : lines)
        out.push_back(l.text);
    return out;
}

} // namespace

TEST(LineReader, SplitsAtEveryKindOfLineEnd)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(texts(readAll("a\r\nb\nc\rd")), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(texts(readAll("a\r\n")), (V{"a"}));
    EXPECT_EQ(texts(readAll("a\n\nb\r\r\n")), (V{"a", "", "b", ""}));
    EXPECT_EQ(texts(readAll("")), V{});
    EXPECT_EQ(texts(readAll("\xEF\xBB\xBFx\r\n")), (V{"x"}));
}

TEST(LineReader, NumbersEveryPhysicalLineAndFlagsNonAscii)
{
    const auto lines = readAll("one\r\n\r\nz\xC3\xA9\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].number, 3u);
    EXPECT_TRUE(lines[0].ascii);
    EXPECT_FALSE(lines[2].ascii);
}

TEST(LineReader, CrLfAcrossABlockBoundaryIsOneLineEnd)
{
    // Put the CR as the very last byte of the first read, and of the first full buffer.
    for (std::size_t cr : {LineReader::readBytes - 1, LineReader::maxLineBytes + LineReader::blockBytes - 1}) {
        std::string content(cr, 'x');
        content[100] = '\n';
        content += "\r\nlast";
        const auto lines = readAll(content);
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[2].text, "last");
        EXPECT_EQ(lines[2].number, 3u);
    }
}

TEST(LineReader, ALineTooLongIsCutShortAndTheRestSkipped)
{
    std::string content = "first\n" + std::string(LineReader::maxLineBytes * 3, 'y') + "\nafter\n";
    const auto lines = readAll(content);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[1].tooLong);
    EXPECT_EQ(lines[1].text.size(), LineReader::maxLineBytes);
    EXPECT_EQ(lines[2].text, "after");
    EXPECT_EQ(lines[2].number, 3u);
}

TEST(LineReader, LinesStayInPlaceUntilTheBytesAreAboutToMove)
{
    // Lines of varied length over several reads: every line handed out since
    // the last move must still read the same when the reader announces one.
    std::string content;
    for (int i = 0; content.size() < 3 * LineReader::readBytes; ++i)
        content += std::string(1 + i % 97, static_cast<char>('a' + i % 26)) + (i % 3 ? "\n" : "\r\n");
    const auto path = std::filesystem::temp_directory_path() / "varnoth_line_reader_in_place.txt";
    std::ofstream(path, std::ios::binary) << content;

    std::vector<std::pair<std::string_view, std::string>> held; // the view, and its bytes when handed out
    int moves = 0;
    auto checkHeld = [&] {
        for (const auto &[view, copy] : held)
            ASSERT_EQ(view, copy);
        held.clear();
    };
    LineReader reader(path.string());
    reader.whenBytesMove([&] { ++moves; checkHeld(); });
    TextLine line;
    std::size_t lines = 0;
    while (reader.next(line)) {
        held.emplace_back(line.bytes, std::string(line.bytes));
        ++lines;
    }
    checkHeld();
    std::filesystem::remove(path);
    EXPECT_GT(moves, 1);
    EXPECT_EQ(lines, static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')));
}

TEST(LineReader, AMissingFileIsAFailure)
{
    EXPECT_THROW(LineReader("/nonexistent/varnoth/uploads.log"), Failure);
}

// The parts of a text split at any offsets hold each line once, and the
// 64-byte count of filled lines agrees with the lines the reader hands over,
// on each SIMD path.
TEST(LineReader, PartsHoldEachLineOnceAndTheirFilledLinesAreCounted)
{
    simd::onEachPath([] {
        std::mt19937 random(9);
        const char alphabet[] = {'a', ' ', '\t', '\r', '\n', '\xC3', '\xA9'};
        for (int round = 0; round < 300; ++round) {
            std::string text = round % 5 == 0 ? "\xEF\xBB\xBF" : "";
            const std::size_t size = random() % 400;
            while (text.size() < size)
                text += alphabet[random() % (round % 2 ? 5 : std::size(alphabet))];
            const LogInput input = LogInput::inMemory(text);
            std::vector<std::string> whole;
            std::uint64_t filled = 0;
            LineReader reader(input);
            for (TextLine line; reader.next(line);) {
                whole.emplace_back(line.bytes);
                filled += line.blank() ? 0 : 1;
                ASSERT_EQ(line.ascii, std::all_of(line.bytes.begin(), line.bytes.end(), [](char c) { return c >= 0; }));
            }
            ASSERT_EQ(countFilledLines(input, {}), filled) << round;
            const std::uint64_t part = 4 + random() % 40;
            std::vector<std::string> joined;
            std::uint64_t counted = 0;
            for (std::uint64_t begin = 0; begin < text.size(); begin += part) {
                const ByteRange range{begin, begin + part >= text.size() ? ByteRange{}.end : begin + part};
                LineReader partReader(input, range);
                for (TextLine line; partReader.next(line);)
                    joined.emplace_back(line.bytes);
                counted += countFilledLines(input, range);
            }
            ASSERT_EQ(joined, whole) << round;
            ASSERT_EQ(counted, filled) << round;
        }
    });
}
