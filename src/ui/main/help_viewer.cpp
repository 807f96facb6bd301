#include "ui/main/help_viewer.h"

#include "ui/main/ui_text.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

#include <memory>

namespace r57::ui {

namespace {

const OwnText kNoHelpFile{"The help file %1 was not found in %2.", "在 %2 中找不到帮助文件 %1。"};
const OwnText kNoViewer{
    "No viewer for %1 is installed (for example xchm or kchmviewer); the built-in guide is "
    "shown instead.",
    "没有安装可打开 %1 的查看程序（例如 xchm 或 kchmviewer），因此显示内置指南。"};
const OwnText kViewerFailed{"%2 could not show %1 (%3); the built-in guide is shown instead.",
                            "%2 无法显示 %1（%3），因此显示内置指南。"};
const OwnText kExitCode{"exit code %1", "退出码 %1"};

// A viewer that ends within this time did not show the file; one that ends later was
// closed by the user.
constexpr qint64 kFailureWindowMs = 10000;

struct Viewer {
    QString program;
    QStringList arguments;
};

// The viewers on the PATH, in the order they are tried.
std::vector<Viewer> Viewers(const QString& path) {
    std::vector<Viewer> viewers;
    for (const char* name : {"xchm", "kchmviewer"}) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty()) {
            viewers.push_back({program, {path + "::" + QString(kHelpTopic)}});
        }
    }
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (!opener.isEmpty()) {
        viewers.push_back({opener, {path}});
    }
    return viewers;
}

// Tries the viewers from `next` on; the last one's failure is the reason given.
struct Attempt : std::enable_shared_from_this<Attempt> {
    QString path;
    int language = 0;
    QPointer<QObject> context;
    std::function<void(const QString&)> failed;
    std::vector<Viewer> viewers;
    std::size_t next = 0;

    void tryNext(const QString& lastWhy) {
        if (next >= viewers.size()) {
            if (context && failed) {
                failed(lastWhy);
            }
            return;
        }
        const Viewer viewer = viewers[next++];
        // No parent: a viewer that shows the file outlives the program that started it.
        auto* process = new QProcess;
        process->setProgram(viewer.program);
        process->setArguments(viewer.arguments);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        const QString name = QFileInfo(viewer.program).fileName();
        auto self = shared_from_this();
        auto gaveUp = [self, process, name](const QString& reason) {
            process->disconnect();
            process->deleteLater();
            self->tryNext(Tr(kViewerFailed, self->language).arg(kHelpFile, name, reason));
        };
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [process, gaveUp](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart) {
                                 gaveUp(process->errorString());
                             }
                         });
        QElapsedTimer started;
        started.start();
        QObject::connect(process, &QProcess::finished, process,
                         [process, gaveUp, self, started](int code, QProcess::ExitStatus status) {
                             if (started.elapsed() > kFailureWindowMs) {
                                 process->deleteLater(); // shown, then closed by the user
                             } else if (status == QProcess::CrashExit) {
                                 gaveUp(process->errorString());
                             } else if (code != 0) {
                                 gaveUp(Tr(kExitCode, self->language).arg(code));
                             } else {
                                 process->deleteLater(); // handed on, or closed by the user
                             }
                         });
        process->start();
    }
};

} // namespace

bool HasHelpFile(const QString& applicationDirectory) {
    return QFileInfo::exists(QDir(applicationDirectory).filePath(kHelpFile));
}

void OpenHelp(const QString& applicationDirectory, int language, QObject* context,
              std::function<void(const QString& why)> failed) {
    const QString path = QDir(applicationDirectory).filePath(kHelpFile);
    if (!QFileInfo::exists(path)) {
        failed(Tr(kNoHelpFile, language)
                   .arg(kHelpFile, QDir::toNativeSeparators(applicationDirectory)));
        return;
    }
    auto attempt = std::make_shared<Attempt>();
    attempt->path = path;
    attempt->language = language;
    attempt->context = context;
    attempt->failed = std::move(failed);
    attempt->viewers = Viewers(path);
    attempt->tryNext(Tr(kNoViewer, language).arg(kHelpFile));
}

} // namespace r57::ui
