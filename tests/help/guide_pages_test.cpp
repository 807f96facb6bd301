// The guide's pages as they lie in the source tree (and so installed and in the build
// folder): the same pages in both languages, every page in the contents, every link
// and image resolving to a file and an anchor that exist, nothing that needs a network,
// and every window's page in place.
#include "help/help_topics.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <gtest/gtest.h>

namespace r57::ui {
namespace {

const QString kGuide = QString(R57_SOURCE_DIR) + "/docs/guide/";
const char* const kLanguages[] = {"en", "zh"};

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Pages(const QString& language) {
    return QDir(kGuide + language).entryList({"*.html"}, QDir::Files, QDir::Name);
}

QStringList Captures(const QString& text, const QString& pattern) {
    QStringList found;
    for (auto it = QRegularExpression(pattern).globalMatch(text); it.hasNext();) {
        found << it.next().captured(1);
    }
    return found;
}

// The anchors a page offers: its id="..." and name="..." attributes.
QSet<QString> Anchors(const QString& html) {
    const QStringList ids = Captures(html, R"re(\s(?:id|name)="([^"]+)")re");
    return QSet<QString>(ids.begin(), ids.end());
}

// Whether `link` from a page of `folder` reaches an existing file (and anchor); the
// reason when not.
QString Broken(const QString& folder, const QString& page, const QString& link) {
    const QUrl url(link);
    if (!url.scheme().isEmpty()) {
        return "leaves the guide (" + url.scheme() + ")";
    }
    const QString file = url.path().isEmpty() ? page : url.path();
    const QString path = QDir::cleanPath(folder + '/' + file);
    if (!QFile::exists(path)) {
        return "no file " + path;
    }
    if (url.hasFragment() && !Anchors(Read(path)).contains(url.fragment())) {
        return "no anchor #" + url.fragment() + " in " + file;
    }
    return {};
}

TEST(GuidePages, BothLanguagesHaveTheSamePagesEachWithATitleAndInTheContents) {
    const QStringList english = Pages("en");
    EXPECT_GE(english.size(), 25);
    EXPECT_EQ(english, Pages("zh"));
    for (const char* language : kLanguages) {
        const QString folder = kGuide + language + '/';
        QStringList listed = Captures(Read(folder + "index.html"), R"re(href="([^"#]+))re");
        for (const QString& page : english) {
            SCOPED_TRACE((language + ('/' + page)).toStdString());
            const QString html = Read(folder + page);
            EXPECT_FALSE(Captures(html, "<title>([^<]+)</title>").isEmpty());
            EXPECT_TRUE(html.contains("charset=\"utf-8\"") || html.contains("charset=utf-8"));
            if (page != "index.html") {
                EXPECT_TRUE(listed.contains(page)) << "not in the contents";
                EXPECT_TRUE(html.contains("href=\"index.html\"")) << "no way back";
            }
        }
    }
}

TEST(GuidePages, EveryLinkAndImageResolves) {
    int checked = 0;
    for (const char* language : kLanguages) {
        const QString folder = kGuide + language;
        for (const QString& page : Pages(language)) {
            const QString html = Read(folder + '/' + page);
            for (const QString& link : Captures(html, R"re(\s(?:href|src)="([^"]*)")re")) {
                const QString broken = Broken(folder, page, link);
                EXPECT_TRUE(broken.isEmpty()) << language << '/' << page.toStdString() << ": "
                                              << link.toStdString() << ": " << broken.toStdString();
                ++checked;
            }
            EXPECT_EQ(html.count("<img"), Captures(html, R"re(<img[^>]*\ssrc=")re").size())
                << page.toStdString() << ": an image without a source";
        }
    }
    EXPECT_GT(checked, 300);
}

TEST(GuidePages, EveryWindowsPageAndAnchorExists) {
    for (const char* language : kLanguages) {
        for (const HelpTopic& topic : kHelpTopics) {
            const QString broken = Broken(kGuide + language, "index.html", topic.page);
            EXPECT_TRUE(broken.isEmpty())
                << language << ' ' << topic.window << ": " << broken.toStdString();
        }
    }
}

} // namespace
} // namespace r57::ui
