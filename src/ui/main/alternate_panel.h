// `PicGUI`: the alternate channel panel, a form that edits one channel at a time beside
// the grids. It shows the cursor channel of the shown bank and edits it through that
// bank's sheet, the same field rules the grid uses, so the two always agree; it adds the
// channel's option signalling, which the grid does not show. Picking a channel of the
// other bank asks the main window to show that bank.
#pragma once

#include <QFrame>
#include <QString>

#include <array>
#include <functional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace r57 {
class BankSheet;
class Session;
enum class SignalType;
} // namespace r57

namespace r57::ui {

class ChannelGrid;
class ChannelNumberBox;

class AlternatePanel : public QFrame {
    Q_OBJECT
public:
    AlternatePanel(Session& session, std::array<BankSheet*, 2> sheets,
                   std::array<ChannelGrid*, 2> grids, QWidget* parent = nullptr);
    ~AlternatePanel() override;

    // Captions and lists in the session's language, then the channel again.
    void applyLanguage();
    // Shows the cursor channel of the shown bank; no field is left with unsaved input.
    void fill();
    // Runs the commit of the field that holds unsaved input; true if there was one.
    bool commitPending();
    // The field with unsaved input: "Channel", "Rx", "Tx", "Name", "Code" or "".
    QString pendingField() const;
    // The channel shown, 1..256 (129..256 for bank B).
    int channelIndex() const;

signals:
    // The user picked another channel (through the number, its arrows or the label).
    void channelRequested(int bank, int row);
    void closeRequested();
    // A field was taken over into the image (the channel, its name or signalling).
    void channelEdited();
    // A value was refused or replaced by the channel rules: a line for the status log.
    void entryReplaced(const QString& line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A field's value through the grid's one edit path, its note to the status log.
    void commitField(int column, const QString& text);
    // A text box whose edit is committed when it is left with a changed text.
    struct TextField {
        QLineEdit* edit = nullptr;
        const char* pendingName = "";
        QString entry; // the text on entry; Esc restores it, leaving compares with it
        std::function<void(const QString&)> commit;
    };
    // A drop-down list of a grid column.
    struct ChoiceField {
        QComboBox* box = nullptr;
        QLabel* label = nullptr;
        int column = 0;
    };

    void buildControls();
    QWidget* buildChannelRow();
    QGroupBox* buildToneFrame();
    QGroupBox* buildSignalFrame();
    void addTextField(QLineEdit* edit, const char* pendingName,
                      std::function<void(const QString&)> commit);
    TextField* fieldOf(QObject* watched);
    void commitField(TextField& field);

    int bank() const;
    int row() const;
    void selectChannel(int index);
    void showEditedRow();

    void commitRx(const QString& text);
    void commitTx(const QString& text);
    void commitName(const QString& text);
    void commitIdCode(const QString& text);
    void commitLabel(const QString& text);
    void choiceActivated(const ChoiceField& field);
    void toneActivated(QComboBox* box, int column);
    void signalTypeActivated(int listIndex);

    void fillSignalling(bool used);
    void rebuildSignalTypes();
    void showSignalControls(int listIndex);

    Session& session_;
    std::array<BankSheet*, 2> sheets_;
    std::array<ChannelGrid*, 2> grids_;

    ChannelNumberBox* udChannel_ = nullptr; // `UDChannelGUI`, its text box `TxtChannelGUI`
    QLineEdit* text1_ = nullptr;
    QLineEdit* rx_ = nullptr;
    QLineEdit* tx_ = nullptr;
    QLineEdit* name_ = nullptr;
    QComboBox* decode_ = nullptr;
    QComboBox* encode_ = nullptr;
    std::vector<ChoiceField> choices_;
    std::array<QComboBox*, 3> signal_{}; // `CboSignalGUI` 0 type, 1 auto response, 2 decode code
    std::array<QLabel*, 5> signalLabels_{};
    QLineEdit* idCode_ = nullptr; // `TxtSignalGUI`
    QGroupBox* toneFrame_ = nullptr;
    QGroupBox* signalFrame_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* close_ = nullptr;
    std::vector<QLabel*> captions_; // field captions, each naming its grid column
    std::vector<TextField> fields_;
    TextField* pending_ = nullptr;
    std::vector<SignalType> types_; // the type list as shown
    char typesModel_ = 0;           // the model variant the type list was built for
    int typesLanguage_ = -1;
    bool filling_ = false;
};

} // namespace r57::ui
