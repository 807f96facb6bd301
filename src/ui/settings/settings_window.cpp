#include "ui/settings/settings_window.h"

#include "core/session.h"
#include "ui/main/main_window.h"
#include "ui/main/ui_text.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace r57::ui {

namespace {

struct Node {
    const char* key;
    int page; // -1 for a root
    int textId;
    OwnText own; // where the string table has no text
    char model;  // the model variant code that shows it, or 0 for every one
};
// The tree in its order: roots, then their children.
constexpr Node kRootB{"B", -1, 1394, {}, 0};
constexpr Node kMainSet[] = {
    {"B0", kFunctionPage, 1395, {}, 0},
    {"B2", kLogoPage, 0, {"PowerOn Logo", "开机Logo"}, 0},
    {"B1", kPttIdPage, 1396, {}, 0},
};
constexpr Node kRootC{"C", -1, 1353, {}, 0};
constexpr Node kSignalling[] = {
    {"C0", kCommonSetPage, 1397, {}, 0},  {"C2", kMskPage, 0, {"MSK", "MSK"}, 0},
    {"C1", kDtmfPage, 1100, {}, '1'},     {"C3", kTwoTonePage, 1315, {}, '2'},
    {"C4", kFiveTonePage, 1316, {}, '2'},
};
constexpr int kButtonCaptions[] = {1004, 1393, 1072}; // &Save, &Reset, &Close

QTreeWidgetItem* MakeNode(const Node& node, int language) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, node.textId ? Tr(node.textId, language) : Tr(node.own, language));
    item->setData(0, Qt::UserRole, QString(node.key));
    item->setData(0, Qt::UserRole + 1, node.page);
    return item;
}

} // namespace

SettingsWindow::SettingsWindow(MainWindow& main)
    : QDialog(&main), main_(main), logo_(main.session().logo) {
    Session& session = main.session();
    const int language = session.language;
    setObjectName("FrmOpSign");
    setWindowTitle(Tr(1094, language));
    setModal(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (int i = 0; i < 3; ++i) {
        buttons_[i] = new QPushButton(Tr(kButtonCaptions[i], language), this);
        buttons_[i]->setObjectName(QString("CmdOps_%1").arg(i));
        buttons_[i]->setAutoDefault(false);
        buttons_[i]->setMinimumWidth(90);
        buttons->addWidget(buttons_[i]);
    }
    connect(buttons_[0], &QPushButton::clicked, this, &SettingsWindow::save);
    connect(buttons_[1], &QPushButton::clicked, this, &SettingsWindow::reset);
    connect(buttons_[2], &QPushButton::clicked, this, &QDialog::reject);

    frame_ = new QGroupBox(this);
    frame_->setObjectName("FraOPS");
    stack_ = new QStackedWidget(frame_);
    const ViewContext context{session, main.prompts(), buttons_[0], language};
    views_[kCommonSetPage] = new CommonSetView(common_, context, stack_);
    views_[kDtmfPage] = new DtmfView(dtmf_, context, stack_);
    views_[kMskPage] = new MskView(msk_, context, stack_);
    views_[kTwoTonePage] = new TwoToneView(twoTone_, context, stack_);
    views_[kFiveTonePage] = new FiveToneView(fiveTone_, context, stack_);
    views_[kFunctionPage] = new FunctionView(function_, context, stack_);
    views_[kPttIdPage] = new PttIdView(function_, context, stack_);
    views_[kLogoPage] = new LogoView(logo_, context, stack_);
    for (PageView* view : views_) {
        stack_->addWidget(view);
    }
    auto* inFrame = new QVBoxLayout(frame_);
    inFrame->addWidget(stack_);

    buildTree();
    auto* right = new QVBoxLayout;
    right->addWidget(frame_, 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tree_);
    layout->addLayout(right, 1);

    loadAll();
    tree_->setCurrentItem(node("B0"));
}

SettingsWindow::~SettingsWindow() {
    // A box or grid editor leaving the focus settles its text into its page; let it do
    // so now, while the pages still exist, rather than while the controls are deleted.
    QWidget* focused = QApplication::focusWidget();
    if (focused && isAncestorOf(focused)) {
        focused->clearFocus();
    }
}

void SettingsWindow::buildTree() {
    const Session& session = main_.session();
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("TreeOPS");
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setFixedWidth(180);
    auto* rootB = MakeNode(kRootB, session.language);
    for (const Node& child : kMainSet) {
        rootB->addChild(MakeNode(child, session.language));
    }
    auto* rootC = MakeNode(kRootC, session.language);
    for (const Node& child : kSignalling) {
        if (child.model == 0 || child.model == session.modelCode) {
            rootC->addChild(MakeNode(child, session.language));
        }
    }
    tree_->addTopLevelItems({rootB, rootC});
    tree_->expandAll();
    connect(tree_, &QTreeWidget::currentItemChanged, this, &SettingsWindow::onNodeChanged);
}

QTreeWidgetItem* SettingsWindow::node(const QString& key) const {
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key) {
            return *it;
        }
    }
    return nullptr;
}

void SettingsWindow::loadAll() {
    // The pages read a copy: loading repairs what a page cannot show (the power-on
    // message's stray bytes), and the image changes only when the user saves.
    CodeplugImage image = main_.session().image;
    Page* pages[] = {&common_, &dtmf_, &msk_, &twoTone_, &fiveTone_, &function_, &logo_};
    for (Page* page : pages) {
        page->load(image);
    }
    for (PageView* view : views_) {
        view->fill();
    }
}

void SettingsWindow::onNodeChanged(QTreeWidgetItem* node, QTreeWidgetItem* previous) {
    if (switching_ || !node) {
        return;
    }
    views_[page_]->closeEditors();
    if (!fiveToneReady()) {
        switching_ = true;
        tree_->setCurrentItem(previous);
        switching_ = false;
        return;
    }
    // A root shows its first page and selects that page's node.
    const QString key = node->data(0, Qt::UserRole).toString();
    if (key == "B" || key == "C") {
        switching_ = true;
        node = this->node(key == "B" ? "B0" : "C0");
        tree_->setCurrentItem(node);
        switching_ = false;
    }
    showPage(node->data(0, Qt::UserRole + 1).toInt(), node);
}

void SettingsWindow::showPage(int page, QTreeWidgetItem* node) {
    page_ = page;
    frame_->setTitle(node->text(0));
    stack_->setCurrentWidget(views_[page]);
    buttons_[0]->show();
    buttons_[1]->show();
}

bool SettingsWindow::fiveToneReady() {
    if (page_ != kFiveTonePage) {
        return true;
    }
    return static_cast<FiveToneView*>(views_[kFiveTonePage])->checkCodes();
}

void SettingsWindow::save() {
    for (PageView* view : views_) {
        view->closeEditors();
    }
    if (!fiveToneReady()) {
        return;
    }
    for (PageView* view : views_) {
        view->take();
    }
    // Every page, also those the tree does not show for this model, then the picture.
    main_.applyWindowChange([this] {
        CodeplugImage& image = main_.session().image;
        const Page* pages[] = {&common_, &dtmf_, &msk_, &twoTone_, &fiveTone_, &function_, &logo_};
        for (const Page* page : pages) {
            page->write(image);
        }
    });
}

void SettingsWindow::reset() {
    if (!fiveToneReady()) {
        return;
    }
    loadAll();
}

void InstallSettingsWindow(MainWindow& main) {
    main.setWindowOpener(SubWindow::OptionalFeatures, [&main] {
        if (main.findChild<SettingsWindow*>(QString(), Qt::FindDirectChildrenOnly)) {
            return; // already open
        }
        auto* window = new SettingsWindow(main);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->open();
    });
}

} // namespace r57::ui
