// Every page in both languages with no caption cut short; with R57_SCREENSHOTS set to
// a folder, each page and the logo editor are saved there as PNG files.
#include "settings_fixture.h"

#include "ui/accessory/draw_window.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace r57::ui::testing {
namespace {

class Look : public SettingsTest {
protected:
    // Texts that do not fit their control, in the shown part of `root`.
    static QStringList Clipped(QWidget* root) {
        QStringList clipped;
        for (QWidget* w : root->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(root)) {
                continue;
            }
            const bool captioned = qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) ||
                                   qobject_cast<QRadioButton*>(w) ||
                                   qobject_cast<QPushButton*>(w) || qobject_cast<QComboBox*>(w);
            if (captioned && w->width() < w->sizeHint().width()) {
                clipped << QString("%1 %2<%3")
                               .arg(w->objectName())
                               .arg(w->width())
                               .arg(w->sizeHint().width());
            }
        }
        return clipped;
    }

    static void Shot(QWidget* w, const QString& name) {
        const QString folder = qEnvironmentVariable("R57_SCREENSHOTS");
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            w->grab().save(QDir(folder).filePath(name + ".png"));
        }
    }
};

TEST_F(Look, EveryPageFitsItsTextsInBothLanguages) {
    const char* const names[] = {"common", "dtmf",     "msk", "2tone",
                                 "5tone",  "function", "ptt", "logo"};
    for (int language : {kEnglish, kChinese}) {
        const QString suffix = language == kEnglish ? "en" : "zh";
        session().language = language;
        // Model 1 shows the DTMF page, model 2 the 2-Tone and 5-Tone pages.
        for (char model : {'1', '2'}) {
            openSettings(model);
            dialog->resize(dialog->sizeHint());
            QCoreApplication::processEvents();
            for (int page = 0; page < kSettingsPageCount; ++page) {
                const bool shown = model == '1' ? page != kTwoTonePage && page != kFiveTonePage
                                                : page != kDtmfPage;
                if (!shown) {
                    continue;
                }
                const char* const keys[] = {"C0", "C1", "C2", "C3", "C4", "B0", "B1", "B2"};
                tree()->setCurrentItem(node(keys[page]));
                QCoreApplication::processEvents();
                EXPECT_EQ(Clipped(dialog), QStringList())
                    << names[page] << " " << suffix.toStdString();
                if (model == '2' || page != kTwoTonePage) {
                    Shot(dialog, QString("settings-%1-%2").arg(names[page], suffix));
                }
            }
            closeSettings();
        }
        LogoPixels buffer = session().logo;
        DrawWindow draw(buffer, prompts, language);
        draw.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(Clipped(&draw), QStringList()) << suffix.toStdString();
        Shot(&draw, "draw-" + suffix);
    }
}

} // namespace
} // namespace r57::ui::testing
