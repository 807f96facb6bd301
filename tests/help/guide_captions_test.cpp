// Every caption the guide marks as the program's own text (<span class="ui">: menu
// items, window and button captions, option names, messages) is a text the program
// has in that language: an entry of the string table, or one of the program's own
// bilingual texts in the sources. A caption renamed in the program, or mistyped in
// the guide, fails here.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

namespace r57 {
namespace {

const QString kSource = QString(R57_SOURCE_DIR) + '/';

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A caption as the user sees it: no access key ("&File", "文件(&F)"), no trailing
// colon, no tab with a shortcut after it.
QString Shown(QString text) {
    text.replace(QRegularExpression(R"(\(&.\))"), "");
    text.replace("&&", QChar(1)).remove('&').replace(QChar(1), "&");
    text = text.section("\\t", 0, 0).trimmed();
    while (text.endsWith(':') || text.endsWith(QChar(0xFF1A))) {
        text.chop(1);
    }
    return text.trimmed();
}

struct Texts {
    QSet<QString> of[2]; // English, Chinese
};

// The string table, and every pair of texts {"english", "chinese"} in the sources
// (OwnText constants, menu items, field captions).
const Texts& ProgramTexts() {
    static const Texts texts = [] {
        Texts t;
        for (const QString& line : Read(kSource + "resources/strings.tsv").split('\n')) {
            const int tab = line.indexOf('\t');
            if (line.startsWith('#') || tab < 0) {
                continue;
            }
            t.of[line.left(tab).toInt() > 2000 ? 1 : 0].insert(Shown(line.mid(tab + 1)));
        }
        const QRegularExpression pair(
            R"re("((?:[^"\\]|\\.)*)"\s*,\s*"((?:[^"\\]|\\.)*)"\s*[})])re");
        QDirIterator files(kSource + "src", {"*.cpp", "*.h"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString code = Read(files.next());
            for (auto it = pair.globalMatch(code); it.hasNext();) {
                const auto m = it.next();
                const bool chinese = m.captured(2).contains(QRegularExpression("[^\\x00-\\x7f]"));
                if (chinese || m.captured(1) == m.captured(2)) {
                    t.of[0].insert(Shown(m.captured(1)));
                    t.of[1].insert(Shown(m.captured(2)));
                }
            }
        }
        return t;
    }();
    return texts;
}

TEST(GuideCaptions, EveryMarkedCaptionIsATextOfTheProgramInThatLanguage) {
    // The lookup itself: a caption is found with its access key and colon gone, and a
    // text of the other language or a made-up one is not.
    const Texts& texts = ProgramTexts();
    EXPECT_TRUE(texts.of[0].contains("Program Several Radios..."));
    EXPECT_TRUE(texts.of[1].contains("批量写入多台对讲机..."));
    EXPECT_TRUE(texts.of[0].contains("Scan_Rev"));
    EXPECT_FALSE(texts.of[0].contains("批量写入多台对讲机..."));
    EXPECT_FALSE(texts.of[1].contains("批量写频..."));

    const QRegularExpression span(R"re(<span class="ui">(.*?)</span>)re");
    for (const int language : {0, 1}) {
        const QString folder = kSource + "docs/guide/" + (language ? "zh" : "en");
        int marked = 0;
        for (const QString& page : QDir(folder).entryList({"*.html"}, QDir::Files)) {
            const QString html = Read(folder + '/' + page);
            for (auto it = span.globalMatch(html); it.hasNext();) {
                const QString caption =
                    Shown(QTextDocumentFragment::fromHtml(it.next().captured(1)).toPlainText());
                EXPECT_TRUE(texts.of[language].contains(caption))
                    << (page + ": \"" + caption + '"').toStdString();
                ++marked;
            }
        }
        // Most pages name captions; a guide that lost its markup proves nothing.
        EXPECT_GT(marked, 250) << folder.toStdString();
    }
}

} // namespace
} // namespace r57
