#include "sample_log.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "analysis/calendar_date.h"
#include "forms/native_file.h"
#include "log_line.h"
#include "random.h"

namespace varnoth::bench {
namespace {

constexpr std::uint32_t yearDays = 366; // 2003-09-01 to 2004-08-31, with 2004-02-29
constexpr std::uint64_t megabyte = 1000000;

template <std::size_t N> std::string_view any(const std::array<std::string_view, N> &words, Random &random)
{
    return words[random.below(N)];
}

constexpr std::array<std::string_view, 16> adjectives = {
    "Northern", "Velvet", "Paper",  "Silver", "Midnight", "Electric", "Hollow",  "Crimson",
    "Quiet",    "Neon",   "Wooden", "Lunar",  "Frozen",   "Golden",   "Distant", "Blue"};
constexpr std::array<std::string_view, 16> nouns = {"Lights",  "Harbour", "Foxes",  "Radio",   "Orchestra", "Pilots",
                                                    "Gardens", "Tigers",  "Echoes", "Sailors", "Rivers",    "Hotel",
                                                    "Summer",  "Train",   "Forest", "Coast"};
constexpr std::array<std::string_view, 8> foreignArtists = {"Ääniaalto",   "Les Étoiles Filantes", "Café Nocturne",
                                                            "Sähkökitara", "Mañana Club",          "東京 Drift",
                                                            "Kaamos",      "Björkö Brass Band"};
constexpr std::array<std::string_view, 8> topics = {"Recipes", "Manuals", "Linux",    "Guitar tabs",
                                                    "Papers",  "Maps",    "Knitting", "Bus timetables"};
constexpr std::array<std::string_view, 5> documentTypes = {".pdf", ".doc", ".txt", ".rtf", ".zip"};
constexpr std::array<std::string_view, 6> documentNames = {"notes", "guide", "handbook", "list", "draft", "summary"};
constexpr std::array<std::string_view, 40> nickStems = {
    "Pekka", "lasse_b",    "DVDfreak", "Zoë",      "mp3_Mika",  "ひかり",    "k0bra",     "Leech3r",
    "Jorma", "anna-lena",  "Tux",      "Séverine", "nightowl",  "bitmover",  "hessu",     "Pirkko",
    "Ronja", "Mörkö",      "tapsa",    "kimmo_k",  "Kalle",     "juha78",    "xXx_Ville", "Ossi",
    "Lumi",  "retro_Rami", "Elina",    "Snufkin",  "iso-Antti", "Taneli",    "bassface",  "Marjut",
    "Jonne", "soundwave",  "moonpie",  "Kirsi",    "topi_t",    "Lindqvist", "Ilona",     "Kettu"};
constexpr std::array<std::string_view, 8> nickTags = {"", "", "", "[FIN]", "[SWE]", "[DSL]", "[ADSL]", "[1GB]"};
constexpr std::array<std::string_view, 8> nickEnds = {"", "", "", "2", "_", "77", "-home", "_fi"};

enum class Kind { Music, Film, Series, Document };

// One file of the share; files of one album, film or season share a group
// and follow each other in the catalogue.
struct SharedFile {
    std::string path;
    std::uint64_t bytes;
    Kind kind;
    std::uint32_t group;
};

// "Adjective Noun", or "Noun of the Noun" with two different nouns.
std::string title(Random &random)
{
    if (random.below(3) != 0)
        return std::string(any(adjectives, random)) + " " + std::string(any(nouns, random));
    const std::size_t first = random.below(nouns.size());
    const std::size_t second = (first + 1 + random.below(nouns.size() - 1)) % nouns.size();
    return std::string(nouns[first]) + " of the " + std::string(nouns[second]);
}

std::uint64_t between(std::uint64_t low, std::uint64_t high, Random &random)
{
    return low + static_cast<std::uint64_t>(static_cast<double>(high - low) * random.unit());
}

std::string twoDigits(unsigned value)
{
    return std::string{static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

std::vector<SharedFile> makeShare(Random &random)
{
    std::vector<SharedFile> share;
    std::uint32_t group = 0;
    for (std::uint32_t artist = 0; artist < 36; ++artist) {
        const std::string name =
            artist % 5 == 4 ? std::string(any(foreignArtists, random))
                            : "The " + std::string(any(adjectives, random)) + " " + std::string(any(nouns, random));
        for (std::uint32_t album = 0, albums = 2 + random.below(3); album < albums; ++album, ++group) {
            const std::string folder = "D:\\Music\\" + name + "\\" + std::to_string(1990 + random.below(14)) + " - " +
                                       std::string(any(adjectives, random)) + " " + std::string(any(nouns, random));
            for (unsigned track = 1, tracks = 8 + random.below(6); track <= tracks; ++track)
                share.push_back({folder + "\\" + twoDigits(track) + " - " + title(random) + ".mp3",
                                 between(3 * megabyte, 12 * megabyte, random), Kind::Music, group});
        }
    }
    for (std::uint32_t film = 0; film < 48; ++film, ++group) {
        const std::string title = "The " + std::string(any(adjectives, random)) + " " + std::string(any(nouns, random));
        const std::string folder = "E:\\Films\\" + title + " (" + std::to_string(1960 + random.below(44)) + ")";
        if (random.below(3) == 0) {
            share.push_back(
                {folder + "\\" + title + ".avi", between(700 * megabyte, 1500 * megabyte, random), Kind::Film, group});
            continue;
        }
        for (unsigned cd = 1; cd <= 2; ++cd)
            share.push_back({folder + "\\CD" + std::to_string(cd) + "\\" + title + ".cd" + std::to_string(cd) + ".avi",
                             between(640 * megabyte, 720 * megabyte, random), Kind::Film, group});
    }
    for (std::uint32_t show = 0; show < 8; ++show) {
        const std::string name = std::string(any(nouns, random)) + " " + std::string(any(nouns, random));
        for (unsigned season = 1, seasons = 1 + random.below(2); season <= seasons; ++season, ++group)
            for (unsigned episode = 1, episodes = 10 + random.below(4); episode <= episodes; ++episode)
                share.push_back({"E:\\Series\\" + name + "\\Season " + std::to_string(season) + "\\" + name + " - " +
                                     std::to_string(season) + "x" + twoDigits(episode) + ".avi",
                                 between(200 * megabyte, 360 * megabyte, random), Kind::Series, group});
    }
    for (std::uint32_t document = 0; document < 220; ++document) {
        const double u = random.unit();
        share.push_back({"C:\\Share\\Documents\\" + std::string(any(topics, random)) + "\\" + title(random) + " " +
                             std::string(any(documentNames, random)) + std::string(any(documentTypes, random)),
                         20000 + static_cast<std::uint64_t>(4.9e6 * u * u * u), Kind::Document, group++});
    }
    return share;
}

// A visitor: a nick, how often they come, what they come for and how fast
// the user's upload reaches them.
struct Downloader {
    std::string nick;
    double weight;
    Kind likes;
};

std::vector<Downloader> makeDownloaders(Random &random)
{
    static constexpr std::array<Kind, 4> kinds = {Kind::Film, Kind::Music, Kind::Series, Kind::Document};
    static constexpr std::array<Kind, 4> heavy = {Kind::Film, Kind::Music, Kind::Series, Kind::Film};
    std::vector<Downloader> downloaders;
    for (std::uint32_t i = 0; i < 160; ++i) {
        // Four heavy downloaders, thirty regulars, the rest come once or twice.
        const double weight = i < 4 ? 25.0 : i < 34 ? 4.0 : 0.5;
        std::string nick;
        do // every visitor has a nick of their own
            nick = std::string(any(nickTags, random)) +
                   std::string(nickStems[i < 4 ? i : random.below(nickStems.size())]) +
                   std::string(any(nickEnds, random)) + (i < 40 ? "" : std::to_string(random.below(100)));
        while (
            std::any_of(downloaders.begin(), downloaders.end(), [&](const Downloader &d) { return d.nick == nick; }));
        downloaders.push_back({std::move(nick), weight, i < 4 ? heavy[i] : kinds[random.below(4)]});
    }
    return downloaders;
}

// Skewed towards small indices, more gently than Random::popular: a few
// albums and films are favourites, many are fetched now and then.
std::size_t favourite(std::size_t count, Random &random)
{
    const double u = random.unit();
    return std::min(count - 1, static_cast<std::size_t>(u * u * static_cast<double>(count)));
}

// Index drawn with chances proportional to the running sums of the weights.
std::size_t pick(const std::vector<double> &sums, Random &random)
{
    const double at = random.unit() * sums.back();
    return std::min<std::size_t>(sums.size() - 1, std::upper_bound(sums.begin(), sums.end(), at) - sums.begin());
}

template <class Weight> std::vector<double> runningSums(std::size_t count, Weight weight)
{
    std::vector<double> sums(count);
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sums[i] = sum += weight(i);
    return sums;
}

struct Upload {
    std::uint64_t minute; // minutes since the first day began
    std::string text;     // the line after its date and time
};

} // namespace

void generateSampleLog(const std::string &path, const SampleShape &shape)
{
    Random random(shape.seed);
    const std::vector<SharedFile> share = makeShare(random);
    const std::vector<Downloader> downloaders = makeDownloaders(random);
    const CalendarDate firstDay = *CalendarDate::parse("2003-09-01");

    // Weekends and evenings are busy; the share grows popular over the year;
    // the computer is off for ten days in July.
    static constexpr std::array<double, 7> weekday = {0.9, 0.85, 0.9, 0.95, 1.2, 1.7, 1.5};
    static constexpr std::array<double, 24> hour = {4, 3, 2, 1, 1, 1, 1, 2,  2,  3,  3,  3,
                                                    4, 4, 4, 5, 6, 7, 8, 10, 12, 13, 11, 7};
    const std::vector<double> days = runningSums(yearDays, [&](std::size_t d) {
        const CalendarDate date = CalendarDate::fromDayNumber(firstDay.dayNumber() + static_cast<std::int32_t>(d));
        const bool off = date.month() == 7 && date.day() >= 10 && date.day() < 20;
        const int fromMonday = (date.dayNumber() + 3) % 7;
        return off ? 0.0 : weekday[static_cast<std::size_t>(fromMonday)] * (0.5 + static_cast<double>(d) / yearDays);
    });
    const std::vector<double> hours = runningSums(24, [&](std::size_t h) { return hour[h]; });
    const std::vector<double> visitors =
        runningSums(downloaders.size(), [&](std::size_t i) { return downloaders[i].weight; });

    // Where each album, film, season and document begins, in an order of
    // popularity that is fixed for the year.
    std::array<std::vector<std::size_t>, 4> starts;
    for (std::size_t i = 0; i < share.size(); ++i)
        if (i == 0 || share[i - 1].group != share[i].group)
            starts[static_cast<std::size_t>(share[i].kind)].push_back(i);
    for (std::vector<std::size_t> &order : starts)
        for (std::size_t i = order.size() - 1; i > 0; --i)
            std::swap(order[i], order[random.below(i + 1)]);

    std::vector<Upload> uploads;
    while (uploads.size() < shape.lines) {
        const Downloader &visitor = downloaders[pick(visitors, random)];
        const std::uint64_t day = pick(days, random);
        std::uint64_t minute = day * 1440 + pick(hours, random) * 60 + random.below(60);
        const double bytesPerSecond = (16 + random.below(200)) * 1024.0;
        // The line is written when the upload ends; a visit goes on into the next day.
        const auto upload = [&](std::string_view file, std::uint64_t bytes, std::uint64_t sent) {
            const auto seconds =
                std::max<std::uint64_t>(1, static_cast<std::uint64_t>(static_cast<double>(sent) / bytesPerSecond));
            minute += seconds / 60 + random.below(2);
            if (minute >= std::uint64_t{yearDays} * 1440 || uploads.size() >= shape.lines)
                return;
            Upload line{minute, std::string(file)};
            const std::string size = sizeText(bytes, random);
            appendUploadTail(line.text, visitor.nick, size, sent, seconds);
            uploads.push_back(std::move(line));
        };
        // Most visits begin with the file list; older clients fetch the DcLst one.
        if (random.below(10) < 8) {
            const bool old = random.below(yearDays + 200) > day + 200;
            const std::uint64_t bytes = between(20000, old ? 300000 : 90000, random);
            upload(old ? "MyList.DcLst" : "MyList.bz2", bytes, bytes);
        }
        // Mostly what the visitor likes: a whole album (or its first tracks),
        // a film, a few episodes, a document or three.
        const Kind wanted = random.below(4) < 3 ? visitor.likes : static_cast<Kind>(random.below(4));
        const std::vector<std::size_t> &order = starts[static_cast<std::size_t>(wanted)];
        const std::size_t first = order[favourite(order.size(), random)];
        std::size_t count = 99;
        if (wanted == Kind::Music && random.below(3) == 0)
            count = 1 + random.below(3);
        else if (wanted == Kind::Series)
            count = 2 + random.below(4);
        else if (wanted == Kind::Document)
            count = 1 + random.below(3);
        for (std::size_t i = first; i < share.size() && count > 0; ++i, --count) {
            const SharedFile &file = share[i];
            if (file.kind != wanted || (wanted != Kind::Document && file.group != share[first].group))
                break;
            // Now and then a long upload breaks off; the log then counts the bytes sent.
            const bool partial = file.bytes > 100 * megabyte && random.below(20) == 0;
            upload(file.path, file.bytes, partial ? between(file.bytes / 10, file.bytes, random) : file.bytes);
        }
    }
    std::stable_sort(uploads.begin(), uploads.end(),
                     [](const Upload &a, const Upload &b) { return a.minute < b.minute; });

    NativeFile file(path, NativeFile::Mode::Write);
    std::string out;
    for (const Upload &upload : uploads) {
        const CalendarDate date =
            CalendarDate::fromDayNumber(firstDay.dayNumber() + static_cast<std::int32_t>(upload.minute / 1440));
        appendDateTime(out, static_cast<unsigned>(date.year()), static_cast<unsigned>(date.month()),
                       static_cast<unsigned>(date.day()), static_cast<unsigned>(upload.minute / 60 % 24),
                       static_cast<unsigned>(upload.minute % 60));
        out += upload.text;
    }
    file.write(out.data(), out.size());
    file.close();
}

} // namespace varnoth::bench
