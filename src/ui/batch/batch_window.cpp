#include "batch_window.h"

#include "core/message_ids.h"
#include "core/session.h"
#include "link/port_slots.h"
#include "text/batch_plan.h"
#include "ui/main/main_window.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <set>

namespace r57::ui {

namespace {

constexpr OwnText kTitle{"Program Several Radios", "批量写入多台对讲机"};
constexpr OwnText kRulesCaption{
    "Fields of each radio (page / field, pattern with {n} or {n:03}):",
    "每台对讲机各自的字段（页面 / 字段，格式中 {n} 或 {n:03} 为编号）："};
constexpr OwnText kStartCaption{"First number", "起始编号"};
constexpr OwnText kStepCaption{"Step", "步长"};
constexpr OwnText kCountCaption{"Radios", "台数"};
constexpr OwnText kContinueCaption{"Continue from %1", "从 %1 继续"};
constexpr OwnText kPortsCaption{"Ports (one lane each):", "端口（每个端口一条通道）："};
constexpr OwnText kVerifyCaption{"Verify after write", "写入后校验"};
constexpr OwnText kAutoCaption{"Continue by itself", "自动继续"};
constexpr OwnText kKeepOldCaption{"Keep the old memory", "保留原有数据"};
constexpr OwnText kPreviewCaption{"The first radios:", "前几台对讲机："};
constexpr OwnText kNumberColumn{"Number", "编号"};
constexpr OwnText kLogCaption{"Log:", "日志："};
constexpr OwnText kStart{"&Start", "开始(&S)"};
constexpr OwnText kCancel{"Cancel", "取消"};
constexpr OwnText kOpenLog{"Open &Log", "打开日志(&L)"};
constexpr OwnText kClose{"Close", "关闭"};
constexpr OwnText kNext{"&Next", "下一台(&N)"};
constexpr OwnText kNoRule{"Give at least one field with a pattern.",
                          "请至少填写一个字段及其格式。"};
constexpr OwnText kNoPort{"Tick at least one port.", "请至少选择一个端口。"};
constexpr OwnText kRefused{"Nothing was sent: %1", "未发送任何数据：%1"};
constexpr OwnText kChecked{"All %1 radios checked.", "已检查全部 %1 台对讲机。"};
constexpr OwnText kSummary{"%1 of %2 radios delivered, %3 failed.",
                           "已完成 %1/%2 台对讲机，失败 %3 台。"};
constexpr OwnText kAgain{"Program again as %1", "以编号 %1 重新写入"};
constexpr OwnText kCloseBusy{"Radios are being programmed on %1 of the lanes. Stop them and "
                             "close? Each radio is told to end the transfer and gets its line "
                             "in the log.",
                             "%1 条通道正在写入对讲机。要停止并关闭吗？每台对讲机都会被通知结束"
                             "传输，并在日志中记录一行。"};
constexpr OwnText kLogFailed{"The log %1 could not be written: %2", "无法写入日志 %1：%2"};

// Fields a dealer gives each radio of its own; any field the export names can be typed.
const char* const kSuggestedFields[] = {
    "Function Setting / PTT ID Own ID",
    "Function Setting / PTT ID Name",
    "Function Setting / PowerOn Message",
    "MSK / Own ID",
    "Channels / A1 ID Code",
};

} // namespace

BatchWindow::BatchWindow(Session& session, Prompts& prompts, QWidget* parent)
    : QDialog(parent), session_(session), prompts_(prompts), base_(session.image),
      logFolder_(link::BatchLogFolder()) {
    setObjectName("frmBatch");
    build();
    applyLanguage();
    listPorts();
    setLogFolder(logFolder_);
    updatePreview();
}

BatchWindow::~BatchWindow() {
    if (run_ && run_->isRunning())
        run_->cancel();
}

QString BatchWindow::own(const char* english, const char* chinese) const {
    return Tr(OwnText{english, chinese}, session_.language);
}

void BatchWindow::build() {
    auto* layout = new QVBoxLayout(this);
    lblRules_ = new QLabel(this);
    layout->addWidget(lblRules_);
    auto* rulesGrid = new QGridLayout;
    for (int i = 0; i < kRuleRows; ++i) {
        cboRuleField_[i] = new QComboBox(this);
        cboRuleField_[i]->setObjectName(QString("cboRuleField_%1").arg(i));
        cboRuleField_[i]->setEditable(true);
        cboRuleField_[i]->addItem(QString());
        for (const char* field : kSuggestedFields)
            cboRuleField_[i]->addItem(QString::fromLatin1(field));
        cboRuleField_[i]->setMinimumContentsLength(30);
        txtRulePattern_[i] = new QLineEdit(this);
        txtRulePattern_[i]->setObjectName(QString("txtRulePattern_%1").arg(i));
        rulesGrid->addWidget(cboRuleField_[i], i, 0);
        rulesGrid->addWidget(txtRulePattern_[i], i, 1);
        connect(cboRuleField_[i], &QComboBox::currentTextChanged, this,
                [this] { updatePreview(); });
        connect(txtRulePattern_[i], &QLineEdit::textChanged, this, [this] { updatePreview(); });
    }
    layout->addLayout(rulesGrid);

    auto* numbers = new QHBoxLayout;
    const char* names[] = {"spnStart", "spnStep", "spnCount"};
    QSpinBox** boxes[] = {&spnStart_, &spnStep_, &spnCount_};
    for (int i = 0; i < 3; ++i) {
        lblNumbers_[i] = new QLabel(this);
        *boxes[i] = new QSpinBox(this);
        (*boxes[i])->setObjectName(names[i]);
        (*boxes[i])->setRange(i == 0 ? 0 : 1, i == 1 ? 1000 : 99999);
        (*boxes[i])->setValue(1);
        numbers->addWidget(lblNumbers_[i]);
        numbers->addWidget(*boxes[i]);
        connect(*boxes[i], &QSpinBox::valueChanged, this, [this] { updatePreview(); });
    }
    spnCount_->setValue(10);
    cmdContinue_ = new QPushButton(this);
    cmdContinue_->setObjectName("cmdContinue");
    cmdContinue_->setAutoDefault(false);
    numbers->addWidget(cmdContinue_);
    numbers->addStretch();
    layout->addLayout(numbers);

    auto* middle = new QHBoxLayout;
    auto* portsColumn = new QVBoxLayout;
    lblPorts_ = new QLabel(this);
    lstPorts_ = new QListWidget(this);
    lstPorts_->setObjectName("lstPorts");
    lstPorts_->setMaximumHeight(110);
    chkVerify_ = new QCheckBox(this);
    chkVerify_->setObjectName("chkVerify");
    chkVerify_->setChecked(true);
    chkAuto_ = new QCheckBox(this);
    chkAuto_->setObjectName("chkAuto");
    chkKeepOld_ = new QCheckBox(this);
    chkKeepOld_->setObjectName("chkKeepOld");
    portsColumn->addWidget(lblPorts_);
    portsColumn->addWidget(lstPorts_);
    portsColumn->addWidget(chkVerify_);
    portsColumn->addWidget(chkAuto_);
    portsColumn->addWidget(chkKeepOld_);
    middle->addLayout(portsColumn, 1);
    auto* previewColumn = new QVBoxLayout;
    lblPreview_ = new QLabel(this);
    grdPreview_ = new QTableWidget(this);
    grdPreview_->setObjectName("grdPreview");
    grdPreview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdPreview_->verticalHeader()->hide();
    grdPreview_->setMaximumHeight(170);
    lblCheck_ = new QLabel(this);
    lblCheck_->setObjectName("lblCheck");
    lblCheck_->setWordWrap(true);
    previewColumn->addWidget(lblPreview_);
    previewColumn->addWidget(grdPreview_);
    previewColumn->addWidget(lblCheck_);
    middle->addLayout(previewColumn, 2);
    layout->addLayout(middle);

    fraLanes_ = new QWidget(this);
    fraLanes_->setObjectName("fraLanes");
    lanesLayout_ = new QGridLayout(fraLanes_);
    lanesLayout_->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fraLanes_);

    lblLog_ = new QLabel(this);
    txtLog_ = new QPlainTextEdit(this);
    txtLog_->setObjectName("txtLog");
    txtLog_->setReadOnly(true);
    txtLog_->setLineWrapMode(QPlainTextEdit::NoWrap);
    lblSummary_ = new QLabel(this);
    lblSummary_->setObjectName("lblSummary");
    layout->addWidget(lblLog_);
    layout->addWidget(txtLog_, 1);
    layout->addWidget(lblSummary_);

    auto* buttons = new QHBoxLayout;
    cmdStart_ = new QPushButton(this);
    cmdStart_->setObjectName("cmdStart");
    cmdCancel_ = new QPushButton(this);
    cmdCancel_->setObjectName("cmdCancel");
    cmdCancel_->setEnabled(false);
    cmdOpenLog_ = new QPushButton(this);
    cmdOpenLog_->setObjectName("cmdOpenLog");
    cmdClose_ = new QPushButton(this);
    cmdClose_->setObjectName("cmdClose");
    for (QPushButton* b : {cmdStart_, cmdCancel_, cmdOpenLog_, cmdClose_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->insertStretch(2);
    layout->addLayout(buttons);

    connect(cmdStart_, &QPushButton::clicked, this, [this] { start(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(cmdClose_, &QPushButton::clicked, this, [this] { close(); });
    connect(cmdOpenLog_, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(logPath_)); });
    connect(cmdContinue_, &QPushButton::clicked, this, [this] {
        const std::set<long> taken = link::TakenNumbers(logPath_);
        if (!taken.empty())
            spnStart_->setValue(static_cast<int>(
                link::BatchNumbers(*taken.begin(), spnStep_->value(), 1, taken).firstFree()));
    });
    resize(820, 640);
}

void BatchWindow::applyLanguage() {
    const int l = session_.language;
    setWindowTitle(Tr(kTitle, l));
    lblRules_->setText(Tr(kRulesCaption, l));
    lblNumbers_[0]->setText(Tr(kStartCaption, l));
    lblNumbers_[1]->setText(Tr(kStepCaption, l));
    lblNumbers_[2]->setText(Tr(kCountCaption, l));
    lblPorts_->setText(Tr(kPortsCaption, l));
    chkVerify_->setText(Tr(kVerifyCaption, l));
    chkAuto_->setText(Tr(kAutoCaption, l));
    chkKeepOld_->setText(Tr(kKeepOldCaption, l));
    lblPreview_->setText(Tr(kPreviewCaption, l));
    lblLog_->setText(Tr(kLogCaption, l));
    cmdStart_->setText(Tr(kStart, l));
    cmdCancel_->setText(Tr(kCancel, l));
    cmdOpenLog_->setText(Tr(kOpenLog, l));
    cmdClose_->setText(Tr(kClose, l));
}

// The twenty slots that stand for a device, and the devices no slot names.
void BatchWindow::listPorts() {
    const QStringList machine = link::MachineSerialDevices();
    QStringList listed;
    for (int slot = 1; slot <= link::kPortSlots; ++slot) {
        const QString device = link::DeviceForSlot(slot, machine);
        if (device.isEmpty() || listed.contains(device))
            continue;
        listed << device;
        auto* item = new QListWidgetItem(QString("COM%1  %2").arg(slot).arg(device), lstPorts_);
        item->setData(Qt::UserRole, device);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    for (const QString& device : machine) {
        if (listed.contains(device))
            continue;
        auto* item = new QListWidgetItem(device, lstPorts_);
        item->setData(Qt::UserRole, device);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void BatchWindow::setLogFolder(const QString& folder) {
    logFolder_ = folder;
    updateLogPath();
    offerContinue();
}

void BatchWindow::updateLogPath() {
    QStringList names;
    if (const auto parsed = rules(false)) {
        for (const text::BatchRule& rule : *parsed)
            names << QString::fromStdString(rule.name() + "=" + rule.pattern);
    }
    logPath_ = link::BatchLogPath(base_, names, logFolder_);
}

// The next batch of the same codeplug and rules goes on from the lowest number not yet
// taken (delivered, or written and not verified), and fills every gap before going on.
void BatchWindow::offerContinue() {
    const std::set<long> taken = link::TakenNumbers(logPath_);
    cmdContinue_->setVisible(!taken.empty());
    if (!taken.empty())
        cmdContinue_->setText(
            Tr(kContinueCaption, session_.language)
                .arg(link::BatchNumbers(*taken.begin(), spnStep_->value(), 1, taken).firstFree()));
}

std::optional<std::vector<text::BatchRule>> BatchWindow::rules(bool tellUser) {
    std::vector<text::BatchRule> out;
    for (int i = 0; i < kRuleRows; ++i) {
        const QString field = cboRuleField_[i]->currentText().trimmed();
        if (field.isEmpty())
            continue;
        std::string error;
        const auto rule =
            text::ParseBatchRule((field + '=' + txtRulePattern_[i]->text()).toStdString(), error);
        if (!rule) {
            if (tellUser)
                tell(Tr(kRefused, session_.language).arg(QString::fromStdString(error)));
            return std::nullopt;
        }
        out.push_back(*rule);
    }
    if (out.empty()) {
        if (tellUser)
            tell(Tr(kNoRule, session_.language));
        return std::nullopt;
    }
    return out;
}

// The values of the first radios, as they will be stored, or why one is refused.
void BatchWindow::updatePreview() {
    if (!cmdStart_)
        return; // still being built
    updateLogPath();
    if (cmdContinue_)
        offerContinue();
    grdPreview_->clear();
    lblCheck_->clear();
    const auto parsed = rules(false);
    if (!parsed) {
        grdPreview_->setRowCount(0);
        grdPreview_->setColumnCount(0);
        return;
    }
    const text::BatchPlan plan(base_, *parsed, spnStart_->value(), spnStep_->value(),
                               spnCount_->value());
    QStringList header{Tr(kNumberColumn, session_.language)};
    for (const text::BatchRule& rule : plan.rules()) // the field a caption stands for
        header << QString::fromStdString(rule.name());
    grdPreview_->setColumnCount(static_cast<int>(header.size()));
    grdPreview_->setHorizontalHeaderLabels(header);
    const int shown = std::min(kPreviewRadios, plan.count());
    grdPreview_->setRowCount(shown);
    for (int row = 0; row < shown; ++row) {
        const long number = plan.number(row);
        grdPreview_->setItem(row, 0, new QTableWidgetItem(QString::number(number)));
        const std::vector<std::string> values = plan.valuesFor(number);
        for (std::size_t c = 0; c < values.size(); ++c)
            grdPreview_->setItem(row, static_cast<int>(c) + 1,
                                 new QTableWidgetItem(QString::fromStdString(values[c])));
        text::RuleRefusal refusal;
        if (!plan.imageFor(number, &refusal) && lblCheck_->text().isEmpty())
            lblCheck_->setText(QString::fromStdString(refusal.message(*parsed)));
    }
    grdPreview_->resizeColumnsToContents();
}

void BatchWindow::tell(const QString& text) {
    prompts_.message(this, items::kModelName, text, Icon::Warning, Buttons::Ok, Answer::Ok);
}

void BatchWindow::setEditable(bool editable) {
    for (int i = 0; i < kRuleRows; ++i) {
        cboRuleField_[i]->setEnabled(editable);
        txtRulePattern_[i]->setEnabled(editable);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{spnStart_, spnStep_, spnCount_, cmdContinue_, lstPorts_,
                                         chkVerify_, chkAuto_, chkKeepOld_, cmdStart_})
        w->setEnabled(editable);
    cmdCancel_->setEnabled(!editable);
}

void BatchWindow::start() {
    if (run_ && run_->isRunning())
        return;
    const auto parsed = rules(true);
    if (!parsed)
        return;
    QStringList devices;
    for (int i = 0; i < lstPorts_->count(); ++i) {
        if (lstPorts_->item(i)->checkState() == Qt::Checked)
            devices << lstPorts_->item(i)->data(Qt::UserRole).toString();
    }
    if (devices.isEmpty()) {
        tell(Tr(kNoPort, session_.language));
        return;
    }
    // Every number is tried before a single frame goes out.
    planRules_ = *parsed;
    plan_ = std::make_unique<text::BatchPlan>(base_, planRules_, spnStart_->value(),
                                              spnStep_->value(), spnCount_->value());
    if (const auto refusal = plan_->check()) {
        const QString message = QString::fromStdString(refusal->message(planRules_));
        lblCheck_->setText(message);
        tell(Tr(kRefused, session_.language).arg(message));
        return;
    }
    planRules_ = plan_->rules(); // the log names the fields as the export does
    lblCheck_->setText(Tr(kChecked, session_.language).arg(plan_->count()));

    link::BatchSettings settings;
    settings.imageFor = [this](long number, QString& why) {
        text::RuleRefusal refusal;
        auto image = plan_->imageFor(number, &refusal);
        if (!image)
            why = QString::fromStdString(refusal.message(planRules_));
        return image;
    };
    settings.valuesFor = [this](long number) {
        return plan_->valuesFor(number);
    };
    for (const text::BatchRule& rule : planRules_)
        settings.ruleNames << QString::fromStdString(rule.name());
    settings.start = plan_->start();
    settings.step = plan_->step();
    settings.count = plan_->count();
    settings.modelCode = session_.modelCode;
    settings.updateRadioTime = session_.updateRadioTime;
    settings.language = session_.language;
    settings.verify = chkVerify_->isChecked();
    settings.autoContinue = chkAuto_->isChecked();
    settings.keepOld = chkKeepOld_->isChecked();
    updateLogPath();
    settings.logPath = logPath_;
    // A number this batch gave before is never given again, wherever Start begins.
    settings.taken = link::TakenNumbers(logPath_);
    run_ = std::make_unique<link::BatchRun>(settings, devices);
    runDevices_ = devices;
    connect(run_.get(), &link::BatchRun::laneChanged, this, [this](int lane) { showLane(lane); });
    connect(run_.get(), &link::BatchRun::radioDone, this,
            [this](const link::RadioResult& r) { onRadioDone(r); });
    connect(run_.get(), &link::BatchRun::logFailed, this,
            [this](const QString& path, const QString& why) {
                txtLog_->appendPlainText(Tr(kLogFailed, session_.language).arg(path, why));
            });
    connect(run_.get(), &link::BatchRun::finished, this, [this](bool all) { onFinished(all); });
    buildLanes();
    setEditable(false);
    showSummary();
    run_->start();
}

void BatchWindow::buildLanes() {
    for (QWidget* w : fraLanes_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        delete w;
    lanePorts_.clear();
    laneStates_.clear();
    laneNext_.clear();
    laneAgain_.clear();
    for (int i = 0; i < runDevices_.size(); ++i) {
        auto* port = new QLabel(runDevices_[i], fraLanes_);
        port->setObjectName(QString("lblLanePort_%1").arg(i));
        auto* state = new QLabel(fraLanes_);
        state->setObjectName(QString("lblLaneState_%1").arg(i));
        auto* next = new QPushButton(Tr(kNext, session_.language), fraLanes_);
        next->setObjectName(QString("cmdLaneNext_%1").arg(i));
        next->setAutoDefault(false);
        next->setEnabled(false);
        connect(next, &QPushButton::clicked, this, [this, i] {
            if (run_)
                run_->next(i);
        });
        // The radio on the cable already has a number of this batch, or was written
        // and not verified: the dealer may write it again with that same number.
        auto* again = new QPushButton(fraLanes_);
        again->setObjectName(QString("cmdLaneAgain_%1").arg(i));
        again->setAutoDefault(false);
        again->setVisible(false);
        connect(again, &QPushButton::clicked, this, [this, i] {
            if (run_)
                run_->programAgain(i);
        });
        state->setWordWrap(true);
        lanesLayout_->addWidget(port, i, 0);
        lanesLayout_->addWidget(state, i, 1);
        lanesLayout_->addWidget(again, i, 2);
        lanesLayout_->addWidget(next, i, 3);
        lanesLayout_->setColumnStretch(1, 1);
        lanePorts_.push_back(port);
        laneStates_.push_back(state);
        laneNext_.push_back(next);
        laneAgain_.push_back(again);
    }
}

void BatchWindow::showLane(int lane) {
    if (!run_ || lane < 0 || lane >= static_cast<int>(laneStates_.size()))
        return;
    const link::BatchLane& l = run_->lane(lane);
    laneStates_[lane]->setText(l.text());
    const bool waitsForNext = l.state() == link::BatchLane::State::Done;
    const bool wasWaiting = laneNext_[lane]->isEnabled();
    laneNext_[lane]->setEnabled(waitsForNext);
    const auto again = l.againNumber();
    laneAgain_[lane]->setVisible(waitsForNext && again.has_value());
    if (again)
        laneAgain_[lane]->setText(Tr(kAgain, session_.language).arg(*again));
    // Enter goes to the lane that has just finished its radio.
    if (waitsForNext && !wasWaiting)
        laneNext_[lane]->setFocus();
}

void BatchWindow::onRadioDone(const link::RadioResult& result) {
    txtLog_->appendPlainText(link::BatchLog(logPath_, run_->settings().ruleNames).line(result));
    showSummary();
}

void BatchWindow::showSummary() {
    if (!run_)
        return;
    lblSummary_->setText(Tr(kSummary, session_.language)
                             .arg(run_->numbers().deliveredCount())
                             .arg(run_->numbers().count())
                             .arg(run_->failedCount()));
}

void BatchWindow::onFinished(bool) {
    for (int i = 0; i < static_cast<int>(laneNext_.size()); ++i)
        showLane(i);
    setEditable(true);
    showSummary();
    offerContinue();
    if (closeWhenStopped_)
        close();
}

void BatchWindow::cancel() {
    if (run_ && run_->isRunning())
        run_->cancel();
}

// Enter presses the button that has the focus (Next of the lane that has just finished,
// or the one the dealer moved to), never the Next of a lane whose radio is still the
// one it has written.
void BatchWindow::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && run_ &&
        run_->isRunning()) {
        for (std::size_t i = 0; i < laneNext_.size(); ++i) {
            for (QPushButton* b : {laneNext_[i], laneAgain_[i]}) {
                if (b->hasFocus() && b->isEnabled() && b->isVisible())
                    return b->click();
            }
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void BatchWindow::reject() {
    if (closing_)
        QDialog::reject(); // from QDialog::closeEvent: the window goes
    else
        close();
}

void BatchWindow::closeEvent(QCloseEvent* event) {
    if (run_ && run_->isRunning()) {
        int busy = 0;
        for (int i = 0; i < run_->laneCount(); ++i)
            busy += run_->lane(i).state() == link::BatchLane::State::Working;
        if (busy > 0 &&
            prompts_.message(this, items::kModelName, Tr(kCloseBusy, session_.language).arg(busy),
                             Icon::Question, Buttons::YesNo, Answer::No) != Answer::Yes) {
            event->ignore();
            return;
        }
        // Every lane ends its radio (its "E" and its log line) before the window goes.
        closeWhenStopped_ = true;
        cancel();
        if (run_->isRunning()) {
            event->ignore();
            return;
        }
    }
    closing_ = true;
    QDialog::closeEvent(event);
    closing_ = false;
}

void InstallBatchWindow(MainWindow& window) {
    window.setWindowOpener(SubWindow::Batch, [&window] {
        // What Write would send: the names of channels the grid still holds go into the
        // image first.
        window.applyWindowChange([] {});
        auto* dialog = new BatchWindow(window.session(), window.prompts(), &window);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
}

} // namespace r57::ui
