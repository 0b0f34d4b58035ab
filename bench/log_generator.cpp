#include "log_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
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

// Draws the k-th of n with probability proportional to 1/(k+1)^s.
class ZipfDraw {
public:
    ZipfDraw(std::uint32_t n, double s)
    {
        cumulative_.reserve(n);
        double sum = 0;
        for (std::uint32_t k = 0; k < n; ++k)
            cumulative_.push_back(sum += 1.0 / std::pow(static_cast<double>(k) + 1, s));
    }
    std::uint32_t operator()(Random &random) const
    {
        const double u = random.unit() * cumulative_.back();
        const auto at = std::upper_bound(cumulative_.begin(), cumulative_.end(), u);
        return static_cast<std::uint32_t>(std::min<std::size_t>(at - cumulative_.begin(), cumulative_.size() - 1));
    }

private:
    std::vector<double> cumulative_;
};

// Picks files and downloaders by their popularity.
class Picker {
public:
    Picker(const Popularity &popularity, std::uint32_t files, std::uint32_t downloaders)
        : kind_(popularity.kind)
    {
        if (kind_ == Popularity::Kind::Zipf) {
            files_.emplace(files, popularity.exponent);
            downloaders_.emplace(downloaders, popularity.exponent);
        }
    }
    std::uint32_t file(Random &random, std::uint32_t n)
    {
        if (kind_ == Popularity::Kind::Each)
            return static_cast<std::uint32_t>(next_++ % n);
        return files_ ? (*files_)(random) : random.popular(n);
    }
    std::uint32_t downloader(Random &random, std::uint32_t n)
    {
        return downloaders_ ? (*downloaders_)(random) : random.popular(n);
    }

private:
    Popularity::Kind kind_;
    std::optional<ZipfDraw> files_, downloaders_;
    std::uint64_t next_ = 0;
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
        if (shape.popularity.kind != Popularity::Kind::Cubic) {
            // Paths of 40 to 120 characters, as long shares and titles make them.
            const std::size_t length = 40 + random.below(81);
            const std::size_t name = file.rfind('\\') + 1;
            while (file.size() + 4 < length) {
                const std::string word = std::string(words[random.below(words.size())]) + " ";
                const std::size_t room = length - 4 - file.size();
                file.insert(name, word.size() <= room ? word : std::string(room, '_'));
            }
        }
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

std::optional<Popularity> readPopularity(const std::string &text)
{
    if (text == "cubic")
        return Popularity{Popularity::Kind::Cubic, 0};
    if (text == "each")
        return Popularity{Popularity::Kind::Each, 0};
    if (text.rfind("zipf:", 0) == 0) {
        char *end = nullptr;
        const double exponent = std::strtod(text.c_str() + 5, &end);
        if (end != text.c_str() + 5 && *end == '\0' && exponent > 0 && exponent < 10)
            return Popularity{Popularity::Kind::Zipf, exponent};
    }
    return std::nullopt;
}

void generateLog(const std::string &path, const GeneratorShape &shape)
{
    Random random(shape.seed);
    const Catalogue catalogue = makeCatalogue(shape, random);
    Picker pick(shape.popularity, static_cast<std::uint32_t>(catalogue.files.size()),
                static_cast<std::uint32_t>(catalogue.nicks.size()));
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
            out += catalogue.files[pick.file(random, static_cast<std::uint32_t>(catalogue.files.size()))];
            bytes = 10000 + random.next() % 700000000;
        }
        const std::string &nick =
            catalogue.nicks[pick.downloader(random, static_cast<std::uint32_t>(catalogue.nicks.size()))];
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
