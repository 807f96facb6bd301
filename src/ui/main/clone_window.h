// `frmClone`: the window of a whole-image transfer. It is normally never shown: it
// runs the transfer hidden, with the main window disabled, and reports progress, the
// log and the outcome. In trace mode it shows itself with the byte transcript (`Text1`)
// and stays open until the user closes it.
#pragma once

#include "link/transfer_driver.h"
#include "link/write_round.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace r57 {
class Session;
}

namespace r57::ui {

class Prompts;

class CloneWindow : public QDialog {
    Q_OBJECT
public:
    CloneWindow(Session& session, Prompts& prompts, QWidget* mainWindow);
    ~CloneWindow() override;

    // Starts (or, from Retry, restarts) a read or write; the caller has already asked
    // for confirmation. Disables the main window until the transfer has ended.
    // Returns false when the port could not be opened (the message has been shown).
    bool transferDatas(link::TransferKind kind);
    // Writes the image through the write round (the reads the options ask for before,
    // the write, the read-back); the main window stays disabled for all of it, and
    // roundEnded() follows instead of transferEnded(). The port that cannot be opened
    // has been shown when roundEnded() comes.
    bool writeRound(link::WriteRoundOptions options);
    // The round on this window's driver (its outcome so far).
    link::WriteRound& round();
    bool isRunning() const;
    // Ends the running transfer as Cancel in the Retry question does: the radio still
    // gets its closing "E", and transferEnded(kind, false) follows.
    void cancel();

    // How the main window is kept from use while a transfer runs; by default it is
    // disabled as a whole. `lock(true)` at the start, `lock(false)` at the end.
    void setWindowLock(std::function<void(bool locked)> lock);

    // What the last Verify transfer read from the radio.
    const CodeplugImage& readBack() const;

signals:
    // The status log for the main window's `TxtStatus`.
    void logChanged(const QString& log);
    // The text for the status-bar panel "ComStatus".
    void statusChanged(const QString& text);
    // The progress bar's value and maximum, and the percentage label.
    void progressChanged(int value, int maximum, const QString& label);
    // The transfer is over and the main window enabled again; for a read the main
    // window now decodes the image (also after a failure).
    void transferEnded(link::TransferKind kind, bool success);
    // A stage of the write round begins (the read-back after the write, ...).
    void roundStageChanged(link::RoundStage stage);
    void roundEnded(const link::WriteOutcome& outcome);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace r57::ui
