// The main window's menu bar and toolbar as tables: the item names, their caption
// (or tooltip) string ids and their place. Building the menus and applying a language
// both walk these tables, so an item's caption is named once.
#pragma once

#include "ui/main/ui_text.h"

#include <QIcon>
#include <QString>

class QStyle;

namespace r57::ui::items {

enum Kind {
    kMenu,            // opens a submenu; the entries up to the matching kEndMenu belong to it
    kEndMenu,         // closes the innermost open submenu
    kItem,            // a command
    kCheck,           // a command with a check mark
    kSeparator,       // a separator line
    kHiddenSeparator, // a separator line that is not shown
};

struct MenuEntry {
    Kind kind;
    const char* name = ""; // object name of the action (and of the submenu)
    int captionId = 0;     // 0: no caption of its own
    bool hidden = false;
};

inline constexpr MenuEntry kMenuBar[] = {
    {kMenu, "mnuFile", 1001},
    {kItem, "mnuFile_New", 1002},
    {kItem, "mnuFile_Open", 1003},
    {kItem, "mnuFile_Save", 1004},
    {kItem, "mnuFile_SaveAs", 1005},
    {kMenu, "mnuFile_Recent", 0}, // filled in main_window_desktop.cpp
    {kEndMenu},
    {kSeparator},
    {kItem, "mnuFile_Import", 0}, // captioned from kOwnCaptions
    {kItem, "mnuFile_Export", 0},
    {kItem, "mnuFile_ImportChannels", 0},
    {kItem, "mnuFile_ExportChannels", 0},
    {kSeparator},
    {kItem, "mnuFile_Print", 0},
    {kItem, "mnuFile_PrintPreview", 0},
    {kItem, "mnuFile_ExportPdf", 0},
    {kSeparator},
    {kItem, "mnuFile_Compare", 0},
    {kSeparator},
    {kItem, "mnuFile_Exit", 1008},
    {kEndMenu},

    {kMenu, "mnuModel", 1009, true},
    {kItem, "mnuModel_Info", 1010},
    {kEndMenu},

    {kMenu, "mnuEdit", 1011},
    {kItem, "mnuEdit_Undo"}, // captioned in main_window_undo.cpp
    {kItem, "mnuEdit_Redo"},
    {kSeparator},
    {kItem, "mnuEdit_Copy", 1323},
    {kItem, "mnuEdit_Paste", 1324},
    {kHiddenSeparator},
    // Cut and the items below: captions and keys in main_window_blocks.cpp.
    {kItem, "mnuEdit_Cut", 0}, // beside Clear and Delete, the other commands that empty rows
    {kItem, "mnuEdit_Clear", 1325},
    {kItem, "mnuEdit_Delete", 1326},
    {kItem, "mnuEdit_Insert", 1342, true},
    {kSeparator},
    {kItem, "mnuEdit_Sort", 0},
    {kSeparator},
    {kItem, "mnuEdit_Find", 0},
    {kItem, "mnuEdit_FindNext", 0},
    {kItem, "mnuEdit_FindPrevious", 0},
    {kEndMenu},

    {kMenu, "mnuProgram", 1020},
    {kItem, "mnuProgram_OPSign", 1013},
    {kItem, "mnuProgram_Advanced", 1327},
    {kSeparator},
    {kItem, "mnuProgram_ANI", 1329},
    {kSeparator},
    {kItem, "mnuProgram_EmbMsg", 1019},
    {kItem, "mnuProgram_Debug", 1330, true},
    {kItem, "mnuProgram_Deviation", 1328, true},
    {kItem, "mnuProgram_KeyAssign", 1014, true},
    {kItem, "mnuProgram_OptFeatures", 0, true},
    {kEndMenu},

    {kMenu, "mnuTransfer", 1331},
    {kItem, "mnuTransfer_Read", 1021},
    {kItem, "mnuTransfer_Write", 1022},
    {kItem, "mnuTransfer_Batch", 0}, // captioned from kOwnCaptions
    {kItem, "mnuTransfer_Compare", 0},
    {kSeparator},
    {kCheck, "mnuTransfer_Verify"},  // captioned in main_window_verify.cpp
    {kCheck, "mnuTransfer_KeepOld"}, // these two in main_window_keep.cpp
    {kItem, "mnuTransfer_Restore"},
    {kEndMenu},

    {kMenu, "mnuSet", 1027},
    {kCheck, "mnuSet_GUI", 1332},
    {kCheck, "mnuSet_SingleClick", 1333},
    {kCheck, "mnuSet_Manual", 1334},
    {kSeparator},
    {kItem, "mnuSet_COM", 1028},
    {kMenu, "mnuSet_Lan", 1312},
    {kCheck, "mnuSet_LanE", 1335},
    {kCheck, "mnuSet_LanC", 1336},
    {kEndMenu},
    {kEndMenu},

    {kMenu, "mnuView", 1030},
    {kCheck, "mnuView_Buttons", 1337},
    {kCheck, "mnuView_Status", 1338},
    {kItem, "mnuView_Columns", 1339},
    {kEndMenu},

    {kMenu, "mnuHelp", 1060},
    {kItem, "mnuHelp_Contents", 0}, // the help file; captioned with kHelpContents
    {kItem, "mnuHelp_Backups"},     // captioned in main_window_verify.cpp
    {kItem, "mnuHelp_About", 1043},
    {kEndMenu},
};

// Menu items captioned with texts of our own.
struct OwnCaption {
    const char* name;
    OwnText caption;
};
inline constexpr OwnCaption kOwnCaptions[] = {
    {"mnuFile_Recent", {"Recent &Files", "最近的文件(&F)"}},
    {"mnuFile_Import", {"&Import...", "导入(&I)..."}},
    {"mnuFile_Export", {"&Export...", "导出(&E)..."}},
    {"mnuFile_ImportChannels", {"Import &Channels...", "导入信道(&C)..."}},
    {"mnuFile_ExportChannels", {"Export C&hannels...", "导出信道(&H)..."}},
    {"mnuFile_Print", {"&Print...", "打印(&P)..."}},
    {"mnuFile_PrintPreview", {"Print Pre&view...", "打印预览(&V)..."}},
    {"mnuFile_ExportPdf", {"Export P&DF...", "导出 PDF(&D)..."}},
    {"mnuTransfer_Batch", {"Program &Several Radios...", "批量写入多台对讲机(&S)..."}},
    {"mnuFile_Compare", {"Co&mpare With File...", "与文件比较(&M)..."}},
    {"mnuTransfer_Compare", {"&Compare With Radio...", "与对讲机比较(&C)..."}},
};

// The usual keys of the usual commands, shown in the menus.
struct MenuShortcut {
    const char* name;
    const char* keys; // QKeySequence's portable text
};
inline constexpr MenuShortcut kMenuShortcuts[] = {
    {"mnuFile_New", "Ctrl+N"},          {"mnuFile_Open", "Ctrl+O"}, {"mnuFile_Save", "Ctrl+S"},
    {"mnuFile_SaveAs", "Ctrl+Shift+S"}, {"mnuFile_Exit", "Ctrl+Q"}, {"mnuHelp_Contents", "F1"},
    {"mnuFile_Print", "Ctrl+P"},
};

// Toolbar buttons by key; an entry without a key is a separator. A tooltip id of 0:
// the tooltip is the program's own text, set where the button's command is.
struct ToolEntry {
    const char* key;
    int tooltipId;
};

inline constexpr ToolEntry kToolBar[] = {
    {"New", 1062}, {"Open", 1063},   {"Save", 1064},     {nullptr, 0},     {"Undo", 0},
    {"Redo", 0},   {nullptr, 0},     {"Copy", 1323},     {"Paste", 1324},  {"Clear", 1325},
    {nullptr, 0},  {"MoveUp", 1340}, {"MoveDown", 1341}, {"Insert", 1342}, {"Delete", 1343},
    {nullptr, 0},  {"Read", 1066},   {"Write", 1067},    {nullptr, 0},     {"About", 1068},
};

// Captions of `CmdButtons` 0..4.
inline constexpr int kChannelButtonCaptions[] = {1340, 1341, 1342, 1343, 1344};

// Tab captions of the two banks; the same in both languages.
inline constexpr const char* kBankTabCaptions[] = {"A1 - A128", "B1 - B128"};

// Texts not in the string table.
inline constexpr const char* kModelDtmf = "DTMF";
inline constexpr const char* kUpdateTimeEnglish = "Update the Radio system time";
inline constexpr const char* kUpdateTimeChinese = "更新对讲机时间";
inline constexpr const char* kModelName = "R57";
inline constexpr const char* kDataFileFilter = "KDX Data Files (*.dat)";
inline constexpr const char* kUntitledFile = "Untitled.dat";
inline constexpr const char* kTraceStatus = "Debug";
inline constexpr const char* kDataFileSuffix = "dat";
inline constexpr OwnText kHelpContents{"&Help Topics", "帮助主题(&T)"};

// A toolbar icon for a key: Qt's standard icon where one fits, otherwise a simple
// drawn one. "App" gives the window icon.
QIcon ToolIcon(const QString& key, const QStyle* style);

} // namespace r57::ui::items
