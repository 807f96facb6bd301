#include "batch_run.h"

namespace r57::link {

BatchRun::BatchRun(BatchSettings settings, const QStringList& devices, QObject* parent)
    : QObject(parent), shared_{settings,
                               BatchNumbers(settings.start, settings.step, settings.count)},
      log_(settings.logPath, settings.ruleNames) {
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

void BatchRun::cancel() {
    if (!running_)
        return;
    shared_.cancelled = true;
    for (auto& lane : lanes_)
        lane->cancel();
    checkFinished();
}

void BatchRun::onRadioDone(const RadioResult& result) {
    if (result.ok) {
        shared_.numbers.delivered(result.number);
    } else {
        shared_.numbers.giveBack(result.number);
        ++failed_;
    }
    results_.push_back(result);
    if (!shared_.settings.logPath.isEmpty()) {
        QString error;
        if (!log_.append(result, error))
            emit logFailed(log_.path(), error);
    }
    emit radioDone(result);
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
