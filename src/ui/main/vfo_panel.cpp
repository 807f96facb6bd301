#include "ui/main/vfo_panel.h"

#include "core/codecs.h"
#include "core/session.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace r57::ui {

namespace {

// The fixed lists, literal in both languages.
struct VfoList {
    const char* name;
    QStringList items;
};

const VfoList& ListAt(int i) {
    static const VfoList kLists[] = {
        {"cboVfoStep", {"5K", "6.25K", "10K", "12.5K", "25K", "37.5K", "50K", "100K"}},
        {"cboVfoDuplex", {"Off", "Plus", "Minus"}},
        {"CboVfoPower", {"Low", "mid", "High"}},
        {"CboVfoWide", {"Wide", "Narrow"}},
        {"CboVfoBCL", {"Off", "Carrier", "QT/DQT"}},
        {"CboVfoPTTID", {"Off", "BOT", "EOT", "BOTH"}},
        {"CboVFOScr", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"CboVfoVox", {"Off", "On"}},
        {"CboVfoOption", {"Off", "ComPand", "Scrambler"}},
    };
    return kLists[i];
}
constexpr int kListCount = 9;

} // namespace

VfoPanel::VfoPanel(const Session& session, QWidget* parent) : QFrame(parent), session_(session) {
    setObjectName("fraVfo");
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QGridLayout(this);
    auto* caption = new QLabel("VFO", this);
    caption->setObjectName("lblVFO");
    layout->addWidget(caption, 0, 0);

    auto* frequency = new QLineEdit(this);
    frequency->setObjectName("txtVfoFreq_0");
    frequency->setContextMenuPolicy(Qt::PreventContextMenu);
    layout->addWidget(frequency, 0, 1);

    encode_ = new QComboBox(this);
    encode_->setObjectName("cboVfoEncode");
    decode_ = new QComboBox(this);
    decode_->setObjectName("cboVfoDeCode");
    layout->addWidget(decode_, 0, 2);
    layout->addWidget(encode_, 0, 3);
    for (int i = 0; i < kListCount; ++i) {
        auto* box = new QComboBox(this);
        box->setObjectName(ListAt(i).name);
        box->addItems(ListAt(i).items);
        layout->addWidget(box, 1 + i / 6, i % 6);
    }
    applyLanguage();
}

void VfoPanel::applyLanguage() {
    QStringList tones;
    for (const std::string& tone : BuildToneList(session_.language)) {
        tones << QString::fromStdString(tone);
    }
    for (QComboBox* box : {encode_, decode_}) {
        box->clear();
        box->addItems(tones);
    }
}

} // namespace r57::ui
