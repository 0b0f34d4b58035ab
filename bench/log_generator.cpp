#include "log_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <vector>

#include "forms/native_file.h"
#include "log_line.h"
#include "random.h"

namespace varnoth::bench {
namespace {

constexpr std::array<std::string_view, 16> drives = {
    "C:\\Share",        "D:\\Music",        "E:\\Movies",         "C:\\Documents and Settings\\me\\Shared",
    "F:\\Archive",      "D:\\Ebooks",       "G:\\Séries",         "C:\\Share\\Anime",
    "E:\\Photos",       "D:\\Software",     "F:\\Concerts, live", "C:\\Share\\Audio Books",
    "D:\\Music\\Björk", "E:\\Movies\\日本", "F:\\Games",          "C:\\Share\\Podcasts"};
constexpr std::array<std::string_view, 12> words = {"Best of",  "Live", "Remastered", "Season",
                                                    "Vol",      "Disc", "Part",       "Extended",
                                                    "Acoustic", "Über", "Nocturne",   "Crónica"};
constexpr std::array<std::string_view, 8> extensions = {".mp3", ".avi", ".ogg",  ".mkv",
                                                        ".pdf", ".zip", ".flac", ".jpg"};
constexpr std::array<std::string_view, 12> nickParts = {"dj",    "Anna",       "x_Warez_x", "Mika",
                                                        "Zoë",   "[FIN]Pekka", "leech",     "Ko,bra",
                                                        "turbo", "Séverine",   "~night~",   "ひかり"};

struct Catalogue {
    std::vector<std::string> folders;
    std::vector<std::string> files;
    std::vector<std::string> nicks;
};

Catalogue makeCatalogue(const GeneratorShape &shape, Random &random)
{
    Catalogue c;
    for (std::uint32_t i = 0; i < std::max<std::uint32_t>(1, shape.folders); ++i) {
        std::string folder(drives[random.below(drives.size())]);
        folder += "\\";
        folder += words[random.below(words.size())];
        folder += ' ';
        folder += std::to_string(i);
        if (random.below(3) == 0) {
            folder += "\\CD";
            folder += std::to_string(1 + random.below(3));
        }
        c.folders.push_back(folder);
    }
    for (std::uint32_t i = 0; i < std::max<std::uint32_t>(1, shape.files); ++i) {
        std::string file = c.folders[random.popular(static_cast<std::uint32_t>(c.folders.size()))];
        file += "\\";
        file += std::to_string(1 + random.below(20)) + " - ";
        file += words[random.below(words.size())];
        file += " track " + std::to_string(i);
        file += extensions[random.below(extensions.size())];
        c.files.push_back(file);
    }
    for (std::uint32_t i = 0; i < std::max<std::uint32_t>(1, shape.downloaders); ++i) {
        std::string nick(nickParts[random.below(nickParts.size())]);
        nick += std::to_string(i);
        c.nicks.push_back(nick);
    }
    return c;
}

} // namespace

void generateLog(const std::string &path, const GeneratorShape &shape)
{
    Random random(shape.seed);
    const Catalogue catalogue = makeCatalogue(shape, random);
    NativeFile file(path, NativeFile::Mode::Write);
    std::string out;
    out.reserve(1 << 21);
    std::uint64_t minuteOfLog = 0;
    for (std::uint64_t i = 0; i < shape.lines; ++i) {
        minuteOfLog += random.below(3);
        const std::uint64_t day = minuteOfLog / 1440;
        appendDateTime(out, 2003 + static_cast<unsigned>(day / 336), 1 + static_cast<unsigned>(day / 28 % 12),
                       1 + static_cast<unsigned>(day % 28), static_cast<unsigned>(minuteOfLog / 60 % 24),
                       static_cast<unsigned>(minuteOfLog % 60));

        const std::uint32_t roll = random.below(100);
        std::uint64_t bytes;
        if (roll < 2) {
            out += roll == 0 ? "MyList.DcLst" : "MyList.bz2";
            bytes = 2000 + random.below(200000);
        } else {
            out += catalogue.files[random.popular(static_cast<std::uint32_t>(catalogue.files.size()))];
            bytes = 10000 + random.next() % 700000000;
        }
        const std::string &nick = catalogue.nicks[random.popular(static_cast<std::uint32_t>(catalogue.nicks.size()))];
        // A partial upload now and then: the byte count is what was sent.
        const std::uint64_t sent = random.below(10) == 0 ? bytes / (2 + random.below(5)) : bytes;
        const std::string size = sizeText(bytes, random);
        const std::uint64_t seconds = 1 + sent / (20000 + random.below(400000));
        appendUploadTail(out, nick, size, sent, seconds);
        if (out.size() >= (1 << 20)) {
            file.write(out.data(), out.size());
            out.clear();
        }
    }
    file.write(out.data(), out.size());
    file.close();
}

} // namespace varnoth::bench
