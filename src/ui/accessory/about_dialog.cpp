#include "ui/accessory/about_dialog.h"

#include "ui/main/ui_text.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace r57::ui {

namespace {

constexpr const char* kModel = "R57";
constexpr const char* kVersion = "1.10";

} // namespace

QDate AboutDialog::ReleaseDate() {
    return QDate(2016, 1, 6);
}

QString AboutDialog::AboutText(int language) {
    return QStringList{
        Tr(1187, language),
        Tr(1188, language) + " " + kModel,
        QString(),
        Tr(1189, language) + " " + kVersion,
        Tr(1190, language) + " " + QLocale().toString(ReleaseDate(), QLocale::ShortFormat),
    }
        .join('\n');
}

AboutDialog::AboutDialog(int language, QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(Tr(1068, language) + " " + kModel);
    if (parent != nullptr) {
        setWindowIcon(parent->windowIcon());
    }

    auto* icon = new QLabel(this);
    icon->setPixmap(windowIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(AboutText(language), this);
    text->setObjectName("lblAbout");
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* ok = new QPushButton(Tr(1058, language), this);
    ok->setObjectName("CmdOk");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutDialog::accept);

    auto* top = new QHBoxLayout;
    top->setSpacing(20);
    top->addWidget(icon);
    top->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

} // namespace r57::ui
