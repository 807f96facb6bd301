// Transfer > Program Several Radios... (frmBatch): the codeplug of the main window, as
// Write would send it, into many radios, each with its own fields, on one or more
// ports at once. The rules, numbers and ports are set here; the first radios' values
// are shown before anything is sent, and the whole range is checked at Start. Each
// port is a lane with its state and a Next button; the log grows as radios are done.
#pragma once

#include "link/batch_run.h"

#include <QDialog>

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace r57 {
class Session;
}

namespace r57::text {
class BatchPlan;
struct BatchRule;
} // namespace r57::text

namespace r57::ui {

class Prompts;

class BatchWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRuleRows = 4;
    static constexpr int kPreviewRadios = 5;

    BatchWindow(Session& session, Prompts& prompts, QWidget* parent = nullptr);
    ~BatchWindow() override;

    // The running batch, if any (for tests and the window's own use).
    link::BatchRun* run() const { return run_.get(); }
    // Where the log of this codeplug and these rules goes.
    QString logPath() const { return logPath_; }
    void setLogFolder(const QString& folder);

    void start();
    void cancel();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape closes as the close box does: asking first while radios are programmed.
    void reject() override;

private:
    void build();
    void applyLanguage();
    void listPorts();
    // The rules as typed; nullopt after telling the user what is wrong (when `tell`).
    std::optional<std::vector<text::BatchRule>> rules(bool tell);
    void updatePreview();
    void offerContinue();
    // The log path for the rules as typed (one log a codeplug and its rules).
    void updateLogPath();
    void buildLanes();
    void showLane(int lane);
    void onRadioDone(const link::RadioResult& result);
    void onFinished(bool allDelivered);
    void setEditable(bool editable);
    void showSummary();
    void tell(const QString& text);
    QString own(const char* english, const char* chinese) const;

    Session& session_;
    Prompts& prompts_;
    const CodeplugImage base_; // what Write would send, taken as the window opens
    QString logFolder_;
    QString logPath_;

    QComboBox* cboRuleField_[kRuleRows] = {};
    QLineEdit* txtRulePattern_[kRuleRows] = {};
    QSpinBox* spnStart_ = nullptr;
    QSpinBox* spnStep_ = nullptr;
    QSpinBox* spnCount_ = nullptr;
    QPushButton* cmdContinue_ = nullptr;
    QListWidget* lstPorts_ = nullptr;
    QCheckBox* chkVerify_ = nullptr;
    QCheckBox* chkAuto_ = nullptr;
    QCheckBox* chkKeepOld_ = nullptr;
    QTableWidget* grdPreview_ = nullptr;
    QLabel* lblCheck_ = nullptr;
    QGridLayout* lanesLayout_ = nullptr;
    QWidget* fraLanes_ = nullptr;
    std::vector<QLabel*> lanePorts_;
    std::vector<QLabel*> laneStates_;
    std::vector<QPushButton*> laneNext_;
    std::vector<QPushButton*> laneAgain_;
    bool closeWhenStopped_ = false; // the user chose to close while radios were programmed
    bool closing_ = false;          // inside QDialog::closeEvent
    QPlainTextEdit* txtLog_ = nullptr;
    QLabel* lblSummary_ = nullptr;
    QPushButton* cmdStart_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdOpenLog_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
    QLabel* lblRules_ = nullptr;
    QLabel* lblNumbers_[3] = {};
    QLabel* lblPorts_ = nullptr;
    QLabel* lblPreview_ = nullptr;
    QLabel* lblLog_ = nullptr;

    std::unique_ptr<text::BatchPlan> plan_;
    std::vector<text::BatchRule> planRules_;
    std::unique_ptr<link::BatchRun> run_;
    QStringList runDevices_;
};

// Plugs the window into Transfer > Program Several Radios... of the main window.
class MainWindow;
void InstallBatchWindow(MainWindow& window);

} // namespace r57::ui
