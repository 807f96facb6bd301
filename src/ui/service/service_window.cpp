// The service window's frame: the page tree, the buttons and the confirmation that
// stands between a page's edits and the image.
#include "ui/service/service_window.h"

#include "ui/main/contrast.h"

#include "ui/main/main_window.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"
#include "ui/service/analogue_page_widget.h"
#include "ui/service/deviation_page_widget.h"
#include "ui/service/frequency_page_widget.h"

#include "core/session.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace r57::ui {

namespace {

constexpr int kTitleId = 1362;   // "Advanded", also the tree's root
constexpr int kFreqSetId = 1363; // "FreqSet"
constexpr int kTuningId = 1364;  // "Tuning"
constexpr int kBandId = 1275;    // "Band"
constexpr int kSaveId = 1378;    // "Data has been changed,Save?"
constexpr int kReadId = 1359;    // "&Read"
constexpr int kWriteId = 1360;   // "&Write"
constexpr int kApplyId = 1361;   // "&Apply"
constexpr int kCloseId = 1072;   // "&Close"
constexpr int kCloseButton = 2;
constexpr const char* kRootKey = "Root";

// Each node's read, write and apply buttons.
struct NodeButtons {
    const char* key;
    int read;
    int write;
    int apply;
};
constexpr NodeButtons kNodes[] = {
    {"A", 0, 1, 3},   {"B", 4, 5, 14},    {"B0", 6, 7, 15},
    {"B1", 8, 9, 16}, {"B2", 10, 11, 17}, {"C", 12, 13, 18},
};

enum class Role { Read, Write, Close, Apply };

Role RoleOf(int index) {
    if (index == kCloseButton) {
        return Role::Close;
    }
    if (index == 3 || index >= 14) {
        return Role::Apply;
    }
    return index % 2 == 0 ? Role::Read : Role::Write;
}

int CaptionOf(Role role) {
    switch (role) {
    case Role::Read:
        return kReadId;
    case Role::Write:
        return kWriteId;
    case Role::Close:
        return kCloseId;
    case Role::Apply:
        break;
    }
    return kApplyId;
}

const NodeButtons* NodeOf(const QString& key) {
    for (const NodeButtons& node : kNodes) {
        if (key == node.key) {
            return &node;
        }
    }
    return nullptr;
}

QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& key, const QString& text) {
    auto* item = new QTreeWidgetItem(parent, {text});
    item->setData(0, Qt::UserRole, key);
    return item;
}

} // namespace

ServiceWindow::ServiceWindow(MainWindow& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName("frmAdv");
    Session& session = main.session();
    setWindowTitle(Tr(kTitleId, session.language));
    setModal(true);

    body_ = new QWidget(this);
    body_->setObjectName("PicAdv");
    frequency_ = new FrequencyPageWidget(session, body_);
    deviation_ = new DeviationPageWidget(session, body_);
    analogue_ = new AnaloguePageWidget(session, body_);
    stack_ = new QStackedWidget(body_);
    stack_->setObjectName("PicPages");
    for (ServicePage* page :
         {static_cast<ServicePage*>(frequency_), static_cast<ServicePage*>(deviation_),
          static_cast<ServicePage*>(analogue_)}) {
        stack_->addWidget(page);
        connect(page, &ServicePage::edited, this, [this] { changed_ = true; });
    }
    buildTree();

    auto* pages = new QSplitter(Qt::Horizontal, body_);
    pages->addWidget(tree_);
    pages->addWidget(stack_);
    pages->setStretchFactor(0, 0);
    pages->setStretchFactor(1, 1);
    pages->setChildrenCollapsible(false);
    pages->setSizes({210, 920});
    auto* bodyLayout = new QVBoxLayout(body_);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addWidget(pages, 1);
    buildButtons(body_);

    busy_ = new QLabel(this);
    busy_->setObjectName("Label2");
    // Red, as light as a dark theme needs to read it.
    busy_->setStyleSheet(
        QString("QLabel { color: %1; font-weight: bold; }")
            .arg(Readable(QColor(192, 0, 0), palette().color(QPalette::Window)).name()));
    busy_->hide();
    // Rows the window shows that are no longer those the radio was last seen to hold
    // (a service read undone in the main window, an edit applied since).
    radioNote_ = new QLabel(this);
    radioNote_->setObjectName("lblRadioRows");
    radioNote_->setWordWrap(true);
    radioNote_->setStyleSheet("QLabel { color: rgb(160, 80, 0); }");
    radioNote_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(body_, 1);
    layout->addWidget(radioNote_);
    layout->addWidget(busy_);

    refreshAll();
    showNode("A");
    resize(1140, 660);
}

ServiceWindow::~ServiceWindow() {
    releaseCloneWindow();
}

void ServiceWindow::buildTree() {
    const int language = main_.session().language;
    tree_ = new QTreeWidget(body_);
    tree_->setObjectName("TreeAdv");
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setMinimumWidth(200);
    auto* root = new QTreeWidgetItem(tree_, {Tr(kTitleId, language)});
    root->setData(0, Qt::UserRole, kRootKey);
    AddNode(root, "A", Tr(kFreqSetId, language));
    QTreeWidgetItem* tuning = AddNode(root, "B", Tr(kTuningId, language));
    for (int band = 0; band < 3; ++band) {
        AddNode(tuning, QString("B%1").arg(band), QString());
    }
    AddNode(root, "C",
            Tr(OwnText{service::AnalogueGainPage::kTitle.english,
                       service::AnalogueGainPage::kTitle.chinese},
               language));
    tree_->expandAll();
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* now, QTreeWidgetItem* before) {
                const QString key = now ? now->data(0, Qt::UserRole).toString() : QString();
                if (!NodeOf(key) || showNode(key)) {
                    return; // the root chooses no page
                }
                QSignalBlocker block(tree_);
                tree_->setCurrentItem(before); // Cancel: the user stays on the page
            });
}

void ServiceWindow::buildButtons(QWidget* parent) {
    const int language = main_.session().language;
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (int index = 0; index < kButtons; ++index) {
        auto* button = new QPushButton(Tr(CaptionOf(RoleOf(index)), language), parent);
        button->setObjectName(QString("CmdAdv_%1").arg(index));
        button->setAutoDefault(false);
        button->setMinimumWidth(90);
        buttons_[index] = button;
        connect(button, &QPushButton::clicked, this, [this, index] { runButton(index); });
    }
    // Read, write and apply of the shown node, then Close.
    for (const NodeButtons& node : kNodes) {
        for (int index : {node.read, node.write, node.apply}) {
            row->addWidget(buttons_[index]);
        }
    }
    row->addSpacing(16);
    row->addWidget(buttons_[kCloseButton]);
    static_cast<QVBoxLayout*>(parent->layout())->addLayout(row);
}

void ServiceWindow::runButton(int index) {
    switch (RoleOf(index)) {
    case Role::Read:
        readFromRadio();
        break;
    case Role::Write:
        writeToRadio();
        break;
    case Role::Close:
        close();
        break;
    case Role::Apply:
        confirmChanges();
        break;
    }
}

ServicePage* ServiceWindow::pageFor(const QString& key) const {
    if (key == "A") {
        return frequency_;
    }
    if (key == "C") {
        return analogue_;
    }
    return NodeOf(key) ? deviation_ : nullptr;
}

ServicePage* ServiceWindow::shownPage() const {
    return static_cast<ServicePage*>(stack_->currentWidget());
}

bool ServiceWindow::onFrequencyPage() const {
    return shownPage() == frequency_;
}

bool ServiceWindow::showNode(const QString& key) {
    ServicePage* next = pageFor(key);
    if (!next || isTransferring()) {
        return false;
    }
    const bool newPage = next != shownPage() || node_.isEmpty();
    if (newPage && !node_.isEmpty() && !confirmChanges()) {
        return false;
    }
    node_ = key;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key && tree_->currentItem() != *it) {
            QSignalBlocker block(tree_);
            tree_->setCurrentItem(*it);
        }
    }
    const NodeButtons* shown = NodeOf(key);
    for (const NodeButtons& node : kNodes) {
        for (int index : {node.read, node.write, node.apply}) {
            buttons_[index]->setVisible(&node == shown);
        }
    }
    analogue_->setApplyButton(buttons_[shown->apply]);
    if (newPage) {
        stack_->setCurrentWidget(next);
        next->refresh();
        changed_ = false;
    }
    if (key.size() == 2 && key[0] == 'B') {
        deviation_->showBand(key[1].digitValue());
    }
    return true;
}

bool ServiceWindow::confirmChanges() {
    shownPage()->commitEdits();
    if (!changed_) {
        return true;
    }
    changed_ = false;
    const Answer answer =
        main_.prompts().message(this, "R57", Tr(kSaveId, main_.session().language), Icon::Question,
                                Buttons::YesNoCancel, Answer::Yes);
    if (answer == Answer::Yes) {
        storeShownPage();
        return true;
    }
    if (answer == Answer::No) {
        shownPage()->refresh();
        return true;
    }
    changed_ = true;
    return false;
}

void ServiceWindow::storeShownPage() {
    ServicePage* page = shownPage();
    Session& session = main_.session();
    main_.applyWindowChange([&] { page->store(session.image); });
    // Other bands make the channels made for the old ones meaningless: New clears
    // them (after its own question), keeping the new limits.
    if (page == frequency_ && frequency_->rangesChanged()) {
        main_.newCodeplug();
    }
    refreshAll();
}

void ServiceWindow::refreshAll() {
    frequency_->refresh();
    deviation_->refresh();
    analogue_->refresh();
    showBandCaptions();
    updateRadioNote();
}

void ServiceWindow::updateRadioNote() {
    static constexpr OwnText kNote{
        "The %1 shown no longer match the radio's: the service read was undone, or they "
        "were changed since. Read them again before relying on them.",
        "所显示的%1已与对讲机中的不一致：维修读取已被撤销，或之后有过修改。使用前请重新读取。"};
    static constexpr OwnText kTuning{"tuning rows", "调试数据"};
    static constexpr OwnText kRanges{"frequency ranges", "频率范围"};
    const int language = main_.session().language;
    QStringList which;
    if (main_.radioRowsMatch(link::ServiceRows::Ranges) == false)
        which << Tr(kRanges, language);
    if (main_.radioRowsMatch(link::ServiceRows::Tuning) == false)
        which << Tr(kTuning, language);
    radioNote_->setText(which.isEmpty() ? QString() : Tr(kNote, language).arg(which.join(" / ")));
    radioNote_->setVisible(!which.isEmpty());
}

void ServiceWindow::showBandCaptions() {
    const Session& session = main_.session();
    const QString band = Tr(kBandId, session.language);
    QStringList captions;
    for (int k = 0; k < 3; ++k) {
        captions << QString("%1-%2").arg(session.bands.low[k]).arg(session.bands.high[k]);
    }
    deviation_->setBandCaptions(captions);
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        const QString key = (*it)->data(0, Qt::UserRole).toString();
        if (key.size() == 2 && key[0] == 'B') {
            (*it)->setText(0, band + " " + captions[key[1].digitValue()]);
        }
    }
}

void ServiceWindow::done(int result) {
    if (isTransferring() || !confirmChanges()) {
        return;
    }
    QDialog::done(result);
}

} // namespace r57::ui
