// Which page of the guide belongs to which window: F1 in a window opens its page, and
// in a window of pages (the settings window, the service window) the page of the page
// shown. A window that has no page of its own (a message box) takes its owner's.
#pragma once

#include <QString>

class QWidget;

namespace r57::ui {

struct HelpTopic {
    const char* window; // object name of the window
    const char* shown;  // object name of a widget that must be visible in it, or null
    const char* page;   // the guide's page, with an anchor where the window has a part of one
};

// In order: the first entry whose window and shown widget match wins.
inline constexpr HelpTopic kHelpTopics[] = {
    {"frmMain", "PicGUI", "panel.html"},
    {"frmMain", nullptr, "channels.html"},
    {"FrmOpSign", "FraOp_0", "settings-common.html"},
    {"FrmOpSign", "FraOp_1", "dtmf.html"},
    {"FrmOpSign", "FraOp_2", "msk.html"},
    {"FrmOpSign", "FraOp_3", "two-tone.html"},
    {"FrmOpSign", "FraOp_4", "five-tone.html"},
    {"FrmOpSign", "FraOp_5", "settings-function.html"},
    {"FrmOpSign", "FraOp_6", "settings-ptt.html"},
    {"FrmOpSign", "FraOp_7", "logo.html"},
    {"frmDraw", nullptr, "logo.html#editor"},
    {"frmAdv", "fraFreq", "service-frequency.html"},
    {"frmAdv", "fraAnalogue", "service-analogue.html"},
    {"frmAdv", "PicDev", "service-tuning.html"},
    {"frmAdv", nullptr, "service.html"},
    {"frmLogin", nullptr, "service.html#login"},
    {"frmMemoryMap", nullptr, "memory-map.html"},
    {"frmComPort", nullptr, "getting-started.html#port"},
    {"frmClone", nullptr, "transfers.html"},
    {"frmRadio", nullptr, "fm-radio.html"},
    {"frmEmbMsg", nullptr, "embedded-message.html"},
    {"frmSelColumns", nullptr, "channels.html#columns"},
    {"frmAbout", nullptr, "help.html#about"},
    {"frmBatch", nullptr, "fleet.html"},
    {"frmCompare", nullptr, "compare.html"},
    {"frmHelp", nullptr, "help.html"},
};

// The page for F1 in `window`: its own, else its owner's, else the start page.
QString HelpPageFor(const QWidget* window);

} // namespace r57::ui
