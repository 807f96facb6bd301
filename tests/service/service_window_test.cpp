// The login and the service window, driven by their controls: the password, the page
// tree and buttons in both languages, message 1378 with each answer, and the stores of
// each page through the main window.
#include "service_fixture.h"

#include "core/band_limits.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QSettings>
#include <QStackedWidget>
#include <QTreeWidget>

namespace r57::ui::testing {
namespace {

QTreeWidgetItem* Node(QTreeWidget* tree, const QString& key) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key) {
            return *it;
        }
    }
    return nullptr;
}

TEST_F(ServiceTest, LoginRefusesEveryOtherEntryThenOpensTheServiceWindow) {
    EXPECT_FALSE(item("mnuProgram_Advanced")->isVisible());
    window->setServiceEntryVisible(true); // r57cps --service
    EXPECT_TRUE(item("mnuProgram_Advanced")->isVisible());

    LoginDialog* dialog = nullptr;
    for (const char* wrong : {"", " 482913", "482913 ", "48291", "4829130"}) {
        prompts.asked.clear();
        dialog = login(wrong);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(prompts.asked.size(), 1u) << wrong;
        EXPECT_EQ(prompts.asked[0].text, Tr(1390));
        EXPECT_EQ(prompts.asked[0].title, Tr(1391));
        EXPECT_EQ(prompts.asked[0].buttons, Buttons::Ok);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->loginSucceeded());
        EXPECT_EQ(dialog->serviceWindow(), nullptr);
        auto* entry = in<QLineEdit>(dialog, "txtPassword");
        EXPECT_EQ(entry->selectedText(), entry->text()) << "the whole entry is selected";
        EXPECT_EQ(dialog->focusWidget(), entry);
    }
    auto* entry = in<QLineEdit>(dialog, "txtPassword");
    QTest::keyClicks(entry, "482913"); // replaces the selected wrong entry
    EXPECT_EQ(entry->displayText(), "******");
    prompts.asked.clear();
    QTest::keyClick(entry, Qt::Key_Return); // only moves to OK
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(dialog->focusWidget(), in(dialog, "CmdOk"));
    EXPECT_EQ(dialog->serviceWindow(), nullptr);

    QTest::mouseClick(in(dialog, "CmdOk"), Qt::LeftButton);
    EXPECT_TRUE(dialog->loginSucceeded());
    EXPECT_FALSE(dialog->isVisible());
    QPointer<ServiceWindow> service = dialog->serviceWindow();
    ASSERT_NE(service, nullptr);
    EXPECT_TRUE(service->isVisible());
    EXPECT_TRUE(service->isModal());
    EXPECT_TRUE(prompts.asked.empty());

    QPointer<LoginDialog> alive = dialog;
    press(service, 2); // Close: the login goes with it
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(service.isNull());
    EXPECT_TRUE(alive.isNull());

    // Cancel closes the login; nothing keeps the password.
    dialog = login("482913x");
    QTest::mouseClick(in(dialog, "CmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->loginSucceeded());
    window->close();
    QFile settings(QSettings("Tarvex", "R57").fileName());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_FALSE(settings.readAll().contains("482913"));
}

TEST_F(ServiceTest, TreeButtonsAndCaptionsInBothLanguages) {
    for (int language : {kEnglish, kChinese}) {
        window->switchLanguage(language);
        BandLimits bands; // the tuning bands are captioned from the limits
        bands.low[1] = 410;
        StoreBandLimits(session().image, bands);
        window->imageChanged();
        ServiceWindow* w = service();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), Tr(1362, language));
        auto* tree = in<QTreeWidget>(w, "TreeAdv");
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        EXPECT_EQ(tree->topLevelItem(0)->text(0), Tr(1362, language));
        EXPECT_EQ(Node(tree, "A")->text(0), Tr(1363, language));
        EXPECT_EQ(Node(tree, "B")->text(0), Tr(1364, language));
        EXPECT_EQ(Node(tree, "B0")->text(0), Tr(1275, language) + " 400-490");
        EXPECT_EQ(Node(tree, "B1")->text(0), Tr(1275, language) + " 410-490");
        EXPECT_EQ(Node(tree, "B2")->text(0), Tr(1275, language) + " 136-174");
        EXPECT_EQ(Node(tree, "B1")->parent(), Node(tree, "B"));
        EXPECT_EQ(Node(tree, "C")->text(0),
                  language == kEnglish ? "Analogue Setting Gain" : "模拟增益设置");
        EXPECT_EQ(in<QGroupBox>(w, "Frame1_1")->title(), "410-490");

        const int captions[] = {1359, 1360, 1072, 1361};
        for (int i = 0; i < ServiceWindow::kButtons; ++i) {
            const int role = i == 2 ? 2 : (i == 3 || i >= 14) ? 3 : i % 2;
            EXPECT_EQ(in<QPushButton>(w, QString("CmdAdv_%1").arg(i))->text(),
                      Tr(captions[role], language))
                << i;
        }
        // Each node shows its own read, write and apply buttons, and Close.
        const struct {
            const char* key;
            const char* page;
            std::vector<int> buttons;
        } nodes[] = {{"A", "fraFreq", {0, 1, 2, 3}},
                     {"B", "PicDev", {2, 4, 5, 14}},
                     {"B1", "PicDev", {2, 8, 9, 16}},
                     {"C", "fraAnalogue", {2, 12, 13, 18}}};
        for (const auto& node : nodes) {
            tree->setCurrentItem(Node(tree, node.key));
            EXPECT_EQ(w->shownNode(), node.key);
            EXPECT_TRUE(in(w, node.page)->isVisible()) << node.key;
            std::vector<int> shown;
            for (int i = 0; i < ServiceWindow::kButtons; ++i) {
                if (in(w, QString("CmdAdv_%1").arg(i))->isVisible()) {
                    shown.push_back(i);
                }
            }
            EXPECT_EQ(shown, node.buttons) << node.key;
        }
        EXPECT_EQ(in<QLabel>(w, "Label2")->isVisible(), false);
        press(w, 2);
        QCoreApplication::processEvents();
    }
}

// Apply with an edited band limit, answered each way; Yes also runs New (1201).
TEST_F(ServiceTest, ApplyAsksBeforeStoringAndNewFollowsOtherBands) {
    const struct {
        Answer save;
        Answer clear; // the answer to New's "ALL data will be cleared."
        bool stored;
        bool channelsKept;
        const char* shown;
        bool changed;
    } cases[] = {
        {Answer::Yes, Answer::Ok, true, false, "160", false},
        {Answer::Yes, Answer::Cancel, true, true, "160", false},
        {Answer::No, Answer::Ok, false, true, "174", false},
        {Answer::Cancel, Answer::Ok, false, true, "160", true},
    };
    for (const auto& c : cases) {
        open();
        InstallServiceWindows(*window);
        loadChannels({1, 2});
        ServiceWindow* w = service();
        ASSERT_NE(w, nullptr);
        const CodeplugImage before = session().image;
        typeInCell(w, "GridFreqSet", 2, 2, "160", "TxtFreqSet"); // RX(VHF) MAX
        EXPECT_TRUE(w->isChanged());
        prompts.asked.clear();
        prompts.answers = {c.save, c.clear};
        press(w, 3);

        ASSERT_GE(prompts.asked.size(), 1u);
        EXPECT_EQ(prompts.asked[0].text, Tr(1378));
        EXPECT_EQ(prompts.asked[0].title, "R57");
        EXPECT_EQ(prompts.asked[0].icon, Icon::Question);
        EXPECT_EQ(prompts.asked[0].buttons, Buttons::YesNoCancel);
        EXPECT_EQ(prompts.asked.size(), c.stored ? 2u : 1u);
        if (c.stored) {
            EXPECT_EQ(prompts.asked[1].text, Tr(1201));
            EXPECT_EQ(session().bands.high[2], 160);
            EXPECT_EQ(DecodeBandLimits(session().image).high[2], 160);
            EXPECT_EQ(session().image.at(addr::kBandLimits + 10), 0x16);
        } else {
            EXPECT_TRUE(session().image == before);
        }
        EXPECT_EQ(Record(session().image, kBankA, 1) != EmptyRecord(), c.channelsKept);
        EXPECT_EQ(grid()->cellText(1, kColRx).isEmpty(), !c.channelsKept);
        EXPECT_EQ(in<CellGrid>(w, "GridFreqSet")->cell(2, 2), c.shown);
        EXPECT_EQ(w->isChanged(), c.changed);

        // Applying again asks only while something is left to store.
        prompts.asked.clear();
        prompts.answers = {Answer::No};
        press(w, 3);
        EXPECT_EQ(prompts.asked.size(), c.changed ? 1u : 0u);
    }
}

TEST_F(ServiceTest, LeavingOrClosingAChangedPageAsksFirst) {
    ServiceWindow* w = service();
    ASSERT_NE(w, nullptr);
    auto* tree = in<QTreeWidget>(w, "TreeAdv");
    typeInCell(w, "GridFreqSet", 0, 1, "420", "TxtFreqSet");

    prompts.answers = {Answer::Cancel};
    tree->setCurrentItem(Node(tree, "C"));
    EXPECT_EQ(w->shownNode(), "A"); // Cancel stays
    EXPECT_EQ(tree->currentItem(), Node(tree, "A"));
    EXPECT_TRUE(w->isChanged());

    prompts.answers = {Answer::Cancel};
    press(w, 2);
    EXPECT_TRUE(w->isVisible());

    prompts.asked.clear();
    prompts.answers = {Answer::No};
    tree->setCurrentItem(Node(tree, "C"));
    EXPECT_EQ(w->shownNode(), "C");
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(session().bands.low[0], 400);
    EXPECT_FALSE(w->isChanged());

    prompts.asked.clear(); // B0 to B2 and B show the same page: nothing to ask
    tree->setCurrentItem(Node(tree, "B1"));
    typeInCell(w, "TunGrid_0", 0, 0, "9", "TxtTun");
    for (const char* key : {"B0", "B2", "B"}) {
        tree->setCurrentItem(Node(tree, key));
        EXPECT_EQ(w->shownNode(), key);
    }
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(w->isChanged());
}

// Enter in the password box and in the gain page's last box sends the focus to OK and to
// Apply; Enter there presses them.
TEST_F(ServiceTest, EnterPressesTheButtonABoxSentTheFocusTo) {
    window->setServiceEntryVisible(true);
    trigger("mnuProgram_Advanced");
    LoginDialog* dialog = OpenLoginDialog(*window);
    ASSERT_NE(dialog, nullptr);
    auto* entry = in<QLineEdit>(dialog, "txtPassword");
    QTest::keyClicks(entry, "482913");
    QTest::keyClick(entry, Qt::Key_Return);
    ASSERT_EQ(dialog->focusWidget(), in(dialog, "CmdOk"));
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(dialog->loginSucceeded());
    ServiceWindow* w = dialog->serviceWindow();
    ASSERT_NE(w, nullptr);

    const CodeplugImage before = session().image;
    w->showNode("C");
    auto* fine = in<QLineEdit>(w, "Text1_5");
    fine->setFocus();
    fine->selectAll();
    QTest::keyClicks(fine, "100");
    QTest::keyClick(fine, Qt::Key_Return);
    ASSERT_EQ(w->focusWidget(), in(w, "CmdAdv_18"));
    EXPECT_TRUE(session().image == before);
    prompts.asked.clear();
    prompts.answers = {Answer::Yes};
    QTest::keyClick(w->focusWidget(), Qt::Key_Return);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, Tr(1378));
    EXPECT_FALSE(session().image == before);
}

TEST_F(ServiceTest, GainAndDeviationPagesStoreExactlyTheirBytes) {
    ServiceWindow* w = service();
    ASSERT_NE(w, nullptr);
    CodeplugImage expected = session().image;

    w->showNode("C");
    in<QComboBox>(w, "Cboinput_2")->setCurrentIndex(5);
    in<QComboBox>(w, "Cbooutput_7")->setCurrentIndex(0);
    auto* fine = in<QLineEdit>(w, "Text1_0");
    fine->selectAll();
    QTest::keyClicks(fine, "20000x"); // the letter is not taken
    EXPECT_EQ(fine->text(), "20000");
    prompts.answers = {Answer::Yes};
    press(w, 18);
    EXPECT_EQ(fine->text(), "16383");
    expected.set(addr::kGainSteps + 4, 5);
    expected.set(addr::kGainSteps + 15, 0);
    expected.set(addr::kFineTuning, 0x3F);
    expected.set(addr::kFineTuning + 1, 0xFF);
    EXPECT_TRUE(session().image == expected);

    w->showNode("B2");
    typeInCell(w, "TunGrid_1", 0, 2, "300", "TxtTun");    // 0x0FF1
    typeInCell(w, "QTDevGrid_2", 0, 0, "0", "TxtTun2");   // 0x0FA0
    typeInCell(w, "QTDevGrid_0", 10, 5, "17", "TxtTun2"); // the line: 0x0F5F
    auto* voice = in<QLineEdit>(w, "TxtVoiceSWN_1");
    voice->selectAll();
    QTest::keyClicks(voice, "12");
    EXPECT_EQ(in<CellGrid>(w, "TunGrid_1")->cell(0, 2), "255");
    EXPECT_EQ(in<CellGrid>(w, "QTDevGrid_2")->item(0, 0)->background().color(), QColor(255, 0, 0));
    EXPECT_EQ(in<CellGrid>(w, "TunGrid_1")->item(0, 2)->background().style(), Qt::NoBrush);
    prompts.asked.clear();
    prompts.answers = {Answer::Yes};
    press(w, 17);
    EXPECT_EQ(prompts.asked.size(), 1u); // no New for tuning data
    expected.set(0x0FF1, 255);
    expected.set(0x0FA0, 0);
    expected.set(0x0F5F, 17);
    expected.set(0x0FFA, 12);
    EXPECT_TRUE(session().image == expected);
}

} // namespace
} // namespace r57::ui::testing
