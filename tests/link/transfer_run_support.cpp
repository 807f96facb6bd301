#include "radio_process.h"

#include "core/data_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <random>

namespace r57::test {

namespace {

void EnsureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "radio_test";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv); // lives for the whole test program
}

} // namespace

QString ProgramFolder() {
    return QFileInfo(QFile::symLinkTarget("/proc/self/exe")).absolutePath();
}

ScratchFolder::ScratchFolder() {
    QTemporaryDir dir(QDir::tempPath() + "/r57-radio-test-XXXXXX");
    dir.setAutoRemove(false);
    path_ = dir.path();
}

ScratchFolder::~ScratchFolder() {
    QDir(path_).removeRecursively();
}

VirtualRadio::VirtualRadio() : process_(nullptr) {
    EnsureApplication();
}

VirtualRadio::~VirtualRadio() {
    if (process_) {
        process_->kill();
        process_->waitForFinished(5000);
        delete process_;
    }
}

bool VirtualRadio::start(const QStringList& options) {
    process_ = new QProcess;
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList args{
        "--baud", "0", "--log", folder_.file("frames.log"), "--save", folder_.file("memory.dat")};
    process_->start(ProgramFolder() + "/r57-radio", args + options);
    QElapsedTimer clock;
    clock.start();
    while (!process_->canReadLine() && clock.elapsed() < 5000 &&
           process_->state() != QProcess::NotRunning)
        process_->waitForReadyRead(100);
    if (!process_->canReadLine()) {
        ADD_FAILURE() << "r57-radio did not report its terminal";
        return false;
    }
    device_ = QString::fromUtf8(process_->readLine()).trimmed();
    return !device_.isEmpty();
}

std::optional<CodeplugImage> VirtualRadio::stopAndTakeMemory() {
    if (!process_)
        return std::nullopt;
    process_->terminate();
    if (!process_->waitForFinished(5000)) {
        ADD_FAILURE() << "r57-radio did not stop on SIGTERM";
        return std::nullopt;
    }
    auto loaded = ReadDataFile(folder_.file("memory.dat").toStdString());
    if (!loaded.status)
        return std::nullopt;
    return loaded.image;
}

std::vector<std::string> VirtualRadio::log() const {
    std::vector<std::string> lines;
    QFile file(folder_.file("frames.log"));
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.isEmpty())
                lines.push_back(line.toStdString());
    return lines;
}

std::vector<std::string> VirtualRadio::frames() const {
    std::vector<std::string> out;
    for (std::string line : log()) {
        line = line.substr(line.find(' ') + 1);
        const auto mark = line.find(" [");
        out.push_back(mark == std::string::npos ? line : line.substr(0, mark));
    }
    return out;
}

QStringList VirtualRadio::loadOptions(const CodeplugImage& image) {
    const QString path = folder_.file("loaded.bin");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        ADD_FAILURE() << "cannot write " << path.toStdString();
    file.write(reinterpret_cast<const char*>(image.data()), CodeplugImage::kSize);
    return {"--load", path};
}

TransferOutcome RunTransfer(Session& session, const QString& device, link::TransferKind kind,
                            std::vector<bool> answers, int limitMs) {
    EnsureApplication();
    TransferOutcome outcome;
    link::TransferDriver driver(session);
    std::size_t answered = 0;
    driver.setAsker([&](link::Question q, const QString&) {
        outcome.questions.push_back(q);
        return answered < answers.size() ? bool(answers[answered++]) : false;
    });
    driver.setNotifier([&](int id, const QString&) { outcome.notices.push_back(id); });
    driver.setPort(device);

    QEventLoop loop;
    QObject::connect(&driver, &link::TransferDriver::finished, &loop, [&](bool success) {
        outcome.finished = true;
        outcome.success = success;
        loop.quit();
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);

    QElapsedTimer clock;
    clock.start();
    outcome.started = driver.start(kind);
    limit.start(outcome.started ? limitMs : 200);
    if (!outcome.finished)
        loop.exec();
    outcome.seconds = clock.elapsed() / 1000.0;
    outcome.log = driver.log();
    return outcome;
}

CodeplugImage RandomImage(unsigned seed) {
    std::mt19937 random(seed);
    CodeplugImage image;
    for (int a = 0; a < CodeplugImage::kSize; ++a)
        image.set(a, static_cast<uint8_t>(random()));
    return image;
}

bool SameRange(const CodeplugImage& a, const CodeplugImage& b, int from, int to) {
    for (int i = from; i < to; ++i)
        if (a.at(i) != b.at(i))
            return false;
    return true;
}

} // namespace r57::test
