#include "ui/help/help_window.h"

#include "ui/main/contrast.h"

#include "ui/main/ui_text.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

#include <algorithm>

namespace r57::ui {

namespace {

// The guide's pages in the desktop's colours: the stylesheet's own colours are kept
// only as far as they stay readable on the theme's page colour (a dark blue heading
// turns lighter on a dark page), and text on the stylesheet's light fills stays dark.
class GuideBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::StyleSheetResource) {
            return resource;
        }
        QString css = resource.type() == QVariant::ByteArray
                          ? QString::fromUtf8(resource.toByteArray())
                          : resource.toString();
        const QColor page = palette().color(QPalette::Base);
        css += QString("\nh1, h2 { color: %1; }\np.warn { color: %2; }\nth { color: %3; }\n")
                   .arg(Readable(QColor("#1f4e79"), page).name(), TextOn(QColor("#fff3cd")).name(),
                        TextOn(QColor("#e8eef5")).name());
        return css;
    }
};

} // namespace

namespace {

const OwnText kTitle{"R57 Help", "R57 帮助"};
const OwnText kBack{"&Back", "后退(&B)"};
const OwnText kForward{"&Forward", "前进(&F)"};
const OwnText kHome{"&Contents", "目录(&C)"};
const OwnText kSearch{"Search all pages", "搜索所有页面"};
const OwnText kNoGuide{"<p>The guide's page %1 is not installed.</p>",
                       "<p>未安装指南页面 %1。</p>"};
const OwnText kNothingFound{"No page holds \"%1\".", "没有页面包含“%1”。"};

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString PlainText(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

} // namespace

QString GuideFolder(const QString& dataFolder, int language) {
    return QDir(dataFolder).filePath(language == kChinese ? "help/guide/zh/" : "help/guide/en/");
}

HelpWindow::HelpWindow(const QString& dataFolder, int language, QWidget* owner)
    : QWidget(owner, Qt::Window), dataFolder_(dataFolder) {
    setObjectName("frmHelp");
    setAttribute(Qt::WA_DeleteOnClose);
    list_ = new QListWidget(this);
    list_->setObjectName("lstHelpContents");
    search_ = new QLineEdit(this);
    search_->setObjectName("txtHelpSearch");
    search_->setClearButtonEnabled(true);
    browser_ = new GuideBrowser(this);
    browser_->setObjectName("txtHelpPage");
    browser_->setOpenLinks(true);
    back_ = new QPushButton(this);
    back_->setObjectName("cmdHelpBack");
    forward_ = new QPushButton(this);
    forward_->setObjectName("cmdHelpForward");
    home_ = new QPushButton(this);
    home_->setObjectName("cmdHelpHome");
    for (QPushButton* button : {back_, forward_, home_}) {
        button->setAutoDefault(false);
    }
    back_->setEnabled(false);
    forward_->setEnabled(false);

    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QPushButton::clicked, this, [this] {
        search_->clear();
        showPage(kHelpStartPage, language_);
    });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(search_, &QLineEdit::returnPressed, this, [this] { search(search_->text()); });
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.trimmed().isEmpty()) {
            fillContents(); // the search emptied: the contents again
        }
    });
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::markShownPage);
    connect(list_, &QListWidget::itemActivated, this, &HelpWindow::openItem);
    connect(list_, &QListWidget::itemClicked, this, &HelpWindow::openItem);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(home_);
    buttons->addStretch(1);
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(search_);
    leftLayout->addWidget(list_, 1);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(left);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({240, 840});
    status_ = new QStatusBar(this);
    status_->setObjectName("staHelp");
    status_->setSizeGripEnabled(false);
    status_->hide(); // shown only when there is something to say
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(split, 1);
    layout->addWidget(status_);
    resize(1100, 720);
    setLanguage(language);
}

void HelpWindow::setStatus(const QString& text) {
    status_->showMessage(text);
    status_->setVisible(!text.isEmpty());
}

QString HelpWindow::status() const {
    return status_->currentMessage();
}

void HelpWindow::setLanguage(int language) {
    if (language == language_) {
        return;
    }
    language_ = language;
    folder_ = GuideFolder(dataFolder_, language);
    pages_.clear();
    setWindowTitle(Tr(kTitle, language));
    back_->setText(Tr(kBack, language));
    forward_->setText(Tr(kForward, language));
    home_->setText(Tr(kHome, language));
    search_->setPlaceholderText(Tr(kSearch, language));
    // The contents are the start page's links, in its order.
    contents_.clear();
    static const QRegularExpression link(R"re(<a\s+href="([^"]+)"[^>]*>(.*?)</a>)re",
                                         QRegularExpression::DotMatchesEverythingOption);
    const QString start = ReadText(folder_ + kHelpStartPage);
    for (auto it = link.globalMatch(start); it.hasNext();) {
        const auto match = it.next();
        contents_.push_back({match.captured(1), PlainText(match.captured(2)), {}});
    }
    fillContents();
}

void HelpWindow::showEntries(const std::vector<const Entry*>& entries, const QString& none) {
    list_->clear();
    for (const Entry* entry : entries) {
        auto* item = new QListWidgetItem(entry->title, list_);
        item->setData(Qt::UserRole, entry->page);
    }
    if (entries.empty() && !none.isEmpty()) {
        auto* item = new QListWidgetItem(none, list_);
        item->setFlags(Qt::NoItemFlags);
    }
}

void HelpWindow::fillContents() {
    std::vector<const Entry*> entries;
    for (const Entry& entry : contents_) {
        entries.push_back(&entry);
    }
    searched_.clear();
    showEntries(entries, {});
}

void HelpWindow::markShownPage(const QUrl& source) {
    // The contents follow the page shown, wherever it was reached from.
    const QString file = source.fileName();
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->data(Qt::UserRole).toString().section('#', 0, 0) == file) {
            QSignalBlocker quiet(list_);
            list_->setCurrentRow(i);
            return;
        }
    }
    list_->clearSelection();
}

void HelpWindow::openItem(QListWidgetItem* item) {
    const QString page = item ? item->data(Qt::UserRole).toString() : QString();
    if (page.isEmpty() || page == currentPage()) {
        return;
    }
    showPage(page, language_);
    // A page found by a search opens at the first place the words are.
    if (!searched_.isEmpty()) {
        browser_->moveCursor(QTextCursor::Start);
        if (!browser_->find(searched_)) {
            browser_->find(searched_.section(' ', 0, 0));
        }
    }
}

void HelpWindow::showPage(const QString& page, int language) {
    setLanguage(language);
    const QString file = folder_ + page.section('#', 0, 0);
    if (!QFile::exists(file)) { // a program without its data folder: say where we looked
        browser_->setHtml(Tr(kNoGuide, language_).arg(QDir::toNativeSeparators(file)));
        return;
    }
    QUrl url = QUrl::fromLocalFile(file);
    if (page.contains('#')) {
        url.setFragment(page.section('#', 1));
    }
    browser_->setSource(url);
}

QString HelpWindow::currentPage() const {
    const QUrl source = browser_->source();
    const QString file = source.fileName();
    return source.hasFragment() ? file + '#' + source.fragment() : file;
}

void HelpWindow::readPages() {
    if (!pages_.empty()) {
        return;
    }
    QStringList files = QDir(folder_).entryList({"*.html"}, QDir::Files, QDir::Name);
    files.removeAll(kHelpStartPage);
    // The contents' order first, then any page the contents do not list.
    std::vector<QString> ordered;
    for (const Entry& entry : contents_) {
        const QString file = entry.page.section('#', 0, 0);
        if (files.removeAll(file) > 0) {
            ordered.push_back(file);
        }
    }
    ordered.insert(ordered.end(), files.begin(), files.end());
    static const QRegularExpression title("<title>(.*?)</title>",
                                          QRegularExpression::DotMatchesEverythingOption);
    for (const QString& file : ordered) {
        const QString html = ReadText(folder_ + file);
        pages_.push_back({file, PlainText(title.match(html).captured(1)), PlainText(html)});
    }
}

QStringList HelpWindow::search(const QString& text) {
    const QStringList words = text.simplified().split(' ', Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        fillContents();
        return {};
    }
    readPages();
    std::vector<const Entry*> found;
    QStringList files;
    for (const Entry& page : pages_) {
        const bool all = std::all_of(words.begin(), words.end(), [&](const QString& word) {
            return page.text.contains(word, Qt::CaseInsensitive);
        });
        if (all) {
            found.push_back(&page);
            files << page.page;
        }
    }
    showEntries(found, Tr(kNothingFound, language_).arg(text.simplified()));
    searched_ = text.simplified();
    return files;
}

} // namespace r57::ui
