// The channel sheet: which texts it holds, and the PDF a user opens, on every paper in
// both languages.
#include "print_fixture.h"

#include "common/child_process.h"
#include "common/pdf_tools.h"
#include "print/channel_document.h"
#include "print/sheet_pages.h"

#include "core/strings.h"

#include <QPdfWriter>

#include <algorithm>
#include <fstream>

namespace r57::test {
namespace {

using print::BuildChannelDocument;
using print::ChannelDocument;

std::string NoSpaces(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

// Every text of the document, one a line.
std::string Lines(const ChannelDocument& d) {
    std::string out = d.title + "\n" + d.fileName + "\n" + d.model + "\n" + d.date + "\n";
    for (const auto& c : d.captions) {
        out += c + "\n";
    }
    for (const auto& row : d.rows) {
        for (const auto& cell : row) {
            out += cell + "|";
        }
        out += "\n";
    }
    for (const auto& section : d.summary) {
        out += "[" + section.title + "]\n";
        for (const auto& r : section.rows) {
            out += r.label + "=" + r.value + "\n";
        }
    }
    return out;
}

TEST(ChannelSheet, HoldsTheUsedChannelsAndTheSettingsInTheWindowsWords) {
    ColumnVisibility noTx = AllColumnsVisible();
    noTx[kColTx] = false;
    const struct {
        int language;
        char model;
        ColumnVisibility columns;
        std::vector<std::string> has;
        std::vector<std::string> hasNot;
    } cases[] = {
        {kEnglish,
         '0',
         AllColumnsVisible(),
         {"Channel List",
          "plug.dat",
          "R57 · Model Type: SIMPLE",
          "2026-12-08",
          "RX Freq",
          "TX Freq",
          "A1|446.00625|446.00625|None|None|High|Add|Wide|PMR1|Off|Off|Off|Off|7|",
          "A5|145.50000|145.50000|88.5|",
          "|CALL|",
          "B128|438.50000|",
          "|B-END|",
          "[Function Setting]",
          "Squelch Level=7",
          "Time Out Timer=Off",
          "Vibration=Off",
          "[PTT ID Setting]",
          "PTT ID Type=MSK",
          "BOT=",
          "ANI=Off",
          "[Option Signal]",
          "MSK ID Code=1234",
          "MSK Call List 0=1100",
          "[Radio]",
          "Channel=CH1",
          "CH3=100.00000",
          "[Power On]",
          "MsgMode=Off",
          "PowerOn Msg=HELLO\n"},
         {"A2|", "More", ">>", "5-Tone", "DTMF Fast Call"}},
        {kChinese,
         '2',
         noTx,
         {"信道列表", "机型：两音/五音", "接收频率", "A1|446.00625|无|无|高|", "[功能设置]",
          "静噪等级=7", "振动=关", "[PTT ID 设置]", "[选择信令]", "MSK ID 码=1234",
          "五音 ID 1=12345 (CCIR2)", "[收音机]", "信道=信道1", "信道3=100.00000", "开机信息=HELLO"},
         {"TX Freq", "发射频率", "Squelch", "A1|446.00625|446.00625"}},
        {kEnglish,
         '1',
         AllColumnsVisible(),
         {"Model Type: DTMF", "DTMF Fast Call List=-"},
         {"5-Tone"}},
    };
    const CodeplugImage image = SmallCodeplug();
    for (const auto& c : cases) {
        print::DocumentSource source;
        source.fileName = "plug.dat";
        source.modelCode = c.model;
        source.language = c.language;
        source.date = "2026-12-08";
        source.columns = c.columns;
        const ChannelDocument document = BuildChannelDocument(image, source);
        const std::string text = Lines(document);
        EXPECT_EQ(document.rows.size(), 3u);
        EXPECT_EQ(document.captions.size(), c.columns[kColTx] ? 14u : 13u);
        for (const std::string& want : c.has) {
            EXPECT_NE(text.find(want), std::string::npos) << want << " in\n" << text;
        }
        for (const std::string& unwanted : c.hasNot) {
            EXPECT_EQ(text.find(unwanted), std::string::npos) << unwanted << " in\n" << text;
        }
    }
}

class ChannelPdf : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartGuiApplication(); }
    TempFolder folder;
};

TEST_F(ChannelPdf, OpensOnEveryPaperWithEveryChannelTheHeaderOnEachPageAndFontsEmbedded) {
    const CodeplugImage image = FullCodeplug();
    for (int language : {kEnglish, kChinese}) {
        CodeplugImage copy = image;
        const BankTexts banks[] = {DecodeBank(copy, kBankA, language),
                                   DecodeBank(copy, kBankB, language)};
        print::DocumentSource source;
        source.fileName = "full.dat";
        source.language = language;
        source.date = "2026-12-08";
        const ChannelDocument document = BuildChannelDocument(image, source);
        for (auto size : {QPageSize::A4, QPageSize::Letter}) {
            for (auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
                SCOPED_TRACE(testing::Message() << "language " << language << " size " << size
                                                << " orientation " << orientation);
                const std::string path = folder.file("sheet.pdf");
                const QByteArray pdf =
                    print::ChannelPdf(document, print::SheetPageLayout(size, orientation));
                std::ofstream(path, std::ios::binary).write(pdf.data(), pdf.size());

                const std::vector<std::string> pages = PdfPages(path);
                ASSERT_GE(pages.size(), 4u); // 256 channels take pages, the summary one more
                std::string all;
                for (std::size_t p = 0; p < pages.size(); ++p) {
                    const std::string number = QString::fromStdString(document.pageNumbers)
                                                   .arg(p + 1)
                                                   .arg(pages.size())
                                                   .toStdString();
                    // The text layer keeps no spaces between the digits and the slash.
                    for (const std::string& header : {std::string("full.dat"), document.model,
                                                      std::string("2026-12-08"), number}) {
                        EXPECT_NE(NoSpaces(pages[p]).find(NoSpaces(header)), std::string::npos)
                            << header << " on page " << p + 1;
                    }
                    all += pages[p];
                }
                for (const BankTexts& bank : banks) {
                    for (const BankRow& row : bank) {
                        EXPECT_NE(all.find(row[kColRx]), std::string::npos) << row[kColRx];
                        EXPECT_NE(all.find(row[kColName].substr(0, row[kColName].find(' '))),
                                  std::string::npos);
                        EXPECT_NE(all.find(row[kColLabel]), std::string::npos);
                    }
                }
                EXPECT_NE(pages.back().find(Text(1395, language)), std::string::npos);
                EXPECT_NE(pages.front().find(ColumnCaption(kColDecode, language)),
                          std::string::npos);
                EXPECT_EQ(UnembeddedFonts(path), std::vector<std::string>{});
            }
        }
    }
}

TEST_F(ChannelPdf, PrintsOnlyThePagesOfTheRangeNumberedAsInTheWholeDocument) {
    print::DocumentSource source;
    source.fileName = "full.dat";
    const ChannelDocument document = BuildChannelDocument(FullCodeplug(), source);
    const std::string path = folder.file("range.pdf");
    {
        QPdfWriter writer(QString::fromStdString(path));
        writer.setPageLayout(print::SheetPageLayout(QPageSize::A4, QPageLayout::Portrait));
        EXPECT_EQ(print::PaintChannelDocument(document, writer, 2, 3), 2);
    }
    const std::vector<std::string> pages = PdfPages(path);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(pages[0].find("Page 2 of 6"), std::string::npos);
    EXPECT_NE(pages[1].find("Page 3 of 6"), std::string::npos);
    // A device that cannot be painted on is told apart from a printed document.
    QPdfWriter nowhere(QString::fromStdString(folder.file("missing/x.pdf")));
    EXPECT_EQ(print::PaintChannelDocument(document, nowhere), 0);
}

} // namespace
} // namespace r57::test
