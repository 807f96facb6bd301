// The texts of File > Export..., Import..., Export Channels... and Import Channels...:
// ours, so in both languages, and the reasons the text library gives (in English, the
// language of the text files) put into Chinese where the window speaks it.
#pragma once

#include "ui/main/ui_text.h"

#include <string>

namespace r57::ui::exchange {

inline constexpr OwnText kYamlFilter{"Codeplug Text (*.yaml *.yml)", "写频数据文本 (*.yaml *.yml)"};
inline constexpr OwnText kCsvFilter{"Channel Lists (*.csv)", "信道列表 (*.csv)"};
inline constexpr OwnText kCannotWrite{"The file %1 could not be written.\n%2",
                                      "无法写入文件 %1。\n%2"};
inline constexpr OwnText kCannotRead{"The file %1 could not be read.\n%2", "无法读取文件 %1。\n%2"};
inline constexpr OwnText kNormalised{
    "The text is written. The windows show %1 stored byte(s) as other values; an import "
    "stores what they show (the bytes are listed at the top of the text).",
    "文本已写入。窗口将 %1 "
    "个存储字节显示为其他值；导入时存入窗口所显示的值（这些字节列在文本开头）。"};
inline constexpr OwnText kStartFromNew{
    "Start from a new codeplug?\n\nYes: the codeplug of the text replaces the one shown.\n"
    "No: the fields of the text are put into the codeplug shown.",
    "从新的写频数据开始吗？\n\n是：文本中的写频数据取代当前显示的数据。\n否：文本中的字段写入当前显"
    "示的数据。"};
inline constexpr OwnText kNotImported{"%1 was not imported; nothing was changed.\n%2",
                                      "%1 未导入，未作任何更改。\n%2"};
inline constexpr OwnText kAtLine{"line %1, column %2: %3", "第 %1 行第 %2 列：%3"};
inline constexpr OwnText kChannelsImported{"%1 channel(s) put into bank %2, the first at %3.",
                                           "已将 %1 个信道写入 %2 区，第一个位于 %3。"};
inline constexpr OwnText kNoChannels{"No channel was put into bank %1.", "没有信道写入 %1 区。"};
inline constexpr OwnText kRowsSkipped{"%1 row(s) skipped:", "跳过 %1 行："};
inline constexpr OwnText kSkippedRow{"line %1: %2", "第 %1 行：%2"};
inline constexpr OwnText kMoreRows{"... and %1 more", "……另有 %1 行"};

// A reason from the text library in the language: English as it is; in Chinese with its
// known phrases put into Chinese (names of windows, fields and values stay as the text
// file spells them).
QString Reason(const std::string& english, int language);

} // namespace r57::ui::exchange
