// The guide's pages as they lie in the source tree (and so installed, and in the build
// folder): the same pages in both languages, each with a title, in the contents and
// linking back to them; every link and image resolving to a file and an anchor that
// exist, none leaving the guide; and every window's page in place.
#include "ui/help/help_topics.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>

#include <gtest/gtest.h>

namespace r57::ui {
namespace {

const QString kGuide = QString(R57_SOURCE_DIR) + "/docs/guide/";

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Captures(const QString& text, const QString& pattern) {
    QStringList found;
    for (auto it = QRegularExpression(pattern).globalMatch(text); it.hasNext();) {
        found << it.next().captured(1);
    }
    return found;
}

// Why `link` on `page` of `folder` does not resolve, or "".
QString Broken(const QString& folder, const QString& page, const QString& link) {
    const QUrl url(link);
    if (!url.scheme().isEmpty()) {
        return "leaves the guide";
    }
    const QString path = QDir::cleanPath(folder + '/' + (url.path().isEmpty() ? page : url.path()));
    if (!QFile::exists(path)) {
        return "no file " + path;
    }
    const QString anchor = R"re(\s(?:id|name)="([^"]+)")re";
    if (url.hasFragment() && !Captures(Read(path), anchor).contains(url.fragment())) {
        return "no anchor in " + path;
    }
    return {};
}

TEST(GuidePages, BothLanguagesAlikeAndEveryLinkImageAndWindowPageResolves) {
    const QStringList pages = QDir(kGuide + "en").entryList({"*.html"}, QDir::Files);
    EXPECT_GE(pages.size(), 25);
    int links = 0;
    for (const QString language : {"en", "zh"}) {
        const QString folder = kGuide + language;
        EXPECT_EQ(QDir(folder).entryList({"*.html"}, QDir::Files), pages);
        const QStringList listed = Captures(Read(folder + "/index.html"), R"re(href="([^"#]+))re");
        for (const QString& page : pages) {
            SCOPED_TRACE((language + '/' + page).toStdString());
            const QString html = Read(folder + '/' + page);
            EXPECT_FALSE(Captures(html, "<title>([^<]+)</title>").isEmpty());
            EXPECT_TRUE(page == "index.html" ||
                        (listed.contains(page) && html.contains(R"(href="index.html")")));
            for (const QString& link : Captures(html, R"re(\s(?:href|src)="([^"]*)")re")) {
                EXPECT_EQ(Broken(folder, page, link), "") << link.toStdString();
                ++links;
            }
        }
        for (const HelpTopic& topic : kHelpTopics) {
            EXPECT_EQ(Broken(folder, "index.html", topic.page), "") << topic.window;
        }
    }
    EXPECT_GT(links, 300);
}

} // namespace
} // namespace r57::ui
