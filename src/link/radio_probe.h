// Waiting for a radio on a port: the handshake sent about once a second, each followed
// by the closing "E", until a radio answers. Nothing blocks and no error box is shown.
// A device that is gone ends the probing, and so does a port that cannot be opened
// (busy in another program, no permission, not a serial device): waiting on it would
// never find a radio.
//
// start() looks for a radio and reports the first that answers. watch() is for a lane
// whose radio is done: it reports the next answer with how long the cable had been
// silent before it (0 when no handshake went unanswered since the last answer), so the
// lane can look at the radio and tell a new one from the one it has just written.
#pragma once

#include "port_problem.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>

namespace r57::link {

class RadioProbe : public QObject {
    Q_OBJECT
public:
    explicit RadioProbe(QString device, QObject* parent = nullptr);
    ~RadioProbe() override;

    // The first handshake goes out after `firstAfterMs`.
    void start(int firstAfterMs = 0);
    void watch(int firstAfterMs = kPeriodMs);
    void stop();
    // A radio has just been heard on the cable (by a transfer): silence counts from now.
    void seen() { lastAnswer_ = clock_.elapsed(); }
    bool isProbing() const { return probing_; }
    // Unanswered handshakes in a row so far.
    int silentProbes() const { return silentProbes_; }

    static constexpr int kPeriodMs = 1000;
    static constexpr int kAnswerMs = 500;
    static constexpr int kSilenceMs = 2000;

signals:
    // start(): a radio answered the handshake (and was told "E"); probing has stopped.
    void radioFound();
    // watch(): a radio answered after `silentMs` of silence on the cable (measured from
    // the last answer to this one); probing has stopped.
    void answered(qint64 silentMs);
    // The device is gone; probing has stopped. `reason` is the system's.
    void portGone(const QString& reason);
    // The port cannot be opened; probing has stopped.
    void portFailed(const link::PortFailure& failure);
    // A handshake went unanswered.
    void silent();

private:
    void begin(bool watching, int firstAfterMs);
    void probe();
    void reply(bool yes);
    bool deviceExists() const;

    QString device_;
    QSerialPort port_;
    QTimer periodTimer_;
    QTimer answerTimer_;
    QElapsedTimer clock_;
    bool probing_ = false;
    bool watching_ = false;
    qint64 lastAnswer_ = -1; // when a radio last answered
    int silentProbes_ = 0;
};

} // namespace r57::link
