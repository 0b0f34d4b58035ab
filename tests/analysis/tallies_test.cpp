#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "analysis/deferred_tallies.h"
#include "analysis/tallies.h"

using namespace varnoth;

namespace {

std::string text(const UploadTime &t)
{
    return std::to_string(t.hours) + ":" + std::to_string(t.minutes) + ":" + std::to_string(t.seconds);
}

void addFile(Tallies &t, std::string_view path, double bytes = 1e6)
{
    t.addFileUpload(path, 0, hashText(path), bytes);
}

// The names of a table with their counts, in order of first appearance.
std::vector<std::pair<std::string, std::int64_t>> counts(const NameTable &table)
{
    std::vector<std::pair<std::string, std::int64_t>> out;
    table.forEach([&](const NameTable::Entry &e) { out.emplace_back(e.name(), e.count); });
    return out;
}

// The upload time as the rules define it: uploads added one by one, the
// first stored as it comes, every later one carrying once at 60.
UploadTime addedOneByOne(const std::vector<DurationParts> &uploads)
{
    auto whole = [](double part) { return static_cast<std::int64_t>(std::nearbyint(part)); };
    UploadTime t;
    for (std::size_t i = 0; i < uploads.size(); ++i) {
        const DurationParts &d = uploads[i];
        if (i == 0) {
            t = {whole(d.hours), whole(d.minutes), whole(d.seconds)};
            continue;
        }
        t.seconds = whole(static_cast<double>(t.seconds) + d.seconds);
        if (t.seconds >= 60) {
            t.seconds -= 60;
            t.minutes += 1;
        }
        t.minutes = whole(static_cast<double>(t.minutes) + d.minutes);
        if (t.minutes >= 60) {
            t.minutes -= 60;
            t.hours += 1;
        }
        t.hours += whole(d.hours);
    }
    return t;
}

} // namespace

TEST(DownloaderTally, CarriesForReturningDownloadersOnly)
{
    struct Case {
        std::vector<DurationParts> uploads;
        const char *expected;
    };
    const Case cases[] = {
        {{{0, 0, 40}, {0, 0, 30}}, "0:1:10"},
        {{{0, 0, 30}, {0, 0, 30}}, "0:1:0"},
        {{{0, 59, 59}}, "0:59:59"},
        {{{0, 59, 59}, {0, 0, 1}}, "1:0:0"},
        // A first upload is stored as it comes, without carrying.
        {{{0, 0, 99}}, "0:0:99"},
        {{{10, 0, 1}, {10, 0, 1}}, "20:0:2"},
    };
    for (const auto &c : cases) {
        Tallies t;
        for (const auto &d : c.uploads)
            t.addDownloaderUpload("Bob", 1.0, d);
        EXPECT_EQ(text(t.downloaders()[0].time.total()), c.expected);
        EXPECT_EQ(t.downloaders()[0].uploads, static_cast<std::int64_t>(c.uploads.size()));
    }
}

TEST(DownloaderTally, NicksAreComparedExactlyAndKeptInFirstAppearanceOrder)
{
    Tallies t;
    for (const char *nick : {"bob", "Bob", "bob", "Zoë", "Bob "})
        t.addDownloaderUpload(nick, 2.5e6, {0, 0, 1});
    std::vector<std::string> nicks;
    for (const auto &[nick, count] : counts(t.downloaderNames()))
        nicks.push_back(nick);
    EXPECT_EQ(nicks, (std::vector<std::string>{"bob", "Bob", "Zoë", "Bob "}));
    EXPECT_EQ(t.downloaders()[0].uploads, 2);
    EXPECT_DOUBLE_EQ(t.downloaders()[0].megabytes(), 5.0);
}

// The time of stretches of uploads kept apart and joined gives exactly the
// time of adding them one by one, odd durations (parts above 59, negative or
// fractional ones, as the fallback readings give) included.
TEST(UploadTimeLog, JoinedStretchesEqualAddingOneByOne)
{
    std::mt19937 random(7);
    const double odd[] = {99, 60, -5, 0.5, 2.5, 75, -0.5};
    for (int round = 0; round < 3000; ++round) {
        std::vector<DurationParts> uploads(1 + random() % 40);
        for (DurationParts &d : uploads) {
            d.hours = static_cast<double>(random() % 3 == 0 ? random() % 12 : 0);
            d.minutes = static_cast<double>(random() % 60);
            d.seconds = static_cast<double>(random() % 60);
            if (random() % 8 == 0)
                (random() % 2 ? d.minutes : d.seconds) = odd[random() % std::size(odd)];
        }
        UploadTimeLog joined, stretch;
        for (const DurationParts &d : uploads) {
            stretch.add(d);
            if (random() % 4 == 0) {
                joined.append(stretch);
                stretch = {};
            }
        }
        joined.append(stretch);
        ASSERT_EQ(text(joined.total()), text(addedOneByOne(uploads))) << round;
    }
}

TEST(FileTallies, FileListsAreCountedApart)
{
    Tallies t;
    for (const char *path :
         {"C:\\share\\a.avi ", "C:\\share\\b.avi ", "C:\\share\\a.avi ", "X\\MyList.bz2 ", "mylist.bz2 "})
        addFile(t, path);
    addFile(t, "MyList.bz2 ", 250000);
    addFile(t, "MyList.DcLst ", 500000);
    EXPECT_EQ(t.files().size(), 4u);
    EXPECT_EQ(counts(t.files())[0].second, 2);
    EXPECT_EQ(t.bz2ListUploads(), 1);
    EXPECT_EQ(t.dcLstUploads(), 1);
    EXPECT_DOUBLE_EQ(t.fileListBytes().value() / 1e6, 0.75);
}

// The deferred, prefetched file tally, with folders counted from the
// files, gives exactly the tallies of counting each upload's file and
// folder at once.
TEST(DeferredTallies, EqualCountingEachUploadAtOnce)
{
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        // Few distinct paths make repeats common; some share folders, some
        // have none, some are the client's file list.
        const int distinct = 1 + static_cast<int>(random() % 300);
        std::vector<std::string> paths;
        for (int i = 0; i < distinct; ++i) {
            switch (random() % 6) {
            case 0:
                paths.push_back("MyList.bz2 ");
                break;
            case 1:
                paths.push_back("song" + std::to_string(i) + ".mp3 ");
                break;
            default:
                paths.push_back("C:\\f" + std::to_string(random() % 20) + "\\x" + std::to_string(i) + " ");
            }
        }
        Tallies direct, deferred;
        std::vector<std::pair<std::string, std::int64_t>> folders; // each access counted as it comes
        DeferredTallies queue(deferred);
        const int uploads = static_cast<int>(random() % 2000);
        for (int i = 0; i < uploads; ++i) {
            const std::string &path = paths[random() % paths.size()];
            const std::size_t folder = path.rfind('\\') == std::string::npos ? 0 : path.rfind('\\');
            addFile(direct, path, 0.5);
            if (folder != 0) {
                auto at = std::find_if(folders.begin(), folders.end(),
                                       [&](const auto &f) { return f.first == path.substr(0, folder); });
                if (at == folders.end())
                    at = folders.insert(at, {path.substr(0, folder), 0});
                ++at->second;
            }
            queue.add(path, folder, 0.5);
        }
        queue.flush();
        deferred.countFolders();
        EXPECT_EQ(counts(deferred.files()), counts(direct.files()));
        EXPECT_EQ(counts(deferred.folders()), folders);
        EXPECT_EQ(deferred.bz2ListUploads(), direct.bz2ListUploads());
        EXPECT_EQ(deferred.fileListBytes().value(), direct.fileListBytes().value());
    }
}
