// `frmAdv`: the service window. The tree `TreeAdv` chooses a page: "A" the frequency
// ranges, "B" the tuning and deviation tables (and "B0".."B2" their tuning bands),
// "C" the analogue gain settings. Each node has its read, write and apply buttons
// among `CmdAdv` 0..18; `CmdAdv` 2 closes. Edits stay in the page until the user
// confirms message 1378 (Apply, a write, leaving the page, closing); the store then
// reaches the image through the main window. Read and write move only the page's rows
// with the radio, through the clone window.
#pragma once

#include "link/service_round.h"
#include "ui/main/clone_window.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <cstdint>
#include <vector>

class QLabel;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace r57::ui {

class AnaloguePageWidget;
class DeviationPageWidget;
class FrequencyPageWidget;
class MainWindow;
class ServicePage;

class ServiceWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kButtons = 19;

    ServiceWindow(MainWindow& main, QWidget* parent);
    ~ServiceWindow() override;

    // Shows the page of tree node `key` ("A", "B", "B0".."B2", "C"). Leaving a changed
    // page asks message 1378 first; false when the user stays (Cancel).
    bool showNode(const QString& key);
    QString shownNode() const { return node_; }

    // The page's changed flag: something was edited and not yet stored.
    bool isChanged() const { return changed_; }
    bool isTransferring() const;
    // What the last service write did, as the user was told ("The tuning rows were
    // written and read back the same." ...).
    QString lastWriteOutcome() const { return lastOutcome_; }
    // The clone window of the running transfer (or, in trace mode, the last one).
    CloneWindow* cloneWindow() const { return clone_.data(); }

    // The button roles, for the shown page.
    void readFromRadio();
    void writeToRadio();
    // Asks message 1378 when the shown page was changed: Yes stores it, No shows the
    // image's values again, Cancel keeps the edits. False for Cancel.
    bool confirmChanges();

    // Closing (Close, Escape, the close box): not while a transfer runs, and a changed
    // page asks message 1378 first.
    void done(int result) override;

private:
    void buildTree();
    void buildButtons(QWidget* parent);
    void runButton(int index);
    ServicePage* pageFor(const QString& key) const;
    ServicePage* shownPage() const;
    bool onFrequencyPage() const;
    void storeShownPage();
    void refreshAll();
    void showBandCaptions();
    void startTransfer(link::TransferKind kind);
    void onTransferEnded(link::TransferKind kind, bool success);
    // The service write round: `readFirst` off puts rows kept earlier back.
    void startServiceWrite(link::ServiceRows rows, const CodeplugImage& image, bool readFirst);
    void onServiceWriteEnded(link::ServiceRows rows, const link::ServiceOutcome& outcome,
                             bool readFirst);
    void updateRadioNote();
    void setBusy(int messageId);
    void releaseCloneWindow();

    MainWindow& main_;
    QWidget* body_ = nullptr; // everything but the busy label; disabled while a transfer runs
    QTreeWidget* tree_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    FrequencyPageWidget* frequency_ = nullptr;
    DeviationPageWidget* deviation_ = nullptr;
    AnaloguePageWidget* analogue_ = nullptr;
    QLabel* busy_ = nullptr; // `Label2`
    QLabel* radioNote_ = nullptr;
    std::array<QPushButton*, kButtons> buttons_{};
    QString node_;
    bool changed_ = false;

    QPointer<CloneWindow> clone_;
    QPointer<link::ServiceWriteRound> round_;
    QString lastOutcome_;
    // The rows a read is about to overwrite, to put back when it fails.
    std::vector<std::pair<int, std::vector<uint8_t>>> before_;
};

} // namespace r57::ui
