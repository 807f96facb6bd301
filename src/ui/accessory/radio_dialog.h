// `frmRadio`: the 25 FM broadcast channels in `MSRadioGrid`, three label/value column
// pairs of ten rows, edited in place with `txtRadio`, and the start channel in
// `cboRadioCh`. OK keeps the edits in page(); the caller writes them into the image.
#pragma once

#include "model/accessory/fm_channels_page.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace r57 {
class Session;
}

namespace r57::ui {

class Prompts;

class RadioDialog : public QDialog {
    Q_OBJECT
public:
    RadioDialog(const Session& session, Prompts& prompts, QWidget* parent = nullptr);

    // The channels as the user left them (after OK: with the start channel taken over).
    const FmChannelsPage& page() const { return page_; }

    // Grid place of channel 1..25: its value cell.
    static int RowOf(int channel);
    static int ColumnOf(int channel);
    // The channel whose value cell this is, or 0.
    static int ChannelAt(int row, int column);

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildGrid();
    void showChannel(int channel);
    void openEditor(int channel, const QString* first = nullptr);
    // Takes the editor's text into the channel; true when it had to be corrected (and
    // message 1106 was shown).
    bool commitEditor();
    void closeEditor();

    const Session& session_;
    Prompts& prompts_;
    FmChannelsPage page_;
    QTableWidget* grid_ = nullptr;
    QLineEdit* editor_ = nullptr;
    QComboBox* start_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    int editing_ = 0; // the channel under the editor, 0 when it is closed
    QString entry_;   // the editor's text when it opened
};

} // namespace r57::ui
