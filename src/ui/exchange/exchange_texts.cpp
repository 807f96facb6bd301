#include "ui/exchange/exchange_texts.h"

namespace r57::ui::exchange {

namespace {

// Longer phrases first, so that a phrase inside another is not put in twice.
constexpr OwnText kPhrases[] = {
    {"more than 100000 entries (aliases that expand without end?): no codeplug text is this "
     "long",
     "超过 100000 个条目（别名无限展开？）：写频文本不会这么长"},
    {"not a codeplug: the text holds no windows and fields", "不是写频数据：文本中没有窗口和字段"},
    {"a second document: a codeplug text is one document", "第二个文档：写频文本只有一个文档"},
    {"not UTF-8 text: save the file as UTF-8", "不是 UTF-8 文本：请将文件存为 UTF-8"},
    {"no channel rows under the header", "标题行下没有信道行"},
    {"a quote opened here is never closed", "此处开始的引号没有闭合"},
    {"no Location: the channel is not given", "没有 Location：未给出信道"},
    {"not a channel number", "不是信道号"},
    {"changed by another field", "被另一字段改变"},
    {"no channel of bank", "不是此区的信道：区"},
    {"would be stored as", "将被存为"},
    {"no row taken", "没有接受任何行"},
    {"a text is needed here, not a list or a block of fields", "此处需要文本，而不是列表或字段块"},
    {"not a channel list: the first line names no Frequency column",
     "不是信道列表：第一行没有 Frequency 列"},
    {"the channel is empty: give its RX Freq first", "信道为空：请先给出其 RX Freq"},
    {"characters or length the field does not take", "字段不接受的字符或长度"},
    {"bytes are two hex digits each, or -- for a field's",
     "每个字节为两位十六进制数，或以 -- 表示字段的字节"},
    {"not a row address 0x0000 to 0x3FF0", "不是 0x0000 至 0x3FF0 的行地址"},
    {"the radio has FM and NFM only", "对讲机只有 FM 和 NFM"},
    {"outside the radio's bands", "超出对讲机的频段"},
    {"not one the radio has", "对讲机没有此项"},
    {"no room: the bank ends at", "没有空位：该区结束于"},
    {"a block of fields is needed here", "此处需要字段块"},
    {"a block of rows is needed here", "此处需要行块"},
    {"not a frequency in MHz", "不是以 MHz 为单位的频率"},
    {"no window of that name", "没有这个名称的窗口"},
    {"not one of the choices", "不是可选项之一"},
    {"not a value of this field", "不是此字段的值"},
    {"not shown for this PTT ID Type", "此 PTT ID 类型不显示该项"},
    {"not an item of the list", "不是列表中的项"},
    {"no such QT/DQT tone", "没有这个 QT/DQT 亚音"},
    {"more than 16 bytes in a row", "一行超过 16 个字节"},
    {"a name is needed here", "此处需要名称"},
    {"unknown field", "没有这个字段"},
    {"not On or Off", "不是 On 或 Off"},
    {"not a number", "不是数字"},
    {"given twice", "重复给出"},
    {"not YAML", "不是 YAML"},
};

} // namespace

QString Reason(const std::string& english, int language) {
    QString text = QString::fromStdString(english);
    if (language != kChinese) {
        return text;
    }
    for (const OwnText& phrase : kPhrases) {
        text.replace(QString::fromUtf8(phrase.english), QString::fromUtf8(phrase.chinese));
    }
    return text;
}

} // namespace r57::ui::exchange
