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

// The function bytes the settings window edits (their bits are laid out beside its
// pages, src/model/settings).
constexpr int kScanRelayByte = 0x0830;   // scan resume, relay transfer
constexpr int kDisplayByte = 0x0831;     // battery save, beep, chord, channel display, TOT penalty
constexpr int kToneLampByte = 0x0832;    // receive stop, roger, ANI, side tone, PTT ID type, lamp
constexpr int kMessageModeByte = 0x0833; // DTMF decode mode (bit 2), message mode
constexpr int kSquelchLevel = 0x0834;
constexpr int kTimeOutTimer = 0x0835;
constexpr int kVoxByte = 0x0836;  // gain level (bits 3-0), delay (bits 7-4)
constexpr int kDeadBeat = 0x083A; // 0x55, 0xAA or 0xFF

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

// Signalling settings of the settings window.
constexpr int kAutoResetTimer = 0x0D20;         // seconds, 0 = off
constexpr int kDigitDelay = 0x0D21;             // (ms - 100) / 10
constexpr int kFiveToneRespond = 0x0D22;        // 5, 10, 15, 20 s
constexpr int kFiveToneFixDigit = 0x0D23;       // 0..5
constexpr int kDtmfIntermediate = 0x0D24;       // a DTMF digit byte
constexpr int kDtmfGroupCode = 0x0D25;          // 0 off, 10..15
constexpr int kAlertOptions = 0x0D26;           // vibration, upend, local roger tone
constexpr int kAlarmByte = 0x0D27;              // alarm delay (bits 3-0), standby time (bit 4)
constexpr int kPttIdBot = 0x0D90;               // 7 DTMF digit bytes
constexpr int kPttIdEot = 0x0D98;               // 7 DTMF digit bytes
constexpr int kPttIdMskId = 0x0DA0;             // 4 decimal digits
constexpr int kPttIdMskName = 0x0DA8;           // 6 characters
constexpr int kDtmfTransmitInhibit = 0x0E50;    // 10 digit bytes, then their count
constexpr int kDtmfTransceiverInhibit = 0x0E5B; // 10 digit bytes, then their count

// FM broadcast channels: the channel the receiver starts on (0..24) and 25 channels of
// 8 BCD digits in 10 Hz units from kFmChannels.
constexpr int kFmSelectedChannel = 0x0839;
constexpr int kFmChannelCount = 25;
constexpr int kFmChannelSize = 4;

// The embedded message: 16 single-byte characters from kEmbeddedMessage, 0xFF where none.
constexpr int kEmbeddedMessageLength = 16;

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

// An ID block: bytes 0..9 one decimal digit each (0xFF after the last), byte 10 the digit
// count. The radio uses 3 digits when kIdCodeLengthBit of kIdCodeLengthByte is set,
// otherwise up to 10.
constexpr int kSignalIdDigits = 10;
constexpr int kSignalIdCount = 10; // offset of the count byte
constexpr int kIdCodeLengthBit = 0x04;

// Never exchanged with the radio; only the data file carries these.
constexpr int kFileOnlyA = 0x3000; // ..0x37FF
constexpr int kFileOnlyB = 0x3C00; // ..0x3FFF

// Power-on logo: 8 pages of 128 column bytes; bit k of 0x3800 + page * 128 + x is
// pixel (x, page * 8 + k).
constexpr int kLogo = 0x3800;
constexpr int kLogoSize = 1024;

} // namespace r57::addr
