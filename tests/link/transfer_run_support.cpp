#include "transfer_run.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

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

TransferOutcome RunTransfer(Session& session, const std::string& device, link::TransferKind kind,
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

} // namespace r57::test
