// The habits of a desktop program: File > Recent Files, a codeplug dropped on the
// window, and the window's size, place and shown bank kept between runs.
#include "ui/main/main_window.h"

#include "core/session.h"
#include "link/settings_store.h"
#include "ui/main/channel_grid.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/recent_files.h"
#include "ui/main/ui_text.h"
#include "ui/main/window_memory.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include <utility>

namespace r57::ui {

namespace {

constexpr OwnText kClearList{"&Clear List", "清除列表(&C)"};
constexpr OwnText kNoRecentFiles{"(none)", "（无）"};
constexpr OwnText kRecentGone{"%1 no longer exists; it was taken off the recent files.",
                              "%1 已不存在，已从最近的文件中删除。"};
constexpr OwnText kDropRefused{
    "%1 was not opened: only codeplugs (.dat), codeplug texts (.yaml) and channel lists "
    "(.csv) can be dropped here.",
    "未打开 %1：此处只能放入写频数据 (.dat)、写频数据文本 (.yaml) 和信道列表 (.csv)。"};
constexpr OwnText kDropOne{"Drop one file at a time.", "一次只能放入一个文件。"};

constexpr const char* kGeometrySetting = "Layout/Geometry";
constexpr const char* kBankSetting = "Layout/Bank";

enum class DropKind { None, Codeplug, Text, Channels };

DropKind KindOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "dat") {
        return DropKind::Codeplug;
    }
    if (suffix == "yaml" || suffix == "yml") {
        return DropKind::Text;
    }
    return suffix == "csv" ? DropKind::Channels : DropKind::None;
}

// The one local file a drag carries, or "" (none, several, or not files).
QString DroppedFile(const QMimeData* data, int* count = nullptr) {
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (count) {
        *count = urls.size();
    }
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return {};
    }
    return urls.front().toLocalFile();
}

} // namespace

void MainWindow::buildDesktop() {
    setAcceptDrops(true);
    RememberWindowSizes();
    QMenu* recent = findChild<QMenu*>("mnuFile_Recent");
    connect(recent, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
    fillRecentMenu();
}

void MainWindow::fillRecentMenu() {
    QMenu* recent = findChild<QMenu*>("mnuFile_Recent");
    recent->clear();
    const int language = session_->language;
    const QStringList files = RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        // "&1 radio.dat": the number is the key, the name the text, the path the tip.
        QString name = QFileInfo(path).fileName();
        name.replace('&', "&&");
        QAction* action = recent->addAction(QString("&%1 %2").arg(i + 1).arg(name));
        action->setObjectName(QString("mnuFile_Recent_%1").arg(i));
        action->setToolTip(QDir::toNativeSeparators(path));
        action->setStatusTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] {
            if (!transferRunning()) {
                runGuarded([this, &path] { openRecentFile(path); });
                checkpoint();
            }
        });
    }
    if (files.isEmpty()) {
        recent->addAction(Tr(kNoRecentFiles, language))->setEnabled(false);
    }
    recent->addSeparator();
    QAction* clear = recent->addAction(Tr(kClearList, language));
    clear->setObjectName("mnuFile_RecentClear");
    clear->setEnabled(!files.isEmpty());
    connect(clear, &QAction::triggered, this, [this] {
        ClearRecentFiles();
        fillRecentMenu();
    });
    recent->setToolTipsVisible(true);
}

void MainWindow::openRecentFile(const QString& path) {
    commitPendingEdit();
    if (!QFileInfo(path).isFile()) {
        RemoveRecentFile(path);
        fillRecentMenu();
        appendStatusLine(Tr(kRecentGone, session_->language).arg(QDir::toNativeSeparators(path)));
        return;
    }
    openFile(path);
}

void MainWindow::noteRecentFile(const QString& path) {
    AddRecentFile(path);
    fillRecentMenu();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    // The cursor shows at once whether the window takes what is dragged, and the status
    // log says why not (once for the same thing dragged about the window).
    int count = 0;
    const QString path = DroppedFile(event->mimeData(), &count);
    if (!transferRunning() && KindOf(path) != DropKind::None) {
        event->acceptProposedAction();
        return;
    }
    event->ignore();
    if (count == 0 || transferRunning()) {
        return; // text or pictures dragged past: nothing meant for this window
    }
    const QString line =
        count > 1 ? Tr(kDropOne, session_->language)
                  : Tr(kDropRefused, session_->language)
                        .arg(QDir::toNativeSeparators(
                            path.isEmpty() ? event->mimeData()->urls().front().toString() : path));
    if (line != refusedDrag_) {
        refusedDrag_ = line;
        appendStatusLine(line);
    }
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (!transferRunning() && KindOf(path) != DropKind::None) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    const DropKind kind = KindOf(path);
    refusedDrag_.clear();
    if (transferRunning() || kind == DropKind::None) {
        event->ignore(); // the drag was refused as it came in, with its reason
        return;
    }
    event->acceptProposedAction();
    // The drop's own event ends before the questions of the command are asked.
    QTimer::singleShot(0, this, [this, path, kind] {
        runGuarded([&] {
            commitPendingEdit();
            if (kind == DropKind::Codeplug) {
                openFile(path);
            } else {
                droppedFile_ = path;
                openSubWindow(kind == DropKind::Text ? SubWindow::ImportText
                                                     : SubWindow::ImportChannels);
                droppedFile_.clear();
            }
        });
        checkpoint();
    });
}

QString MainWindow::askOpenFile(const QString& filter) {
    if (!droppedFile_.isEmpty()) {
        return std::exchange(droppedFile_, QString());
    }
    return prompts_.openFile(this, filter, QString());
}

void MainWindow::restoreLayout() {
    const QByteArray geometry =
        QByteArray::fromBase64(link::ReadSetting(kGeometrySetting).toLatin1());
    if (!geometry.isEmpty() && restoreGeometry(geometry)) {
        // A place on a screen that is gone (a projector, a second monitor) is not used.
        const QRect frame = frameGeometry();
        bool seen = false;
        for (const QScreen* screen : QGuiApplication::screens()) {
            seen = seen || screen->availableGeometry().intersects(frame);
        }
        if (!seen && QGuiApplication::primaryScreen()) {
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            resize(size().boundedTo(screen.size()));
            move(screen.center() - rect().center());
        }
    }
    if (link::ReadSetting(kBankSetting) == "1") {
        tabs_->setCurrentIndex(1);
        grids_[kBankB]->setFocus();
    }
}

void MainWindow::saveLayout() {
    link::WriteSetting(kGeometrySetting, QString::fromLatin1(saveGeometry().toBase64()));
    link::WriteSetting(kBankSetting, QString::number(session_->currentBank == kBankB ? 1 : 0));
}

} // namespace r57::ui
