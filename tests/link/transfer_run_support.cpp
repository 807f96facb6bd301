#include "transfer_run.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

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

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Keeps the event loop running for `ms`, as an open message box does.
void StayOpen(int ms) {
    QEventLoop wait;
    QTimer::singleShot(ms, &wait, &QEventLoop::quit);
    wait.exec();
}

} // namespace

TransferOutcome RunTransfer(Session& session, const std::string& device, link::TransferKind kind,
                            std::vector<bool> answers, int limitMs) {
    TransferScript script;
    script.answers = std::move(answers);
    script.limitMs = limitMs;
    return RunTransfer(session, device, kind, script);
}

TransferOutcome RunTransfer(Session& session, const std::string& device, link::TransferKind kind,
                            const TransferScript& script) {
    EnsureApplication();
    TransferOutcome outcome;
    link::TransferDriver driver(session);
    std::size_t answered = 0;
    double openWall = 0;
    double openCpu = 0;
    driver.setAsker([&](link::Question q, const QString& text) {
        outcome.questions.push_back(q);
        outcome.questionTexts.push_back(text);
        if (script.questionOpenMs > 0) {
            QElapsedTimer open;
            open.start();
            const double cpu = CpuSeconds();
            StayOpen(script.questionOpenMs);
            openCpu += CpuSeconds() - cpu;
            openWall += open.elapsed() / 1000.0;
        }
        return answered < script.answers.size() ? bool(script.answers[answered++]) : false;
    });
    driver.setNotifier([&](int id, const QString&) { outcome.notices.push_back(id); });
    driver.setPort(QString::fromStdString(device));

    QEventLoop loop;
    QObject::connect(&driver, &link::TransferDriver::finished, &loop, [&](bool success) {
        outcome.finished = true;
        outcome.success = success;
        loop.quit();
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (script.act && script.actAfterMs >= 0)
        QTimer::singleShot(script.actAfterMs, &loop, script.act);

    QElapsedTimer clock;
    clock.start();
    outcome.started = driver.start(kind);
    limit.start(outcome.started ? script.limitMs : 200);
    if (!outcome.finished)
        loop.exec();
    outcome.seconds = clock.elapsed() / 1000.0;
    outcome.log = driver.log();
    outcome.failure = driver.portFailure();
    outcome.questionCpuShare = openWall > 0 ? openCpu / openWall : 0;
    return outcome;
}

} // namespace r57::test
