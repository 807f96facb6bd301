// String-table ids (resources/strings.tsv) that more than one part of the program
// shows: the grid, the field rules, the transfer engine, the clone window and the
// command-line tool must say the same thing for the same event. The English text
// stands beside each id; the Chinese one is at id + 1000. An id that only one place
// shows stays beside that place.
#pragma once

namespace r57 {

// The choice texts of the channel columns (and "None" of the QT/DQT list).
constexpr int kTextBoth = 1102;     // "Both"      PTT ID
constexpr int kTextBot = 1103;      // "BOT"       PTT ID
constexpr int kTextEot = 1104;      // "EOT"       PTT ID
constexpr int kTextNone = 1107;     // "None"      no QT/DQT tone
constexpr int kTextHigh = 1108;     // "High"      TX power
constexpr int kTextLow = 1109;      // "Low"       TX power
constexpr int kTextWide = 1110;     // "Wide"      bandwidth
constexpr int kTextNarrow = 1111;   // "Narrow"    bandwidth
constexpr int kTextOff = 1113;      // "Off"       BCL, PTT ID, VOX, option
constexpr int kTextOn = 1114;       // "On"        VOX
constexpr int kTextCarrier = 1286;  // "Carrier"   BCL
constexpr int kTextCompand = 1317;  // "Compand"   option
constexpr int kTextScramble = 1318; // "Scramble"  option
constexpr int kTextDel = 1321;      // "Del"       scan
constexpr int kTextAdd = 1322;      // "Add"       scan

// Files.
constexpr int kMsgIncorrectFileType = 1277; // "Incorrect File Type."

// Transfers with the radio.
constexpr int kMsgCannotOpenPort = 1175;     // "Cannot Open Communication Port."
constexpr int kMsgWarning = 1194;            // "Warning" (a title)
constexpr int kMsgPercentage = 1287;         // "Completion percentage"
constexpr int kMsgReadTitle = 1288;          // "Read data from radio"
constexpr int kMsgWriteTitle = 1289;         // "Write data to radio"
constexpr int kMsgRetryOrCancel = 1291;      // "Check Connection. Retry or Cancel?" + tab
constexpr int kMsgReadDone = 1292;           // "Reading completed!"
constexpr int kMsgWriteDone = 1293;          // "Writing completed!"
constexpr int kMsgBandChanged = 1370;        // "FrequencyRange has been changed!Go on?"
constexpr int kMsgServiceBandChanged = 1381; // the same text, asked by a service write
constexpr int kMsgWrongModel = 1385;         // "Model type is wrong."
constexpr int kMsgTimeout = 1386;            // "ERROR:Timeout while waiting for data blocks."

} // namespace r57
