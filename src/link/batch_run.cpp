#include "batch_run.h"

namespace r57::link {

BatchRun::BatchRun(BatchSettings settings, const QStringList& devices, QObject* parent)
    : QObject(parent), shared_{settings,
                               BatchNumbers(settings.start, settings.step, settings.count,
                                            settings.taken),
                               BatchIdentity(
                                   [imageFor = settings.imageFor](long number) {
                                       QString why;
                                       return imageFor ? imageFor(number, why) : std::nullopt;
                                   },
                                   settings.start, settings.step, settings.count)},
      log_(settings.logPath, settings.ruleNames) {
    // A radio that holds a number the log shows given is known as soon as it is seen.
    for (long number : settings.taken)
        shared_.identity.remember(number);
    for (const QString& device : devices) {
        const int index = static_cast<int>(lanes_.size());
        lanes_.push_back(std::make_unique<BatchLane>(shared_, device));
        BatchLane* lane = lanes_.back().get();
        connect(lane, &BatchLane::changed, this, [this, index] {
            emit laneChanged(index);
            checkFinished();
        });
        connect(lane, &BatchLane::radioDone, this,
                [this](const RadioResult& result) { onRadioDone(result); });
    }
}

BatchRun::~BatchRun() = default;

void BatchRun::start() {
    running_ = true;
    for (auto& lane : lanes_)
        lane->begin();
    checkFinished();
}

void BatchRun::next(int lane) {
    if (lane >= 0 && lane < laneCount())
        lanes_[lane]->next();
}

void BatchRun::programAgain(int lane) {
    if (lane >= 0 && lane < laneCount())
        lanes_[lane]->programAgain();
}

void BatchRun::cancel() {
    if (!running_)
        return;
    shared_.cancelled = true;
    for (auto& lane : lanes_)
        lane->cancel();
    checkFinished();
}

void BatchRun::onRadioDone(const RadioResult& given) {
    RadioResult result = given;
    if (!shared_.settings.logPath.isEmpty()) {
        QString error;
        if (!log_.append(result, error)) {
            // Without its line a later Continue would hand this number out again: it
            // stays taken, the radio counts as failed and the batch stops.
            logFailed_ = true;
            if (result.ok) {
                result.ok = false;
                result.written = true;
            }
            result.reason = result.reason.isEmpty() ? error : result.reason + "; " + error;
            emit logFailed(log_.path(), error);
        }
    }
    if (result.ok) {
        shared_.numbers.delivered(result.number);
        shared_.identity.remember(result.number);
    } else if (result.written) {
        shared_.numbers.setAside(result.number);
        shared_.identity.remember(result.number);
        ++failed_;
    } else {
        shared_.numbers.giveBack(result.number);
        ++failed_;
    }
    results_.push_back(result);
    emit radioDone(result);
    if (logFailed_) {
        cancel();
        return;
    }
    if (shared_.numbers.complete()) {
        for (auto& lane : lanes_)
            lane->finish();
    }
}

void BatchRun::checkFinished() {
    if (!running_)
        return;
    for (const auto& lane : lanes_) {
        if (lane->state() != BatchLane::State::Stopped)
            return;
    }
    running_ = false;
    emit finished(shared_.numbers.complete());
}

} // namespace r57::link
