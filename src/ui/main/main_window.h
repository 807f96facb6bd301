// `frmMain`: the program's only top-level window. It owns the session (the image and
// the shared state), shows the two bank grids on `SSTab1`, and carries the menus, the
// toolbar, the status bar, the model-type selector and the channel command buttons.
// The work itself is done by the session, the bank sheets, the clone window and the
// core; this class wires the user's commands to them.
#pragma once

#include "core/undo_history.h"
#include "link/service_round.h"
#include "link/write_round.h"
#include "model/sheet/bank_sheet.h"
#include "model/sheet/block_commands.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QDialog;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QShortcut;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolBar;

namespace r57 {
class Session;
}

namespace r57::link {
enum class TransferKind;
enum class BackupKind;
enum class RoundStage;
struct BackupResult;
struct WriteOutcome;
} // namespace r57::link

namespace r57::ui {

class AlternatePanel;
class ChannelGrid;
class CloneWindow;
class Prompts;
class VfoPanel;

// The windows the main window opens from its menus, toolbar and grids. Each one is
// plugged in with setWindowOpener(); until then its command only commits pending edits.
enum class SubWindow {
    About,            // Help > About, toolbar "About"
    AlternatePanel,   // Setup > Use Alternate GUI, the grids' "More" column
    OptionalFeatures, // Program > Optional Features
    ServiceLogin,     // Program > Advanced (hidden)
    Radio,            // Program > RADIO (FM broadcast channels)
    EmbeddedMessage,  // Program > Embedded Message
    VisibleColumns,   // View > Visible Columns...
    MemoryMap,        // Shift+Ctrl+Alt right release on the toolbar
    ModelInfo,        // Model > Model Information (hidden)
    ExportText,       // File > Export... (the codeplug as text)
    ImportText,       // File > Import...
    ExportChannels,   // File > Export Channels... (the shown bank as CSV)
    ImportChannels,   // File > Import Channels...
    Print,            // File > Print... (the channel sheet)
    PrintPreview,     // File > Print Preview...
    ExportPdf,        // File > Export PDF...
    Help,             // Help > Help Topics, when no help file of the dealer's is beside us
    Batch,            // Transfer > Program Several Radios...
    CompareFile,      // File > Compare With File...
    CompareRadio,     // Transfer > Compare With Radio...
};

// The five channel command buttons, in the order of `CmdButtons` 0..4.
enum ChannelButton : int {
    kMoveUp = 0,
    kMoveDown = 1,
    kInsert = 2,
    kDelete = 3,
    kClearButton = 4,
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The application directory is the executable's folder; the stock logo and the help
    // file are found there or, for an installed program, in its data folder
    // (core/program_files.h).
    explicit MainWindow(Prompts& prompts, QWidget* parent = nullptr);
    MainWindow(Prompts& prompts, const QString& applicationDirectory, QWidget* parent = nullptr);
    ~MainWindow() override;

    Session& session() { return *session_; }
    BankSheet& sheet(int bank) { return *sheets_[bank]; }
    ChannelGrid* grid(int bank) const { return grids_[bank]; }
    ChannelGrid* shownGrid() const;
    const ChannelClipboard& clipboard() const { return clipboard_; }
    Prompts& prompts() { return prompts_; }

    // Closes an open in-cell editor of the shown bank with its value taken over. Every
    // command, toolbar click and window switch runs this first.
    bool commitPendingEdit();

    // Rebuilds the shown bank's grid from the image, and the controls that follow the
    // image: the Manual check mark and the model option buttons. The cursor goes to
    // row 1, column 1.
    void refreshShownBank();

    // All texts of the window in the session's language.
    void applyLanguage();
    // The language menu: commit, ticks, language, texts, grid texts.
    void switchLanguage(int language);

    // File commands. The save commands return true when the file was written.
    void newCodeplug();
    void openCodeplug();
    // Opens a data file named outright (the program's command line, a file manager) with
    // the checks of File > Open: the save question for unsaved changes first, message
    // 1277 for a file of the wrong type, and a message naming the system's reason for a
    // file that cannot be read. True when the file was loaded.
    bool openFile(const QString& path);
    bool saveCodeplug();
    bool saveCodeplugAs();

    // The Transfer menu.
    void readFromRadio();
    void writeToRadio();
    // Transfer > Compare With Radio...: the radio read as Transfer > Read reads it (the
    // question, progress, Cancel, port advice, a backup of what came), but into a second
    // image: the open codeplug and its unsaved state are not touched. `done` gets the
    // image once the read has succeeded. False when the read did not start.
    bool readRadioCopy(std::function<void(const CodeplugImage&)> done);
    CloneWindow* cloneWindow() const; // the running (or trace-mode) clone window, or null
    // Ends a running transfer cleanly (status-bar Cancel, Esc); the radio gets its "E".
    void cancelTransfer();
    bool transferRunning() const;
    // The program is ending (told to quit, its session ending, a termination signal, or
    // this window going away): a running transfer is ended as Cancel ends it, and this
    // waits the moment it takes for the radio's closing "E" to go out and the port to
    // close.
    void endTransferBeforeQuit();

    // Channel commands on the cursor row of the shown bank.
    void copyChannel();
    void pasteChannel();
    void clearChannel();
    void runChannelButton(int button);

    // Commands on the block of rows selected in the shown bank (main_window_blocks.cpp);
    // with one row selected, the channel commands above do them. Each is one undo step.
    // Edit > Cut (Ctrl+X): Copy, then Clear.
    void cutChannels();
    // Edit > Sort Channels...: `frmSort` asks for the key and the direction.
    void openSortDialog();
    // The selected rows (the whole bank with one row selected) sorted.
    void sortChannels(SortKey key, bool descending);
    // Ctrl+Shift+Up/Down: the block one row up (-1) or down (+1).
    void moveChannels(int step);
    // Channel labels dragged within the shown bank, dropped before row `before`.
    void dropChannels(const std::vector<int>& rows, int before);
    // ... dropped on the other bank's tab: into its empty rows.
    void moveChannelsToBank(const std::vector<int>& rows, int bank);

    // Edit > Find (Ctrl+F) opens the find bar `picFind` under the grid; Find Next (F3,
    // Enter in the bar) and Find Previous (Shift+F3) go to the next match in either bank.
    void openFindBar();
    void findChannel(bool forward);
    void closeFindBar();

    // Text on the clipboard that another part of the program reads better than the
    // grid's columns (the channel CSV of the exchange layout, say): the reader turns it
    // into the grid's block text, with a line for the status log for each row it could
    // not take, or declines it (nothing), and the text is read by the grid's columns.
    using ClipboardReader =
        std::function<std::optional<QString>(const QString& text, QStringList& notes)>;
    void setClipboardReader(ClipboardReader reader) { clipboardReader_ = std::move(reader); }

    // A line at the end of the status log (`TxtStatus`).
    void appendStatusLine(const QString& line);

    // Shows channel `row` of `bank` with the cursor on grid column `column`.
    void showChannelCell(int bank, int row, int column);

    // Sub-windows.
    void setWindowOpener(SubWindow window, std::function<void()> opener);
    // The one door through which a window's confirmed edits (Save, OK, Apply) reach the
    // image: `change` writes the image, then imageChanged() brings the views in line.
    // Every sub-window writes through here, so whatever has to happen around a change of
    // the image (keeping a step to go back to, refreshing views) happens in one place.
    // `step` names the undo step ("service-read-tuning", a menu item's name); by
    // default the step is named after the menu command that opened the window.
    void applyWindowChange(const std::function<void()>& change, const char* step = nullptr);
    // After the image changed other than through a grid: the band limits are decoded
    // again, the shown bank is rebuilt with its cursor kept, and the Manual mark, the
    // model buttons and the title follow the image.
    void imageChanged();
    void openSubWindow(SubWindow window);
    void openComPort();
    void showHelp();

    // Edit > Undo and Redo (toolbar "Undo", "Redo"): the image one committed change
    // back or forward, with every view brought in line. Each commits the pending edit
    // first, so what was being typed becomes the step undone.
    void undo();
    void redo();

    // Transfer > Verify after Write: a whole-image write is read back and compared.
    // Remembered in the settings file.
    bool verifyAfterWrite() const;
    void setVerifyAfterWrite(bool on);
    // Keeps `image` in the backup folder and says so in the status log: where, or why
    // not (a backup of a service read only when it failed).
    void keepBackup(link::BackupKind kind, const CodeplugImage& image);
    // A backup the service write round could not keep, in the status log.
    void keepBackupFailed(const QString& error);
    // The radio was just seen to hold the image's `rows` (a service read, a verified
    // service write); radioRowsMatch() tells whether the image still holds them
    // (nullopt: not seen since start-up).
    void rememberRadioRows(link::ServiceRows rows);
    std::optional<bool> radioRowsMatch(link::ServiceRows rows) const;
    // The status log's line for a backup kept (or not).
    void reportBackup(link::BackupKind kind, const link::BackupResult& kept);
    // Help > Backups...: the backup folder in the desktop's file manager.
    void openBackupFolder();
    // Transfer > Keep the Radio's Memory before Writing; remembered in the settings file.
    bool keepOldMemory() const;
    // Transfer > Restore Radio from Backup...: a kept memory back into the radio with
    // its service rows (a backup of service rows alone: those rows), each verified.
    void restoreFromBackup();

    // Program > Advanced, hidden at start-up; `r57cps --service` shows it for the
    // technicians who tune radios.
    void setServiceEntryVisible(bool visible);

    void toggleTraceMode();
    void setManual(bool on);
    void setModelCode(int index);

    // The alternate channel panel (`PicGUI`) beside the grids. While it is open the Edit
    // menu and the toolbar's channel commands are off.
    AlternatePanel* alternatePanel() const { return panel_; }
    bool alternatePanelOpen() const;
    void setAlternatePanelOpen(bool open);

    // The file chosen for an import: the one dropped on the window, else the file
    // dialog's answer ("" when cancelled).
    QString askOpenFile(const QString& filter);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // main_window.cpp
    void buildCentralArea();
    void buildStatusBar();
    void startUp();
    void updateClock();
    void updateTitle();
    // The user's splitter positions, kept in the settings store between runs.
    void restoreSplitters();
    void saveSplitters();
    void showTab(int index);
    void setPasteEnabled(bool enabled);
    void syncControlsFromImage();
    void showError(const QString& text);
    // Runs a command; an unexpected failure inside it is shown with its description.
    void runGuarded(const std::function<void()>& command);

    // main_window_menus.cpp
    void buildMenus();
    void buildToolBar();
    QAction* menuItem(const char* name) const;
    void onToolBarAction(const QString& key);

    // main_window_transfer.cpp
    // `logAbove` stays above the transfer's log in the status box.
    bool startTransfer(link::TransferKind kind, const QString& logAbove = QString());
    void onTransferEnded(link::TransferKind kind, bool success);
    // A new clone window, wired to the status box, the progress bar and the panel.
    void makeCloneWindow();
    // Write: the write round, with the read-back when Verify after Write is on.
    void startWriteRound(bool keepOld = false);
    void releaseCloneWindow();
    void buildTransferProgress();
    // While a transfer runs only its progress and Cancel stay usable.
    void lockForTransfer(bool locked);

    // main_window_undo.cpp
    void buildUndo();
    void applyUndoLanguage();
    // After every committed change: a step when the image differs from the last one.
    // `label` names the step (see undoStepName); empty: the command running, or "edit".
    void checkpoint(const std::string& label = {});
    QString undoStepName(const std::string& label) const;
    // The image as the views now show it becomes the state compared with, without a
    // step (after a rebuild repaired values the grid cannot show).
    void adoptShownImage();
    // The image with the shown bank's names as the grid holds them (names moved by
    // the channel buttons live in the grid until written).
    CodeplugImage shownImage() const;
    UndoContext undoContext() const;
    void stepHistory(bool back);
    void showChangedChannel(const CodeplugImage& before);
    void updateUndoActions();

    // main_window_verify.cpp
    void buildVerify();
    void applyVerifyLanguage();
    // What a Write keeps: the radio's gain rows, its old memory (main_window_keep.cpp).
    void buildKeep();
    void applyKeepLanguage();
    // The write's confirmation; nullopt for Cancel, else whether to keep the old memory.
    std::optional<bool> confirmWrite(const QString& question);
    void addKeepOptions(link::WriteRoundOptions& options, bool keepOld, bool keepGain);
    // After a write: the gain and old-memory lines; a write that stopped part-way says
    // what the radio holds and offers to write again or put the kept memory back
    // (true then).
    bool afterWriteKept(const link::WriteOutcome& outcome);
    void startWriteRoundAgain();
    void restoreFrom(const QString& path, bool ask = false);
    void restoreServiceRows();
    // A stage of the write round begins: the write's lines stay above the read-back's.
    void onWriteStage(link::RoundStage stage);
    void onWriteRoundEnded(const link::WriteOutcome& outcome);
    void reportNewBackups(const link::WriteOutcome& outcome);

    // main_window_channels.cpp
    void afterButton(int row);

    // main_window_blocks.cpp
    void buildBlocks();
    void applyBlockLanguage();
    // Paste is on after a copy and whenever the system clipboard holds text.
    void updatePasteEnabled();
    bool blockSelected() const;
    void copyBlock();
    // The row a paste of `lines` rows starts at: the top of the selection; 0 when the
    // user declines to write past a smaller block selection.
    int pasteStartRow(int lines);
    void pasteText(const QString& text);
    void pasteBlock();
    void clearBlock();
    void deleteBlock();
    // Shows the rows and puts the block (and the cursor on its first row) on them.
    void showBlock(const std::vector<int>& rows);

    // main_window_find.cpp
    QWidget* buildFindBar(QWidget* parent);
    void applyFindLanguage();

    // main_window_files.cpp
    bool saveTo(const QString& path);
    QString askSaveName(const QString& preset);
    // Reads, checks and loads a data file; false after telling the user why not.
    bool loadFile(const QString& path, bool quietWhenUnreadable);
    bool askSaveFirst(int messageId);

    // main_window_transfer.cpp
    // Ends a transfer before the application's quit closes any window.
    void watchForQuit();

    // main_window_desktop.cpp
    void buildDesktop();
    void fillRecentMenu();
    void openRecentFile(const QString& path);
    // A codeplug opened or saved goes to the top of File > Recent Files.
    void noteRecentFile(const QString& path);
    void restoreLayout();
    void saveLayout();

    // main_window_panels.cpp
    void buildPanels();
    void applyPanelLanguage();
    // Shows the cursor channel in the alternate panel again, when the panel is open.
    void followAlternatePanel();
    // The panel picked a channel: show its bank and put the cursor on it.
    void selectChannel(int bank, int row);

    Prompts& prompts_;
    std::unique_ptr<Session> session_;
    std::array<std::unique_ptr<BankSheet>, 2> sheets_;
    ChannelClipboard clipboard_;

    std::array<ChannelGrid*, 2> grids_{};
    QTabWidget* tabs_ = nullptr;
    QSplitter* splitButtons_ = nullptr; // ImgSplit 0: bank tabs | command buttons
    QSplitter* splitStatus_ = nullptr;  // ImgSplit 1: tabs above, status area below
    QWidget* picButtons_ = nullptr;
    QWidget* picStatus_ = nullptr;
    QPlainTextEdit* txtStatus_ = nullptr;
    std::array<QPushButton*, 5> cmdButtons_{};
    QLabel* lblModel_ = nullptr;
    std::array<QRadioButton*, 3> optModel_{};
    QButtonGroup* modelGroup_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QLabel* staDate_ = nullptr;
    QLabel* staTime_ = nullptr;
    QLabel* staComStatus_ = nullptr;
    QTimer* clock_ = nullptr;

    QToolBar* toolBar_ = nullptr;
    QHash<QString, QAction*> menuItems_;   // by item name
    QHash<QString, QAction*> toolActions_; // by key

    AlternatePanel* panel_ = nullptr;
    VfoPanel* vfo_ = nullptr;

    QPointer<CloneWindow> clone_;
    QProgressBar* prgTransfer_ = nullptr;      // in the status bar while a transfer runs
    QPushButton* cmdCancelTransfer_ = nullptr; // beside it; Esc does the same
    QShortcut* keyCancelTransfer_ = nullptr;
    bool transferCancelled_ = false;
    std::map<SubWindow, std::function<void()>> openers_;
    bool closing_ = false;

    std::vector<ChannelClipboard> block_; // a block copied (more than one row)
    QString blockText_;                   // the text it put on the system clipboard
    bool foreignText_ = false;            // the system clipboard's text came later than our copy
    QPointer<QDialog> sortDialog_;
    ClipboardReader clipboardReader_;
    QWidget* picFind_ = nullptr;
    QLineEdit* txtFind_ = nullptr;
    QLabel* lblFind_ = nullptr;
    QLabel* lblFindResult_ = nullptr;
    std::array<QPushButton*, 3> findButtons_{}; // next, previous, close

    QString droppedFile_; // a text or channel list dropped, for the import it opens
    QString refusedDrag_; // the last status line about a drag refused

    UndoHistory history_;
    std::function<void(const CodeplugImage&)> radioCopy_; // a read for a comparison
    std::string stepLabel_; // the menu command running: the name of its undo step
    bool readFromRadioSinceStart_ = false;
    bool gainKept_ = false;         // the last write sent the radio's own gain rows
    std::vector<uint8_t> fileGain_; // the codeplug's gain rows while a write runs
    QString oldMemoryPath_;         // the last write's old memory, when kept
    CodeplugImage restoreImage_;    // the backup a restore puts back
    bool restoreRanges_ = false;    // rows of it still to go back
    bool restoreTuning_ = false;
    std::map<int, std::vector<std::pair<int, std::vector<uint8_t>>>> radioRows_;
    QString logAbove_;             // stays above the running transfer's log in the status box
    std::size_t backupsShown_ = 0; // of the write round's backups, those in the log
};

} // namespace r57::ui
