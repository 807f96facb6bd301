// The backup folder's files, and which bytes verify after write compares.
#include "common/child_process.h"
#include "common/test_images.h"

#include "core/data_file.h"
#include "link/backups.h"
#include "link/verify.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <thread>

#include <QFileInfo>

using namespace r57;
using namespace r57::test;
using link::BackupKind;

namespace {

const QDateTime kWhen(QDate(2026, 12, 7), QTime(20, 45, 10));

std::vector<std::string> BackupNames(const TempFolder& folder) {
    std::vector<std::string> names = folder.names();
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& n) { return n.rfind("20", 0) != 0; }),
                names.end());
    return names;
}

} // namespace

TEST(Backups, KeepTheImageUnderTheDateTimeAndKind) {
    TempFolder folder;
    const struct {
        BackupKind kind;
        const char* name;
    } table[] = {
        {BackupKind::Read, "2026-12-07_20-45-10_read.dat"},
        {BackupKind::Written, "2026-12-07_20-45-10_written.dat"},
        {BackupKind::VerifyRead, "2026-12-07_20-45-10_verify-read.dat"},
        {BackupKind::RangesRead, "2026-12-07_20-45-10_ranges-read.dat"},
        {BackupKind::TuningRead, "2026-12-07_20-45-10_tuning-read.dat"},
        {BackupKind::Read, "2026-12-07_20-45-10_read_2.dat"}, // the same second: sorts after
        {BackupKind::TuningBefore, "2026-12-07_20-45-10_service-tuning-before.dat"},
    };
    unsigned variant = 0;
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        const CodeplugImage image = RandomImage(++variant);
        const link::BackupResult kept =
            link::KeepBackup(image, row.kind, QString::fromStdString(folder.path()), kWhen);
        ASSERT_TRUE(kept.ok) << kept.error.toStdString();
        EXPECT_EQ(kept.path.toStdString(), folder.file(row.name));
        const LoadedFile loaded = ReadDataFile(folder.file(row.name));
        ASSERT_TRUE(loaded.status.ok);
        EXPECT_TRUE(loaded.image == image);
    }
}

TEST(Backups, TheNewest200StayAndOtherFilesAreNeverTouched) {
    TempFolder folder;
    const QString path = QString::fromStdString(folder.path());
    std::ofstream(folder.file("notes.txt")) << "mine";
    std::ofstream(folder.file("site1.dat")) << "mine";
    for (int i = 0; i < link::kBackupsKept + 1; ++i) {
        ASSERT_TRUE(link::KeepBackup(CodeplugImage(), BackupKind::Read, path, kWhen.addSecs(i)).ok);
    }
    const std::vector<std::string> names = BackupNames(folder);
    ASSERT_EQ(names.size(), 200u);
    EXPECT_EQ(names.front(), "2026-12-07_20-45-11_read.dat"); // the first one went
    EXPECT_EQ(names.back(), "2026-12-07_20-48-30_read.dat");
    EXPECT_TRUE(FileExists(folder.file("notes.txt")));
    EXPECT_TRUE(FileExists(folder.file("site1.dat")));
}

TEST(Backups, RotationGoesByTheOrderMadeKeepsPinnedOnesAndNamesAreTakenOnce) {
    TempFolder folder;
    const QString path = QString::fromStdString(folder.path());
    constexpr int kKept = 5;
    // The clock set back by a day half-way: the backups made after look older by name
    // and by time, and are still the newest.
    std::vector<QString> made;
    for (int i = 0; i < 8; ++i) {
        const QDateTime when = kWhen.addSecs(i < 4 ? 60 * i : 60 * i - 86400);
        const bool pinned = i == 1; // kept before a write that was never verified
        const auto kept =
            link::KeepBackup(CodeplugImage(), BackupKind::Read, path, when, kKept, {}, pinned);
        ASSERT_TRUE(kept.ok);
        made.push_back(kept.path);
    }
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(QFileInfo::exists(made[i]), i == 1 || i >= 4);
    }
    EXPECT_TRUE(link::IsPinned(made[1]));
    link::ReleaseBackup(made[1]);
    ASSERT_TRUE(link::KeepBackup(CodeplugImage(), BackupKind::Read, path, kWhen, kKept).ok);
    EXPECT_FALSE(QFileInfo::exists(made[1])); // released: the oldest now, and gone

    // Two programs keeping a backup in the same second: two files, neither replaced.
    TempFolder race;
    const QString racePath = QString::fromStdString(race.path());
    std::vector<std::thread> threads;
    std::vector<link::BackupResult> results(6);
    for (std::size_t i = 0; i < results.size(); ++i) {
        threads.emplace_back([&, i] {
            results[i] = link::KeepBackup(RandomImage(static_cast<unsigned>(i + 1)),
                                          BackupKind::Read, racePath, kWhen);
        });
    }
    for (std::thread& t : threads)
        t.join();
    std::set<QString> paths;
    for (std::size_t i = 0; i < results.size(); ++i) {
        ASSERT_TRUE(results[i].ok);
        paths.insert(results[i].path);
        EXPECT_TRUE(ReadDataFile(results[i].path.toStdString()).image ==
                    RandomImage(static_cast<unsigned>(i + 1)));
    }
    EXPECT_EQ(paths.size(), results.size());
    EXPECT_EQ(link::BackupKindOfName("2026-12-07_20-45-10_service-tuning-before_3.dat"),
              BackupKind::TuningBefore);
    EXPECT_EQ(link::BackupKindOfName("2026-12-07_20-45-10_read-radio-7.dat"), BackupKind::Read);
    EXPECT_EQ(link::BackupKindOfName("site1.dat"), std::nullopt);
}

TEST(Backups, AFolderThatCannotBeMadeIsReportedWithTheSystemsReason) {
    TempFolder folder;
    std::ofstream(folder.file("backups")) << "a file where the folder should be";
    const link::BackupResult kept = link::KeepBackup(
        CodeplugImage(), BackupKind::Written, QString::fromStdString(folder.file("backups")));
    EXPECT_FALSE(kept.ok);
    EXPECT_FALSE(kept.error.isEmpty());
    EXPECT_TRUE(kept.path.startsWith(QString::fromStdString(folder.file("backups/"))));
}

TEST(Verify, ComparesEveryRowAWriteSendsAndNothingElse) {
    const CodeplugImage sent = RandomImage(3);
    const struct {
        int address;
        bool compared;
    } table[] = {
        {0x0000, true},  {0x0CFF, true},  {0x0D00, false}, {0x0D0F, false}, {0x0D10, true},
        {0x0EEF, true},  {0x0EF0, false}, {0x0FFF, false}, {0x1000, true},  {0x2FFF, true},
        {0x3000, false}, {0x37FF, false}, {0x3800, true},  {0x3BFF, true},  {0x3C00, false},
    };
    int expected = 0;
    int first = -1;
    CodeplugImage back = sent;
    for (const auto& row : table) {
        CodeplugImage one = sent;
        one.set(row.address, static_cast<uint8_t>(~sent.at(row.address)));
        const link::VerifyResult r = link::CompareWritten(sent, one);
        EXPECT_EQ(r.ok(), !row.compared) << std::hex << row.address;
        EXPECT_EQ(r.firstAddress, row.compared ? row.address : -1) << std::hex << row.address;
        EXPECT_EQ(r.compared, 13024); // 204 blocks: 202 of 64 bytes, 2 of 48
        back.set(row.address, one.at(row.address));
        if (row.compared) {
            ++expected;
            first = first < 0 ? row.address : first;
        }
    }
    const link::VerifyResult all = link::CompareWritten(sent, back);
    EXPECT_EQ(all.differing, expected);
    EXPECT_EQ(all.firstAddress, first);
}
