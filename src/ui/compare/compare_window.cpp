#include "ui/compare/compare_window.h"

#include "ui/compare/compare_go_to.h"
#include "ui/compare/compare_print.h"
#include "ui/main/main_window.h"
#include "ui/main/main_window_items.h"
#include "ui/main/prompts.h"
#include "ui/main/ui_text.h"

#include "core/data_file.h"
#include "core/session.h"
#include "model/service/service_password.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace r57::ui {

namespace {

constexpr OwnText kTitle{"Compare", "比较"};
constexpr OwnText kFiles{"This codeplug: %1    Other: %2", "本数据：%1    对比数据：%2"};
constexpr OwnText kFilterHint{"Filter", "筛选"};
constexpr OwnText kOnlyChannels{"Only &channels", "仅信道(&C)"};
constexpr OwnText kOnlySettings{"Only &settings", "仅设置(&S)"};
constexpr OwnText kCount{"%1 of %2 differences shown", "显示 %1 / %2 处不同"};
constexpr OwnText kSame{"The two codeplugs are the same.", "两份数据完全相同。"};
constexpr OwnText kTake{"&Take From Other", "采用对比数据(&T)"};
constexpr OwnText kGoTo{"&Go To", "转到(&G)"};
constexpr OwnText kExport{"&Export CSV...", "导出 CSV(&E)..."};
constexpr OwnText kPrint{"&Print...", "打印(&P)..."};
constexpr OwnText kPdf{"Export P&DF...", "导出 PDF(&D)..."};
constexpr OwnText kClose{"Close", "关闭"};
constexpr OwnText kTaken{"%1 value(s) taken from the other.", "已从对比数据采用 %1 个值。"};
constexpr OwnText kRefused{"Not taken, the rules refuse them:", "以下值未被采用，规则不允许："};
constexpr OwnText kCsvFilter{"CSV Files (*.csv)", "CSV 文件 (*.csv)"};
constexpr OwnText kCannotWrite{"The file %1 could not be written.\n%2", "无法写入文件 %1。\n%2"};
constexpr int kRefusalsShown = 20; // in the message box
constexpr int kRefusalsNoted = 6;  // under the list

constexpr int kLoginId = 1391;    // "LOGIN"
constexpr int kPasswordId = 1392; // "Password:"
constexpr int kWrongId = 1390;    // "Wrong Password,Please try again!"
constexpr int kOkId = 1058;       // "&OK"
constexpr int kCancelId = 1059;   // "&Cancel"

QString FileNameOf(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName();
}

QPushButton* Button(const char* name, QWidget* parent, const QString& text = {}) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CompareWindow::CompareWindow(MainWindow& main, const CodeplugImage& other, const QString& otherName)
    : QDialog(&main), main_(main), other_(other), otherName_(otherName) {
    setObjectName("frmCompare");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    resize(760, 560);

    files_ = new QLabel(this);
    files_->setObjectName("lblFiles");
    filter_ = new QLineEdit(this);
    filter_->setObjectName("txtFilter");
    filter_->setClearButtonEnabled(true);
    onlyChannels_ = new QCheckBox(this);
    onlyChannels_->setObjectName("chkOnlyChannels");
    onlySettings_ = new QCheckBox(this);
    onlySettings_->setObjectName("chkOnlySettings");

    list_ = new QTreeView(this);
    list_->setObjectName("lstCompare");
    list_->setModel(&model_);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->header()->setStretchLastSection(true);
    list_->setColumnWidth(0, 260);
    list_->setColumnWidth(1, 220);

    count_ = new QLabel(this);
    count_->setObjectName("lblCount");
    notes_ = new QLabel(this);
    notes_->setObjectName("lblNotes");
    notes_->setWordWrap(true);
    notes_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    take_ = Button("cmdTake", this);
    auto* goToButton = Button("cmdGoTo", this);
    auto* exportButton = Button("cmdExport", this);
    auto* print = Button("cmdPrint", this);
    auto* pdf = Button("cmdPdf", this);
    auto* close = Button("cmdClose", this);

    auto* top = new QHBoxLayout;
    top->addWidget(filter_, 1);
    top->addWidget(onlyChannels_);
    top->addWidget(onlySettings_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {take_, goToButton, exportButton, print, pdf}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(files_);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addWidget(count_);
    layout->addWidget(notes_);
    layout->addLayout(buttons);

    connect(filter_, &QLineEdit::textChanged, this, &CompareWindow::applyFilter);
    connect(onlyChannels_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            onlySettings_->setChecked(false);
        }
        applyFilter();
    });
    connect(onlySettings_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            onlyChannels_->setChecked(false);
        }
        applyFilter();
    });
    connect(list_, &QTreeView::activated, this, &CompareWindow::goTo);
    connect(take_, &QPushButton::clicked, this, &CompareWindow::takeSelected);
    connect(goToButton, &QPushButton::clicked, this, [this] { goTo(list_->currentIndex()); });
    connect(exportButton, &QPushButton::clicked, this, &CompareWindow::exportCsv);
    connect(print, &QPushButton::clicked, this, &CompareWindow::printList);
    connect(pdf, &QPushButton::clicked, this, &CompareWindow::exportPdf);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    compare();
}

CodeplugImage CompareWindow::thisImage() const {
    // The names the shown grid holds (moved by the channel buttons) as they stand.
    CodeplugImage image = main_.session().image;
    main_.sheet(main_.session().currentBank).rewriteNames(image);
    return image;
}

void CompareWindow::applyLanguage() {
    const int language = main_.session().language;
    language_ = language;
    setWindowTitle(Tr(kTitle, language));
    filter_->setPlaceholderText(Tr(kFilterHint, language));
    onlyChannels_->setText(Tr(kOnlyChannels, language));
    onlySettings_->setText(Tr(kOnlySettings, language));
    const std::pair<const char*, OwnText> captions[] = {
        {"cmdTake", kTake},   {"cmdGoTo", kGoTo}, {"cmdExport", kExport},
        {"cmdPrint", kPrint}, {"cmdPdf", kPdf},   {"cmdClose", kClose}};
    for (const auto& [name, caption] : captions) {
        findChild<QPushButton*>(name)->setText(Tr(caption, language));
    }
}

void CompareWindow::compare() {
    const Session& s = main_.session();
    if (s.language != language_) {
        applyLanguage();
    }
    compared_ = thisImage();
    files_->setText(Tr(kFiles, s.language).arg(FileNameOf(s.currentFileName), otherName_));
    model_.setRows(text::CompareCodeplugs(compared_, other_), s.language);
    list_->expandAll();
    updateCount();
}

void CompareWindow::applyFilter() {
    const CompareShow show = onlyChannels_->isChecked()   ? CompareShow::Channels
                             : onlySettings_->isChecked() ? CompareShow::Settings
                                                          : CompareShow::All;
    model_.setFilter(filter_->text(), show);
    list_->expandAll();
    updateCount();
}

void CompareWindow::updateCount() {
    const int language = main_.session().language;
    const int all = static_cast<int>(model_.rows().size());
    count_->setText(all == 0 ? Tr(kSame, language)
                             : Tr(kCount, language).arg(model_.shownCount()).arg(all));
    take_->setEnabled(all > 0);
}

bool CompareWindow::event(QEvent* e) {
    // Back at the front after the user worked in the main window: compare again.
    if (e->type() == QEvent::WindowActivate &&
        (!(thisImage() == compared_) || main_.session().language != language_)) {
        compare();
    }
    return QDialog::event(e);
}

bool CompareWindow::serviceUnlocked() {
    if (serviceUnlocked_) {
        return true;
    }
    const int language = main_.session().language;
    QDialog login(this);
    login.setObjectName("frmLogin");
    login.setWindowTitle(Tr(kLoginId, language));
    auto* label = new QLabel(Tr(kPasswordId, language), &login);
    label->setObjectName("lblLabels");
    auto* password = new QLineEdit(&login);
    password->setObjectName("txtPassword");
    password->setEchoMode(QLineEdit::Password);
    label->setBuddy(password);
    auto* ok = Button("CmdOk", &login, Tr(kOkId, language));
    auto* cancel = Button("CmdCancel", &login, Tr(kCancelId, language));
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, &login, &QDialog::reject);
    connect(ok, &QPushButton::clicked, &login, [&] {
        if (service::IsServicePassword(password->text().toStdString())) {
            login.accept();
            return;
        }
        main_.prompts().message(&login, Tr(kLoginId, language), Tr(kWrongId, language),
                                Icon::Critical, Buttons::Ok, Answer::Ok);
        password->setFocus();
        password->selectAll();
    });
    auto* layout = new QHBoxLayout(&login);
    layout->addWidget(label);
    layout->addWidget(password, 1);
    layout->addWidget(ok);
    layout->addWidget(cancel);
    serviceUnlocked_ = login.exec() == QDialog::Accepted;
    return serviceUnlocked_;
}

void CompareWindow::takeSelected() {
    if (main_.transferRunning()) {
        return; // the image is the radio's to fill until the transfer ends
    }
    std::vector<std::size_t> chosen = model_.rowsOf(list_->selectionModel()->selectedIndexes());
    if (chosen.empty()) {
        return;
    }
    std::vector<text::DiffRow> rows;
    bool service = false;
    for (std::size_t i : chosen) {
        rows.push_back(model_.rows()[i]);
        service = service || rows.back().area == text::DiffArea::Service;
    }
    if (service && !serviceUnlocked()) {
        return;
    }
    const int language = main_.session().language;
    // The codeplug may have changed behind the list: take against it as it is now.
    const text::TakeResult taken = text::TakeFromOther(thisImage(), other_, rows);
    main_.applyWindowChange([&] { main_.session().image = taken.image; });
    QStringList refused;
    for (const text::TakenRow& r : taken.refused) {
        refused << QString::fromStdString(r.field + ": " + r.problem);
    }
    const QString summary = Tr(kTaken, language).arg(rows.size() - taken.refused.size());
    // The list under the rows keeps to a few lines; the message and the CSV of the next
    // comparison have the rest.
    // Every value not taken is named in the status log as well.
    main_.appendStatusLine(summary);
    for (const QString& line : refused) {
        main_.appendStatusLine(line);
    }
    QStringList noted = refused.mid(0, kRefusalsNoted);
    if (refused.size() > kRefusalsNoted) {
        noted << QString("... (%1)").arg(refused.size());
    }
    notes_->setText(refused.isEmpty()
                        ? summary
                        : summary + "\n" + Tr(kRefused, language) + "\n" + noted.join('\n'));
    compare();
    if (!refused.isEmpty()) {
        QStringList shown = refused.mid(0, kRefusalsShown);
        if (refused.size() > kRefusalsShown) {
            shown << QString("... (%1)").arg(refused.size());
        }
        main_.prompts().message(this, items::kModelName,
                                Tr(kRefused, language) + "\n" + shown.join('\n'), Icon::Warning,
                                Buttons::Ok, Answer::Ok);
    }
}

void CompareWindow::goTo(const QModelIndex& index) {
    if (main_.transferRunning()) {
        return;
    }
    if (const text::DiffRow* row = model_.rowAt(index)) {
        GoToRow(main_, *row);
    }
}

void CompareWindow::exportCsv() {
    const int language = main_.session().language;
    QString path = main_.prompts().saveFile(this, Tr(kCsvFilter, language), "compare.csv");
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += ".csv";
    }
    std::vector<text::DiffRow> shown;
    for (std::size_t i : model_.shownRows()) {
        shown.push_back(model_.rows()[i]);
    }
    const std::string csv = text::DiffCsv(shown, language);
    const Status written =
        WriteFileAtomically(path.toStdString(), std::vector<uint8_t>(csv.begin(), csv.end()));
    if (!written.ok) {
        main_.prompts().message(
            this, items::kModelName,
            Tr(kCannotWrite, language)
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(written.detail)),
            Icon::Critical, Buttons::Ok, Answer::Ok);
    }
}

CompareSheet CompareWindow::sheet() const {
    const Session& s = main_.session();
    return {FileNameOf(s.currentFileName), otherName_, s.language, model_.shownWords()};
}

void CompareWindow::printList() {
    PrintCompareSheet(main_.prompts(), this, sheet());
}

void CompareWindow::exportPdf() {
    ExportCompareSheet(main_.prompts(), this, sheet());
}

} // namespace r57::ui
