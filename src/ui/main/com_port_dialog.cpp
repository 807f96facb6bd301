#include "ui/main/com_port_dialog.h"

#include "core/session.h"
#include "core/strings.h"
#include "link/port_slots.h"
#include "ui/main/ui_text.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace r57::ui {

namespace {

constexpr int kCaption = 1183; // "Communication Port"
constexpr int kOk = 1058;
constexpr int kCancel = 1059;
constexpr int kColumns = 5;

QString NoDeviceText(int language) {
    return language == kChinese ? QString::fromUtf8("此端口没有串口设备") : "No serial device";
}

} // namespace

PortAccess PortAccess::System() {
    PortAccess ports;
    ports.deviceForSlot = [](int slot) {
        return link::DeviceForSlot(slot);
    };
    ports.probe = [](const QString& device) {
        return link::ProbePort(device);
    };
    return ports;
}

ComPortDialog::ComPortDialog(Session& session, QWidget* parent, PortAccess ports)
    : QDialog(parent), session_(session), options_(new QButtonGroup(this)) {
    const int language = session.language;
    auto text = [language](int id) {
        return Tr(id, language);
    };

    setObjectName("frmComPort");
    setModal(true);
    setWindowTitle(text(kCaption));

    auto* frame = new QGroupBox(text(kCaption), this);
    frame->setObjectName("Frame1");
    auto* grid = new QGridLayout(frame);
    options_->setExclusive(true);

    // A device named outright is shown on its slot, if a slot stands for it.
    int current = session.portNumber;
    const QString pinned = QString::fromStdString(session.portDevice);
    for (int slot = 1; slot <= link::kPortSlots; ++slot) {
        const QString device = ports.deviceForSlot ? ports.deviceForSlot(slot) : QString();
        if (!pinned.isEmpty() && device == pinned) {
            current = slot;
        }
        auto* option = new QRadioButton(QString("COM%1").arg(slot), frame);
        option->setObjectName(QString("Option1_%1").arg(slot - 1));
        option->setToolTip(device.isEmpty() ? NoDeviceText(language) : device);
        option->setEnabled(!device.isEmpty() && ports.probe && ports.probe(device));
        options_->addButton(option, slot - 1);
        grid->addWidget(option, (slot - 1) / kColumns, (slot - 1) % kColumns);
    }
    if (QAbstractButton* selected = options_->button(current - 1)) {
        selected->setChecked(true); // also when its port failed the probe
        initialSlot_ = current;
    }

    auto* ok = new QPushButton(text(kOk), this);
    ok->setObjectName("Command1_0");
    ok->setDefault(true);
    auto* cancel = new QPushButton(text(kCancel), this);
    cancel->setObjectName("Command1_1");
    connect(ok, &QPushButton::clicked, this, &ComPortDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ComPortDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
}

int ComPortDialog::selectedSlot() const {
    const int id = options_->checkedId();
    return id < 0 ? 0 : id + 1;
}

void ComPortDialog::accept() {
    const int slot = selectedSlot();
    if (slot != 0) {
        session_.portNumber = slot;
        // Choosing another slot replaces a device that was named outright.
        if (slot != initialSlot_) {
            session_.portDevice.clear();
        }
    }
    QDialog::accept();
}

} // namespace r57::ui
