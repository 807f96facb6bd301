// The compiled-in string table: lookup by language, tab endings, completeness.
#include "core/strings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace r57 {
namespace {

TEST(Strings, LookupByLanguage) {
    struct Case {
        int id;
        const char* english;
        const char* chinese;
    };
    const Case cases[] = {{1001, "&File", "文件(&F)"},
                          {1107, "None", "无"},
                          {1106, "Frequency is out of range.", "频率超出范围。"},
                          {1277, "Incorrect File Type.", "文件类型不正确。"},
                          {1314, "An insert will Cause the last Channel to be lost.Continue?",
                           "插入将导致最后一个信道丢失，继续？"},
                          {1382, "Opening Port...", "打开端口"},
                          {1390, "Wrong Password,Please try again!", "无效的密码，请重试!"},
                          {1420, "sec", "秒"},
                          {1450, "Select &All", "全选(&A)"}};
    for (const Case& c : cases) {
        EXPECT_EQ(Text(c.id, 0), c.english) << c.id;
        EXPECT_EQ(Text(c.id, 1), c.chinese) << c.id;
        ASSERT_NE(LookupString(c.id + 1000), nullptr);
        EXPECT_EQ(*LookupString(c.id + 1000), c.chinese);
    }
}

TEST(Strings, TabEndingsAreKeptExactly) {
    EXPECT_EQ(Text(1291, 0), "Check Connection. Retry or Cancel?\t");
    EXPECT_EQ(Text(1291, 1), "检测连接。重试或取消？");
    EXPECT_EQ(Text(1384, 0), "Transfering...\t");
    EXPECT_EQ(Text(1384, 1), "传输数据...");
    EXPECT_EQ(Text(1388, 0), "Error!");
    EXPECT_EQ(Text(1388, 1), "出错！\t");
}

TEST(Strings, MissingAndUnusedIdsGiveNothing) {
    for (int id : {1069, 1176, 1177, 1178, 1407, 1000, 1526, 0, -5}) {
        EXPECT_EQ(LookupString(id), nullptr) << id;
        EXPECT_EQ(LookupString(id + 1000), nullptr) << id;
        EXPECT_EQ(Text(id, 0), "") << id;
        EXPECT_EQ(Text(id, 1), "") << id;
    }
}

TEST(Strings, EveryEntryHasItsCounterpartAndAText) {
    int english = 0;
    for (int id = 1; id < 4000; ++id) {
        const std::string* text = LookupString(id);
        if (!text) {
            continue;
        }
        ASSERT_TRUE((id >= 1001 && id <= 1525) || (id >= 2001 && id <= 2525)) << id;
        EXPECT_FALSE(text->empty()) << id;
        const int other = id < 2000 ? id + 1000 : id - 1000;
        EXPECT_NE(LookupString(other), nullptr) << id << " has no counterpart";
        english += id < 2000 ? 1 : 0;
    }
    EXPECT_EQ(StringCount(), 2 * english);
    EXPECT_GT(english, 200);
}

// Every entry line of the resource file must reach the table: a malformed line or a
// duplicated id would silently lose a text.
TEST(Strings, EveryLineOfTheResourceIsAnEntry) {
    // The source tree: R57_SOURCE_DIR, or three folders up from this file.
    const char* env = std::getenv("R57_SOURCE_DIR");
    const std::filesystem::path source =
        env ? std::filesystem::path(env)
            : std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
    std::ifstream in(source / "resources" / "strings.tsv");
    ASSERT_TRUE(in) << "resources/strings.tsv";
    std::set<int> ids;
    std::string line;
    int entries = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        ++entries;
        const auto tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        const int id = std::stoi(line.substr(0, tab));
        EXPECT_TRUE(ids.insert(id).second) << "duplicate " << id;
        EXPECT_NE(LookupString(id), nullptr) << line;
    }
    EXPECT_EQ(entries, StringCount());
}

} // namespace
} // namespace r57
