// Waiting for a radio on a port: the handshake sent about once a second, each followed
// by the closing "E", until a radio answers. After a radio has been programmed the
// same one is still on the cable; with `afterSilence` a radio counts only once the
// port has stayed silent for at least two seconds (the radio taken off) and then a
// radio answers again, so the same radio is never taken twice. Nothing blocks and no
// error box is shown: a port that cannot be opened is tried again the next second,
// and only a device that is gone ends the waiting.
#pragma once

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
    void start(bool afterSilence, int firstAfterMs = 0);
    void stop();
    bool isProbing() const { return probing_; }
    // Unanswered handshakes in a row so far.
    int silentProbes() const { return silentProbes_; }

    static constexpr int kPeriodMs = 1000;
    static constexpr int kAnswerMs = 500;
    static constexpr int kSilenceMs = 2000;

signals:
    // A radio answered the handshake (and was told "E"); probing has stopped.
    void radioFound();
    // The device is gone; probing has stopped. `reason` is the system's.
    void portGone(const QString& reason);
    // A handshake went unanswered, or the port could not be opened (`reason`).
    void silent(const QString& reason);

private:
    void probe();
    void answered(bool yes);
    bool deviceExists() const;

    QString device_;
    QSerialPort port_;
    QTimer periodTimer_;
    QTimer answerTimer_;
    QElapsedTimer clock_;
    bool probing_ = false;
    bool afterSilence_ = false;
    qint64 sentAt_ = 0;
    qint64 silentFrom_ = -1; // when the first unanswered handshake of a row went out
    int silentProbes_ = 0;
};

} // namespace r57::link
