// FrmOpSign as a dealer handles it: the PTT ID type picked again from its list, and
// files that are no logo given to Load.
#include "settings_fixture.h"

#include "core/address_map.h"
#include "core/logo.h"

#include <QAbstractItemView>
#include <QFile>
#include <QTemporaryDir>

namespace r57::ui::testing {
namespace {

std::vector<uint8_t> At(const CodeplugImage& image, int address, int count) {
    return {image.data() + address, image.data() + address + count};
}

// Opens the drop-down with the mouse and clicks the entry `text` in its list.
void PickWithTheMouse(QComboBox* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }, 2000));
    const int row = box->findText(text);
    ASSERT_GE(row, 0) << text.toStdString();
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    // The list ignores a release that follows its opening as closely as a double click.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    ASSERT_TRUE(QTest::qWaitFor([list] { return !list->isVisible(); }, 2000));
}

TEST_F(SettingsTest, PickingThePttTypeShownAgainKeepsBothCodes) {
    openSettings();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    select("B1");
    auto* type = in<QComboBox>("CboPttID");
    PickWithTheMouse(type, "MSK");
    typeInto("TxtPtt1", "123");
    click("CmdOps_0");
    const std::vector<uint8_t> saved = At(session().image, addr::kPttIdMskId, 4);
    ASSERT_EQ(saved, (std::vector<uint8_t>{1, 2, 3, 0xFF}));

    PickWithTheMouse(type, "MSK"); // the same entry again
    EXPECT_EQ(text("TxtPtt1"), "123");
    click("CmdOps_0");
    EXPECT_EQ(At(session().image, addr::kPttIdMskId, 4), saved);

    PickWithTheMouse(type, "DTMF"); // another type starts both codes afresh
    EXPECT_EQ(text("TxtPtt1"), "");
}

// Load takes a whole picture only; anything else is refused with a message naming the
// size of a logo file, and neither the picture nor, after Save, the image changes.
TEST_F(SettingsTest, LoadRefusesAFileThatIsNoLogo) {
    QTemporaryDir dir;
    auto put = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    QByteArray png(8192, '\0');
    png.replace(0, 8, "\x89PNG\r\n\x1A\n");
    const QString refused[] = {
        put("notes.FIF", QByteArray(9000, 'x').replace(0, 5, "hello")),
        put("picture.FIF", png),
        put("empty.FIF", {}),
        put("short.FIF", QByteArray(100, 1)),
    };
    openSettings();
    select("B2");
    const CodeplugImage start = session().image;
    const LogoPixels picture = session().logo;
    for (const QString& file : refused) {
        SCOPED_TRACE(file.toStdString());
        prompts.asked.clear();
        prompts.files = {file};
        click("CmdPowOn_0");
        ASSERT_EQ(prompts.asked.size(), 1u);
        EXPECT_TRUE(prompts.lastText().contains("8192 bytes"));
        EXPECT_TRUE(prompts.lastText().startsWith(file));
        EXPECT_TRUE(session().logo == picture);
    }
    click("CmdOps_0");
    EXPECT_TRUE(At(session().image, addr::kLogo, addr::kLogoSize) ==
                At(start, addr::kLogo, addr::kLogoSize));

    QByteArray dot(8192, '\0');
    dot[0] = 1;
    prompts.files = {put("dot.FIF", dot)};
    click("CmdPowOn_0");
    click("CmdOps_0");
    EXPECT_EQ(session().image.at(addr::kLogo), 0x01);
    EXPECT_EQ(session().image.at(addr::kLogo + 1), 0x00);
}

} // namespace
} // namespace r57::ui::testing
