// A data file named on the command line (r57cps FILE.dat): opened with the checks of
// File > Open, and a name that leads nowhere is reported instead of ignored.
#include "main_window_fixture.h"

#include "core/data_file.h"

#include <QDir>
#include <QFile>

namespace r57::ui::testing {
namespace {

class OpenFile : public MainWindowTest {
protected:
    QTemporaryDir dir;
};

TEST_F(OpenFile, EachKindOfFileAndAnswer) {
    CodeplugImage saved = session().image;
    PutChannel(saved, kBankA, 1, "440.12500", nullptr, "SAVED");
    ASSERT_TRUE(WriteDataFile(dir.filePath("site1.dat").toStdString(), saved).ok);
    QFile wrong(dir.filePath("wrong.dat"));
    ASSERT_TRUE(wrong.open(QIODevice::WriteOnly));
    wrong.write("not a codeplug");
    wrong.close();

    const struct {
        const char* name;
        QString file;
        int language;
        bool pendingChange;
        std::deque<Answer> answers;
        bool loaded;
        QStringList asked; // the text of each message, in order ("" skips the check)
    } table[] = {
        {"a good file, given relative to the working folder",
         "site1.dat",
         kEnglish,
         false,
         {},
         true,
         {}},
        {"a good file with changes pending, saved first: No",
         dir.filePath("site1.dat"),
         kEnglish,
         true,
         {Answer::No},
         true,
         {Tr(1276)}},
        {"changes pending, Cancel",
         dir.filePath("site1.dat"),
         kEnglish,
         true,
         {Answer::Cancel},
         false,
         {Tr(1276)}},
        {"a file of the wrong type",
         dir.filePath("wrong.dat"),
         kEnglish,
         false,
         {},
         false,
         {Tr(1277)}},
        {"no such file",
         dir.filePath("none.dat"),
         kEnglish,
         false,
         {},
         false,
         {"Cannot open " + dir.filePath("none.dat") + ":\nNo such file or directory"}},
        {"no such file, Chinese",
         dir.filePath("none.dat"),
         kChinese,
         false,
         {},
         false,
         {"无法打开 " + dir.filePath("none.dat") + "：\nNo such file or directory"}},
        {"a folder", dir.path(), kEnglish, false, {}, false, {""}},
    };
    const QString home = QDir::currentPath();
    QDir::setCurrent(dir.path());
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        open();
        if (session().language != row.language) {
            window->switchLanguage(row.language);
        }
        if (row.pendingChange) {
            loadChannels({3});
        }
        const CodeplugImage before = session().image;
        prompts.answers = row.answers;
        prompts.asked.clear();

        EXPECT_EQ(window->openFile(row.file), row.loaded);

        ASSERT_EQ(prompts.asked.size(), static_cast<std::size_t>(row.asked.size()));
        for (int i = 0; i < row.asked.size(); ++i) {
            if (!row.asked[i].isEmpty()) {
                EXPECT_EQ(prompts.asked[i].text, row.asked[i]);
            }
        }
        EXPECT_TRUE(prompts.fileDialogs.isEmpty());
        if (row.loaded) {
            EXPECT_TRUE(session().image == saved);
            EXPECT_FALSE(session().hasUnsavedChanges());
            EXPECT_EQ(session().currentFileName, dir.filePath("site1.dat").toStdString());
            EXPECT_EQ(window->windowTitle(), "R57 [File Name: site1.dat] V1.10");
            EXPECT_EQ(grid()->cellText(1, kColName).trimmed(), "SAVED");
        } else {
            EXPECT_TRUE(session().image == before);
            EXPECT_EQ(session().currentFileName, kUntitled);
        }
    }
    QDir::setCurrent(home);
}

} // namespace
} // namespace r57::ui::testing
