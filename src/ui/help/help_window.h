// `frmHelp`: the user's guide in the interface language. The contents list on the left
// is the start page's list of topics; a search over every page of the language puts the
// pages holding the words there instead. Back, Forward and Contents walk the pages the
// way a browser does.
#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStatusBar;
class QTextBrowser;
class QUrl;

namespace r57::ui {

// The start page of the guide, and the folder of the guide in a data folder.
inline constexpr const char* kHelpStartPage = "index.html";
QString GuideFolder(const QString& dataFolder, int language);

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // `owner` is the window the guide was asked for in; the help window stays over it
    // (usable also while that window is modal) and closes with it.
    HelpWindow(const QString& dataFolder, int language, QWidget* owner);

    // Shows `page` ("channels.html", "logo.html#editor") of the guide in `language`.
    void showPage(const QString& page, int language);
    // The page shown, as a file name with its anchor.
    QString currentPage() const;
    // The pages that hold every word of `text` (a text without spaces as a whole), by
    // file name, in the order of the contents; also shown in the list.
    QStringList search(const QString& text);
    // The status line under the page (hidden while empty): why the guide is shown in
    // place of the dealer's own help file, for one.
    void setStatus(const QString& text);
    QString status() const;

private:
    struct Entry {
        QString page; // file name with anchor
        QString title;
        QString text; // the page as plain text, read at the first search
    };
    void setLanguage(int language);
    void fillContents();
    void showEntries(const std::vector<const Entry*>& entries, const QString& none);
    void openItem(QListWidgetItem* item);
    void markShownPage(const QUrl& source);
    void readPages();

    QString dataFolder_;
    int language_ = -1;
    QString folder_; // the guide of the language, with a trailing '/'
    std::vector<Entry> contents_;
    std::vector<Entry> pages_; // every page, for the search
    QString searched_;

    QListWidget* list_;
    QLineEdit* search_;
    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* home_;
    QStatusBar* status_;
};

} // namespace r57::ui
