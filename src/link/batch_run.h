// A batch of radios: one codeplug to many radios, each with its own number, on one or
// more ports at once. Every port is a lane of its own (BatchLane); the lanes share the
// numbers, which are handed out lowest first, each once: the number of a radio that was
// not written goes to the next radio, that of a radio written but not verified stays
// with it. Each radio's result goes to the log as it comes; a line that cannot be
// written stops the batch, since a later Continue would give its number again.
#pragma once

#include "batch_lane.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <vector>

namespace r57::link {

class BatchRun : public QObject {
    Q_OBJECT
public:
    BatchRun(BatchSettings settings, const QStringList& devices, QObject* parent = nullptr);
    ~BatchRun() override;

    // Every lane begins waiting for a radio.
    void start();
    // The user has put the next radio on lane `lane`'s cable.
    void next(int lane);
    // Lane `lane` writes its radio again with the number it holds (againNumber()).
    void programAgain(int lane);
    // Stops every lane cleanly: each tells its radio "E". finished() follows once the
    // radios being programmed have been released.
    void cancel();

    int laneCount() const { return static_cast<int>(lanes_.size()); }
    const BatchLane& lane(int index) const { return *lanes_[index]; }
    const BatchNumbers& numbers() const { return shared_.numbers; }
    const BatchSettings& settings() const { return shared_.settings; }
    int failedCount() const { return failed_; }
    // A log line could not be written: the batch was stopped.
    bool stoppedByLog() const { return logFailed_; }
    bool isRunning() const { return running_; }
    const std::vector<RadioResult>& results() const { return results_; }

signals:
    void laneChanged(int lane);
    void radioDone(const link::RadioResult& result);
    // The log could not be written: the batch stops.
    void logFailed(const QString& path, const QString& reason);
    // Every lane has stopped: all radios delivered, cancelled, or every port gone.
    void finished(bool allDelivered);

private:
    void onRadioDone(const RadioResult& result);
    void checkFinished();

    BatchShared shared_;
    BatchLog log_;
    std::vector<std::unique_ptr<BatchLane>> lanes_;
    std::vector<RadioResult> results_;
    int failed_ = 0;
    bool running_ = false;
    bool logFailed_ = false;
};

} // namespace r57::link
