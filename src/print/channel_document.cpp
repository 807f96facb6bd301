#include "print/channel_document.h"

#include "model/accessory/fm_channels_page.h"
#include "model/settings/dtmf_page.h"
#include "model/settings/five_tone_page.h"
#include "model/settings/function_setting_page.h"
#include "model/settings/msk_page.h"
#include "model/settings/settings_fields.h"

#include "core/channel.h"
#include "core/image.h"
#include "core/message_ids.h"
#include "core/session.h"
#include "core/strings.h"

namespace r57::print {

namespace {

using settings::FieldCaption;
using settings::FunctionSettingPage;
using settings::ListKind;
using settings::ListTexts;

// Texts of the sheet that the string table does not hold.
constexpr FieldCaption kTitle{0, "Channel List", "信道列表"};
constexpr FieldCaption kSummaryTitle{0, "Settings", "设置"};
// Chinese as "1 / 2": the PDF's text layer would give the character for "page" as the
// radical that shares its glyph, and a search for it would fail.
constexpr FieldCaption kPageNumbers{0, "Page %1 of %2", "%1 / %2"};
constexpr FieldCaption kNone{0, "-", "-"};

constexpr int kModelType = 1056;   // "Model Type"
constexpr int kSimple = 1357;      // "SIMPLE"
constexpr int kTwoFiveTone = 1358; // "2Tone/5Tone"
constexpr int kFunctionSetting = 1395;
constexpr int kPttIdSetting = 1396;
constexpr int kOptionSignal = 1353;
constexpr int kPowerOn = 1430;
constexpr int kPowerOnMessage = 1428;
constexpr int kType = 1354;
constexpr int kBot = 1103;
constexpr int kEot = 1104;
constexpr int kAni = 1438;
constexpr int kCode = 1149;
constexpr int kCallList = 1412;
constexpr int kFastCallList = 1406;
constexpr int kFiveTone = 1316;
constexpr int kRadio = 1445;
constexpr int kChannel = 1054;

std::string Caption(const FieldCaption& caption, int language) {
    return settings::CaptionText(caption, language);
}

std::string TrimRight(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// Words joined as the language writes them: Chinese words run together, anything
// else is parted by a space ("MSK ID Code", "MSK ID 码", "五音 ID").
std::string Joined(const std::string& first, const std::string& second) {
    const bool chineseMeets = !first.empty() && !second.empty() &&
                              static_cast<unsigned char>(first.back()) >= 0x80 &&
                              static_cast<unsigned char>(second.front()) >= 0x80;
    return first + (chineseMeets ? "" : " ") + second;
}

std::string ModelText(char modelCode, int language) {
    std::string type = Text(kSimple, language);
    if (modelCode == '1') {
        type = "DTMF";
    } else if (modelCode == '2') {
        type = Text(kTwoFiveTone, language);
    }
    return "R57 · " + Text(kModelType, language) + (language == kChinese ? "：" : ": ") + type;
}

// One row for each filled entry of a numbered list ("MSK Call List 3"), numbered from
// `first` as the window numbers the list's rows, or one row saying "-" when none is
// filled.
template <typename Entries, typename Show>
void AddNumbered(SummarySection& section, const std::string& label, int first,
                 const Entries& entries, Show show, int language) {
    const std::size_t before = section.rows.size();
    int number = first - 1;
    for (const auto& entry : entries) {
        ++number;
        const std::string text = show(entry);
        if (!text.empty()) {
            section.rows.push_back({label + " " + std::to_string(number), text});
        }
    }
    if (section.rows.size() == before) {
        section.rows.push_back({label, Caption(kNone, language)});
    }
}

void AddChannels(CodeplugImage& image, const DocumentSource& source, ChannelDocument& document) {
    std::vector<int> columns{kColLabel};
    for (int c = kColRx; c < kColMore; ++c) {
        if (source.columns[c]) {
            columns.push_back(c);
        }
    }
    for (int c : columns) {
        document.captions.push_back(ColumnCaption(c, source.language));
    }
    for (int bank : {kBankA, kBankB}) {
        const BankTexts texts = DecodeBank(image, bank, source.language);
        for (const BankRow& row : texts) {
            if (row[kColRx].empty()) {
                continue;
            }
            std::vector<std::string> cells;
            for (int c : columns) {
                cells.push_back(c == kColName ? TrimRight(row[c]) : row[c]);
            }
            document.rows.push_back(std::move(cells));
        }
    }
}

SummarySection FunctionSection(const FunctionSettingPage& page, int language) {
    SummarySection section{Text(kFunctionSetting, language), {}};
    for (int i = 0; i < FunctionSettingPage::kChoiceCount; ++i) {
        if (i == FunctionSettingPage::kMessageMode) {
            continue; // with the message, under Power On
        }
        section.rows.push_back(
            {Caption(FunctionSettingPage::ChoiceCaptions()[i], language),
             ListTexts(FunctionSettingPage::Choices()[i].list, language)[page.choices[i]]});
    }
    for (int i = 0; i < FunctionSettingPage::kFlagCount; ++i) {
        section.rows.push_back({Caption(FunctionSettingPage::FlagCaptions()[i], language),
                                Text(page.flags[i] ? kTextOn : kTextOff, language)});
    }
    return section;
}

SummarySection PowerOnSection(const FunctionSettingPage& page, int language) {
    const auto mode = FunctionSettingPage::kMessageMode;
    return {Text(kPowerOn, language),
            {{Caption(FunctionSettingPage::ChoiceCaptions()[mode], language),
              ListTexts(FunctionSettingPage::Choices()[mode].list, language)[page.choices[mode]]},
             {Text(kPowerOnMessage, language), TrimRight(page.powerOnMessage)}}};
}

SummarySection PttIdSection(const FunctionSettingPage& page, int language) {
    return {Text(kPttIdSetting, language),
            {{"PTT ID " + Text(kType, language),
              ListTexts(ListKind::PttIdType, language)[page.pttType]},
             {Text(kBot, language), page.ptt1},
             {Text(kEot, language), page.ptt2},
             {Text(kAni, language), Text(page.ani ? kTextOn : kTextOff, language)}}};
}

// The IDs of the signalling systems the model has, as its settings window offers them.
SummarySection SignallingSection(CodeplugImage& image, char modelCode, int language) {
    SummarySection section{Text(kOptionSignal, language), {}};
    settings::MskPage msk;
    msk.load(image);
    const auto same = [](const std::string& text) {
        return text;
    };
    section.rows.push_back({Joined("MSK", "ID " + Text(kCode, language)),
                            msk.ownId.empty() ? Caption(kNone, language) : msk.ownId});
    AddNumbered(section, Joined("MSK", Text(kCallList, language)), 0, msk.calls, same, language);
    if (modelCode == '1') {
        settings::DtmfPage dtmf;
        dtmf.load(image);
        AddNumbered(section, Joined("DTMF", Text(kFastCallList, language)), 0, dtmf.fastCalls, same,
                    language);
    }
    if (modelCode == '2') {
        settings::FiveTonePage fiveTone;
        fiveTone.load(image);
        const std::vector<std::string> standards = ListTexts(ListKind::FiveToneStandard, language);
        const auto idText = [&](const settings::FiveTonePage::IdRow& row) {
            if (row.id.empty()) {
                return std::string();
            }
            return row.standard < 0 ? row.id : row.id + " (" + standards[row.standard] + ")";
        };
        AddNumbered(section, Joined(Text(kFiveTone, language), "ID"), 1, fiveTone.ids, idText,
                    language);
    }
    return section;
}

SummarySection FmSection(CodeplugImage& image, int language) {
    FmChannelsPage fm;
    fm.load(image);
    SummarySection section{
        Text(kRadio, language),
        {{Text(kChannel, language), FmChannelsPage::ChannelText(fm.startChannel(), language)}}};
    for (int k = 1; k <= FmChannelsPage::kChannels; ++k) {
        if (!fm.frequency(k).empty()) {
            section.rows.push_back({FmChannelsPage::ChannelText(k - 1, language), fm.frequency(k)});
        }
    }
    return section;
}

} // namespace

ChannelDocument BuildChannelDocument(const CodeplugImage& original, const DocumentSource& source) {
    const int language = source.language;
    CodeplugImage image = original;
    ChannelDocument document;
    document.language = language;
    document.title = Caption(kTitle, language);
    document.fileName = source.fileName;
    document.model = ModelText(source.modelCode, language);
    document.date = source.date;
    document.pageNumbers = Caption(kPageNumbers, language);
    document.summaryTitle = Caption(kSummaryTitle, language);

    AddChannels(image, source, document);

    FunctionSettingPage function;
    function.load(image);
    document.summary.push_back(FunctionSection(function, language));
    document.summary.push_back(PttIdSection(function, language));
    document.summary.push_back(SignallingSection(image, source.modelCode, language));
    document.summary.push_back(FmSection(image, language));
    document.summary.push_back(PowerOnSection(function, language));
    for (SummarySection& section : document.summary) {
        for (SummaryRow& row : section.rows) {
            if (row.value.empty()) {
                row.value = Caption(kNone, language); // an empty code or message
            }
        }
    }
    return document;
}

} // namespace r57::print
