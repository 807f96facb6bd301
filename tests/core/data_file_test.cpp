#include "common/child_process.h"
#include "core/compressor.h"
#include "core/data_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace r57 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// An empty image with `changed` bytes set at random, the same for the same `variant`.
CodeplugImage RandomImage(unsigned variant, int changed) {
    std::mt19937 random(variant);
    CodeplugImage image;
    for (int i = 0; i < changed; ++i) {
        image.set(random() % CodeplugImage::kSize, static_cast<uint8_t>(random()));
    }
    return image;
}

using test::TempFolder;

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

TEST(DataFile, PlainImageLayout) {
    CodeplugImage image;
    image.set(0x0000, 0x12);
    image.set(0x3FFF, 0x34);
    const Bytes plain = BuildPlainImage(image);
    ASSERT_EQ(plain.size(), 16400u);
    EXPECT_EQ(std::string(plain.begin(), plain.begin() + 6), "SLZBRT");
    EXPECT_EQ(Bytes(plain.begin() + 6, plain.begin() + 16), Bytes(10, 0xFF));
    EXPECT_EQ(plain[16], 0x12);
    EXPECT_EQ(plain[16399], 0x34);
}

TEST(DataFile, RoundTripsImages) {
    std::vector<CodeplugImage> images{CodeplugImage{}, RandomImage(1, 100), RandomImage(2, 3000),
                                      RandomImage(3, 100000)};
    CodeplugImage zeros;
    zeros.fill(0x00);
    images.push_back(zeros);
    for (const CodeplugImage& image : images) {
        const Bytes content = EncodeDataFile(image);
        const std::optional<CodeplugImage> back = DecodeDataFile(content);
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, image);
    }
    EXPECT_LT(EncodeDataFile(CodeplugImage{}).size(), 100u);
}

Bytes Stored(Bytes plain) {
    CompressBytes(plain);
    return plain;
}

TEST(DataFile, RefusesWhatIsNotADataFile) {
    const Bytes good = EncodeDataFile(RandomImage(4, 500));
    Bytes plain = BuildPlainImage(RandomImage(4, 500));
    Bytes wrongMark = plain;
    wrongMark[5] = 'X';
    Bytes oneShort(plain.begin(), plain.end() - 1);
    Bytes oneLong = plain;
    oneLong.push_back(0xFF);
    Bytes flipped = good;
    flipped[0] ^= 0x5A; // the outer pass's flag block length
    Bytes badCount = good;
    badCount.back() += 1;
    const struct {
        const char* what;
        Bytes content;
    } cases[] = {
        {"empty", {}},
        {"truncated", Bytes(good.begin(), good.begin() + good.size() / 2)},
        {"last byte dropped", Bytes(good.begin(), good.end() - 1)},
        {"wrong mark", Stored(wrongMark)},
        {"one byte short", Stored(oneShort)},
        {"one byte long", Stored(oneLong)},
        {"uncompressed plain image", plain},
        {"garbled length", flipped},
        {"wrong pass count", badCount},
        {"text", Bytes{'h', 'e', 'l', 'l', 'o', '\n'}},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(DecodeDataFile(c.content)) << c.what;
    }
}

TEST(DataFile, ReadReportsMissingAndWrongFiles) {
    TempFolder folder;
    const CodeplugImage image = RandomImage(5, 200);
    ASSERT_TRUE(WriteDataFile(folder.file("good.dat"), image));
    WriteBytes(folder.file("wrong.dat"), {1, 2, 3});
    WriteBytes(folder.file("huge.dat"), Bytes(200000, 0xFF));

    LoadedFile good = ReadDataFile(folder.file("good.dat"));
    EXPECT_TRUE(good.status);
    EXPECT_EQ(good.image, image);

    for (const char* name : {"wrong.dat", "huge.dat"}) {
        LoadedFile wrong = ReadDataFile(folder.file(name));
        EXPECT_FALSE(wrong.status) << name;
        EXPECT_EQ(wrong.status.messageId, kIncorrectFileType) << name;
    }
    for (const std::string& path : {folder.file("missing.dat"), folder.path()}) {
        LoadedFile missing = ReadDataFile(path);
        EXPECT_FALSE(missing.status) << path;
        EXPECT_EQ(missing.status.messageId, 0) << path;
        EXPECT_FALSE(missing.status.detail.empty()) << path;
    }
}

TEST(WriteFileAtomically, ReplacesTheWholeContentAndKeepsPermissions) {
    TempFolder folder;
    const std::string path = folder.file("site1.dat");
    WriteBytes(path, Bytes(5000, 0x11));
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path, {1, 2, 3}));
    EXPECT_EQ(ReadWholeFile(path), (Bytes{1, 2, 3}));
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"site1.dat"});

    ASSERT_TRUE(WriteFileAtomically(folder.file("empty.dat"), {}));
    EXPECT_EQ(ReadWholeFile(folder.file("empty.dat")), Bytes{});
}

TEST(WriteFileAtomically, FailureLeavesTheOldFileAndNoTemporary) {
    TempFolder folder;
    fs::create_directory(folder.file("target.dat"));
    WriteBytes(folder.file("target.dat/inside"), {9});

    Status status = WriteFileAtomically(folder.file("target.dat"), {1, 2, 3});
    EXPECT_FALSE(status);
    EXPECT_EQ(status.messageId, 0);
    EXPECT_FALSE(status.detail.empty());
    EXPECT_TRUE(fs::is_directory(folder.file("target.dat")));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"target.dat"});

    status = WriteFileAtomically(folder.file("no-such-folder/x.dat"), {1});
    EXPECT_FALSE(status);
    EXPECT_EQ(status.detail, "No such file or directory");
}

TEST(WriteFileAtomically, ReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    TempFolder folder;
    const std::string path = folder.file("site1.dat");
    const CodeplugImage old = RandomImage(6, 300);
    ASSERT_TRUE(WriteDataFile(path, old));
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);

    const Status status = WriteDataFile(path, RandomImage(7, 300));
    EXPECT_FALSE(status);
    EXPECT_EQ(status.detail, "Permission denied");
    LoadedFile kept = ReadDataFile(path);
    EXPECT_TRUE(kept.status);
    EXPECT_EQ(kept.image, old);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"site1.dat"});
}

// A master copy without any write bit is not replaced, not even by root, nor through a
// link to it; nothing is left behind, and a new name beside it is still written.
TEST(WriteFileAtomically, AFileWithoutWriteBitsIsRefusedUntouched) {
    TempFolder folder;
    const std::string master = folder.file("master.dat");
    WriteBytes(master, Bytes(300, 0x42));
    ASSERT_EQ(chmod(master.c_str(), 0444), 0);
    fs::create_symlink("master.dat", folder.file("link.dat"));
    for (const std::string& target : {master, folder.file("link.dat")}) {
        for (const Status& status :
             {WriteFileAtomically(target, {1, 2, 3}), CheckWriteTarget(target)}) {
            EXPECT_FALSE(status) << target;
            EXPECT_EQ(status.detail, "Permission denied") << target;
            EXPECT_FALSE(status.notRegularFile);
        }
    }
    EXPECT_EQ(ReadWholeFile(master), Bytes(300, 0x42));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"link.dat", "master.dat"}));
    EXPECT_TRUE(WriteFileAtomically(folder.file("copy.dat"), {1}));
}

// A file with write bits that are not the user's: the rename would need only the
// folder, which everybody may write here. Run as another user in a child process.
TEST(WriteFileAtomically, AFileTheUserMayNotWriteIsRefused) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "making a file of another user needs the superuser";
    }
    TempFolder folder;
    ASSERT_EQ(chmod(folder.path().c_str(), 0777), 0);
    const std::string path = folder.file("site1.dat");
    WriteBytes(path, Bytes(10, 0x42));
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // nobody/nogroup; exit 3 when the folder's parents cannot be reached by them.
        if (setgid(65534) != 0 || setuid(65534) != 0 || access(folder.path().c_str(), W_OK) != 0) {
            _exit(3);
        }
        const Status status = WriteFileAtomically(path, {1});
        _exit(!status && status.detail == "Permission denied" ? 0 : 1);
    }
    int wstatus = 0;
    ASSERT_EQ(waitpid(child, &wstatus, 0), child);
    ASSERT_TRUE(WIFEXITED(wstatus));
    if (WEXITSTATUS(wstatus) == 3) {
        GTEST_SKIP() << "the scratch folder is out of reach of user nobody";
    }
    EXPECT_EQ(WEXITSTATUS(wstatus), 0);
    EXPECT_EQ(ReadWholeFile(path), Bytes(10, 0x42));
}

TEST(DataFile, ANameNotEndingInDatGetsTheSuffix) {
    const std::pair<const char*, const char*> cases[] = {
        {"St. Marys", "St. Marys.dat"},
        {"/data/v1.2/north", "/data/v1.2/north.dat"},
        {"SITE1.DAT", "SITE1.DAT"},
        {"trailing.", "trailing.dat"},
        {"", ""},
        {"/dev/null", "/dev/null"}, // refused as it is
        {"/tmp", "/tmp"},
    };
    for (const auto& [given, saved] : cases) {
        EXPECT_EQ(WithDataSuffix(given), saved) << given;
    }
}

TEST(WindowTitle, NamesTheFileAfterTheLastSeparator) {
    const struct {
        const char* fileName;
        const char* title;
    } cases[] = {
        {"Untitled", "R57 [File Name: Untitled] V1.10"},
        {"C:\\data\\site1.dat", "R57 [File Name: site1.dat] V1.10"},
        {"/home/op/codeplugs/site2.dat", "R57 [File Name: site2.dat] V1.10"},
        {"mixed/dir\\site3.dat", "R57 [File Name: site3.dat] V1.10"},
        {"plain.dat", "R57 [File Name: plain.dat] V1.10"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WindowTitle(c.fileName), c.title);
    }
}

} // namespace
} // namespace r57
