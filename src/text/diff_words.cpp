// The comparison's rows in the words of the windows, in English or Chinese, as lines
// for `r57 diff` and as CSV.
#include "text/codeplug_diff.h"

#include "text/csv_table.h"
#include "text/other_bytes.h"

#include "core/channel.h"
#include "core/message_ids.h"
#include "core/session.h"
#include "core/strings.h"
#include "model/settings/function_setting_page.h"

#include <algorithm>
#include <cstring>

namespace r57::text {

namespace {

struct Words {
    const char* english;
    const char* chinese;
};

const char* In(const Words& words, int language) {
    return language == kChinese ? words.chinese : words.english;
}

constexpr Words kChannelsA{"Channels A", "A 组信道"};
constexpr Words kChannelsB{"Channels B", "B 组信道"};
constexpr Words kService{"Service Data", "维修数据"};
constexpr Words kBytes{"Other Bytes", "其他字节"};
constexpr Words kCaptions[] = {
    {"Area", "区域"}, {"Where", "位置"}, {"This Codeplug", "本数据"}, {"Other", "对比数据"}};

// The pages by their stable names, as the settings and service windows call them.
constexpr Words kPages[] = {
    {"Function Setting", "功能设置"},
    {"Common Set", "通用设置"},
    {"DTMF", "DTMF"},
    {"MSK", "MSK"},
    {"2-Tone", "两音"},
    {"5-Tone", "五音"},
    {"FM Channels", "收音机信道"},
    {"Embedded Message", "嵌入信息"},
    {"PowerOn Logo", "开机画面"},
    {"Frequency Range", "频率范围"},
    {"Analogue Setting Gain", "模拟增益设置"},
    {"Tuning and Deviation", "调谐与频偏"},
};

// The option-signalling fields a channel has beside its grid columns.
constexpr Words kSignalFields[] = {{"Signal Type", "信令类型"},
                                   {"Signal Decode", "信令解码"},
                                   {"Auto Response", "自动应答"},
                                   {"ID Code", "ID 码"}};

std::string PageWords(const std::string& page, int language) {
    for (const Words& words : kPages) {
        if (page == words.english) {
            return In(words, language);
        }
    }
    return page;
}

// A field's caption as its window shows it; the stable name where no caption of both
// languages is known.
std::string ControlCaption(const std::string& page, const std::string& field, int language) {
    if (page == "Function Setting") {
        using settings::FunctionSettingPage;
        for (std::size_t i = 0; i < FunctionSettingPage::Choices().size(); ++i) {
            if (field == FunctionSettingPage::Choices()[i].name) {
                return settings::CaptionText(FunctionSettingPage::ChoiceCaptions()[i], language);
            }
        }
        for (std::size_t i = 0; i < FunctionSettingPage::Flags().size(); ++i) {
            if (field == FunctionSettingPage::Flags()[i].name) {
                return settings::CaptionText(FunctionSettingPage::FlagCaptions()[i], language);
            }
        }
    }
    return field;
}

std::string FieldWords(const std::string& page, const std::string& field, int language) {
    return language == kChinese ? ControlCaption(page, field, language) : field;
}

// A value in the language: the choices of a channel column, Off and On.
std::string ValueWords(const DiffRow& row, const std::string& value, int language) {
    if (language != kChinese || value.empty()) {
        return value;
    }
    if (row.column >= kColPower && row.column != kColName) {
        const std::vector<std::string> english = ColumnChoices(row.column, kEnglish);
        const auto at = std::find(english.begin(), english.end(), value);
        if (at != english.end()) {
            return ColumnChoices(row.column, language)[at - english.begin()];
        }
    }
    if ((row.column == kColDecode || row.column == kColEncode) && value == Text(kTextNone, 0)) {
        return Text(kTextNone, language);
    }
    if (row.page == "Function Setting") {
        using settings::FunctionSettingPage;
        for (const settings::ChoiceField& choice : FunctionSettingPage::Choices()) {
            if (row.field != choice.name) {
                continue;
            }
            const std::vector<std::string> english = settings::ListTexts(choice.list, kEnglish);
            const auto at = std::find(english.begin(), english.end(), value);
            if (at != english.end()) {
                return settings::ListTexts(choice.list, language)[at - english.begin()];
            }
        }
    }
    if (value == Text(kTextOff, kEnglish)) {
        return Text(kTextOff, language);
    }
    if (value == Text(kTextOn, kEnglish)) {
        return Text(kTextOn, language);
    }
    return value;
}

std::string ChannelWhere(const DiffRow& row, int language) {
    const std::string label = ChannelLabel(row.bank, row.channel);
    if (row.field == label) {
        return label;
    }
    if (row.column >= 0) {
        return label + " " + ColumnCaption(row.column, language);
    }
    const std::string suffix = row.field.substr(label.size() + 1);
    for (const Words& words : kSignalFields) {
        if (suffix == words.english) {
            return label + " " + In(words, language);
        }
    }
    return row.field;
}

// A value as the export writes it; quoted where blanks would not be seen.
std::string Shown(const std::string& text) {
    const bool quote = text.empty() || text.front() == ' ' || text.back() == ' ';
    return quote ? "\"" + text + "\"" : text;
}

} // namespace

DiffWords WordsOf(const DiffRow& row, int language) {
    DiffWords words;
    words.mine = ValueWords(row, row.mine, language);
    words.other = ValueWords(row, row.other, language);
    switch (row.area) {
    case DiffArea::ChannelsA:
    case DiffArea::ChannelsB:
        words.area = In(row.area == DiffArea::ChannelsA ? kChannelsA : kChannelsB, language);
        words.where = ChannelWhere(row, language);
        break;
    case DiffArea::Settings:
        words.area = PageWords(row.page, language);
        words.where = FieldWords(row.page, row.field, language);
        break;
    case DiffArea::Service:
        words.area = In(kService, language);
        words.where =
            PageWords(row.page, language) + " / " + FieldWords(row.page, row.field, language);
        break;
    case DiffArea::Bytes:
        words.area = In(kBytes, language);
        words.where = AddressText(row.address) +
                      (row.length > 1 ? "-" + AddressText(row.address + row.length - 1) : "");
        break;
    }
    return words;
}

std::string WindowCaption(const DiffRow& row, int language) {
    return ControlCaption(row.page, row.field, language);
}

std::vector<std::string> DiffCaptions(int language) {
    std::vector<std::string> captions;
    for (const Words& words : kCaptions) {
        captions.push_back(In(words, language));
    }
    return captions;
}

std::string DiffLine(const DiffRow& row, int language) {
    const DiffWords words = WordsOf(row, language);
    const std::string where =
        row.area == DiffArea::Settings ? words.area + " / " + words.where : words.where;
    return where + ": " + Shown(words.mine) + " -> " + Shown(words.other);
}

std::string DiffCsv(const std::vector<DiffRow>& rows, int language) {
    std::string csv = CsvLine(DiffCaptions(language));
    for (const DiffRow& row : rows) {
        const DiffWords words = WordsOf(row, language);
        csv += CsvLine({words.area, words.where, words.mine, words.other});
    }
    return csv;
}

} // namespace r57::text
