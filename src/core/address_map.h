// Where everything lives in the radio's 16 KB memory image.
//
// The radio sees its memory as 1024 rows of 16 bytes; address = row * 16 + column.
// Every window, codec and transfer names its bytes through these constants, so an
// address is spelled once.
#pragma once

namespace r57::addr {

constexpr int kImageSize = 0x4000; // 16384 bytes
constexpr int kRowSize = 16;
constexpr int kRowCount = kImageSize / kRowSize; // 1024

// Channel names: 256 slots of 7 single-byte characters, slot k at kNames + (k - 1) * 7.
// Slots 1..128 belong to bank A, 129..256 to bank B.
constexpr int kNames = 0x0010;
constexpr int kNameLength = 7;
constexpr int kNameSlots = 256;

// VFO records, channel record layout, derived from the band limits.
constexpr int kVfoA = 0x0810;
constexpr int kVfoB = 0x0820;

// Function settings 0x0830..0x083F (0x0839 is the selected FM broadcast channel).
constexpr int kFunctionSettings = 0x0830;
constexpr int kManualByte = 0x0831; // bit 4: "Manual" menu check mark
constexpr int kManualBit = 0x10;
constexpr int kIdCodeLengthByte = 0x0833; // bit 2: ID codes are 3 digits long
constexpr int kPowerOnMessage = 0x0840;   // 7 characters
constexpr int kFunctionExtra = 0x084B;    // 5 bytes set by New
constexpr int kFmChannels = 0x0850;       // 25 x 4 bytes
constexpr int kFmSetting = 0x08B4;        // 4 bytes

constexpr int kTwoToneEncode = 0x0C50;
constexpr int kTwoToneDecode = 0x0CB0;

// Band limits: eight 2-byte BCD fields in 100 kHz units. The radio's identification
// reply carries the same layout; a write compares it with the first 8 bytes here.
constexpr int kBandLimits = 0x0D00;
constexpr int kEmbeddedMessage = 0x0D10;
constexpr int kSignalTimers = 0x0D20; // 8 bytes set by New
constexpr int kMskOwnId = 0x0D30;
constexpr int kMskCallList = 0x0D38;
constexpr int kPttIdCodes = 0x0D90;
constexpr int kDtmfFastCall = 0x0DB0;
constexpr int kDtmfInhibit = 0x0E50;
constexpr int kFiveToneControl = 0x0E70;
constexpr int kNewDefaults0E90 = 0x0E90; // 16 bytes set by New
constexpr int kFiveToneIdList = 0x0EA0;
constexpr int kGainSteps = 0x0EE0;        // service tuning, 16 bytes
constexpr int kFineTuning = 0x0EF0;       // seven 16-bit values
constexpr int kServiceTuningEnd = 0x1000; // 0x0EF0..0x0FFF travels only by the service transfer
constexpr int kDeviationTables = 0x0F00;

// The tone-deviation tables 0x0F00..0x0FDB: three runs of values (ten per tone
// group column) and a line of single bytes for each.
constexpr int kToneDeviation0 = 0x0F00;     // 90 values
constexpr int kToneDeviation1 = 0x0F60;     // 64 values
constexpr int kToneDeviation2 = 0x0FA0;     // 48 values
constexpr int kToneDeviationLine0 = 0x0F5A; // 6 bytes
constexpr int kToneDeviationLine1 = 0x0FD0; // 7 bytes
constexpr int kToneDeviationLine2 = 0x0FD7; // 5 bytes
constexpr int kTuningGrids = 0x0FDC;        // 27 bytes, three bands of 3 x 3
constexpr int kVoiceDeviation = 0x0FF7;     // wide/narrow pairs, three of them
constexpr int kDeviationEnd = 0x0FFD;       // 0x0FFD..0x0FFF belong to no page

// Channel records, 16 bytes each; bank A channel n at kBankARecords + (n - 1) * 16.
constexpr int kBankARecords = 0x1000;
constexpr int kBankBRecords = 0x1800;
constexpr int kRecordSize = 16;
constexpr int kChannelsPerBank = 128;

// Optional-signalling ID blocks, 16 bytes per channel, same indexing as the records.
constexpr int kBankASignalIds = 0x2000;
constexpr int kBankBSignalIds = 0x2800;

// Never exchanged with the radio; only the data file carries these.
constexpr int kFileOnlyA = 0x3000; // ..0x37FF
constexpr int kFileOnlyB = 0x3C00; // ..0x3FFF

// Power-on logo: 8 pages of 128 column bytes; bit k of 0x3800 + page * 128 + x is
// pixel (x, page * 8 + k).
constexpr int kLogo = 0x3800;
constexpr int kLogoSize = 1024;

} // namespace r57::addr
